#include "shell/sketch_canvas.h"

#include <QPainter>
#include <QPainterPath>

#include "shell/colours.h"

namespace pylora {

namespace {
constexpr double kTwipsPerPixel = 15.0;

QColor greyed(const QColor& colour) {
    const int grey = 150 + qGray(colour.rgb()) * 90 / 255;  // darker colours stay a little darker
    return QColor(grey, grey, grey);
}

void paintSketchIn(QPainter& painter, const Sketch& sketch, const QRectF& area, const QPalette& palette,
                   bool grey);
}  // namespace

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

void SketchCanvas::setOutdated(const QString& note) {
    if (note == outdatedNote_) return;
    outdatedNote_ = note;
    setToolTip(note);
    update();
}

void SketchCanvas::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!isOutdated()) {
        paintSketch(painter, sketch_, QRectF(rect()), palette());
        return;
    }
    paintSketchGreyed(painter, sketch_, QRectF(rect()), palette());
    painter.setPen(QColor(0xd0, 0, 0));
    painter.drawText(QRectF(rect()).adjusted(6, 4, -6, -4), Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap,
                     outdatedNote_);
}

void paintSketch(QPainter& painter, const Sketch& sketch, const QRectF& area, const QPalette& palette) {
    paintSketchIn(painter, sketch, area, palette, false);
}

void paintSketchGreyed(QPainter& painter, const Sketch& sketch, const QRectF& area, const QPalette& palette) {
    paintSketchIn(painter, sketch, area, palette, true);
}

namespace {
void paintSketchIn(QPainter& painter, const Sketch& sketch, const QRectF& area, const QPalette& palette,
                   bool grey) {
    auto colourOf = [&](const Colour& colour) {
        const QColor c = toQColor(colour, palette);
        return grey ? greyed(c) : c;
    };
    painter.save();
    painter.translate(area.topLeft());
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(palette.color(QPalette::WindowText), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(0, 0, area.width() - 1, area.height() - 1));
    if (sketch.width() <= 0 || sketch.height() <= 0) {
        painter.restore();
        return;
    }
    // Twips to pixels with one scale for both axes, so angles look as drawn.
    const double scale = std::min(area.width() / sketch.width(), area.height() / sketch.height());
    auto at = [scale](double x, double y) { return QPointF(x * scale, y * scale); };
    const double pixelScale = scale * kTwipsPerPixel;

    for (const SketchLine& line : sketch.lines()) {
        if (!line.visible) continue;
        QPen pen(colourOf(line.colour), std::max(1.0, line.width * pixelScale));
        pen.setCapStyle(Qt::FlatCap);
        painter.setPen(pen);
        painter.drawLine(at(line.x1, line.y1), at(line.x2, line.y2));
    }
    for (const SketchMarker& marker : sketch.markers()) {
        if (!marker.visible) continue;
        painter.setPen(QPen(colourOf(marker.colour), 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(QRectF(at(marker.left, marker.top), at(marker.left + marker.width, marker.top + marker.height)));
    }
    // Captions shrink with the picture; a font's points are the same on every device, so the
    // scale is taken against the screen's 96 dots an inch.
    const double dpi = painter.device() ? painter.device()->logicalDpiY() : 96.0;
    QFont font = painter.font();
    font.setPointSizeF(std::max(6.0, font.pointSizeF() * pixelScale * 96.0 / dpi));
    painter.setFont(font);
    for (const SketchLabel& label : sketch.labels()) {
        if (!label.visible || label.caption.empty()) continue;
        painter.setPen(colourOf(label.colour));
        const QPointF topLeft = at(label.left, label.top);
        painter.drawText(QRectF(topLeft, area.size()), Qt::AlignLeft | Qt::AlignTop, QString::fromStdString(label.caption));
    }
    painter.restore();
}
}  // namespace

}  // namespace pylora
