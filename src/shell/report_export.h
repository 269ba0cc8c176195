#pragma once
// "导出计算书…": the calculation report of a calculator window as a PDF on A4 (header, page
// numbers, fonts embedded, formulas and sketches as vector drawings), an editable Word document
// (DOCX), or the self-contained HTML page. The content comes from the core's report and the
// pages from report_pages; this file asks the engineer for the file and the project fields.
#include <QDate>
#include <QDialog>
#include <QString>
#include <functional>

#include "documents/report.h"
#include "report_pages/report_pages.h"

class QComboBox;
class QLabel;
class QLineEdit;

namespace pylora {

class CalcWindow;

// Writes the report of the window's current calculation; returns an empty text when written,
// else why not, in the engineer's words.
QString writeReport(const CalcForm& window, const ProjectInfo& project, ReportFormat format, const QString& path);

// The project fields as this user last entered them; the date is today's.
ProjectInfo rememberedProject();
void rememberProject(const ProjectInfo& project);


// Why the file cannot be written, in the engineer's words from the system's own answer
// ("目录不存在", "权限不足" …); empty when it can. An existing file is left as it is.
QString whyNotWritable(const QString& path);

// Asks for the file, its format and the project fields, and writes the file through `write`
// when 导出 is pressed: a failure is shown in the dialog, which stays open for another name.
class ReportExportDialog : public QDialog {
public:
    using Writer = std::function<QString(ReportFormat, const QString& path, const ProjectInfo&)>;
    explicit ReportExportDialog(const QString& suggestedPath, Writer write = {}, QWidget* parent = nullptr);

    QString path() const;
    ReportFormat format() const;
    ProjectInfo project() const;
    void setPath(const QString& path);
    static constexpr int kProjectFields = 7;
    QLineEdit* projectField(int index) const { return fields_[index]; }  // 工程名称, 工程编号, 设计阶段 … 日期
    QComboBox* formatChooser() const { return format_; }
    QString problem() const;  // why the last 导出 wrote nothing; empty when none

    void accept() override;

private:
    void browse();
    void matchSuffixToFormat();
    void matchFormatToSuffix();
    // The name as it will be written: relative names in the offered folder, the chosen format's
    // extension added when the name has none. Empty when its extension is no format of ours.
    QString resolvedPath();
    void showProblem(const QString& text);

    Writer write_;
    QString folder_;
    QLineEdit* path_;
    QComboBox* format_;
    QLineEdit* fields_[kProjectFields];
    QLabel* problem_;
};

// Gives the window its "导出计算书…" entry: Ctrl+E wherever the focus is, and its context menu.
void addReportExport(CalcWindow& window);
// What the entry does: the dialog, which writes the file.
void exportReport(CalcWindow& window);

}  // namespace pylora
