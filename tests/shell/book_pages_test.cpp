// A project book's PDF pages: the count of each chapter's pages, from which the contents and
// "第 x 页 共 y 页" are made, is the count the chapter's own layout gives, whether the chapter was
// laid out to count it or took the count of an earlier chapter of the same text.
#include <QBuffer>
#include <QPdfWriter>
#include <QTest>
#include <QThreadPool>

#include "documents/book_document.h"
#include "files/case_file.h"
#include "files/project_book.h"
#include "gui_test_main.h"
#include "model/window_registry.h"
#include "report_pages/book_chapters.h"
#include "report_pages/layout_device.h"
#include "test_services.h"

using namespace pylora;

namespace {

// The title long enough that its chapter's heading takes several lines, short enough for a book.
std::string longTitle() {
    std::string title;
    for (int i = 0; i < 12; ++i) title += "西气东输三线管道公路穿越";
    return title;
}

}  // namespace

class BookPagesTest : public QObject {
    Q_OBJECT
private slots:
    // One calculation bound under several titles: the short ones share a count, the one whose
    // heading runs over several lines is counted as it lays out.
    void everyChapterCountsAsItLaysOutAlone() {
        CalcForm window(*findWindow("公路穿越强度校核"), testServices());
        window.press(window.definition().defaultRunButton());
        ProjectBook project;
        project.title = "公路穿越计算书";
        for (const std::string& title : {std::string("K12+300 公路穿越"), std::string("K15+020 公路穿越"), longTitle(),
                                         std::string("K18+800 公路穿越")})
            project.chapters.push_back({title, captureCase(window)});
        const BookDocument book = buildBookDocument(project, testServices(), "2026年12月11日");

        QBuffer file;
        file.open(QIODevice::WriteOnly);
        QPdfWriter writer(&file);
        preparePdfWriter(writer, QStringLiteral("公路穿越计算书"), QStringLiteral("Pylora"));
        LayoutDevice device(writer);
        QThreadPool pool;
        const std::vector<ChapterCount> counts = countChapters(pool, device, book);
        QCOMPARE(counts.size(), book.chapters.size());
        std::vector<ChapterCount> alone;
        for (std::size_t i = 0; i < book.chapters.size(); ++i) {
            const PagedDocument laidOut = chapterPages(device, book, i);
            alone.push_back({laidOut.pageCount(), laidOut.pageBreakMoves()});
            QCOMPARE(counts[i].pages, alone[i].pages);
            QCOMPARE(counts[i].moves, alone[i].moves);
        }
        // The long heading does move the chapter's pages: taking the short ones' count would be wrong.
        QVERIFY(alone[2].pages != alone[0].pages || alone[2].moves != alone[0].moves);
        QCOMPARE(alone[1].moves, alone[0].moves);
    }
};

PYLORA_GUI_TEST_MAIN(BookPagesTest)
#include "book_pages_test.moc"
