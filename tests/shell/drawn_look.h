#pragma once
// What the engineer sees of a field, read from the field as drawn: the colour of its frame and
// how dark its text is.
#include <QColor>
#include <QImage>
#include <QPixmap>
#include <QWidget>

// The colour of the frame's left edge, halfway down.
inline QColor frameColour(QWidget* field) {
    const QImage drawn = field->grab().toImage();
    return drawn.pixelColor(0, drawn.height() / 2);
}

// The darkest pixel inside the frame: the core of the text's strokes, in the text's colour.
// Black text reads near grey level 0, a stale result's grey text near 128.
inline QColor ink(QWidget* field) {
    const QImage drawn = field->grab().toImage();
    QRgb darkest = qRgb(255, 255, 255);
    for (int y = 3; y < drawn.height() - 3; ++y)
        for (int x = 3; x < drawn.width() - 3; ++x)
            if (qGray(drawn.pixel(x, y)) < qGray(darkest)) darkest = drawn.pixel(x, y);
    return QColor(darkest);
}
