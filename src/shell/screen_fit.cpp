#include "shell/screen_fit.h"

#include <QScreen>
#include <QWidget>

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

void fitToScreen(QWidget& window, QSize wanted) {
    const QScreen* screen = window.screen();
    if (!screen) {
        window.resize(wanted);
        return;
    }
    window.resize(openingSize(wanted, screen->availableGeometry().size()));
}

}  // namespace pylora
