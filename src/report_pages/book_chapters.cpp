#include "report_pages/book_chapters.h"

#include <QTextBlock>
#include <QTextLayout>
#include <functional>
#include <optional>
#include <unordered_map>

#include "report_pages/made_in_order.h"

namespace pylora {
namespace {

constexpr HtmlOptions kChapterHtml{PictureStyle::Reference, false};

// The measures of a heading's line; a heading taking more than one line has none.
struct HeadingLine {
    double ascent = 0, descent = 0, leading = 0;
    bool operator==(const HeadingLine&) const = default;
};

// Where the first chapter of a text laid out its heading: its font and the width of its line.
struct HeadingRoom {
    QFont font;
    double width = 0;
};

struct FirstCount {
    ChapterCount count;
    std::optional<HeadingRoom> room;
    std::optional<HeadingLine> line;  // none: its heading not plain, or wider than the room left
};

// A heading that the HTML gives back as it is: one paragraph of that very text, which a heading
// with blanks at its ends, doubled or of other kinds would not be. One that ends with a colon
// is kept with what follows (report_pdf.cpp), so it is never taken for another heading.
bool plainHeading(const QString& heading) {
    return !heading.isEmpty() && heading.simplified() == heading && !heading.endsWith(QStringLiteral("："));
}

// The heading laid out alone in the room its chapter gives it, a little narrower so that a line
// measured differently by a hair never decides: one line or none.
std::optional<HeadingLine> headingLine(const QString& heading, const HeadingRoom& room, QPaintDevice& device) {
    QTextLayout layout(heading, room.font, &device);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setLineWidth(room.width * 0.98);
    const bool more = layout.createLine().isValid();
    layout.endLayout();
    if (more) return std::nullopt;
    return HeadingLine{line.ascent(), line.descent(), line.leading()};
}

FirstCount countFirst(QPaintDevice& device, const BookDocument& book, std::size_t index) {
    const PagedDocument laidOut = chapterPages(device, book, index);
    FirstCount first{{laidOut.pageCount(), laidOut.pageBreakMoves()}, std::nullopt, std::nullopt};
    const QString heading = QString::fromStdString(book.chapters[index].heading);
    const QTextBlock block = laidOut.firstBlock();
    if (plainHeading(heading) && block.text() == heading && block.layout() && block.layout()->lineCount() == 1) {
        first.room = HeadingRoom{block.begin().fragment().charFormat().font(), block.layout()->lineAt(0).width()};
        first.line = headingLine(heading, *first.room, device);
    }
    return first;
}

std::string reportTextOf(const BookDocument& book, std::size_t index) {
    return reportHtml(book.chapters[index].report, book.project, kChapterHtml);
}

// For each chapter, the first chapter whose report reads the same (itself where none before does).
std::vector<std::size_t> firstsOfTheirText(const BookDocument& book) {
    std::vector<std::size_t> firstOf(book.chapters.size());
    std::unordered_map<std::size_t, std::vector<std::size_t>> firstsByHash;
    std::unordered_map<std::size_t, std::string> textOfFirst;  // written once, not again for each match
    for (std::size_t i = 0; i < book.chapters.size(); ++i) {
        std::string text = reportTextOf(book, i);
        std::vector<std::size_t>& firsts = firstsByHash[std::hash<std::string>{}(text)];
        firstOf[i] = i;
        for (const std::size_t first : firsts)
            if (book.chapters[first].report.sketches.size() == book.chapters[i].report.sketches.size() &&
                textOfFirst.at(first) == text) {
                firstOf[i] = first;
                break;
            }
        if (firstOf[i] == i) {
            firsts.push_back(i);
            textOfFirst.emplace(i, std::move(text));
        }
    }
    return firstOf;
}

}  // namespace

PagedDocument chapterPages(QPaintDevice& device, const BookDocument& book, std::size_t index, const PageBreakMoves* known) {
    const BookChapterReport& chapter = book.chapters[index];
    return PagedDocument(device, QString::fromStdString(chapterHtml(chapter, book.project, kChapterHtml)), &chapter.report,
                         known);
}

std::vector<ChapterCount> countChapters(QThreadPool& pool, QPaintDevice& device, const BookDocument& book) {
    const std::vector<std::size_t> firstOf = firstsOfTheirText(book);
    std::vector<std::size_t> firsts;
    for (std::size_t i = 0; i < firstOf.size(); ++i)
        if (firstOf[i] == i) firsts.push_back(i);
    std::unordered_map<std::size_t, FirstCount> firstCounts;
    madeInOrder(
        pool, firsts.size(), [&](std::size_t k) { return countFirst(device, book, firsts[k]); },
        [&](std::size_t k, FirstCount&& counted) { firstCounts.emplace(firsts[k], std::move(counted)); });

    // Below a heading of one line of the same height, the same text lies on the same pages.
    std::vector<ChapterCount> counts(firstOf.size());
    std::vector<std::size_t> alone;
    for (std::size_t i = 0; i < firstOf.size(); ++i) {
        const FirstCount& first = firstCounts.at(firstOf[i]);
        if (i == firstOf[i]) {
            counts[i] = first.count;
        } else if (const QString heading = QString::fromStdString(book.chapters[i].heading);
                   first.line && plainHeading(heading) && headingLine(heading, *first.room, device) == first.line) {
            counts[i] = first.count;
        } else {
            alone.push_back(i);
        }
    }
    madeInOrder(
        pool, alone.size(),
        [&](std::size_t k) {
            const PagedDocument laidOut = chapterPages(device, book, alone[k]);
            return ChapterCount{laidOut.pageCount(), laidOut.pageBreakMoves()};
        },
        [&](std::size_t k, ChapterCount&& counted) { counts[alone[k]] = std::move(counted); });
    return counts;
}

}  // namespace pylora
