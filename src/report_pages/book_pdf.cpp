// The project book as one PDF: the cover, the contents, every chapter's report and the closing
// summary, page numbers counted across the book. The chapters are laid out first, so that the
// contents can name the page each one starts on.
#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>

#include "model/version.h"
#include "report_pages/page_layout.h"
#include "report_pages/report_pages.h"

namespace pylora {
namespace {

QString qt(const std::string& text) { return QString::fromStdString(text); }

// The pages each chapter and then the summary start on, after the cover and the contents.
std::vector<int> startPages(int before, const std::vector<PagedDocument>& chapters) {
    std::vector<int> starts;
    int page = before + 1;
    for (const PagedDocument& chapter : chapters) {
        starts.push_back(page);
        page += chapter.pageCount();
    }
    starts.push_back(page);
    return starts;
}

}  // namespace

QString writeBookPdf(const BookDocument& book, const QString& path) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    const QString program = QStringLiteral("Pylora ") + qt(kProgramVersion);
    preparePdfWriter(writer, qt(book.title), program);

    const PagedDocument cover(writer, qt(bookCoverHtml(book)), nullptr);
    std::vector<PagedDocument> chapters;
    for (const BookChapterReport& chapter : book.chapters)
        chapters.emplace_back(writer, qt(chapterHtml(chapter, book.project, {PictureStyle::Reference, false})),
                              &chapter.report);
    const PagedDocument summary(writer, qt(bookSummaryHtml(book)), nullptr);

    // The contents' length does not depend on its page numbers (one line per chapter, the number
    // in a column of its own); laid out again until the numbers it gives hold.
    std::vector<int> starts(book.chapters.size() + 1, 0);
    std::unique_ptr<PagedDocument> contents;
    for (int attempt = 0; attempt < 3; ++attempt) {
        contents = std::make_unique<PagedDocument>(writer, qt(bookContentsHtml(book, starts)), nullptr);
        const std::vector<int> now = startPages(cover.pageCount() + contents->pageCount(), chapters);
        if (now == starts) break;
        starts = now;
    }
    const int pages = starts.back() + summary.pageCount() - 1;

    QPainter painter;
    if (!painter.begin(&writer)) return QStringLiteral("无法生成 PDF");
    const RunningHead bookHead{qt(book.title), book.project, program, true};
    RunningHead coverHead = bookHead;
    coverHead.shown = false;
    cover.paint(painter, writer, coverHead, 1, pages, false);
    contents->paint(painter, writer, bookHead, cover.pageCount() + 1, pages, true);
    for (std::size_t i = 0; i < chapters.size(); ++i)
        chapters[i].paint(painter, writer, runningHeadOf(book.chapters[i].report, book.project), starts[i], pages, true);
    summary.paint(painter, writer, bookHead, starts.back(), pages, true);
    painter.end();
    return writeReportBytes(buffer.data().toStdString(), path);
}

}  // namespace pylora
