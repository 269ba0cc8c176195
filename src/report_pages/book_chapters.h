#pragma once
// A project book's chapters on the PDF's pages: each chapter laid out, and the count of every
// chapter's pages that the contents and the page numbers are made from.
#include <QString>
#include <cstddef>
#include <vector>

#include "documents/book_document.h"
#include "report_pages/page_layout.h"

class QPaintDevice;
class QThreadPool;

namespace pylora {

struct ChapterCount {
    int pages = 0;
    PageBreakMoves moves;  // what the count found, a few numbers a chapter
};

// The chapter's report under its heading, laid out on `device`; `known` as PagedDocument takes it.
PagedDocument chapterPages(QPaintDevice& device, const BookDocument& book, std::size_t index,
                           const PageBreakMoves* known = nullptr);

// Every chapter's count, the chapters laid out on the pool's threads. A chapter whose report
// reads the same to the letter as an earlier one's (one case bound under several titles), and
// whose heading takes one line of the same height, lays out as that one does: it takes its count
// without being laid out.
std::vector<ChapterCount> countChapters(QThreadPool& pool, QPaintDevice& device, const BookDocument& book);

}  // namespace pylora
