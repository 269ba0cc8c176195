#include "shell/calc_window.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QStringList>
#include <QPointer>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <QShortcut>
#include <QVBoxLayout>
#include <algorithm>
#include <tuple>

#include "model/field_role.h"
#include "model/result_freshness.h"
#include "shell/colours.h"
#include "shell/field_widgets.h"
#include "shell/formula_picture_view.h"
#include "shell/ground_file_choice.h"
#include "shell/printing.h"
#include "shell/profile_export.h"
#include "shell/remark_display.h"
#include "shell/report_export.h"
#include "shell/screen_fit.h"
#include "shell/sketch_canvas.h"
#include "shell/study_dialog.h"

namespace pylora {
namespace {

QString qt(const std::string& text) { return QString::fromStdString(text); }

bool isSvg(const std::string& content) { return content.rfind("<svg", 0) == 0; }

const QString kSketchAfterEdit = "输入已改动：此草图不是当前输入的计算结果，请重新计算。";
const QString kSketchAfterFailure = "计算中止：此草图不是当前输入的计算结果。";

}  // namespace

CalcWindow::CalcWindow(const FormDefinition& definition, const Services& services, WindowPrinter& printer)
    : QWidget(nullptr), model_(definition, services), printer_(printer) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(qt(definition.title()));
    expectedLengths_ = expectedTextLengths(definition, services);
    buildLayout();
    orderTabsAsRead();
    auto* closeKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_W), this);
    connect(closeKey, &QShortcut::activated, this, &QWidget::close);
    addReportExport(*this);
    addProfileExport(*this);
    addParameterStudy(*this);
    addCaseKeys();
    offerGroundDataFileChoice(*this);
    syncFromForm();
    showRemarks(model_.form(), widgets_);
    alignTableFrames();  // once the captions hold their texts
}

void CalcWindow::fitInto(QSize available) {
    QSize wanted = sizeHint();
    // A body taller than the screen scrolls: its scroll bar needs room beside the content.
    if (wanted.height() > (available - kWindowDecoration).height())
        wanted.rwidth() += style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 2;
    resize(openingSize(wanted, available));
}

void CalcWindow::showEvent(QShowEvent* event) {
    if (!fitted_) {
        if (screen()) fitInto(screen()->availableGeometry().size());
        focusFirstInput();
    }
    fitted_ = true;
    QWidget::showEvent(event);
}

