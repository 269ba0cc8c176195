#include "shell/report_export.h"

#include <QAction>
#include <QComboBox>
#include <QDate>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>

#include "shell/calc_window.h"

namespace pylora {
namespace {

QString qt(const std::string& text) { return QString::fromStdString(text); }

struct FormatInfo {
    ReportFormat format;
    const char* caption;
    const char* suffix;
};

const FormatInfo kFormats[] = {
    {ReportFormat::Pdf, "PDF 文件 (*.pdf)", "pdf"},
    {ReportFormat::Docx, "Word 文档，可用 WPS、Word 编辑 (*.docx)", "docx"},
    {ReportFormat::Html, "网页 (*.html)", "html"},
};

// The project fields in the dialog's order, with their settings keys.
const char* const kFieldCaptions[] = {"工程名称", "工程编号", "设计阶段", "计算", "校核", "审核", "日期"};
const char* const kFieldKeys[] = {"projectName", "projectNumber", "designStage", "calculatedBy", "checkedBy",
                                  "approvedBy"};
constexpr int kRememberedFields = 6;  // all but the date

std::string* fieldOf(ProjectInfo& project, int index) {
    std::string* fields[] = {&project.projectName, &project.projectNumber, &project.designStage, &project.calculatedBy,
                             &project.checkedBy, &project.approvedBy, &project.date};
    return fields[index];
}

QString today() { return QDate::currentDate().toString(QStringLiteral("yyyy年M月d日")); }

}  // namespace

QString writeReport(const CalcForm& window, const ProjectInfo& project, ReportFormat format, const QString& path) {
    return writeReportFile(buildReport(window), project, format, path);
}

ProjectInfo rememberedProject() {
    QSettings settings;
    settings.beginGroup(QStringLiteral("report"));
    ProjectInfo project;
    for (int i = 0; i < kRememberedFields; ++i) *fieldOf(project, i) = settings.value(kFieldKeys[i]).toString().toStdString();
    project.date = today().toStdString();  // a report is dated the day it is made
    return project;
}

void rememberProject(const ProjectInfo& project) {
    QSettings settings;
    settings.beginGroup(QStringLiteral("report"));
    ProjectInfo copy = project;
    for (int i = 0; i < kRememberedFields; ++i) settings.setValue(kFieldKeys[i], qt(*fieldOf(copy, i)));
}

ReportExportDialog::ReportExportDialog(const QString& suggestedPath, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("导出计算书"));
    auto* form = new QFormLayout(this);
    path_ = new QLineEdit(suggestedPath);
    path_->setMinimumWidth(fontMetrics().horizontalAdvance('0') * 48);
    auto* browseButton = new QPushButton(QStringLiteral("浏览…"));
    connect(browseButton, &QPushButton::clicked, this, &ReportExportDialog::browse);
    auto* pathRow = new QHBoxLayout;
    pathRow->addWidget(path_, 1);
    pathRow->addWidget(browseButton);
    form->addRow(QStringLiteral("文件名："), pathRow);
    format_ = new QComboBox;
    for (const FormatInfo& info : kFormats) format_->addItem(QString::fromUtf8(info.caption));
    form->addRow(QStringLiteral("格式："), format_);
    connect(format_, &QComboBox::currentIndexChanged, this, &ReportExportDialog::matchSuffixToFormat);

    ProjectInfo project = rememberedProject();
    for (int i = 0; i < kProjectFields; ++i) {
        fields_[i] = new QLineEdit(qt(*fieldOf(project, i)));
        fields_[i]->setObjectName(QString::fromUtf8(kFieldCaptions[i]));
        form->addRow(QString::fromUtf8(kFieldCaptions[i]) + QStringLiteral("："), fields_[i]);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("导出"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
}

QString ReportExportDialog::path() const { return path_->text().trimmed(); }
void ReportExportDialog::setPath(const QString& path) { path_->setText(path); }
ReportFormat ReportExportDialog::format() const { return kFormats[std::max(0, format_->currentIndex())].format; }

ProjectInfo ReportExportDialog::project() const {
    ProjectInfo project;
    for (int i = 0; i < kProjectFields; ++i) *fieldOf(project, i) = fields_[i]->text().trimmed().toStdString();
    return project;
}

void ReportExportDialog::matchSuffixToFormat() {
    const QFileInfo file(path());
    if (path().isEmpty()) return;
    path_->setText(QDir(file.path()).filePath(file.completeBaseName() + '.' + kFormats[format_->currentIndex()].suffix));
}

void ReportExportDialog::browse() {
    const FormatInfo& info = kFormats[format_->currentIndex()];
    const QString chosen = QFileDialog::getSaveFileName(this, QStringLiteral("导出计算书"), path(), QString::fromUtf8(info.caption));
    if (!chosen.isEmpty()) path_->setText(chosen);
    matchSuffixToFormat();
}

void ReportExportDialog::accept() {
    if (path().isEmpty()) {
        path_->setFocus();
        return;
    }
    rememberProject(project());
    QDialog::accept();
}

void exportReport(CalcWindow& window) {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    ReportExportDialog dialog(QDir(folder).filePath(qt(window.formName()) + QStringLiteral("计算书.pdf")), &window);
    if (dialog.exec() != QDialog::Accepted) return;
    const QString problem = writeReport(window.model(), dialog.project(), dialog.format(), dialog.path());
    if (!problem.isEmpty()) QMessageBox::warning(&window, QStringLiteral("导出计算书"), problem);
}

void addReportExport(CalcWindow& window) {
    auto* action = new QAction(QStringLiteral("导出计算书…"), &window);
    action->setObjectName(QStringLiteral("exportReport"));
    action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    action->setShortcutContext(Qt::WindowShortcut);
    QObject::connect(action, &QAction::triggered, &window, [&window] { exportReport(window); });
    window.addAction(action);
    window.setContextMenuPolicy(Qt::ActionsContextMenu);
}

}  // namespace pylora

