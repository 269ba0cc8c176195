#include "shell/screen_fit.h"

namespace pylora {

ContentSizedScrollArea::ContentSizedScrollArea() {
    setWidgetResizable(true);
    setFrameShape(QFrame::NoFrame);
}

QSize ContentSizedScrollArea::sizeHint() const {
    const QSize content = widget() ? widget()->sizeHint() : QSize();
    return content + QSize(2 * frameWidth(), 2 * frameWidth());
}

QSize openingSize(QSize wanted, QSize available) {
    return wanted.boundedTo(available - kWindowDecoration);
}

}  // namespace pylora
