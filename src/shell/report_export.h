#pragma once
// "导出计算书…": the calculation report of a calculator window as a PDF on A4 (header, page
// numbers, fonts embedded, formulas and sketches as vector drawings), an editable Word document
// (DOCX), or the self-contained HTML page. The content comes from the core's report and the
// pages from report_pages; this file asks the engineer for the file and the project fields.
#include <QDialog>
#include <QString>

#include "core/report.h"
#include "report_pages/report_pages.h"

class QComboBox;
class QLineEdit;
class QTextDocument;

namespace pylora {

class CalcWindow;

// Writes the report of the window's current calculation; returns an empty text when written,
// else why not, in the engineer's words.
QString writeReport(const CalcForm& window, const ProjectInfo& project, ReportFormat format, const QString& path);

// The project fields as this user last entered them; the date is today's.
ProjectInfo rememberedProject();
void rememberProject(const ProjectInfo& project);

// Asks for the file, its format and the project fields.
class ReportExportDialog : public QDialog {
public:
    ReportExportDialog(const QString& suggestedPath, QWidget* parent = nullptr);

    QString path() const;
    ReportFormat format() const;
    ProjectInfo project() const;
    void setPath(const QString& path);
    static constexpr int kProjectFields = 7;
    QLineEdit* projectField(int index) const { return fields_[index]; }  // 工程名称, 工程编号, 设计阶段 … 日期

    void accept() override;

private:
    void browse();
    void matchSuffixToFormat();

    QLineEdit* path_;
    QComboBox* format_;
    QLineEdit* fields_[kProjectFields];
};

// Gives the window its "导出计算书…" entry: Ctrl+E and its context menu.
void addReportExport(CalcWindow& window);
// What the entry does: the dialog, then the file.
void exportReport(CalcWindow& window);

}  // namespace pylora