// The cursor starts in the first field the engineer types into, in reading order, so that
// typing and Enter work at once.
void CalcWindow::focusFirstInput() {
    for (QWidget* w = nextInFocusChain(); w && w != this; w = w->nextInFocusChain()) {
        auto* edit = dynamic_cast<FieldEdit*>(w);
        if (edit && !edit->isReadOnly() && edit->focusPolicy() != Qt::NoFocus) {
            edit->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
}

QSize CalcWindow::pageContentSize() const {
    const QWidget* content = scroll_->widget();
    // Not the empty stretch below the frames of a window opened taller than it needs.
    return {content->width(), std::min(content->height(), content->sizeHint().height())};
}

namespace {

// While a page is drawn, the window shows neither the keyboard focus (its frame and cursor) nor
// selected text: they are the engineer's work in progress, not the calculation. Both come back
// afterwards as they were.
class PrintedLook {
public:
    explicit PrintedLook(QWidget& window) : focused_(window.focusWidget()) {
        for (FieldEdit* edit : window.findChildren<FieldEdit*>()) {
            if (!edit->hasSelectedText()) continue;
            const int start = edit->selectionStart(), length = int(edit->selectedText().size());
            // The cursor stands at the end the selection was drawn to.
            const bool towardsStart = edit->cursorPosition() == start;
            selections_.push_back({edit, towardsStart ? start + length : start, towardsStart ? -length : length});
        }
        if (focused_) focused_->clearFocus();
        for (const Selection& s : selections_) s.edit->deselect();
    }
    ~PrintedLook() {
        if (focused_) focused_->setFocus(Qt::OtherFocusReason);
        for (const Selection& s : selections_)
            if (s.edit) s.edit->setSelection(s.start, s.length);
    }

private:
    struct Selection {
        QPointer<FieldEdit> edit;
        int start, length;
    };
    QPointer<QWidget> focused_;
    std::vector<Selection> selections_;
};

}  // namespace

void CalcWindow::paintPageContent(QPainter& painter) {
    const PrintedLook look(*this);
    const QSize page = pageContentSize();
    painter.fillRect(QRect(QPoint(), page), palette().window());
    scroll_->widget()->render(&painter, QPoint(), QRegion(QRect(QPoint(), page)), QWidget::DrawChildren);
}

QString CalcWindow::pageWarning() const {
    QStringList lines;
    if (!runFailure_.isEmpty()) lines << runFailure_;
    const bool staleShown = std::any_of(stale_.begin(), stale_.end(), [this](const std::string& name) {
        const QWidget* widget = widgetFor(name);
        return widget && !widget->isHidden();
    });
    if (staleShown)
        lines << QStringLiteral("注意：灰色显示的结果不是当前输入的计算结果（输入已改动或计算中止），请重新计算后再用。");
    return lines.join('\n');
}

void CalcWindow::pressDefaultRun() {
    const std::string& run = model_.definition().defaultRunButton();
    if (!run.empty()) press(run);
}

QWidget* CalcWindow::widgetFor(const std::string& control) const {
    auto it = widgets_.find(control);
    return it == widgets_.end() ? nullptr : it->second;
}

QString CalcWindow::statusText() const { return status_->text(); }

void CalcWindow::showInformation(const QString& text) { showStatus(text, StatusKind::Information); }

void CalcWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) emit activated(this);
    QWidget::changeEvent(event);
}

void CalcWindow::buildLayout() {
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 6);
    outer->setSpacing(4);
    // Title, note and frames scroll when the screen is shorter than the window; the buttons
    // and the status line below them stay in sight.
    auto* content = new QWidget;
    auto* contentLayout = new QVBoxLayout(content);
    contentLayout->setContentsMargins(8, 6, 8, 0);
    contentLayout->setSpacing(4);
    scroll_ = new ContentSizedScrollArea;
    scroll_->setWidget(content);

    const FormDefinition& def = model_.definition();
    for (const ControlDef& c : def.controls())
        if (c.style != LabelStyle::Plain) contentLayout->addWidget(createControl(c));

    auto* body = new QGridLayout;
    body->setHorizontalSpacing(6);
    body->setVerticalSpacing(4);
    std::map<std::string, QGridLayout*> frameGrids{{"", body}};
    for (const FrameDef& f : def.frames()) {
        auto* box = new QGroupBox(qt(f.caption));
        auto* grid = new QGridLayout(box);
        grid->setContentsMargins(6, 4, 6, 4);
        grid->setHorizontalSpacing(6);
        grid->setVerticalSpacing(3);
        frameGrids[f.name] = grid;
        if (f.role == FrameRole::Formula) grid->setAlignment(Qt::AlignCenter);
        // Frames come after the frame that encloses them, so its grid is there already.
        frameGrids.at(f.parent)->addWidget(box, f.place.row, f.place.column, f.place.rowSpan, f.place.columnSpan);
    }
    std::vector<QPushButton*> buttons;
    for (const ControlDef& c : def.controls()) {
        if (c.style != LabelStyle::Plain) continue;
        if (c.kind == ControlKind::Button && c.frame.empty()) {
            buttons.push_back(static_cast<QPushButton*>(createControl(c)));
            continue;
        }
        auto grid = frameGrids.find(c.frame);
        placeControl(grid != frameGrids.end() ? *grid->second : *body, c);
    }
    frameGrids_ = frameGrids;
    contentLayout->addLayout(body);
    contentLayout->addStretch();
    outer->addWidget(scroll_, 1);

    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch();
    for (QPushButton* b : buttons) buttonRow->addWidget(b);
    buttonRow->addStretch();
    buttonRow->setContentsMargins(10, 0, 10, 0);
    outer->addLayout(buttonRow);

    status_ = new WrappingLabel;
    status_->setContentsMargins(10, 0, 10, 0);
    status_->setObjectName("statusLine");
    showStatus({}, StatusKind::Problem);
    // Room for a two-line message from the start, so that a failure never pushes the frames
    // into scrolling or hides the bottom rows.
    status_->setMinimumHeight(2 * fontMetrics().lineSpacing() + 4);
    outer->addWidget(status_);
}

