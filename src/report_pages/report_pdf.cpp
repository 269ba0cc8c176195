// The PDF: the report's HTML laid out by QTextDocument on A4 pages with the running header and
// "第 x 页 共 y 页", formulas drawn with their text as text; then each sketch on a page of its own,
// turned sideways where it is wider than tall. A project book lays several such documents out
// one after another (book_pdf.cpp).
#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QCoreApplication>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgRenderer>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>
#include <QTextTable>
#include <QTextObjectInterface>
#include <algorithm>
#include <map>

#include "report_pages/formula_drawing.h"
#include "report_pages/page_layout.h"
#include "report_pages/report_pages.h"

namespace pylora {
namespace {

QString qt(const std::string& text) { return QString::fromStdString(text); }

constexpr int kDpi = 600;
double millimetres(double mm) { return mm / 25.4 * kDpi; }

// Without shaping Latin runs keep the font's plain glyphs: shaped, a digit after a letter
// ("XB-2026", "m2") may take an alternate glyph that no character maps to.
QFont reportFont(double points) {
    QFont font(reportFontFamily());
    font.setPointSizeF(points);
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

// Draws <img src="picture:ID">: a formula with its text as text (formula_drawing.h), any other
// picture (a chart) as the SVG drawing, vector paths and text on the PDF.
class PictureObjects : public QObject, public QTextObjectInterface {
    Q_OBJECT
    Q_INTERFACES(QTextObjectInterface)
public:
    PictureObjects(const Report& report, QObject* parent) : QObject(parent) {
        for (const ReportPicture* picture : reportPictures(report))
            svgs_[QStringLiteral("picture:") + qt(picture->id)] = QByteArray::fromStdString(picture->svg);
    }

    QSizeF intrinsicSize(QTextDocument* document, int, const QTextFormat& format) override {
        const QTextImageFormat image = format.toImageFormat();
        const QPaintDevice* device = document->documentLayout()->paintDevice();
        const double scale = device ? device->logicalDpiX() / 96.0 : 1.0;  // sizes are in 96-dpi pixels
        QSizeF size = QSizeF(image.width(), image.height()) * scale;
        const double room = document->pageSize().width();
        if (room > 0 && size.width() > room) size *= room / size.width();
        return size;
    }

    void drawObject(QPainter* painter, const QRectF& rect, QTextDocument*, int, const QTextFormat& format) override {
        const QString name = format.toImageFormat().name();
        const auto svg = svgs_.find(name);
        if (svg == svgs_.end()) return;
        auto formula = formulas_.find(name);
        if (formula == formulas_.end()) formula = formulas_.emplace(name, FormulaDrawing::readOnce(svg->second)).first;
        if (formula->second) formula->second->paint(*painter, rect);
        else QSvgRenderer(svg->second).render(painter, rect);
    }

private:
    std::map<QString, QByteArray> svgs_;
    std::map<QString, std::shared_ptr<const FormulaDrawing>> formulas_;  // read when first drawn
};

void setBreakBefore(const QTextBlock& block, bool broken, PageBreakMoves& moves) {
    QTextBlockFormat format = block.blockFormat();
    format.setPageBreakPolicy(broken ? QTextFormat::PageBreak_AlwaysBefore : QTextFormat::PageBreak_Auto);
    QTextCursor(block).setBlockFormat(format);
    moves.emplace_back(block.blockNumber(), broken);
}

// A heading, or a line that announces what follows ("代入数值：", "式中："), never stands alone
// at the foot of a page: where what follows it begins on the next page, it starts that page.
// Nor does a table show its heading row and one row alone there. The blocks to move are found on
// the whole laid-out document, and those of the first page that has any are moved together; the
// document is laid out again from there before the next look. A move pushes everything after it
// down, so a block found lower down in the same look may no longer stand at a page's foot: moved
// anyway, it left a page nearly empty in the middle of the report.
void keepWithNext(QTextDocument& document, PageBreakMoves& moves) {
    const double pageHeight = document.pageSize().height();
    QAbstractTextDocumentLayout* layout = document.documentLayout();
    // Where a block's first line stands: pagination pushes a line that does not fit down within
    // its block.
    const auto firstLine = [&](const QTextBlock& block) {
        const double top = layout->blockBoundingRect(block).top();
        return block.layout() && block.layout()->lineCount() > 0 ? top + block.layout()->lineAt(0).y() : top;
    };
    // A line pushed to the next page starts a hair above its edge (the layout's rounding).
    const auto pageOf = [&](double y) { return static_cast<int>((y + 1) / pageHeight); };
    // Each look settles at least one page, and a move never unsettles a page before it.
    for (int pass = 0; pass <= document.pageCount(); ++pass) {
        document.pageCount();  // the whole document laid out
        std::vector<std::pair<QTextBlock, QTextBlock>> leading;  // a block to move and what follows it
        for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
            const QString text = block.text().trimmed();
            const bool leads = block.blockFormat().headingLevel() > 0 || text.endsWith(QStringLiteral("："));
            if (!leads || text.isEmpty() || QTextCursor(block).currentTable()) continue;
            QTextBlock next = block.next();
            while (next.isValid() && next.text().trimmed().isEmpty() && next.length() <= 1) next = next.next();
            if (!next.isValid()) continue;
            const double here = firstLine(block);
            const int page = pageOf(here);
            if (here - page * pageHeight < pageHeight * 0.02 || pageOf(firstLine(next)) <= page) continue;
            leading.emplace_back(block, next);
        }
        // A table that a page break would split after its heading row or its first row starts the
        // next page with the heading above it.
        for (QTextFrame* frame : document.rootFrame()->childFrames()) {
            auto* table = qobject_cast<QTextTable*>(frame);
            if (!table || table->rows() < 2) continue;
            const auto rowPage = [&](int row) { return pageOf(firstLine(table->cellAt(row, 0).firstCursorPosition().block())); };
            const int first = rowPage(0);
            if (rowPage(1) == first && (table->rows() < 3 || rowPage(2) == first)) continue;
            QTextBlock above = document.findBlock(table->firstPosition()).previous();
            while (above.isValid() && above.text().trimmed().isEmpty()) above = above.previous();
            if (above.isValid() && above.blockFormat().headingLevel() > 0 && pageOf(firstLine(above)) == first)
                leading.emplace_back(above, QTextBlock());
        }
        if (leading.empty()) return;
        const auto pageOfMove = [&](const std::pair<QTextBlock, QTextBlock>& move) { return pageOf(firstLine(move.first)); };
        const int firstPage = pageOfMove(*std::min_element(leading.begin(), leading.end(), [&](const auto& a, const auto& b) {
            return pageOfMove(a) < pageOfMove(b);
        }));
        leading.erase(std::remove_if(leading.begin(), leading.end(), [&](const auto& move) { return pageOfMove(move) != firstPage; }),
                      leading.end());
        // Moved together in one edit: the layout follows each edit of the document, and a
        // chapter laid out again for every heading it moves was most of the time it took.
        QTextCursor edit(&document);
        edit.beginEditBlock();
        for (const auto& [block, followed] : leading) {
            setBreakBefore(block, true, moves);
            // What follows it, moved on an earlier look, now goes with it.
            if (followed.isValid() && followed.blockFormat().pageBreakPolicy() == QTextFormat::PageBreak_AlwaysBefore)
                setBreakBefore(followed, false, moves);
        }
        edit.endEditBlock();
    }
}

QRectF bodyOf(const QPageLayout& layout) {
    const QSizeF paper = layout.fullRectPixels(kDpi).size();
    // Wide on the left for binding; room above and below for the header and the page number.
    return QRectF(millimetres(25), millimetres(25), paper.width() - millimetres(40), paper.height() - millimetres(45));
}

void paintHeaderAndFooter(QPainter& painter, const QRectF& body, const RunningHead& head, int page, int pages) {
    if (!head.shown) return;
    painter.save();
    painter.setFont(reportFont(9));
    painter.setPen(Qt::black);
    const double line = millimetres(6);
    const QRectF header(body.left(), body.top() - millimetres(12), body.width(), line);
    painter.drawText(header, Qt::AlignLeft | Qt::AlignVCenter, head.title);
    QString projectText;
    if (!head.project.projectName.empty()) projectText += QStringLiteral("工程名称：") + qt(head.project.projectName);
    if (!head.project.projectNumber.empty())
        projectText += (projectText.isEmpty() ? QString() : QStringLiteral("    ")) + QStringLiteral("工程编号：") +
                       qt(head.project.projectNumber);
    painter.drawText(header, Qt::AlignRight | Qt::AlignVCenter, projectText);
    painter.setPen(QPen(Qt::black, millimetres(0.25)));
    painter.drawLine(QPointF(body.left(), header.bottom()), QPointF(body.right(), header.bottom()));
    const QRectF footer(body.left(), body.bottom() + millimetres(6), body.width(), line);
    painter.drawText(footer, Qt::AlignCenter, QStringLiteral("第 %1 页 共 %2 页").arg(page).arg(pages));
    painter.drawText(footer, Qt::AlignRight | Qt::AlignVCenter, head.program);
    painter.restore();
}

QPageLayout a4(QPageLayout::Orientation orientation) {
    QPageLayout layout(QPageSize(QPageSize::A4), orientation, QMarginsF());
    layout.setMode(QPageLayout::FullPageMode);  // the margins are laid out here, header and footer in them
    return layout;
}

}  // namespace

RunningHead runningHeadOf(const Report& report, const ProjectInfo& project) {
    return {qt(reportTitle(report)), project, qt(report.program + " " + report.version), true};
}

PagedDocument::PagedDocument(QPaintDevice& device, const QString& html, const Report* pictures, const PageBreakMoves* known)
    : document_(std::make_unique<QTextDocument>()), body_(bodyOf(a4(QPageLayout::Portrait))) {
    if (pictures) sketches_ = pictures->sketches;
    QTextDocument& document = *document_;
    document.documentLayout()->setPaintDevice(&device);
    if (pictures)
        document.documentLayout()->registerHandler(QTextFormat::ImageObject, new PictureObjects(*pictures, &document));
    // At the device's resolution from the start: the layout takes every run's font at that
    // resolution, and a font made anew for it looked its face up again for each run of text.
    document.setDefaultFont(QFont(reportFont(10), &device));
    document.setDocumentMargin(0);
    document.setPageSize(body_.size());
    document.setHtml(html);
    if (known) {
        QTextCursor edit(&document);
        edit.beginEditBlock();
        for (const auto& [number, broken] : *known) setBreakBefore(document.findBlockByNumber(number), broken, moves_);
        edit.endEditBlock();
    } else {
        keepWithNext(document, moves_);
    }
    // A picture stands on one line of its own, and pagination moves a line that does not fit
    // whole to the next page. Marking its paragraph unbreakable as well made the layout drop the
    // text of later paragraphs from the pages.
    textPages_ = document.pageCount();
}

PagedDocument::~PagedDocument() = default;
PagedDocument::PagedDocument(PagedDocument&&) noexcept = default;

const PageBreakMoves& PagedDocument::pageBreakMoves() const { return moves_; }

QTextBlock PagedDocument::firstBlock() const { return document_->begin(); }

void PagedDocument::handTo(QThread* painting) { document_->moveToThread(painting); }

// The layout's timers, handed over with it, join this thread, so that they are stopped here.
// Only the document's own calls: the desktop program's other queued work waits for its turn.
void PagedDocument::settle() {
    QCoreApplication::sendPostedEvents(document_.get(), QEvent::MetaCall);
    QCoreApplication::sendPostedEvents(document_->documentLayout(), QEvent::MetaCall);
}

int PagedDocument::pageCount() const { return textPages_ + static_cast<int>(sketches_.size()); }

void PagedDocument::paint(QPainter& painter, QPdfWriter& writer, const RunningHead& head, int firstPage, int pages,
                          bool newPageFirst) const {
    for (int page = 0; page < textPages_; ++page) {
        if (page > 0 || newPageFirst) {
            writer.setPageLayout(a4(QPageLayout::Portrait));
            writer.newPage();
        }
        painter.save();
        painter.translate(body_.left(), body_.top() - page * body_.height());
        const QRectF shown(0, page * body_.height(), body_.width(), body_.height());
        painter.setClipRect(shown);
        // Lines are drawn when they overlap the page; a line that pagination moved to the top of
        // the next page touches this page's bottom edge and would be drawn, clipped but present
        // as text, on both. A page a hair shorter keeps it off this one.
        document_->drawContents(&painter, shown.adjusted(0, 0, 0, -1));
        painter.restore();
        paintHeaderAndFooter(painter, body_, head, firstPage + page, pages);
    }
    int figure = 0;
    for (const ReportSketch& sketch : sketches_) {
        const QPageLayout layout = a4(sketch.landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
        writer.setPageLayout(layout);
        writer.newPage();
        const QRectF area = bodyOf(layout);
        painter.setFont(reportFont(12));
        const QRectF caption(area.left(), area.top(), area.width(), millimetres(10));
        painter.drawText(caption, Qt::AlignLeft | Qt::AlignVCenter,
                         QStringLiteral("附图%1　").arg(++figure) + qt(sketch.caption));
        QRectF drawing(area.left(), caption.bottom() + millimetres(4), area.width(),
                       area.width() * sketch.picture.height / std::max(1.0, sketch.picture.width));
        const double room = area.bottom() - drawing.top();
        if (drawing.height() > room) {  // as large as the page takes, the proportions kept
            drawing.setWidth(drawing.width() * room / drawing.height());
            drawing.setHeight(room);
        }
        QSvgRenderer(QByteArray::fromStdString(sketch.picture.svg)).render(&painter, drawing);
        paintHeaderAndFooter(painter, area, head, firstPage - 1 + textPages_ + figure, pages);
    }
}

void preparePdfWriter(QPdfWriter& writer, const QString& title, const QString& creator) {
    writer.setResolution(kDpi);
    writer.setPageLayout(a4(QPageLayout::Portrait));
    writer.setTitle(title);
    writer.setCreator(creator);
}

QString writeReportPdf(const Report& report, const ProjectInfo& project, const QString& path) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    preparePdfWriter(writer, qt(reportTitle(report)), qt(report.program + " " + report.version));
    const PagedDocument document(writer, qt(reportHtml(report, project, {PictureStyle::Reference, false})), &report);
    QPainter painter;
    if (!painter.begin(&writer)) return QStringLiteral("无法生成 PDF");
    document.paint(painter, writer, runningHeadOf(report, project), 1, document.pageCount(), false);
    painter.end();
    return writeReportBytes(buffer.data().toStdString(), path);
}

}  // namespace pylora

#include "report_pdf.moc"
