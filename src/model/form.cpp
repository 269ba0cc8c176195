#include "model/form.h"

#include <algorithm>
#include <stdexcept>

namespace pylora {

Form::Form(const FormDefinition& definition) : definition_(&definition) {
    for (const ControlDef& c : definition.controls()) {
        index_[c.name] = controls_.size();
        controls_.push_back(ControlState{c.name, c.kind, c.text, c.background, c.foreground, c.visible,
                                         c.checked, c.items, c.selectedItem});
        if (c.kind == ControlKind::OptionButton) optionGroups_[c.name] = c.group;
        if (c.kind == ControlKind::Sketch) {
            const Sketch* initial = definition.initialSketch(c.name);
            sketches_[c.name] = initial ? *initial : Sketch();
        }
    }
}

bool Form::has(const std::string& name) const { return index_.count(name) != 0; }

const ControlState& Form::control(const std::string& name) const {
    auto it = index_.find(name);
    if (it == index_.end())
        throw std::out_of_range(definition_->formName() + " has no control " + name);
    return controls_[it->second];
}

ControlState& Form::mutableControl(const std::string& name) {
    return const_cast<ControlState&>(control(name));
}

void Form::setText(const std::string& name, std::string text) {
    mutableControl(name).text = std::move(text);
    if (std::find(written_.begin(), written_.end(), name) == written_.end()) written_.push_back(name);
}

void Form::noteRead(const std::string& name) const {
    if (std::find(read_.begin(), read_.end(), name) == read_.end()) read_.push_back(name);
}

void Form::type(const std::string& name, std::string text) { mutableControl(name).text = std::move(text); }

void Form::setBackground(const std::string& name, Colour colour) { mutableControl(name).background = colour; }
void Form::setForeground(const std::string& name, Colour colour) { mutableControl(name).foreground = colour; }
void Form::setVisible(const std::string& name, bool visible) { mutableControl(name).visible = visible; }

void Form::setChecked(const std::string& name, bool checked) {
    if (control(name).kind == ControlKind::OptionButton && checked) {
        select(name);
        return;
    }
    mutableControl(name).checked = checked;
}

void Form::select(const std::string& option) {
    if (control(option).kind != ControlKind::OptionButton)
        throw std::invalid_argument(option + " is not an option button");
    const std::string& group = optionGroups_.at(option);
    for (const auto& [name, g] : optionGroups_)
        if (g == group) mutableControl(name).checked = false;
    mutableControl(option).checked = true;
}

std::optional<std::string> Form::selectedOption(const std::string& group) const {
    for (const ControlState& c : controls_)
        if (c.kind == ControlKind::OptionButton && c.checked && optionGroups_.at(c.name) == group)
            return c.name;
    return std::nullopt;
}

void Form::setSelectedIndex(const std::string& list, int index) {
    ControlState& c = mutableControl(list);
    if (index < -1 || index >= static_cast<int>(c.items.size()))
        throw std::out_of_range(list + " has no item " + std::to_string(index));
    c.selectedIndex = index;
}

bool Form::choose(const std::string& list, const std::string& item) {
    const auto& items = control(list).items;
    auto it = std::find(items.begin(), items.end(), item);
    if (it == items.end()) return false;
    setSelectedIndex(list, static_cast<int>(it - items.begin()));
    return true;
}

void Form::pick(const std::string& list, int index) {
    const int previous = selectedIndex(list);
    setSelectedIndex(list, index);
    if (previous == index) return;
    if (const ChooseHandler* handler = definition_->chooseHandler(list)) (*handler)(*this, previous);
}

bool Form::pick(const std::string& list, const std::string& item) {
    const auto& items = control(list).items;
    auto it = std::find(items.begin(), items.end(), item);
    if (it == items.end()) return false;
    pick(list, static_cast<int>(it - items.begin()));
    return true;
}

std::optional<std::string> Form::selectedItem(const std::string& list) const {
    const ControlState& c = control(list);
    if (c.selectedIndex < 0) return std::nullopt;
    return c.items[c.selectedIndex];
}

const Sketch* Form::findSketch(const std::string& name) const {
    if (name.empty()) return sketches_.size() == 1 ? &sketches_.begin()->second : nullptr;
    auto it = sketches_.find(name);
    return it == sketches_.end() ? nullptr : &it->second;
}

Sketch& Form::sketch(const std::string& name) {
    const Sketch* found = findSketch(name);
    if (!found) throw std::out_of_range(definition_->formName() + " has no sketch " + name);
    return const_cast<Sketch&>(*found);
}

void Form::noteDataFileRead(DataFileRead file) {
    std::erase_if(dataFiles_, [&file](const DataFileRead& earlier) { return earlier.caption == file.caption; });
    dataFiles_.push_back(std::move(file));
}

}  // namespace pylora