// A point table whose rows stand in two frames (stations typed above, bend angles computed
// below) keeps its columns in both: the frames' grids get the same column widths, each the
// widest any of them asks for, and stretch alike.
void CalcWindow::alignTableFrames() {
    const std::map<std::string, QGridLayout*>& frameGrids = frameGrids_;
    const FormDefinition& def = model_.definition();
    for (const TableDef& table : def.tables()) {
        std::set<QGridLayout*> grids;
        for (const TableColumn& column : table.columns)
            for (const std::string& cell : column.cells)
                if (const ControlDef* control = cell.empty() ? nullptr : def.findControl(cell))
                    if (auto grid = frameGrids.find(control->frame); grid != frameGrids.end()) grids.insert(grid->second);
        if (grids.size() < 2) continue;
        // Ten points and their segments in a row: a little closer than other frames' fields.
        for (QGridLayout* grid : grids) grid->setHorizontalSpacing(4);
        std::vector<int> widths;
        for (QGridLayout* grid : grids) {
            if (int(widths.size()) < grid->columnCount()) widths.resize(grid->columnCount(), 0);
            for (int i = 0; i < grid->count(); ++i) {
                int row, column, rowSpan, columnSpan;
                grid->getItemPosition(i, &row, &column, &rowSpan, &columnSpan);
                const QLayoutItem* item = grid->itemAt(i);
                const int wanted = std::max(item->sizeHint().width(), item->minimumSize().width());
                const int share = (wanted - (columnSpan - 1) * grid->horizontalSpacing() + columnSpan - 1) / columnSpan;
                for (int c = column; c < column + columnSpan; ++c) widths[c] = std::max(widths[c], share);
            }
        }
        for (QGridLayout* grid : grids)
            for (int c = 0; c < int(widths.size()); ++c) {
                grid->setColumnMinimumWidth(c, widths[c]);
                grid->setColumnStretch(c, 1);
            }
    }
}

void CalcWindow::orderTabsAsRead() {
    // Frames in the body's grid, then the controls in each frame row by row, left to right;
    // the buttons come last, in their row.
    const FormDefinition& def = model_.definition();
    using ReadingPlace = std::tuple<int, int, int, int, int>;
    auto placeOf = [&def](const ControlDef& c) -> ReadingPlace {
        if (c.kind == ControlKind::Button) return {1, 0, 0, 0, 0};
        if (const FrameDef* frame = def.findFrame(c.frame))
            return {0, frame->place.row, frame->place.column, c.place.row, c.place.column};
        return {0, c.place.row, c.place.column, 0, 0};
    };
    std::vector<std::pair<ReadingPlace, QWidget*>> order;
    for (const ControlDef& c : def.controls()) {
        QWidget* widget = widgetFor(c.name);
        if (widget && widget->focusPolicy() != Qt::NoFocus) order.emplace_back(placeOf(c), widget);
    }
    std::stable_sort(order.begin(), order.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t i = 1; i < order.size(); ++i) setTabOrder(order[i - 1].second, order[i].second);
}

