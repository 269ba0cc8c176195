#include "shell/study_dialog.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDate>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSplitter>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "shell/calc_window.h"
#include "shell/default_names.h"
#include "shell/report_export.h"
#include "shell/screen_fit.h"
#include "shell/study_chart.h"
#include "shell/study_export.h"
#include "shell/study_report_link.h"
#include "shell/study_setup.h"
#include "shell/study_table_model.h"
#include "shell/study_worker.h"

namespace pylora {
namespace {

QString qt(const std::string& text) { return QString::fromStdString(text); }

const QSize kReportFigure(680, 420);  // pixels of a 96-dpi page

const char* const kExportFilters[] = {"CSV 表格 (*.csv)", "PNG 图片 (*.png)", "SVG 矢量图 (*.svg)"};
const char* const kExportSuffixes[] = {"csv", "png", "svg"};

QPushButton* button(const QString& caption, const char* name) {
    auto* b = new QPushButton(caption);
    b->setObjectName(QLatin1String(name));
    return b;
}

}  // namespace

StudyDialog::StudyDialog(CalcWindow& window) : QDialog(&window, Qt::Window), window_(window) {
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName("parameterStudy");
    setWindowTitle(QStringLiteral("参数分析 — ") + window.caseTitle());
    const Form& form = window.model().form();
    const std::vector<FieldChoice> inputs = studyInputs(form);

    auto* firstBox = new QGroupBox(QStringLiteral("变化的参数"));
    first_ = new StudyVariableEditor(inputs, form);
    (new QVBoxLayout(firstBox))->addWidget(first_);
    secondBox_ = new QGroupBox(QStringLiteral("第二参数（每个取值一条曲线）"));
    secondBox_->setCheckable(true);
    secondBox_->setChecked(false);
    second_ = new StudyVariableEditor(inputs, form);
    if (inputs.size() > 1) second_->choose(inputs[1].control);
    second_->listChoice()->setChecked(true);  // a grid takes a few values, one curve each
    (new QVBoxLayout(secondBox_))->addWidget(second_);
    auto* resultBox = new QGroupBox(QStringLiteral("计算结果"));
    results_ = new QListWidget;
    results_->setObjectName("results");
    offerResults();
    results_->setMinimumWidth(220);
    results_->setMaximumHeight(results_->fontMetrics().height() * 9);
    (new QVBoxLayout(resultBox))->addWidget(results_);
    auto* setup = new QHBoxLayout;
    setup->addWidget(firstBox, 3);
    setup->addWidget(secondBox_, 3);
    setup->addWidget(resultBox, 2);

    startButton_ = button(QStringLiteral("开始"), "start");
    startButton_->setDefault(true);
    cancelButton_ = button(QStringLiteral("取消"), "cancel");
    cancelButton_->setEnabled(false);
    progress_ = new QProgressBar;
    progress_->setTextVisible(false);  // shows the points done once a study runs
    progress_->setRange(0, 1);
    progress_->setValue(0);
    problem_ = new QLabel;
    problem_->setObjectName("problem");
    problem_->setStyleSheet(QStringLiteral("color: #d00000;"));
    problem_->setWordWrap(true);
    problem_->hide();
    auto* runRow = new QHBoxLayout;
    runRow->addWidget(startButton_);
    runRow->addWidget(cancelButton_);
    runRow->addWidget(progress_, 1);

    table_ = new QTableView;
    model_ = new StudyTableModel(this);
    table_->setModel(model_);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    table_->horizontalHeader()->setTextElideMode(Qt::ElideRight);
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
    chart_ = new StudyChart;
    readOut_ = new QLabel(QStringLiteral(" "));
    readOut_->setObjectName("readOut");
    readOut_->setWordWrap(true);  // a long read-out takes a second line, not the plot's edge
    readOut_->setMinimumHeight(2 * readOut_->fontMetrics().lineSpacing());
    readOut_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    connect(chart_, &StudyChart::readOutChanged, readOut_,
            [this](const QString& text) { readOut_->setText(text.isEmpty() ? QStringLiteral(" ") : text); });
    auto* plot = new QWidget;
    auto* plotLayout = new QVBoxLayout(plot);
    plotLayout->setContentsMargins(0, 0, 0, 0);
    plotLayout->addWidget(chart_, 1);
    plotLayout->addWidget(readOut_);
    auto* split = new QSplitter;
    split->addWidget(table_);
    split->addWidget(plot);
    split->setStretchFactor(0, 1);
    split->setStretchFactor(1, 1);

    copyButton_ = button(QStringLiteral("复制"), "copy");
    exportButton_ = button(QStringLiteral("导出…"), "export");
    reportButton_ = button(QStringLiteral("加入计算书"), "addToReport");
    status_ = new QLabel;
    status_->setObjectName("status");
    status_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* outRow = new QHBoxLayout;
    outRow->addWidget(copyButton_);
    outRow->addWidget(exportButton_);
    outRow->addWidget(reportButton_);
    outRow->addWidget(status_, 1);
    enableResultActions();

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(setup);
    layout->addLayout(runRow);
    layout->addWidget(problem_);
    layout->addWidget(split, 1);
    layout->addLayout(outRow);

    worker_ = new StudyWorker(this);
    progressTimer_ = new QTimer(this);
    progressTimer_->setInterval(100);
    connect(progressTimer_, &QTimer::timeout, this, &StudyDialog::showProgress);
    connect(worker_, &StudyWorker::finished, this, &StudyDialog::finish);
    connect(startButton_, &QPushButton::clicked, this, &StudyDialog::start);
    connect(cancelButton_, &QPushButton::clicked, this, &StudyDialog::cancel);
    connect(copyButton_, &QPushButton::clicked, this, &StudyDialog::copyTable);
    connect(exportButton_, &QPushButton::clicked, this, &StudyDialog::exportAsked);
    connect(reportButton_, &QPushButton::clicked, this, &StudyDialog::addToReport);
    if (inputs.empty()) {
        startButton_->setEnabled(false);
        showProblem(QStringLiteral("此窗口没有可变化的输入参数"));
    }
    fitToScreen(*this, QSize(1100, 720));
}

void StudyDialog::offerResults() {
    std::vector<std::string> checked;
    for (int i = 0; i < results_->count(); ++i)
        if (results_->item(i)->checkState() == Qt::Checked)
            checked.push_back(results_->item(i)->data(Qt::UserRole).toString().toStdString());
    const std::vector<FieldChoice> choices = studyResults(window_.model().form());
    bool same = int(choices.size()) == results_->count();
    for (int i = 0; same && i < results_->count(); ++i)
        same = results_->item(i)->data(Qt::UserRole).toString() == qt(choices[std::size_t(i)].control);
    if (same) return;
    results_->clear();
    for (const FieldChoice& choice : choices) {
        auto* item = new QListWidgetItem(choice.caption, results_);
        item->setData(Qt::UserRole, qt(choice.control));
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    chooseResults(checked);
    bool any = false;
    for (int i = 0; i < results_->count(); ++i) any |= results_->item(i)->checkState() == Qt::Checked;
    if (!any && results_->count() > 0) results_->item(0)->setCheckState(Qt::Checked);
}

// The window may have changed what is given and what is solved for since the dialog opened.
void StudyDialog::offerWindowChoices() {
    if (isRunning()) return;
    const std::vector<FieldChoice> inputs = studyInputs(window_.model().form());
    first_->offer(inputs);
    second_->offer(inputs);
    offerResults();
}

void StudyDialog::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) offerWindowChoices();
    QDialog::changeEvent(event);
}

