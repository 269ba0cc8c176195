#include "shell/formula_picture_view.h"

#include <QHash>
#include <QPaintEngine>
#include <QPainter>
#include <QPixmap>
#include <QPixmapCache>
#include <QSvgRenderer>

namespace pylora {
namespace {

// The size a picture asks for, as a QSvgWidget would: its own, else Qt's default.
QSize drawnSize(const QByteArray& svg) {
    static QHash<QByteArray, QSize> sizes;  // plain values: safe to outlive the application
    auto it = sizes.find(svg);
    if (it == sizes.end()) {
        const QSvgRenderer renderer(svg);
        it = sizes.insert(svg, renderer.isValid() ? renderer.defaultSize() : QSize(128, 64));
    }
    return *it;
}

}  // namespace

FormulaPictureView::FormulaPictureView(const std::string& svg)
    : svg_(QByteArray::fromStdString(svg)), cacheKey_(QString::fromUtf8(svg_)) {
    setFixedSize(drawnSize(svg_));
}

void FormulaPictureView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (painter.paintEngine()->type() != QPaintEngine::Raster) {  // a page being recorded or printed
        QSvgRenderer(svg_).render(&painter, rect());
        return;
    }
    const qreal ratio = devicePixelRatioF();
    const QString key = QStringLiteral("formula@%1:").arg(ratio) + cacheKey_;  // the picture at this density
    QPixmap drawn;
    if (!QPixmapCache::find(key, &drawn)) {
        drawn = QPixmap(size() * ratio);
        drawn.setDevicePixelRatio(ratio);
        drawn.fill(Qt::transparent);
        QPainter onBitmap(&drawn);
        QSvgRenderer(svg_).render(&onBitmap, QRectF(QPointF(), size()));
        onBitmap.end();
        QPixmapCache::insert(key, drawn);
    }
    painter.drawPixmap(0, 0, drawn);
}

}  // namespace pylora