void CalcWindow::placeControl(QGridLayout& grid, const ControlDef& c) {
    QWidget* widget = createControl(c);
    const GridPlace& p = c.place;
    const int column = 2 * p.column;
    const int span = 2 * p.columnSpan;
    if (c.label.empty()) {
        grid.addWidget(widget, p.row, column, p.rowSpan, span);
        return;
    }
    QLabel* caption = c.labelPlacement == LabelPlacement::Above ? new WrappedCaption(qt(c.label)) : new MeasuredLabel(qt(c.label));
    caption->setBuddy(widget);
    widgets_["caption:" + c.name] = caption;
    if (c.labelPlacement == LabelPlacement::Left) {
        grid.addWidget(caption, p.row, column, p.rowSpan, 1, Qt::AlignRight | Qt::AlignVCenter);
        grid.addWidget(widget, p.row, column + 1, p.rowSpan, span - 1);
        return;
    }
    auto* pair = new QWidget;
    QBoxLayout* layout = c.labelPlacement == LabelPlacement::Above
                             ? static_cast<QBoxLayout*>(new QVBoxLayout(pair))
                             : static_cast<QBoxLayout*>(new QHBoxLayout(pair));
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    if (c.labelPlacement == LabelPlacement::Above) {
        layout->addWidget(caption);
        layout->addWidget(widget);
    } else {
        layout->addWidget(widget);
        layout->addWidget(caption);
        layout->addStretch();
    }
    grid.addWidget(pair, p.row, column, p.rowSpan, span);
}

QWidget* CalcWindow::createControl(const ControlDef& c) {
    QWidget* widget = nullptr;
    const std::string name = c.name;
    switch (c.kind) {
        case ControlKind::Label: {
            QLabel* label = c.style == LabelStyle::Note ? static_cast<QLabel*>(new WrappingLabel) : new MeasuredLabel;
            if (c.style == LabelStyle::Title) {
                QFont font = label->font();
                font.setPointSizeF(font.pointSizeF() * 1.5);
                font.setBold(true);
                label->setFont(font);
                label->setAlignment(Qt::AlignCenter);
            }
            widget = label;
            break;
        }
        case ControlKind::TextField: {
            auto* edit = new FieldEdit;
            edit->setReadOnly(c.readOnly);
            const int chars = fieldWidthChars(c, expectedLengths_[c.name]);
            edit->setMinimumWidth(fontMetrics().horizontalAdvance('0') * chars + 10);
            // A field hinted narrow (the "<" or ">" of a verdict row) stays that narrow.
            if (c.widthChars > 0 && c.widthChars < kUsualFieldChars) edit->setMaximumWidth(edit->minimumWidth());
            connect(edit, &QLineEdit::textEdited, this, [this, name](const QString& text) {
                model_.form().type(name, text.toStdString());
                stale_.erase(name);  // what the engineer types is current by definition
                if (failedFields_.count(name)) markFailedField(name, false);
                greyResultsFedBy(name);
                caseChanged();
            });
            connect(edit, &QLineEdit::returnPressed, this, &CalcWindow::pressDefaultRun);
            widget = edit;
            break;
        }
        case ControlKind::OptionButton: {
            auto* radio = new QRadioButton(qt(c.text));
            QButtonGroup*& group = optionGroups_[c.group];
            if (!group) group = new QButtonGroup(this);
            group->addButton(radio);
            connect(radio, &QRadioButton::toggled, this, [this, name](bool on) {
                if (!on) return;
                model_.form().select(name);
                greyResultsFedBy(name);
                caseChanged();
            });
            widget = radio;
            break;
        }
        case ControlKind::CheckBox: {
            auto* check = new QCheckBox(qt(c.text));
            connect(check, &QCheckBox::toggled, this, [this, name](bool on) {
                model_.form().setChecked(name, on);
                greyResultsFedBy(name);
                caseChanged();
            });
            widget = check;
            break;
        }
        case ControlKind::ListBox: {
            auto* list = new QListWidget;
            int widest = 0;
            for (const std::string& item : c.items) {
                list->addItem(qt(item));
                widest = std::max(widest, fontMetrics().horizontalAdvance(qt(item)));
            }
            // As wide as its widest item and no wider, at most seven rows high.
            const int rows = std::clamp(static_cast<int>(c.items.size()), 1, 7);
            const int scrollBar = static_cast<int>(c.items.size()) > 7 ? style()->pixelMetric(QStyle::PM_ScrollBarExtent) : 0;
            list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
            list->setFixedWidth(widest + 2 * list->frameWidth() + scrollBar + fontMetrics().averageCharWidth() * 3);
            list->setMaximumHeight(std::min(fontMetrics().height() * 7, list->sizeHintForRow(0) * rows + 2 * list->frameWidth()));
            connect(list, &QListWidget::currentRowChanged, this, [this, name](int row) {
                model_.form().pick(name, row);  // a unit list converts the numbers it governs
                syncFromForm();
                // Numbers converted to another unit are the same results: nothing to grey.
                if (!model_.definition().chooseHandler(name)) greyResultsFedBy(name);
                caseChanged();
            });
            widget = list;
            break;
        }
        case ControlKind::Button: {
            auto* button = new QPushButton(qt(c.text));
            button->setAutoDefault(true);  // Enter on the focused button presses it
            const int hinted = fontMetrics().horizontalAdvance('0') * c.widthChars;  // a wider key
            button->setMinimumWidth(std::max(fontMetrics().horizontalAdvance(button->text()) + 40, hinted));
            connect(button, &QPushButton::clicked, this, [this, name] { press(name); });
            for (const std::string& key : c.keys)
                new QShortcut(QKeySequence(qt(key)), this, button, &QPushButton::click, Qt::WindowShortcut);
            widget = button;
            break;
        }
        case ControlKind::Picture: {
            if (isSvg(c.text)) {
                widget = new FormulaPictureView(c.text);
            } else {
                auto* label = new QLabel(qt(c.text));
                label->setTextFormat(Qt::RichText);
                QFont font("serif");
                font.setPointSizeF(label->font().pointSizeF() * 1.3);
                label->setFont(font);
                label->setAlignment(Qt::AlignCenter);
                widget = label;
            }
            break;
        }
        case ControlKind::Sketch:
            widget = new SketchCanvas(model_.form().sketch(c.name));
            break;
    }
    widget->setObjectName(qt(name));
    widgets_[name] = widget;
    return widget;
}

