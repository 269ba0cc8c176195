#include "model/formula_picture.h"

#include <algorithm>

#include "model/decimal_text.h"
#include "model/text.h"

namespace pylora::formula {
namespace {

// The extent of a laid-out piece around its baseline, in pixels.
struct Box {
    double width = 0;
    double ascent = 0;
    double descent = 0;
};

enum class Shift { None, Sub, Super };

struct Run {
    std::string text;
    Shift shift = Shift::None;
};

// Splits "f_1 = K^{2}" into runs on the baseline, lowered and raised.
std::vector<Run> splitRuns(const std::string& markup) {
    std::vector<Run> runs;
    std::size_t i = 0;
    while (i < markup.size()) {
        const char c = markup[i];
        if ((c == '_' || c == '^') && i + 1 < markup.size()) {
            const Shift shift = c == '_' ? Shift::Sub : Shift::Super;
            std::size_t begin = i + 1, end;
            if (markup[begin] == '{') {
                end = markup.find('}', begin);
                if (end == std::string::npos) end = markup.size();
                runs.push_back({markup.substr(begin + 1, end - begin - 1), shift});
                i = std::min(end + 1, markup.size());
            } else {
                end = characterEnd(markup, begin);
                runs.push_back({markup.substr(begin, end - begin), shift});
                i = end;
            }
            continue;
        }
        const std::size_t end = characterEnd(markup, i);
        if (runs.empty() || runs.back().shift != Shift::None) runs.push_back({});
        runs.back().text += markup.substr(i, end - i);
        i = end;
    }
    return runs;
}

// The advance of a glyph in ems, taken from the wider of the usual serif fonts, so that runs
// placed one after another never overlap.
double glyphWidth(char32_t c) {
    if (c >= 0x2E80) return 1.0;
    if (c == ' ' || c == '.' || c == ',' || c == U'·' || c == ':') return 0.34;
    if (c == '(' || c == ')' || c == '[' || c == ']' || c == '/') return 0.42;
    if (c == 'i' || c == 'j' || c == 'l' || c == 't' || c == 'f' || c == 'r') return 0.42;
    if (c == 'm' || c == 'w') return 0.95;
    if (c == 'M' || c == 'W') return 1.0;
    if (c >= '0' && c <= '9') return 0.64;
    if (c >= 'a' && c <= 'z') return 0.62;
    if (c >= 'A' && c <= 'Z') return 0.76;
    if (c == '=' || c == '+' || c == '-' || c == U'−' || c == U'×' || c == U'≤' || c == '<' || c == '>')
        return 0.84;
    return 0.66;
}

double textWidth(const std::string& s, double size) {
    double width = 0;
    for (std::size_t i = 0; i < s.size();) width += glyphWidth(decodeCharacter(s, i));
    return width * size;
}

std::string escaped(const std::string& s) {
    std::string out;
    for (char c : s) {
        if (c == '<') out += "&lt;";
        else if (c == '>') out += "&gt;";
        else if (c == '&') out += "&amp;";
        else out += c;
    }
    return out;
}

std::string number(double v) {
    char buffer[32];
    printFixed(buffer, sizeof buffer, 1, v);
    return buffer;
}

constexpr double kScriptScale = 0.7;

class Layout {
public:
    explicit Layout(double size) : size_(size) {}

    Box measure(const Piece& p) const {
        switch (p.kind) {
            case Piece::Kind::Text: {
                Box box{0, 0.72 * size_, 0.24 * size_};
                double subscript = 0;  // a raised run right after a lowered one stands above it
                for (const Run& run : splitRuns(p.text)) {
                    const bool script = run.shift != Shift::None;
                    const double width = textWidth(run.text, script ? kScriptScale * size_ : size_);
                    box.width += run.shift == Shift::Super ? std::max(0.0, width - subscript) : width;
                    subscript = run.shift == Shift::Sub ? width : 0;
                    if (run.shift == Shift::Super) box.ascent = std::max(box.ascent, 1.0 * size_);
                    if (run.shift == Shift::Sub) box.descent = std::max(box.descent, 0.42 * size_);
                }
                return box;
            }
            case Piece::Kind::Fraction: {
                const Box n = measure(p.parts[0]), d = measure(p.parts[1]);
                return {std::max(n.width, d.width) + 0.3 * size_, axis() + gap() + n.ascent + n.descent,
                        d.ascent + d.descent + gap() - axis()};
            }
            case Piece::Kind::Root: {
                const Box r = measure(p.parts[0]);
                return {r.width + 0.75 * size_, r.ascent + 0.2 * size_, r.descent + 0.06 * size_};
            }
            case Piece::Kind::Script: {
                const Box b = measure(p.parts[0]), e = scripted(p.parts[1]);
                const double over = trailingSubscript(p.parts[0]);
                return {b.width + std::max(0.0, e.width + 0.04 * size_ - over), std::max(b.ascent, raise(b) + e.ascent),
                        b.descent};
            }
            case Piece::Kind::Paren: {
                const Box b = measure(p.parts[0]);
                return {b.width + 2 * bracketWidth(b), b.ascent + 0.04 * size_, b.descent + 0.04 * size_};
            }
            case Piece::Kind::Row: {
                Box box;
                for (const Piece& part : p.parts) {
                    const Box b = measure(part);
                    box.width += b.width;
                    box.ascent = std::max(box.ascent, b.ascent);
                    box.descent = std::max(box.descent, b.descent);
                }
                return box;
            }
        }
        return {};
    }

