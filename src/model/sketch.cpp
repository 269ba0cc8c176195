#include "model/sketch.h"

namespace pylora {
namespace {

template <typename Element>
Element& findOrAdd(std::vector<Element>& elements, std::unordered_map<std::string, std::size_t>& index,
                   const std::string& name) {
    const auto [it, added] = index.try_emplace(name, elements.size());
    if (added) {
        elements.push_back(Element{});
        elements.back().name = name;
    }
    return elements[it->second];
}

}  // namespace

SketchLine& Sketch::line(const std::string& name) { return findOrAdd(lines_, lineIndex_, name); }
SketchMarker& Sketch::marker(const std::string& name) { return findOrAdd(markers_, markerIndex_, name); }
SketchLabel& Sketch::label(const std::string& name) { return findOrAdd(labels_, labelIndex_, name); }

}  // namespace pylora
