#include "shell/sketch_canvas.h"

#include <QPainter>
#include <QPainterPath>

#include "shell/colours.h"

namespace pylora {

namespace {
constexpr double kTwipsPerPixel = 15.0;
}

SketchCanvas::SketchCanvas(const Sketch& sketch, QWidget* parent) : QWidget(parent), sketch_(sketch) {
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    setPalette(p);
    // The picture area keeps the size of its frame at 15 twips a pixel; display scaling enlarges it.
    setFixedSize(sizeHint());
}

QSize SketchCanvas::sizeHint() const {
    return QSize(int(sketch_.width() / kTwipsPerPixel), int(sketch_.height() / kTwipsPerPixel));
}

void SketchCanvas::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(palette().color(QPalette::WindowText), 1));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    if (sketch_.width() <= 0 || sketch_.height() <= 0) return;
    // Twips to pixels with one scale for both axes, so angles look as drawn.
    const double scale = std::min(width() / sketch_.width(), height() / sketch_.height());
    auto at = [scale](double x, double y) { return QPointF(x * scale, y * scale); };
    const double pixelScale = scale * kTwipsPerPixel;

    for (const SketchLine& line : sketch_.lines()) {
        if (!line.visible) continue;
        QPen pen(toQColor(line.colour, palette()), std::max(1.0, line.width * pixelScale));
        pen.setCapStyle(Qt::FlatCap);
        painter.setPen(pen);
        painter.drawLine(at(line.x1, line.y1), at(line.x2, line.y2));
    }
    for (const SketchMarker& marker : sketch_.markers()) {
        if (!marker.visible) continue;
        painter.setPen(QPen(toQColor(marker.colour, palette()), 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(QRectF(at(marker.left, marker.top), at(marker.left + marker.width, marker.top + marker.height)));
    }
    QFont font = painter.font();
    font.setPointSizeF(std::max(6.0, font.pointSizeF() * pixelScale));
    painter.setFont(font);
    for (const SketchLabel& label : sketch_.labels()) {
        if (!label.visible || label.caption.empty()) continue;
        painter.setPen(toQColor(label.colour, palette()));
        const QPointF topLeft = at(label.left, label.top);
        painter.drawText(QRectF(topLeft, QSizeF(width(), height())), Qt::AlignLeft | Qt::AlignTop,
                         QString::fromStdString(label.caption));
    }
}

}  // namespace pylora