    // Draws the piece with its left end at x and its baseline at y.
    void draw(const Piece& p, double x, double y, std::string& out) const {
        switch (p.kind) {
            case Piece::Kind::Text: {
                double subscript = 0;  // a raised run right after a lowered one stands above it
                for (const Run& run : splitRuns(p.text)) {
                    const bool script = run.shift != Shift::None;
                    const double size = script ? kScriptScale * size_ : size_;
                    const double stackedOver = run.shift == Shift::Super ? subscript : 0;
                    subscript = run.shift == Shift::Sub ? textWidth(run.text, size) : 0;
                    x -= stackedOver;
                    const double dy = run.shift == Shift::Sub ? 0.3 * size_ : run.shift == Shift::Super ? -0.42 * size_ : 0;
                    // Blanks at either end of a run only move the pen: renderers differ in how they
                    // keep them. Every run states its size: an exponent is drawn by a smaller layout.
                    const auto first = run.text.find_first_not_of(' ');
                    if (first == std::string::npos) {
                        x += textWidth(run.text, size);
                        continue;
                    }
                    const auto last = run.text.find_last_not_of(' ');
                    const std::string ink = run.text.substr(first, last - first + 1);
                    x += textWidth(run.text.substr(0, first), size);
                    out += "<text x=\"" + number(x) + "\" y=\"" + number(y + dy) + "\" font-size=\"" +
                           number(size) + "\">" + escaped(ink) + "</text>\n";
                    x += textWidth(run.text.substr(first), size);
                    if (stackedOver > textWidth(run.text, size)) x += stackedOver - textWidth(run.text, size);
                }
                return;
            }
            case Piece::Kind::Fraction: {
                const Box box = measure(p), n = measure(p.parts[0]), d = measure(p.parts[1]);
                const double bar = y - axis();
                out += "<line x1=\"" + number(x + 0.05 * size_) + "\" y1=\"" + number(bar) + "\" x2=\"" +
                       number(x + box.width - 0.05 * size_) + "\" y2=\"" + number(bar) +
                       "\" stroke=\"black\" stroke-width=\"1.2\"/>\n";
                draw(p.parts[0], x + (box.width - n.width) / 2, bar - gap() - n.descent, out);
                draw(p.parts[1], x + (box.width - d.width) / 2, bar + gap() + d.ascent, out);
                return;
            }
            case Piece::Kind::Root: {
                const Box box = measure(p), r = measure(p.parts[0]);
                const double top = y - box.ascent + 0.04 * size_, bottom = y + r.descent;
                const double mid = bottom - 0.4 * (bottom - top);
                out += "<polyline fill=\"none\" stroke=\"black\" stroke-width=\"1.2\" points=\"" + number(x + 0.05 * size_) +
                       "," + number(mid + 0.06 * size_) + " " + number(x + 0.17 * size_) + "," + number(mid) + " " +
                       number(x + 0.34 * size_) + "," + number(bottom) + " " + number(x + 0.58 * size_) + "," +
                       number(top) + " " + number(x + box.width - 0.05 * size_) + "," + number(top) + "\"/>\n";
                draw(p.parts[0], x + 0.65 * size_, y, out);
                return;
            }
            case Piece::Kind::Script: {
                const Box b = measure(p.parts[0]);
                const double over = trailingSubscript(p.parts[0]);
                draw(p.parts[0], x, y, out);
                Layout(kScriptScale * size_).draw(p.parts[1], x + b.width + (over > 0 ? -over : 0.04 * size_), y - raise(b), out);
                return;
            }
            case Piece::Kind::Paren: {
                const Box b = measure(p.parts[0]);
                const double w = bracketWidth(b);
                drawBracket(x, y, b, false, out);
                draw(p.parts[0], x + w, y, out);
                drawBracket(x + w + b.width, y, b, true, out);
                return;
            }
            case Piece::Kind::Row:
                for (const Piece& part : p.parts) {
                    draw(part, x, y, out);
                    x += measure(part).width;
                }
                return;
        }
    }

private:
    // The width of the lowered run a text ends with (P_1): an exponent stands above it, P₁².
    double trailingSubscript(const Piece& base) const {
        if (base.kind != Piece::Kind::Text) return 0;
        const auto runs = splitRuns(base.text);
        if (runs.empty() || runs.back().shift != Shift::Sub) return 0;
        return textWidth(runs.back().text, kScriptScale * size_);
    }

