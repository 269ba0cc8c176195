// The project book as one PDF: the cover, the contents, every chapter's report and the closing
// summary, page numbers counted across the book. The contents name the page each chapter starts
// on, so every chapter is laid out once to count its pages; then the pages are drawn chapter by
// chapter, each written to the file as it is finished. Drawn, a chapter is laid out again, but
// once: where its headings go to the next page is kept from the count, not looked for again. A
// chapter's layout is dropped as soon as it is counted or drawn, so time and memory grow with the
// chapters, not with their square, and no more than a few chapters' pages are ever held.
// Both layouts run on worker threads (made_in_order.h); the writer draws on this one, each chapter
// while the next ones are laid out.
#include <QPainter>
#include <QPdfWriter>
#include <QThread>
#include <QThreadPool>

#include "model/version.h"
#include "report_pages/book_chapters.h"
#include "report_pages/layout_device.h"
#include "report_pages/made_in_order.h"
#include "report_pages/page_layout.h"
#include "report_pages/report_pages.h"
#include "report_pages/streamed_file.h"

namespace pylora {
namespace {

QString qt(const std::string& text) { return QString::fromStdString(text); }

// The pages each chapter and then the summary start on, after the cover and the contents.
std::vector<int> startPages(int before, const std::vector<int>& chapterPageCounts) {
    std::vector<int> starts;
    int page = before + 1;
    for (const int count : chapterPageCounts) {
        starts.push_back(page);
        page += count;
    }
    starts.push_back(page);
    return starts;
}

}  // namespace

QString writeBookPdf(const BookDocument& book, const QString& path) {
    StreamedFile file(path);
    QPdfWriter writer(&file);
    const QString program = QStringLiteral("Pylora ") + qt(kProgramVersion);
    preparePdfWriter(writer, qt(book.title), program);

    const PagedDocument cover(writer, qt(bookCoverHtml(book)), nullptr);
    LayoutDevice device(writer);  // the portrait page, as the chapters' text is laid out on it
    // The drawn text keeps the fonts of the thread that laid it out, and the writer embeds them
    // when the file is finished: the threads, with their fonts, stay until then.
    QThreadPool layingOut;
    layingOut.setExpiryTimeout(-1);
    const std::vector<ChapterCount> counts = countChapters(layingOut, device, book);
    std::vector<int> chapterPageCounts;
    for (const ChapterCount& count : counts) chapterPageCounts.push_back(count.pages);
    const PagedDocument summary(writer, qt(bookSummaryHtml(book)), nullptr);

    // The contents' length does not depend on its page numbers (one line per chapter, the number
    // in a column of its own); laid out again until the numbers it gives hold.
    std::vector<int> starts(book.chapters.size() + 1, 0);
    std::unique_ptr<PagedDocument> contents;
    for (int attempt = 0; attempt < 3; ++attempt) {
        contents = std::make_unique<PagedDocument>(writer, qt(bookContentsHtml(book, starts)), nullptr);
        const std::vector<int> now = startPages(cover.pageCount() + contents->pageCount(), chapterPageCounts);
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
    QThread* const painting = QThread::currentThread();
    madeInOrder(
        layingOut, book.chapters.size(),
        [&](std::size_t i) {
            PagedDocument laidOut = chapterPages(device, book, i, &counts[i].moves);
            laidOut.handTo(painting);
            return laidOut;
        },
        [&](std::size_t i, PagedDocument&& chapter) {
            chapter.settle();
            chapter.paint(painter, writer, runningHeadOf(book.chapters[i].report, book.project), starts[i], pages, true);
        });
    summary.paint(painter, writer, bookHead, starts.back(), pages, true);
    painter.end();
    return file.commit();
}

}  // namespace pylora