StudyDialog::~StudyDialog() = default;  // the worker, a child, cancels and waits

void StudyDialog::chooseResults(const std::vector<std::string>& controls) {
    for (int i = 0; i < results_->count(); ++i) {
        QListWidgetItem* item = results_->item(i);
        const std::string control = item->data(Qt::UserRole).toString().toStdString();
        const bool chosen = std::find(controls.begin(), controls.end(), control) != controls.end();
        item->setCheckState(chosen ? Qt::Checked : Qt::Unchecked);
    }
}

bool StudyDialog::isRunning() const { return worker_->isRunning(); }

bool StudyDialog::start() {
    if (isRunning()) return false;
    offerWindowChoices();
    StudyRequest request;
    try {
        request.vary.push_back(first_->variable());
        if (secondBox_->isChecked()) request.vary.push_back(second_->variable());
        for (int i = 0; i < results_->count(); ++i)
            if (results_->item(i)->checkState() == Qt::Checked)
                request.results.push_back(results_->item(i)->data(Qt::UserRole).toString().toStdString());
        checkStudy(window_.model().definition(), request);
    } catch (const StudyError& error) {
        showProblem(qt(error.what()));
        return false;
    }
    problem_->hide();
    showNoStudy();  // the last study's table and plot are not this one's
    chart_->chart()->setTitle(QStringLiteral("正在计算…"));
    logarithmicX_ = first_->logarithmic();
    startButton_->setEnabled(false);
    cancelButton_->setEnabled(true);
    progress_->setRange(0, 0);  // busy until the first points report
    progress_->setTextVisible(true);
    showStatus(QStringLiteral("正在计算…"));
    // From the window's inputs as they are now; the window stays free to be used meanwhile.
    runningStart_ = studyStartOf(window_.model().form());
    worker_->start(window_.model(), std::move(request));
    progressTimer_->start();
    return true;
}

