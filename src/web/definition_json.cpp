#include "web/definition_json.h"

#include "cli/json_output.h"
#include "documents/report.h"
#include "model/calc_form.h"
#include "model/menu.h"

namespace pylora::web {
namespace {

nlohmann::json placeJson(const GridPlace& place) {
    return {{"row", place.row}, {"column", place.column}, {"rows", place.rowSpan}, {"columns", place.columnSpan}};
}

const char* frameRoleName(FrameRole role) {
    switch (role) {
        case FrameRole::Formula: return "formula";
        case FrameRole::Input: return "input";
        case FrameRole::Options: return "options";
        case FrameRole::Results: return "results";
        case FrameRole::Plain: break;
    }
    return "plain";
}

const char* styleName(LabelStyle style) {
    switch (style) {
        case LabelStyle::Title: return "title";
        case LabelStyle::Note: return "note";
        case LabelStyle::Plain: break;
    }
    return "plain";
}

const char* placementName(LabelPlacement placement) {
    switch (placement) {
        case LabelPlacement::Above: return "above";
        case LabelPlacement::Right: return "right";
        case LabelPlacement::Left: break;
    }
    return "left";
}

// Every control in definition order, static captions included (the runner leaves them out:
// nobody writes them, but the window shows them).
nlohmann::json layoutJson(const FormDefinition& definition, const std::map<std::string, int>& lengths) {
    nlohmann::json controls = nlohmann::json::array();
    for (const ControlDef& c : definition.controls()) {
        nlohmann::json entry{{"name", c.name},
                             {"place", placeJson(c.place)},
                             {"frame", c.frame},
                             {"style", styleName(c.style)}};
        if (!c.label.empty()) {
            entry["label"] = c.label;
            entry["label_placement"] = placementName(c.labelPlacement);
        }
        if (c.widthChars > 0) entry["width_chars"] = c.widthChars;
        if (auto length = lengths.find(c.name); length != lengths.end()) entry["expected_length"] = length->second;
        if (c.readOnly) entry["read_only"] = true;
        if (!c.keys.empty()) entry["keys"] = c.keys;
        if (c.kind == ControlKind::OptionButton) entry["group"] = c.group;
        if (c.kind == ControlKind::Label) entry["text"] = c.text;
        if (c.kind == ControlKind::Picture) entry["content"] = c.text;
        if (c.kind == ControlKind::Sketch)
            if (const Sketch* sketch = definition.initialSketch(c.name)) entry["sketch"] = sketchSvg(*sketch, 640);
        controls.push_back(entry);
    }
    return controls;
}

nlohmann::json menuItemsJson(const std::vector<MenuItem>& items) {
    nlohmann::json list = nlohmann::json::array();
    for (const MenuItem& item : items) {
        nlohmann::json entry{{"name", item.name}, {"caption", item.caption}, {"action", actionText(item)}};
        if (!item.target.empty()) entry["target"] = item.target;
        if (!item.children.empty()) entry["children"] = menuItemsJson(item.children);
        list.push_back(entry);
    }
    return list;
}

}  // namespace

nlohmann::json definitionJson(const FormDefinition& definition, const Services& services) {
    nlohmann::json json = describeJson(definition);
    nlohmann::json frames = nlohmann::json::array();
    for (const FrameDef& f : definition.frames())
        frames.push_back({{"name", f.name}, {"caption", f.caption}, {"role", frameRoleName(f.role)},
                          {"place", placeJson(f.place)}, {"parent", f.parent}});
    json["frames"] = frames;
    json["layout"] = layoutJson(definition, expectedTextLengths(definition, services));
    json["default_run"] = definition.defaultRunButton();
    json["successive_steps"] = definition.hasSuccessiveSteps();
    json["reads_ground_file"] = definition.usesGroundDataFile();
    json["draws_profile"] = definition.hasProfile();
    return json;
}

nlohmann::json menuJson() { return menuItemsJson(menuTree()); }

}  // namespace pylora::web
