#include "model/colour.h"

#include <cstdio>

namespace pylora {

std::string Colour::name() const {
    switch (role_) {
        case Role::WindowText: return "windowtext";
        case Role::ButtonFace: return "buttonface";
        case Role::Rgb: break;
    }
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", r_, g_, b_);
    return text;
}

}  // namespace pylora