void StudyDialog::cancel() {
    if (!isRunning()) return;
    worker_->cancel();
    cancelButton_->setEnabled(false);
    showStatus(QStringLiteral("正在取消…"));
}

void StudyDialog::showProgress() {
    const std::size_t total = worker_->total();
    if (total == 0) return;
    // A progress bar counts in int: scale very long studies down.
    const double scale = total > 1'000'000 ? 1'000'000.0 / double(total) : 1.0;
    progress_->setRange(0, int(double(total) * scale));
    progress_->setValue(int(double(worker_->done()) * scale));
    progress_->setFormat(QStringLiteral("%1 / %2").arg(worker_->done()).arg(total));
}

void StudyDialog::finish(std::shared_ptr<const StudyResult> result, const QString& problem) {
    progressTimer_->stop();
    startButton_->setEnabled(true);
    cancelButton_->setEnabled(false);
    if (!problem.isEmpty()) {
        progress_->setRange(0, 1);
        progress_->setValue(0);
        showStatus({});
        showProblem(problem);
        emit studyFinished();
        return;
    }
    study_ = std::move(result);
    studyStart_ = runningStart_;
    model_->setStudy(study_);
    table_->resizeColumnsToContents();
    // Long names are cut short with an ellipsis (the tooltip and the copy give them whole); the
    // cause of a failure takes the rest.
    const int widest = table_->fontMetrics().horizontalAdvance('0') * 22;
    for (int c = 0; c + 1 < model_->columnCount(); ++c)
        table_->setColumnWidth(c, std::min(table_->columnWidth(c), widest));
    chart_->showStudy(*study_, logarithmicX_);
    const std::size_t done = study_->points.size();
    std::size_t failed = 0;
    for (const StudyPoint& point : study_->points) failed += point.failure.has_value();
    const std::size_t total = std::max(worker_->total(), done);
    progress_->setRange(0, 1);
    progress_->setValue(study_->cancelled ? 0 : 1);
    progress_->setFormat(QStringLiteral("%1 / %2").arg(done).arg(total));
    QString status = study_->cancelled ? QStringLiteral("已取消：完成 %1 / %2 点").arg(done).arg(total)
                                       : QStringLiteral("完成 %1 点").arg(done);
    if (failed > 0) status += QStringLiteral("，其中 %1 点计算中止（表中注明原因，曲线在此断开）").arg(failed);
    showStatus(status);
    enableResultActions();
    emit studyFinished();
}

void StudyDialog::showNoStudy() {
    study_.reset();
    model_->setStudy(nullptr);
    chart_->clear();
    enableResultActions();
}

