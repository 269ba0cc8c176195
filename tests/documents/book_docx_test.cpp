// The project book as DOCX: a picture that several chapters show (the same window's formula, a
// sketch drawn from the same inputs) is drawn once and stored once in the package, and every
// chapter's drawing of it refers to that one entry; each drawing keeps an id of its own.
#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>

#include "documents/book_document.h"
#include "documents/report_docx.h"
#include "files/project_book.h"
#include "model/window_registry.h"
#include "test_services.h"
#include "command_output.h"

namespace pylora {
namespace {

namespace fs = std::filesystem;

CaseFile ranCase(const std::string& form, const std::string& control, const std::string& text) {
    CalcForm window(*findWindow(form), testServicesWithGroundFile());
    if (!control.empty()) window.form().type(control, text);
    window.press("Command1");
    return captureCase(window);
}

std::vector<std::string> allMatches(const std::string& text, const std::regex& pattern) {
    std::vector<std::string> found;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), pattern); it != std::sregex_iterator(); ++it)
        found.push_back((*it)[1]);
    return found;
}

TEST(BookDocx, APictureSeveralChaptersShowIsStoredOnce) {
    // Two chapters of the same window with the same inputs, a third with another soil weight:
    // its formulas are the others', its substituted values its own.
    ProjectBook book;
    book.title = "计算书";
    book.chapters.push_back({"甲", ranCase("土壤荷载计算", "", "")});
    book.chapters.push_back({"乙", ranCase("土壤荷载计算", "", "")});
    book.chapters.push_back({"丙", ranCase("土壤荷载计算", "Text1", "18.5")});
    const BookDocument document = buildBookDocument(book, testServicesWithGroundFile(), "2026年1月1日");
    ASSERT_EQ(document.chapters.size(), 3u);

    std::set<std::string> distinct;
    std::size_t shown = 0;
    for (const BookChapterReport& chapter : document.chapters)
        for (const ReportPicture* picture : reportPictures(chapter.report)) {
            distinct.insert(picture->svg);
            ++shown;
        }
    ASSERT_LT(distinct.size(), shown) << "the chapters share no picture: nothing to store once";
    std::size_t drawn = 0;
    const PngOf png = [&drawn](const ReportPicture&) {
        return std::string("\x89PNG\r\n\x1a\n", 8) + std::to_string(++drawn);
    };
    const fs::path file = fs::temp_directory_path() / ("pylora_book_" + std::to_string(::getpid()) + ".docx");
    std::ofstream(file, std::ios::binary) << bookDocx(document, png);
    EXPECT_EQ(drawn, distinct.size());

    // Read by the archive tool, not by our own zip code.
    const std::string listing = commandOutput("unzip -l " + file.string());
    EXPECT_EQ(allMatches(listing, std::regex(R"((word/media/image\d+\.png))")).size(), distinct.size()) << listing;
    const std::string xml = commandOutput("unzip -p " + file.string() + " word/document.xml");
    const std::string relations = commandOutput("unzip -p " + file.string() + " word/_rels/document.xml.rels");
    const std::vector<std::string> embeds = allMatches(xml, std::regex(R"(r:embed="(rIdImage\d+)\")"));
    EXPECT_EQ(embeds.size(), shown);
    for (const std::string& embed : std::set<std::string>(embeds.begin(), embeds.end()))
        EXPECT_NE(relations.find("Id=\"" + embed + "\""), std::string::npos) << embed;
    const std::vector<std::string> ids = allMatches(xml, std::regex(R"(<wp:docPr id="(\d+)\")"));
    EXPECT_EQ(ids.size(), shown);
    EXPECT_EQ(std::set<std::string>(ids.begin(), ids.end()).size(), ids.size()) << "a drawing id given twice";
    fs::remove(file);
}

}  // namespace
}  // namespace pylora
