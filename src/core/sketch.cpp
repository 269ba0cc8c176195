#include "core/sketch.h"

#include <algorithm>

namespace pylora {
namespace {

template <typename Element>
Element& findOrAdd(std::vector<Element>& elements, const std::string& name) {
    auto it = std::find_if(elements.begin(), elements.end(),
                           [&](const Element& e) { return e.name == name; });
    if (it != elements.end()) return *it;
    elements.push_back(Element{});
    elements.back().name = name;
    return elements.back();
}

}  // namespace

SketchLine& Sketch::line(const std::string& name) { return findOrAdd(lines_, name); }
SketchMarker& Sketch::marker(const std::string& name) { return findOrAdd(markers_, name); }
SketchLabel& Sketch::label(const std::string& name) { return findOrAdd(labels_, name); }

}  // namespace pylora
