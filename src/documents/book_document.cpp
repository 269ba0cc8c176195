#include "documents/book_document.h"

#include <sstream>

#include "documents/report_text.h"
#include "model/text.h"
#include "model/window_registry.h"

namespace pylora {
namespace {

std::string escaped(const std::string& text) { return markupText(text); }
std::string orBlank(const std::string& text) { return text.empty() ? "&nbsp;" : escaped(text); }

constexpr const char* kPageStyle = R"(<style>
body { font-size: 10.5pt; color: #000; }
h1 { font-size: 18pt; text-align: center; margin: 6pt 0 12pt 0; }
table.grid { border-collapse: collapse; }
table.grid th { background: #e8e8e8; font-weight: bold; }
table.grid td, table.grid th { border: 1px solid #000; padding: 3pt 5pt; }
p.chapter { font-size: 16pt; font-weight: bold; margin: 0 0 8pt 0; }
</style>
)";

std::string page(const std::string& title, const std::string& body) {
    return "<!DOCTYPE html>\n<html lang=\"zh-CN\">\n<head>\n<meta charset=\"utf-8\">\n<title>" + escaped(title) +
           "</title>\n" + kPageStyle + "</head>\n<body>\n" + body + "</body>\n</html>\n";
}

}  // namespace

std::string chapterNumber(std::size_t index) { return "第" + std::to_string(index + 1) + "章"; }

BookDocument buildBookDocument(const ProjectBook& book, const Services& services, const std::string& date) {
    BookDocument document;
    document.title = book.title.empty() ? "计算书" : book.title;
    document.project = book.project;
    if (document.project.date.empty()) document.project.date = date;
    for (std::size_t i = 0; i < book.chapters.size(); ++i) {
        const BookChapter& chapter = book.chapters[i];
        const FormDefinition* definition = findWindow(chapter.calculation.formName);
        if (!definition) continue;  // a book read from a file names only windows this program has
        CalcForm window(*definition, services);
        const CaseGroundData ground(chapter.calculation);
        replayCase(window, chapter.calculation, ground);
        const std::string title = chapter.title.empty() ? definition->title() : chapter.title;
        document.chapters.push_back({title, chapterNumber(i) + " " + title, buildReport(window)});
    }
    return document;
}

std::vector<BookVerdictRow> bookSummary(const BookDocument& book) {
    std::vector<BookVerdictRow> rows;
    for (std::size_t i = 0; i < book.chapters.size(); ++i) {
        const BookChapterReport& chapter = book.chapters[i];
        const Report& report = chapter.report;
        const BookVerdictRow start{chapterNumber(i), chapter.title, "—", {}, Colour::windowText()};
        if (report.state != ReportState::Computed) {
            BookVerdictRow row = start;
            row.text = stateStatement(report);
            row.colour = Colour::rgb(0xC0, 0x00, 0x00);
            rows.push_back(row);
        } else if (!report.stepsNotRun.empty()) {
            BookVerdictRow row = start;
            row.text = pageOneBanner(report);
            row.colour = Colour::rgb(0xC0, 0x00, 0x00);
            rows.push_back(row);
        } else if (report.verdicts.empty()) {
            BookVerdictRow row = start;
            row.text = "不作判定，计算结果见本章";
            rows.push_back(row);
        }
        for (const ReportVerdict& verdict : report.state == ReportState::Computed ? report.verdicts
                                                                                 : std::vector<ReportVerdict>{}) {
            BookVerdictRow row = start;
            if (!verdict.name.empty()) row.name = verdict.name;
            row.text = verdict.text;
            row.colour = verdict.colour;
            rows.push_back(row);
        }
        for (const std::string& warning : report.state == ReportState::Computed ? report.warnings
                                                                               : std::vector<std::string>{}) {
            BookVerdictRow row = start;
            row.name = "警告";
            row.text = warning;
            row.colour = kWarningColour;
            rows.push_back(row);
        }
    }
    return rows;
}

std::string bookCoverHtml(const BookDocument& book) {
    const ProjectInfo& p = book.project;
    // Blank lines of a given height: the page layout keeps them where it may drop a margin.
    const auto space = [](int points) { return "<p style=\"font-size: " + std::to_string(points) + "pt;\">&nbsp;</p>\n"; };
    const auto centred = [](const std::string& text, int points, bool bold) {
        return "<p align=\"center\" style=\"font-size: " + std::to_string(points) + "pt;" +
               (bold ? " font-weight: bold;" : "") + "\">" + text + "</p>\n";
    };
    std::ostringstream html;
    html << space(60) << space(60) << centred(orBlank(p.projectName), 20, true) << space(12)
         << centred(escaped(book.title), 28, true) << space(24)
         << centred("工程编号：" + orBlank(p.projectNumber), 12, false)
         << centred("设计阶段：" + orBlank(p.designStage), 12, false) << space(60) << space(40)
         << "<table class=\"grid\" border=\"1\" cellspacing=\"0\" cellpadding=\"10\" width=\"70%\" align=\"center\">\n"
         << "<tr><th width=\"20%\">职责</th><th width=\"35%\">姓名</th><th width=\"45%\">签字</th></tr>\n";
    for (const auto& [role, name] : {std::pair{"计算", &p.calculatedBy}, {"校核", &p.checkedBy}, {"审核", &p.approvedBy}})
        html << "<tr><td align=\"center\">" << role << "</td><td align=\"center\">" << orBlank(*name)
             << "</td><td>&nbsp;<br/>&nbsp;</td></tr>\n";
    html << "</table>\n" << space(24) << centred(orBlank(p.date), 12, false);
    return page(book.title, html.str());
}

std::string bookContentsHtml(const BookDocument& book, const std::vector<int>& startPages) {
    std::ostringstream html;
    html << "<h1>" << kBookContentsTitle << "</h1>\n<table width=\"100%\" cellspacing=\"0\" cellpadding=\"5\">\n";
    const auto line = [&](const std::string& heading, std::size_t index) {
        const std::string number = index < startPages.size() ? std::to_string(startPages[index]) : std::string();
        html << "<tr><td>" << escaped(heading) << "</td><td width=\"12%\" align=\"right\">" << number << "</td></tr>\n";
    };
    for (std::size_t i = 0; i < book.chapters.size(); ++i) line(book.chapters[i].heading, i);
    line(kBookSummaryTitle, book.chapters.size());
    html << "</table>\n";
    return page(kBookContentsTitle, html.str());
}

std::string bookSummaryHtml(const BookDocument& book) {
    std::ostringstream html;
    html << "<h1>" << kBookSummaryTitle << "</h1>\n"
         << "<table class=\"grid\" border=\"1\" cellspacing=\"0\" cellpadding=\"4\" width=\"100%\">\n"
         << "<thead><tr><th width=\"10%\">章</th><th width=\"30%\">计算</th><th width=\"25%\">判定项目</th>"
         << "<th width=\"35%\">结论</th></tr></thead>\n";
    for (const BookVerdictRow& row : bookSummary(book))
        html << "<tr><td align=\"center\">" << escaped(row.chapter) << "</td><td>" << escaped(row.chapterTitle)
             << "</td><td>" << escaped(row.name) << "</td><td><span style=\"color:" << cssColour(row.colour) << ";\">"
             << escaped(row.text) << "</span></td></tr>\n";
    html << "</table>\n";
    return page(kBookSummaryTitle, html.str());
}

std::string chapterHtml(const BookChapterReport& chapter, const ProjectInfo& project, HtmlOptions options) {
    std::string html = reportHtml(chapter.report, project, options);
    const std::string heading = "<p class=\"chapter\" style=\"font-size: 16pt; font-weight: bold;\">" +
                                escaped(chapter.heading) + "</p>\n";
    const auto body = html.find("<body>\n");
    html.insert(body == std::string::npos ? 0 : body + 7, heading);
    return html;
}

}  // namespace pylora