    // An exponent is set smaller, its baseline raised so that it clears the top of a plain
    // base and sits beside the upper half of a tall one (a fraction, a root).
    Box scripted(const Piece& exponent) const { return Layout(kScriptScale * size_).measure(exponent); }
    double raise(const Box& base) const { return std::max(0.42 * size_, base.ascent - 0.45 * size_); }

    // Brackets around a piece of text height are the font's own; around a taller piece they
    // are drawn as arcs spanning it.
    bool tall(const Box& b) const { return b.ascent > 0.8 * size_ || b.descent > 0.3 * size_; }
    double bracketWidth(const Box& b) const { return tall(b) ? 0.36 * size_ : textWidth("(", size_); }
    void drawBracket(double x, double y, const Box& b, bool closing, std::string& out) const {
        if (!tall(b)) {
            out += "<text x=\"" + number(x) + "\" y=\"" + number(y) + "\" font-style=\"normal\">" +
                   (closing ? ")" : "(") + "</text>\n";
            return;
        }
        const double top = y - b.ascent, bottom = y + b.descent;
        const double outer = closing ? x + 0.26 * size_ : x + 0.1 * size_;
        const double inner = closing ? x + 0.06 * size_ : x + 0.3 * size_;
        out += "<path fill=\"none\" stroke=\"black\" stroke-width=\"1.1\" d=\"M" + number(inner) + "," + number(top) +
               " Q" + number(outer) + "," + number((top + bottom) / 2) + " " + number(inner) + "," + number(bottom) +
               "\"/>\n";
    }

    double axis() const { return 0.3 * size_; }  // the fraction bar's height above the baseline
    double gap() const { return 0.14 * size_; }
    double size_;
};

}  // namespace

Piece text(std::string markup) { return {Piece::Kind::Text, std::move(markup), {}}; }
Piece fraction(Piece numerator, Piece denominator) {
    return {Piece::Kind::Fraction, {}, {std::move(numerator), std::move(denominator)}};
}
Piece root(Piece radicand) { return {Piece::Kind::Root, {}, {std::move(radicand)}}; }
Piece row(std::vector<Piece> parts) { return {Piece::Kind::Row, {}, std::move(parts)}; }
Piece script(Piece base, Piece exponent) { return {Piece::Kind::Script, {}, {std::move(base), std::move(exponent)}}; }
Piece paren(Piece inside) { return {Piece::Kind::Paren, {}, {std::move(inside)}}; }

std::string picture(const std::vector<Piece>& lines, double fontSize) {
    const Layout layout(fontSize);
    const double margin = 0.4 * fontSize, lineGap = 0.5 * fontSize;
    std::string body;
    double width = 0, y = margin;
    for (const Piece& line : lines) {
        const Box box = layout.measure(line);
        layout.draw(line, margin, y + box.ascent, body);
        y += box.ascent + box.descent + lineGap;
        width = std::max(width, box.width);
    }
    const std::string w = number(width + 2 * margin), h = number(y - lineGap + margin);
    return "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + w + "\" height=\"" + h + "\" viewBox=\"0 0 " + w +
           " " + h + "\">\n<g font-family=\"serif\" font-size=\"" + number(fontSize) +
           "\" font-style=\"italic\" fill=\"black\">\n" + body + "</g></svg>";
}

}  // namespace pylora::formula
