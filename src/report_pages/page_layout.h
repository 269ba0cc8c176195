#pragma once
// The A4 page layout of the PDF, for one report and for a book of them: an HTML document laid
// out on portrait pages, then its sketches each on a page of its own; every page with the
// running header and "第 x 页 共 y 页" counted across the whole file.
#include <QRectF>
#include <QString>
#include <memory>
#include <utility>
#include <vector>

#include "documents/report.h"

class QPaintDevice;
class QPainter;
class QPdfWriter;
class QTextBlock;
class QTextDocument;
class QThread;

namespace pylora {

struct RunningHead {
    QString title;        // left of the header line
    ProjectInfo project;  // 工程名称 and 工程编号 right of it
    QString program;      // right of the page number
    bool shown = true;    // false: a page without header and footer (the cover)
};

RunningHead runningHeadOf(const Report& report, const ProjectInfo& project);

// The file's resolution, paper and properties.
void preparePdfWriter(QPdfWriter& writer, const QString& title, const QString& creator);

// The paragraphs the layout started on a new page so that a heading stays with what follows it,
// or set back, in the order done: block number, and whether a page break now stands before it.
using PageBreakMoves = std::vector<std::pair<int, bool>>;

class PagedDocument {
public:
    // `pictures`: the report whose formulas <img src="picture:ID"> draws and whose sketches
    // follow the text; none for a page of plain text. `known`: the moves an earlier layout of
    // the same text made, done again instead of looked for. `device`: the PDF writer, or its
    // measures (layout_device.h) where the text is laid out on another thread.
    PagedDocument(QPaintDevice& device, const QString& html, const Report* pictures, const PageBreakMoves* known = nullptr);
    ~PagedDocument();
    PagedDocument(PagedDocument&&) noexcept;

    int pageCount() const;
    const PageBreakMoves& pageBreakMoves() const;
    // The first paragraph as laid out: a book chapter's heading.
    QTextBlock firstBlock() const;
    // Laid out on a worker thread: handed to the thread that paints it (called on the worker),
    // then settled there (called on the painting thread) before it is painted.
    void handTo(QThread* painting);
    void settle();
    // Paints the pages as pages firstPage … of `pages`, beginning a new page first unless this
    // is the file's first page.
    void paint(QPainter& painter, QPdfWriter& writer, const RunningHead& head, int firstPage, int pages,
               bool newPageFirst) const;

private:
    std::unique_ptr<QTextDocument> document_;
    QRectF body_;
    int textPages_ = 0;
    PageBreakMoves moves_;
    std::vector<ReportSketch> sketches_;
};

}  // namespace pylora
