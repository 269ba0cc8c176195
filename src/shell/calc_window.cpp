#include "shell/calc_window.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QRadioButton>
#include <QShortcut>
#include <QSvgWidget>
#include <QVBoxLayout>

#include "shell/colours.h"
#include "shell/printing.h"
#include "shell/sketch_canvas.h"

namespace pylora {
namespace {

QString qt(const std::string& text) { return QString::fromStdString(text); }

// A caption above its field. One wider than the narrowest field it may stand over breaks into
// two lines after its run of blanks (where the caption was laid out to wrap), else after its
// middle; its text is unchanged.
class WrappedCaption : public QLabel {
public:
    explicit WrappedCaption(const QString& text) : QLabel(text) {
        setAlignment(Qt::AlignLeft | Qt::AlignBottom);
        const QFontMetrics metrics = fontMetrics();
        if (metrics.horizontalAdvance(text) <= metrics.horizontalAdvance('0') * 20) return;
        static const QRegularExpression blanks(QStringLiteral("\\S(\\s{2,})\\S"));
        const QRegularExpressionMatch run = blanks.match(text);
        const int breakAt = run.hasMatch() ? run.capturedEnd(1) : int(text.size()) / 2;
        setText(text.left(breakAt) + QChar('\n') + text.mid(breakAt));
    }
};

// A label that wraps its text to the window's width. It takes the height its lines need itself,
// so that the window's layout needs no height-for-width pass (which squeezes the frames' rows
// below their minimum).
class WrappingLabel : public QLabel {
public:
    WrappingLabel() {
        setWordWrap(true);
        QSizePolicy policy = sizePolicy();
        policy.setHeightForWidth(false);
        setSizePolicy(policy);
    }

protected:
    void resizeEvent(QResizeEvent* event) override {
        QLabel::resizeEvent(event);
        const int needed = heightForWidth(width());
        if (needed > 0 && needed != minimumHeight()) setMinimumHeight(needed);
    }
};

bool isSvg(const std::string& content) { return content.rfind("<svg", 0) == 0; }

// A field's look: its background and text colour, and a red frame while it holds the input
// that ended the last run.
QString fieldStyle(const ControlState& state, const QPalette& palette, bool failed) {
    return QStringLiteral("QLineEdit { background: %1; color: %2; border: %3; padding: 1px 3px; }")
        .arg(toQColor(state.background, palette).name(), toQColor(state.foreground, palette).name(),
             failed ? QStringLiteral("2px solid #e00000") : QStringLiteral("1px solid #8c8c8c"));
}

QString labelStyle(const ControlState& state, const QPalette& palette) {
    QString style = QStringLiteral("color: %1;").arg(toQColor(state.foreground, palette).name());
    if (state.background.role() != Colour::Role::ButtonFace)
        style += QStringLiteral("background: %1;").arg(toQColor(state.background, palette).name());
    return style;
}

}  // namespace

CalcWindow::CalcWindow(const FormDefinition& definition, const Services& services, WindowPrinter& printer)
    : QWidget(nullptr), model_(definition, services), printer_(printer) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(qt(definition.title()));
    buildLayout();
    syncFromForm();
}

QWidget* CalcWindow::widgetFor(const std::string& control) const {
    auto it = widgets_.find(control);
    return it == widgets_.end() ? nullptr : it->second;
}

QString CalcWindow::statusText() const { return status_->text(); }

void CalcWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) emit activated(this);
    QWidget::changeEvent(event);
}