void CalcWindow::press(const std::string& button) {
    switch (model_.action(button)) {
        case ButtonAction::Run: {
            status_->clear();
            clearFailureMarksOfReadOnlyFields();
            const auto failure = model_.press(button);
            if (!failure) clearFailureMarks();  // the window now computes from what it shows
            runFailure_ = failure ? qt(failureMessage(*failure, model_.definition())) : QString();
            noteWritten(button, failure.has_value());
            syncFromForm();
            showRemarks(model_.form(), widgets_);  // the reference values follow the inputs
            if (failure) showFailure(*failure);
            else if (!model_.record().warnings.empty())  // a range the window's note states is left
                showStatus(warningRichText(model_.record().warnings), StatusKind::Warning);
            else {
                showRunNotes();
                showDataFilesRead();  // the ground data file's window: which file, how many points
            }
            caseChanged();
            break;
        }
        case ButtonAction::Print: {
            const PrintReport report = printer_.printToDefault(*this);
            showStatus(report.message, report.sent ? StatusKind::Information : StatusKind::Problem);
            break;
        }
        case ButtonAction::None:
            break;
    }
}

// A field the engineer cannot edit (a calculator's display) cannot lose its red frame by being
// edited: the next run takes it away.
void CalcWindow::clearFailureMarksOfReadOnlyFields() {
    const std::set<std::string> failed = failedFields_;
    for (const std::string& name : failed) {
        const ControlDef* control = model_.definition().findControl(name);
        if (control && control->readOnly) markFailedField(name, false);
    }
}

void CalcWindow::clearFailureMarks() {
    const std::set<std::string> failed = failedFields_;
    for (const std::string& name : failed) markFailedField(name, false);
}

