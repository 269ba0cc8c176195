#pragma once
// A project book as one 计算书: 封面 (cover), 目录 (contents), each calculation a chapter with
// its report, and a closing table of every chapter's verdicts. Each chapter's case is computed
// again on a fresh window, so the book shows what this program computes from the saved inputs
// (and notes where that differs from what was saved). The page writers (PDF with Qt, DOCX in
// the core) lay these pieces out; the HTML pieces here are what the PDF pages are made of.
#include <string>
#include <vector>

#include "files/data_locations.h"
#include "files/project_book.h"
#include "documents/report.h"

namespace pylora {

struct BookChapterReport {
    std::string title;
    std::string heading;  // 第1章 土壤荷载计算
    Report report;
};

struct BookDocument {
    std::string title;  // never empty: the book's own title, else 计算书
    ProjectInfo project;
    std::vector<BookChapterReport> chapters;
};

// One row of the closing table: a verdict of a chapter, or what the chapter says instead.
struct BookVerdictRow {
    std::string chapter;  // 第1章
    std::string chapterTitle;
    std::string name;     // the verdict's name; — when the chapter gives none
    std::string text;
    Colour colour = Colour::windowText();
};

inline constexpr const char* kBookContentsTitle = "目录";
inline constexpr const char* kBookSummaryTitle = "计算结论汇总";

// The chapters' cases computed again; `date` fills the project's date when the book has none.
BookDocument buildBookDocument(const ProjectBook& book, const Services& services, const std::string& date);

std::string chapterNumber(std::size_t index);  // 第1章 for the first chapter

std::vector<BookVerdictRow> bookSummary(const BookDocument& book);

// The pieces of the PDF book as HTML for the page layout: the cover, the contents with the page
// each chapter and the summary start on (chapters in order, then the summary), the summary.
std::string bookCoverHtml(const BookDocument& book);
std::string bookContentsHtml(const BookDocument& book, const std::vector<int>& startPages);
std::string bookSummaryHtml(const BookDocument& book);
// A chapter: its heading, then its report as the single report shows it.
std::string chapterHtml(const BookChapterReport& chapter, const ProjectInfo& project, HtmlOptions options);

}  // namespace pylora
