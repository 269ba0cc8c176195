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
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "shell/calc_window.h"
#include "shell/default_names.h"
#include "shell/study_report_link.h"

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

const FormatInfo* formatOfSuffix(const QString& suffix) {
    for (const FormatInfo& info : kFormats)
        if (suffix.compare(QLatin1String(info.suffix), Qt::CaseInsensitive) == 0) return &info;
    if (suffix.compare(QLatin1String("htm"), Qt::CaseInsensitive) == 0) return &kFormats[2];
    return nullptr;
}

// The system's reason for a failed open, as the engineer reads it.
QString causeOf(int error) {
    switch (error) {
        case EACCES:
        case EPERM: return QStringLiteral("权限不足");
        case ENOENT: return QStringLiteral("目录不存在");
        case ENOTDIR: return QStringLiteral("路径中有一项不是文件夹");
        case EISDIR: return QStringLiteral("已有同名的文件夹");
        case EROFS: return QStringLiteral("磁盘是只读的");
        case ENOSPC: return QStringLiteral("磁盘空间不足");
        case ENAMETOOLONG: return QStringLiteral("文件名过长");
        case EINVAL: return QStringLiteral("文件名含有不允许的字符");
        case EBUSY: return QStringLiteral("文件正被其他程序使用");
        default: return QString::fromLocal8Bit(std::strerror(error));
    }
}


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

QString whyNotWritable(const QString& path) {
    const bool existed = QFileInfo::exists(path);
    // Opened for appending, so that an existing file keeps its content.
#ifdef Q_OS_WIN
    std::FILE* file = _wfopen(reinterpret_cast<const wchar_t*>(path.utf16()), L"ab");
#else
    std::FILE* file = std::fopen(QFile::encodeName(path).constData(), "ab");
#endif
    if (!file) return causeOf(errno);
    std::fclose(file);
    if (!existed) QFile::remove(path);
    return {};
}