// Results an earlier run wrote and this one did not are no longer the window's results: after
// a failure all of them; after a run that ended early without failing (a warning instead of
// results), those of this step and of the steps after it. A later step's results stay current
// when an earlier step runs only if it writes them anew.
void CalcWindow::noteWritten(const std::string& button, bool failed) {
    std::vector<std::string> written = model_.form().written();
    for (const auto& [sketch, content] : model_.form().sketches()) {
        const std::size_t signature = sketchSignature(content);
        // A sketch is the drawing of the run that changed it, or of the run that drew it before
        // and has drawn the same again.
        auto [it, first] = sketchSignatures_.try_emplace(sketch, signature);
        const auto drawer = writtenBy_.find(sketch);
        // A failed run that left a sketch as it was has not drawn it: it stays the old run's.
        if (first || it->second != signature || (!failed && drawer != writtenBy_.end() && drawer->second == button))
            written.push_back(sketch);
        it->second = signature;
    }
    readBy_[button] = model_.form().read();
    const int step = stepIndex(button);
    for (const auto& [name, writer] : writtenBy_) {
        if (std::find(written.begin(), written.end(), name) != written.end()) continue;
        if (failed || stepIndex(writer) >= step) stale_.insert(name);
    }
    for (const std::string& name : written) {
        writtenBy_[name] = button;
        stale_.erase(name);
    }
    showSketchFreshness(!failed);
}

// An edited input makes stale, at once, what the runs computed from it: the results of the
// first step that read it and of every step after it. A choice (option, check box, list) is
// not read as a number: it may steer every step.
void CalcWindow::greyResultsFedBy(const std::string& input) {
    int firstReader = -1;
    const ControlDef* control = model_.definition().findControl(input);
    if (control && control->kind == ControlKind::TextField) {
        for (const auto& [button, fields] : readBy_) {
            if (std::find(fields.begin(), fields.end(), input) == fields.end()) continue;
            const int step = stepIndex(button);
            if (firstReader < 0 || step < firstReader) firstReader = step;
        }
        if (firstReader < 0) {  // no run read it: it fed only the texts the window was created with
            greyResultsNotComputed();
            return;
        }
    } else {
        firstReader = 0;
    }
    bool changed = false;
    for (const auto& [name, writer] : writtenBy_) {
        // A quantity the last run solved for and the engineer now gives is an input as it reads.
        if (isGiven(name)) {
            if (stale_.erase(name) && widgets_.count(name)) syncControl(model_.form().control(name), widgets_.at(name));
            continue;
        }
        if (name == input || stepIndex(writer) < firstReader || stale_.count(name)) continue;
        stale_.insert(name);
        changed = true;
        if (auto it = widgets_.find(name); it != widgets_.end() && model_.form().has(name))
            syncControl(model_.form().control(name), it->second);
    }
    if (changed) showSketchFreshness(true);
    greyResultsNotComputed();
}

void CalcWindow::showSketchFreshness(bool afterEdit) {
    for (const auto& [name, widget] : widgets_) {
        auto* canvas = dynamic_cast<SketchCanvas*>(widget);
        if (!canvas) continue;
        if (!stale_.count(name)) {
            canvas->setOutdated({});
        } else if (!canvas->isOutdated()) {
            canvas->setOutdated(afterEdit ? kSketchAfterEdit : kSketchAfterFailure);
        }
    }
}

int CalcWindow::stepIndex(const std::string& button) const {
    int index = 0;
    for (const ControlDef& c : model_.definition().controls()) {
        if (c.kind != ControlKind::Button || c.action != ButtonAction::Run) continue;
        if (c.name == button) return index;
        ++index;
    }
    return index;
}

bool CalcWindow::isStale(const std::string& control) const { return stale_.count(control) != 0; }

void CalcWindow::outdateSketches(const QString& why) {
    for (const auto& [name, widget] : widgets_) {
        auto* canvas = dynamic_cast<SketchCanvas*>(widget);
        if (!canvas || !writtenBy_.count(name)) continue;
        stale_.insert(name);
        canvas->setOutdated(why);
    }
}

