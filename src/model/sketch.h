#pragma once
// A profile sketch as the run computes it: lines, small circle markers and captions placed in
// twips inside a fixed picture area. The display only paints what is visible, scaled to fit.
#include <string>
#include <unordered_map>
#include <vector>

#include "model/colour.h"

namespace pylora {

struct SketchLine {
    std::string name;  // "Line9(3)"
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    Colour colour = Colour::windowText();
    int width = 1;     // in pixels, as the line controls take it
    bool visible = true;
};

struct SketchMarker {
    std::string name;  // "Shape1(0)"
    double left = 0, top = 0;
    double width = 120, height = 120;  // a small circle
    Colour colour = Colour::windowText();
    bool visible = true;
};

struct SketchLabel {
    std::string name;  // "Label33"
    double left = 0, top = 0;
    std::string caption;
    Colour colour = Colour::windowText();
    bool visible = true;
};

class Sketch {
public:
    Sketch() = default;
    Sketch(double width, double height) : width_(width), height_(height) {}

    double width() const { return width_; }    // twips
    double height() const { return height_; }  // twips

    // Named elements: the first call with a name adds the element, later calls return it.
    SketchLine& line(const std::string& name);
    SketchMarker& marker(const std::string& name);
    SketchLabel& label(const std::string& name);

    const std::vector<SketchLine>& lines() const { return lines_; }
    const std::vector<SketchMarker>& markers() const { return markers_; }
    const std::vector<SketchLabel>& labels() const { return labels_; }

private:
    double width_ = 0, height_ = 0;
    std::vector<SketchLine> lines_;
    std::vector<SketchMarker> markers_;
    std::vector<SketchLabel> labels_;
    // Positions by name, so that a run placing hundreds of segments finds each at once.
    std::unordered_map<std::string, std::size_t> lineIndex_, markerIndex_, labelIndex_;
};

}  // namespace pylora
