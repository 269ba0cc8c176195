#pragma once
// Work made on worker threads and used on the calling thread in order: a book's chapters are laid
// out on the other cores while the one thread that owns the PDF writer draws the pages of the
// chapter before. No more than a few pieces are made ahead of their use, so memory stays that of a
// few chapters however long the book.
#include <QThreadPool>
#include <algorithm>
#include <cstddef>
#include <deque>
#include <future>
#include <memory>

namespace pylora {

// Calls use(i, make(i)) for i = 0 … count-1 in that order, make running on the pool's threads.
// What make throws is thrown here when its piece's turn comes; the work begun is waited for
// before this returns or throws. The pool's threads are left running, for the caller to end.
template <typename Make, typename Use>
void madeInOrder(QThreadPool& pool, std::size_t count, const Make& make, const Use& use) {
    using Piece = decltype(make(std::size_t{0}));
    const std::size_t ahead = 2 * static_cast<std::size_t>(std::max(1, pool.maxThreadCount()));
    std::deque<std::future<Piece>> pending;
    struct WaitForWork {  // before pending and make are gone
        std::deque<std::future<Piece>>& pending;
        ~WaitForWork() {
            for (const auto& piece : pending) piece.wait();
        }
    } waitForWork{pending};
    std::size_t started = 0;
    for (std::size_t i = 0; i < count; ++i) {
        for (; started < count && started < i + ahead; ++started) {
            auto task = std::make_shared<std::packaged_task<Piece()>>([&make, started] { return make(started); });
            pending.push_back(task->get_future());
            pool.start([task] { (*task)(); });
        }
        Piece piece = pending.front().get();
        pending.pop_front();
        use(i, std::move(piece));
    }
}

}  // namespace pylora