void CalcWindow::buildLayout() {
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(10, 8, 10, 6);
    outer->setSpacing(6);

    const FormDefinition& def = model_.definition();
    for (const ControlDef& c : def.controls())
        if (c.style != LabelStyle::Plain) outer->addWidget(createControl(c));

    auto* body = new QGridLayout;
    body->setHorizontalSpacing(8);
    body->setVerticalSpacing(6);
    std::map<std::string, QGridLayout*> frameGrids{{"", body}};
    for (const FrameDef& f : def.frames()) {
        auto* box = new QGroupBox(qt(f.caption));
        auto* grid = new QGridLayout(box);
        grid->setHorizontalSpacing(6);
        grid->setVerticalSpacing(4);
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
    outer->addLayout(body);

    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch();
    for (QPushButton* b : buttons) buttonRow->addWidget(b);
    buttonRow->addStretch();
    outer->addLayout(buttonRow);

    status_ = new WrappingLabel;
    status_->setObjectName("statusLine");
    status_->setStyleSheet("color: #d00000;");
    status_->setMinimumHeight(fontMetrics().height() + 4);
    outer->addWidget(status_);
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
    QLabel* caption = c.labelPlacement == LabelPlacement::Above ? new WrappedCaption(qt(c.label)) : new QLabel(qt(c.label));
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
            QLabel* label = c.style == LabelStyle::Note ? new WrappingLabel : new QLabel;
            if (c.style == LabelStyle::Title) {
                QFont font = label->font();
                font.setPointSizeF(font.pointSizeF() * 1.8);
                font.setBold(true);
                label->setFont(font);
                label->setAlignment(Qt::AlignCenter);
            }
            widget = label;
            break;
        }
        case ControlKind::TextField: {
            auto* edit = new QLineEdit;
            edit->setReadOnly(c.readOnly);
            constexpr int usualChars = 9;
            edit->setMinimumWidth(fontMetrics().horizontalAdvance('0') * (c.widthChars > 0 ? c.widthChars : usualChars));
            // A field hinted narrower than usual (the "<" or ">" of a verdict row) stays that narrow.
            if (c.widthChars > 0 && c.widthChars < usualChars)
                edit->setMaximumWidth(edit->minimumWidth() + edit->minimumSizeHint().width());
            connect(edit, &QLineEdit::textEdited, this, [this, name](const QString& text) {
                model_.form().type(name, text.toStdString());
                if (failedFields_.count(name)) markFailedField(name, false);
            });
            widget = edit;
            break;
        }
        case ControlKind::OptionButton: {
            auto* radio = new QRadioButton(qt(c.text));
            QButtonGroup*& group = optionGroups_[c.group];
            if (!group) group = new QButtonGroup(this);
            group->addButton(radio);
            connect(radio, &QRadioButton::toggled, this, [this, name](bool on) {
                if (on) model_.form().select(name);
            });
            widget = radio;
            break;
        }
        case ControlKind::CheckBox: {
            auto* check = new QCheckBox(qt(c.text));
            connect(check, &QCheckBox::toggled, this, [this, name](bool on) { model_.form().setChecked(name, on); });
            widget = check;
            break;
        }
        case ControlKind::ListBox: {
            auto* list = new QListWidget;
            for (const std::string& item : c.items) list->addItem(qt(item));
            list->setMaximumHeight(fontMetrics().height() * 7);
            connect(list, &QListWidget::currentRowChanged, this,
                    [this, name](int row) { model_.form().setSelectedIndex(name, row); });
            widget = list;
            break;
        }
        case ControlKind::Button: {
            auto* button = new QPushButton(qt(c.text));
            button->setMinimumWidth(fontMetrics().horizontalAdvance(button->text()) + 40);
            connect(button, &QPushButton::clicked, this, [this, name] { press(name); });
            for (const std::string& key : c.keys)
                new QShortcut(QKeySequence(qt(key)), this, button, &QPushButton::click, Qt::WindowShortcut);
            widget = button;
            break;
        }
        case ControlKind::Picture: {
            if (isSvg(c.text)) {
                auto* svg = new QSvgWidget;
                svg->load(QByteArray::fromStdString(c.text));
                svg->setFixedSize(svg->sizeHint());
                widget = svg;
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
            const auto failure = model_.press(button);
            syncFromForm();
            if (failure) showFailure(*failure);
            break;
        }
        case ButtonAction::Print:
            if (auto problem = printer_.printToDefault(*this)) status_->setText(*problem);
            break;
        case ButtonAction::None:
            break;
    }
}

void CalcWindow::showFailure(const RunFailure& failure) {
    status_->setText(qt(failureMessage(failure, model_.definition())));
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
    widget->setVisible(state.visible);
    if (auto caption = widgets_.find("caption:" + state.name); caption != widgets_.end())
        caption->second->setVisible(state.visible);
    switch (state.kind) {
        case ControlKind::TextField: {
            auto* edit = static_cast<QLineEdit*>(widget);
            if (edit->text() != qt(state.text)) {
                edit->setText(qt(state.text));
                edit->setCursorPosition(0);  // a long number is read from its first digit
            }
            edit->setStyleSheet(fieldStyle(state, palette(), failedFields_.count(state.name) != 0));
            break;
        }
        case ControlKind::Label:
            static_cast<QLabel*>(widget)->setText(qt(state.text));
            widget->setStyleSheet(labelStyle(state, palette()));
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
