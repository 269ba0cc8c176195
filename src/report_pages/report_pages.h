#pragma once
// The 计算书 on A4 pages: the PDF and the editable document (DOCX), laid out with Qt from the
// core's report. The desktop program's export and pylora-report (the runner's helper for these
// formats) both write through here, so both give the same document.
#include <QString>

#include "documents/book_document.h"
#include "documents/report.h"

namespace pylora {

enum class ReportFormat { Pdf, Docx, Html };

// Writes the report; returns an empty text when written, else why not, in the engineer's words.
QString writeReportFile(const Report& report, const ProjectInfo& project, ReportFormat format, const QString& path);

// Writes a project book as one PDF or DOCX (HTML: not a book format); as writeReportFile.
QString writeBookFile(const BookDocument& book, ReportFormat format, const QString& path);

// Writes the finished document whole or not at all (an earlier file stays on failure); returns
// an empty text when written, else 无法写入文件 … with the reason.
QString writeReportBytes(const std::string& bytes, const QString& path);

// The report's font, derived from WenQuanYi Zen Hei with one character per glyph, so that every
// character of the PDF extracts as itself; loaded once from share/pylora/fonts beside the
// program. Returns its family, or an empty text when the file is missing.
QString reportFontFamily();

}  // namespace pylora