ReportExportDialog::ReportExportDialog(const QString& suggestedPath, Writer write, QWidget* parent)
    : QDialog(parent), write_(std::move(write)), folder_(QFileInfo(suggestedPath).absolutePath()) {
    setWindowTitle(QStringLiteral("导出计算书"));
    auto* form = new QFormLayout(this);
    path_ = new QLineEdit(suggestedPath);
    path_->setObjectName(QStringLiteral("path"));
    path_->setMinimumWidth(fontMetrics().horizontalAdvance('0') * 48);
    connect(path_, &QLineEdit::textEdited, this, &ReportExportDialog::matchFormatToSuffix);
    auto* browseButton = new QPushButton(QStringLiteral("浏览…"));
    connect(browseButton, &QPushButton::clicked, this, &ReportExportDialog::browse);
    auto* pathRow = new QHBoxLayout;
    pathRow->addWidget(path_, 1);
    pathRow->addWidget(browseButton);
    form->addRow(QStringLiteral("文件名："), pathRow);
    format_ = new QComboBox;
    for (const FormatInfo& info : kFormats) format_->addItem(QString::fromUtf8(info.caption));
    form->addRow(QStringLiteral("格式："), format_);
    matchFormatToSuffix();
    connect(format_, &QComboBox::currentIndexChanged, this, &ReportExportDialog::matchSuffixToFormat);

    ProjectInfo project = rememberedProject();
    for (int i = 0; i < kProjectFields; ++i) {
        fields_[i] = new QLineEdit(qt(*fieldOf(project, i)));
        fields_[i]->setObjectName(QString::fromUtf8(kFieldCaptions[i]));
        form->addRow(QString::fromUtf8(kFieldCaptions[i]) + QStringLiteral("："), fields_[i]);
    }
    problem_ = new QLabel;
    problem_->setObjectName(QStringLiteral("problem"));
    problem_->setStyleSheet(QStringLiteral("color: #d00000;"));
    problem_->setWordWrap(true);
    problem_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    problem_->hide();
    form->addRow(problem_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("导出"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
}

QString ReportExportDialog::path() const { return path_->text().trimmed(); }
void ReportExportDialog::setPath(const QString& path) {
    path_->setText(path);
    matchFormatToSuffix();
}
ReportFormat ReportExportDialog::format() const { return kFormats[std::max(0, format_->currentIndex())].format; }
QString ReportExportDialog::problem() const { return problem_->isHidden() ? QString() : problem_->text(); }

ProjectInfo ReportExportDialog::project() const {
    ProjectInfo project;
    for (int i = 0; i < kProjectFields; ++i) *fieldOf(project, i) = fields_[i]->text().trimmed().toStdString();
    return project;
}

// The filter follows a name typed with one of the formats' extensions.
void ReportExportDialog::matchFormatToSuffix() {
    const FormatInfo* info = formatOfSuffix(QFileInfo(path()).suffix());
    if (!info) return;
    const QSignalBlocker blocker(format_);
    format_->setCurrentIndex(int(info - kFormats));
}

// A filter chosen gives the name its extension.
void ReportExportDialog::matchSuffixToFormat() {
    if (path().isEmpty()) return;
    const QFileInfo file(path());
    const QString suffix = QString::fromLatin1(kFormats[format_->currentIndex()].suffix);
    path_->setText(QDir(file.path()).filePath(file.completeBaseName() + '.' + suffix));
}

void ReportExportDialog::browse() {
    const FormatInfo& info = kFormats[format_->currentIndex()];
    QString filters;
    for (const FormatInfo& each : kFormats) filters += (filters.isEmpty() ? "" : ";;") + QString::fromUtf8(each.caption);
    QString chosenFilter = QString::fromUtf8(info.caption);
    const QString start = QFileInfo(path()).isRelative() ? QDir(folder_).filePath(path()) : path();
    const QString chosen = QFileDialog::getSaveFileName(this, QStringLiteral("导出计算书"), start, filters, &chosenFilter);
    if (chosen.isEmpty()) return;
    for (int i = 0; i < int(std::size(kFormats)); ++i)
        if (chosenFilter == QString::fromUtf8(kFormats[i].caption)) {
            const QSignalBlocker blocker(format_);
            format_->setCurrentIndex(i);
        }
    path_->setText(chosen);
    if (formatOfSuffix(QFileInfo(chosen).suffix()))
        matchFormatToSuffix();
    else
        matchSuffixToFormat();
}

QString ReportExportDialog::resolvedPath() {
    QString name = path();
    if (QFileInfo(name).isRelative()) name = QDir(folder_).filePath(name);
    const QString suffix = QFileInfo(name).suffix();
    if (suffix.isEmpty()) {
        name += '.' + QString::fromLatin1(kFormats[format_->currentIndex()].suffix);
    } else if (!formatOfSuffix(suffix)) {
        showProblem(QStringLiteral("不能导出为「.%1」文件：文件名请以 .pdf、.docx 或 .html 结尾").arg(suffix));
        return {};
    }
    path_->setText(QDir::toNativeSeparators(name));
    matchFormatToSuffix();
    return name;
}

void ReportExportDialog::showProblem(const QString& text) {
    problem_->setText(text);
    problem_->show();
    path_->setFocus();
}

void ReportExportDialog::accept() {
    if (path().isEmpty()) {
        path_->setFocus();
        return;
    }
    const QString name = resolvedPath();
    if (name.isEmpty()) return;
    rememberProject(project());
    if (const QString cause = whyNotWritable(name); !cause.isEmpty()) {
        showProblem(QStringLiteral("无法写入文件 %1：%2").arg(QDir::toNativeSeparators(name), cause));
        return;
    }
    if (write_) {
        if (const QString problem = write_(format(), name, project()); !problem.isEmpty()) {
            const QString cause = whyNotWritable(name);
            showProblem(cause.isEmpty() ? problem : problem + QStringLiteral("：") + cause);
            return;
        }
    }
    problem_->hide();
    rememberFolder(name);
    QDialog::accept();
}

void exportReport(CalcWindow& window) {
    const QString suggested = offeredExportPath(window, QStringLiteral("计算书"), QStringLiteral("pdf"));
    ReportExportDialog dialog(
        QDir::toNativeSeparators(suggested),
        [&window](ReportFormat format, const QString& path, const ProjectInfo& project) {
            return writeReportFile(reportWithStudies(window), project, format, path);
        },
        &window);
    if (dialog.exec() == QDialog::Accepted)
        window.showInformation(QStringLiteral("计算书已导出：") + QDir::toNativeSeparators(dialog.path()));
}

void addReportExport(CalcWindow& window) {
    auto* action = new QAction(QStringLiteral("导出计算书…"), &window);
    action->setObjectName(QStringLiteral("exportReport"));
    action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    // The fields give way to the window's keys (see FieldEdit): Ctrl+E exports from any of them.
    action->setShortcutContext(Qt::WindowShortcut);
    QObject::connect(action, &QAction::triggered, &window, [&window] { exportReport(window); });
    window.addAction(action);
    window.setContextMenuPolicy(Qt::ActionsContextMenu);
}

}  // namespace pylora
