#pragma once
// Colours of fields, texts and sketch lines. Besides plain RGB values a colour can name a
// system role (the window-text colour), which the display resolves from its palette.
#include <cstdint>
#include <string>

namespace pylora {

class Colour {
public:
    enum class Role : std::uint8_t { Rgb, WindowText, ButtonFace };

    static constexpr Colour rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
        return Colour(Role::Rgb, r, g, b);
    }
    // A colour value as the engineer's tables write it, &HBBGGRR (&HFFFF80 is red 128).
    static constexpr Colour fromBgr(std::uint32_t bgr) {
        return rgb(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
    }
    static constexpr Colour windowText() { return Colour(Role::WindowText, 0, 0, 0); }
    static constexpr Colour buttonFace() { return Colour(Role::ButtonFace, 0xF0, 0xF0, 0xF0); }

    static constexpr Colour white() { return rgb(255, 255, 255); }
    static constexpr Colour red() { return rgb(255, 0, 0); }
    static constexpr Colour lightYellow() { return rgb(255, 255, 192); }  // fields a step wrote

    Role role() const { return role_; }
    std::uint8_t red8() const { return r_; }
    std::uint8_t green8() const { return g_; }
    std::uint8_t blue8() const { return b_; }

    // "#rrggbb", or the role's name ("windowtext", "buttonface").
    std::string name() const;

    friend bool operator==(const Colour&, const Colour&) = default;

private:
    constexpr Colour(Role role, std::uint8_t r, std::uint8_t g, std::uint8_t b)
        : role_(role), r_(r), g_(g), b_(b) {}
    Role role_;
    std::uint8_t r_, g_, b_;
};

}  // namespace pylora