void CalcWindow::insertAboveButtons(QWidget* row) { static_cast<QBoxLayout*>(layout())->insertWidget(1, row); }

bool CalcWindow::isGiven(const std::string& control) const {
    const ControlDef* c = model_.definition().findControl(control);
    return c && !c->meaning.solvedWhen.empty() && roleIn(model_.form(), *c) == FieldRole::Input;
}

void CalcWindow::showStatus(const QString& text, StatusKind kind) {
    const QColor colour(QRgb(kind == StatusKind::Problem ? 0xd00000 : kind == StatusKind::Warning ? 0xa04000 : 0x1a1a1a));
    QPalette palette = status_->palette();
    palette.setColor(QPalette::WindowText, colour);
    status_->setPalette(palette);
    status_->setText(text);
}

// What a successful run left for the engineer (a result it leaves blank, and why).
void CalcWindow::showRunNotes() {
    QStringList lines;
    for (const std::string& remark : model_.form().uncomputedNotes()) lines << qt(remark);
    if (!lines.isEmpty()) showStatus(lines.join('\n'), StatusKind::Information);
}

// Which data file the run read and how many records: the engineer sees what the profile is
// drawn from. Notes on the file's content are a warning.
void CalcWindow::showDataFilesRead() {
    QStringList lines;
    bool noted = false;
    for (const DataFileRead& file : model_.form().dataFilesRead()) {
        lines << dataFileSummary(file);
        noted = noted || !file.notes.empty();
    }
    if (!lines.isEmpty()) showStatus(lines.join('\n'), noted ? StatusKind::Problem : StatusKind::Information);
}

void CalcWindow::showFailure(const RunFailure& failure) {
    showStatus(qt(failureMessage(failure, model_.definition())), StatusKind::Problem);
    if (!failure.control().empty() && widgets_.count(failure.control())) markFailedField(failure.control(), true);
}

void CalcWindow::markFailedField(const std::string& control, bool failed) {
    if (failed) {
        failedFields_.insert(control);
    } else {
        failedFields_.erase(control);
    }
    syncControl(model_.form().control(control), widgets_.at(control));
}

void CalcWindow::syncFromForm() {
    for (const ControlState& state : model_.form().controls()) {
        auto it = widgets_.find(state.name);
        if (it != widgets_.end()) syncControl(state, it->second);
    }
}

void CalcWindow::syncControl(const ControlState& state, QWidget* widget) {
    const QSignalBlocker blocker(widget);
    const Freshness freshness = isStale(state.name) ? Freshness::Stale : Freshness::Current;
    widget->setVisible(state.visible);
    if (auto caption = widgets_.find("caption:" + state.name); caption != widgets_.end())
        caption->second->setVisible(state.visible);
    switch (state.kind) {
        case ControlKind::TextField: {
            auto* edit = static_cast<FieldEdit*>(widget);
            edit->showText(qt(state.text));
            showFieldLook(*edit, state, palette(), failedFields_.count(state.name) != 0, freshness);
            break;
        }
        case ControlKind::Label:
            static_cast<QLabel*>(widget)->setText(qt(state.text));
            showLabelLook(*static_cast<QLabel*>(widget), state, palette(), freshness);
            break;
        case ControlKind::OptionButton:
        case ControlKind::CheckBox:
            static_cast<QAbstractButton*>(widget)->setChecked(state.checked);
            static_cast<QAbstractButton*>(widget)->setText(qt(state.text));
            break;
        case ControlKind::ListBox:
            static_cast<QListWidget*>(widget)->setCurrentRow(state.selectedIndex);
            break;
        case ControlKind::Button:
            static_cast<QPushButton*>(widget)->setText(qt(state.text));
            break;
        case ControlKind::Sketch:
            widget->update();
            break;
        case ControlKind::Picture:
            break;
    }
}

}  // namespace pylora
