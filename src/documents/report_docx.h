#pragma once
// The 计算书 as an editable Office Open XML document (.docx) that WPS, Word and LibreOffice open:
// A4 pages with a running header, "第 x 页 共 y 页" in the footer, tables with columns sized to
// what they hold, the formulas and sketches as pictures, each sketch on a page of its own.
#include <functional>
#include <string>

#include "documents/book_document.h"
#include "documents/report.h"

namespace pylora {

// A picture of the report as PNG, drawn at a resolution fit for print.
using PngOf = std::function<std::string(const ReportPicture& picture)>;

// The document's bytes.
std::string reportDocx(const Report& report, const ProjectInfo& project, const PngOf& png);

// A project book as one document: cover, contents, chapters, the summary of their verdicts.
std::string bookDocx(const BookDocument& book, const PngOf& png);

}  // namespace pylora
