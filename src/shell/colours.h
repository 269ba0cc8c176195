#pragma once
// The form's colours as the display shows them; system roles come from the palette.
#include <QColor>
#include <QPalette>

#include "model/colour.h"

namespace pylora {

inline QColor toQColor(const Colour& colour, const QPalette& palette) {
    switch (colour.role()) {
        case Colour::Role::WindowText: return palette.color(QPalette::WindowText);
        case Colour::Role::ButtonFace: return palette.color(QPalette::Button);
        case Colour::Role::Rgb: break;
    }
    return QColor(colour.red8(), colour.green8(), colour.blue8());
}

}  // namespace pylora