void StudyDialog::enableResultActions() {
    const bool any = study_ && !study_->points.empty();
    copyButton_->setEnabled(any);
    exportButton_->setEnabled(any);
    reportButton_->setEnabled(any);
}

void StudyDialog::showProblem(const QString& text) {
    problem_->setText(text);
    problem_->show();
}

void StudyDialog::showStatus(const QString& text) { status_->setText(text); }

QString StudyDialog::problem() const { return problem_->isHidden() ? QString() : problem_->text(); }
QString StudyDialog::statusText() const { return status_->text(); }

void StudyDialog::copyTable() {
    if (!study_) return;
    QApplication::clipboard()->setText(qt(studyTabText(*study_)));
    showStatus(QStringLiteral("表格已复制（以制表符分隔，可粘贴到电子表格）"));
}

QString StudyDialog::plotTitle() const { return window_.caseTitle() + QStringLiteral(" 参数分析"); }

QString StudyDialog::exportTo(const QString& path) {
    if (!study_) return QStringLiteral("尚无分析结果");
    QString problem;
    if (!studyFileKind(path))
        problem = QStringLiteral("不能导出为「.%1」文件：文件名请以 .csv、.png 或 .svg 结尾").arg(QFileInfo(path).suffix());
    else
        problem = writeStudyFile(*study_, *chart_, plotTitle(), path);
    if (!problem.isEmpty()) {
        showProblem(problem);
        return problem;
    }
    problem_->hide();
    showStatus(QStringLiteral("已导出：") + QDir::toNativeSeparators(path));
    return {};
}

void StudyDialog::exportAsked() {
    QString filters;
    for (const char* filter : kExportFilters) filters += (filters.isEmpty() ? "" : ";;") + QString::fromUtf8(filter);
    QString chosenFilter = QString::fromUtf8(kExportFilters[0]);
    const QString suggested = offeredExportPath(window_, QStringLiteral("参数分析"), QStringLiteral("csv"));
    QString path = QFileDialog::getSaveFileName(this, QStringLiteral("导出参数分析"), suggested, filters, &chosenFilter);
    if (path.isEmpty()) return;
    if (QFileInfo(path).suffix().isEmpty())
        for (int i = 0; i < int(std::size(kExportFilters)); ++i)
            if (chosenFilter == QString::fromUtf8(kExportFilters[i])) path += '.' + QLatin1String(kExportSuffixes[i]);
    if (exportTo(path).isEmpty()) rememberFolder(path);
}

void StudyDialog::addToReport() {
    if (!study_) return;
    // A figure the width of a page's text, whatever the size of the plot on screen.
    const std::string caption = studyCaption(*study_);
    const QByteArray svg = studyFigureSvg(*study_, logarithmicX_, kReportFigure, qt(caption));
    addStudyToReport(window_, {caption, *study_, svg.toStdString(), studyStart_});
    showStatus(QStringLiteral("已加入计算书（第 %1 项参数分析），导出计算书时列于“参数分析”一节")
                   .arg(studiesInReport(window_).size()));
}

void StudyDialog::closeEvent(QCloseEvent* event) {
    worker_->cancel();  // a study still running stops; the dialog goes when it has
    QDialog::closeEvent(event);
}

void addParameterStudy(CalcWindow& window) {
    auto* action = new QAction(QStringLiteral("参数分析…"), &window);
    action->setObjectName(QStringLiteral("parameterStudy"));
    QObject::connect(action, &QAction::triggered, &window, [&window] { openParameterStudy(window); });
    window.addAction(action);
    window.setContextMenuPolicy(Qt::ActionsContextMenu);
}

StudyDialog* openParameterStudy(CalcWindow& window) {
    auto* dialog = window.findChild<StudyDialog*>(QString(), Qt::FindDirectChildrenOnly);
    if (dialog)
        dialog->offerWindowChoices();
    else
        dialog = new StudyDialog(window);
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
    return dialog;
}

}  // namespace pylora
