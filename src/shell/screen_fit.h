#pragma once
// Windows that fit the engineer's screen: a body that scrolls only when the screen is smaller
// than the window's content, and an opening size never larger than the screen's free area.
#include <QScrollArea>
#include <QSize>

class QWidget;

namespace pylora {

// A scroll area that asks for the whole size of what it holds (a plain one caps its wish at a
// few dozen lines), so a window that fits opens without scroll bars.
class ContentSizedScrollArea : public QScrollArea {
public:
    ContentSizedScrollArea();
    QSize sizeHint() const override;
};

// What the window manager adds around a window's client area: frame and title bar.
inline constexpr QSize kWindowDecoration{12, 36};

// The client size a window opens at: the size it asks for, bounded by the free area of the
// screen (less the window's own decoration).
QSize openingSize(QSize wanted, QSize available);

// Sizes a dialog or panel at `wanted`, bounded as a window is by the free area of its screen.
void fitToScreen(QWidget& window, QSize wanted);

}  // namespace pylora
