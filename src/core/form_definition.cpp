#include "core/form_definition.h"

#include <stdexcept>

namespace pylora {

std::string indexed(const std::string& name, int index) {
    return name + "(" + std::to_string(index) + ")";
}

ControlDef& FrameBuilder::add(ControlDef control) {
    control.frame = frame_;
    return def_.addControl(std::move(control));
}

ControlDef& FrameBuilder::field(const std::string& name, const std::string& label,
                                const std::string& defaultText, GridPlace place) {
    ControlDef c;
    c.name = name;
    c.kind = ControlKind::TextField;
    c.label = label;
    c.text = defaultText;
    c.place = place;
    return add(std::move(c));
}

ControlDef& FrameBuilder::result(const std::string& name, const std::string& label, GridPlace place) {
    return field(name, label, " ", place);
}

ControlDef& FrameBuilder::cell(const std::string& name, const std::string& defaultText, GridPlace place) {
    return field(name, "", defaultText, place);
}

ControlDef& FrameBuilder::label(const std::string& name, const std::string& text, GridPlace place) {
    ControlDef c;
    c.name = name.empty() ? "_static" + std::to_string(++def_.staticLabels_) : name;
    c.kind = ControlKind::Label;
    c.text = text;
    c.place = place;
    c.background = Colour::buttonFace();
    return add(std::move(c));
}

ControlDef& FrameBuilder::option(const std::string& name, const std::string& caption, GridPlace place,
                                 bool selected) {
    ControlDef c;
    c.name = name;
    c.kind = ControlKind::OptionButton;
    c.text = caption;
    c.place = place;
    c.checked = selected;
    c.group = frame_;
    c.background = Colour::buttonFace();
    return add(std::move(c));
}

ControlDef& FrameBuilder::check(const std::string& name, const std::string& caption, GridPlace place,
                                bool checked) {
    ControlDef c;
    c.name = name;
    c.kind = ControlKind::CheckBox;
    c.text = caption;
    c.place = place;
    c.checked = checked;
    c.background = Colour::buttonFace();
    return add(std::move(c));
}

ControlDef& FrameBuilder::list(const std::string& name, const std::string& label,
                               std::vector<std::string> items, GridPlace place) {
    ControlDef c;
    c.name = name;
    c.kind = ControlKind::ListBox;
    c.label = label;
    c.items = std::move(items);
    c.place = place;
    return add(std::move(c));
}

ControlDef& FrameBuilder::picture(const std::string& name, const std::string& content, GridPlace place) {
    ControlDef c;
    c.name = name;
    c.kind = ControlKind::Picture;
    c.text = content;
    c.place = place;
    c.background = Colour::buttonFace();
    return add(std::move(c));
}

ControlDef& FrameBuilder::sketch(const std::string& name, Sketch initial, GridPlace place) {
    ControlDef c;
    c.name = name;
    c.kind = ControlKind::Sketch;
    c.place = place;
    def_.sketches_[name] = std::move(initial);
    return add(std::move(c));
}

FormDefinition::FormDefinition(std::string formName, std::string title)
    : formName_(std::move(formName)), title_(std::move(title)) {}

ControlDef& FormDefinition::titleLabel(const std::string& name, const std::string& text) {
    ControlDef& c = body().label(name, text, {});
    c.style = LabelStyle::Title;
    return c;
}

ControlDef& FormDefinition::note(const std::string& name, const std::string& text) {
    ControlDef& c = body().label(name, text, {});
    c.style = LabelStyle::Note;
    return c;
}

FrameBuilder FormDefinition::frame(const std::string& name, const std::string& caption, FrameRole role,
                                   GridPlace place) {
    if (findFrame(name)) throw std::logic_error(formName_ + ": frame " + name + " twice");
    frames_.push_back(FrameDef{name, caption, role, place});
    return FrameBuilder(*this, name);
}

FrameBuilder FormDefinition::body() { return FrameBuilder(*this, ""); }

ControlDef& FormDefinition::runButton(const std::string& name, const std::string& caption, RunHandler run) {
    ControlDef c;
    c.name = name;
    c.kind = ControlKind::Button;
    c.text = caption;
    c.action = ButtonAction::Run;
    c.background = Colour::buttonFace();
    handlers_[name] = std::move(run);
    if (defaultRunButton_.empty()) defaultRunButton_ = name;
    return addControl(std::move(c));
}

ControlDef& FormDefinition::runButton(const std::string& name, const std::string& caption,
                                      void (*run)(Form&)) {
    return runButton(name, caption, RunHandler([run](RunContext& context) { run(context.form); }));
}

ControlDef& FormDefinition::printButton(const std::string& name, const std::string& caption) {
    ControlDef& c = idleButton(name, caption);
    c.action = ButtonAction::Print;
    return c;
}

ControlDef& FormDefinition::idleButton(const std::string& name, const std::string& caption) {
    ControlDef c;
    c.name = name;
    c.kind = ControlKind::Button;
    c.text = caption;
    c.background = Colour::buttonFace();
    return addControl(std::move(c));
}

ControlDef& FormDefinition::addControl(ControlDef control) {
    if (findControl(control.name))
        throw std::logic_error(formName_ + ": control " + control.name + " twice");
    controls_.push_back(std::move(control));
    return controls_.back();
}

const ControlDef* FormDefinition::findControl(const std::string& name) const {
    for (const auto& c : controls_)
        if (c.name == name) return &c;
    return nullptr;
}

const FrameDef* FormDefinition::findFrame(const std::string& name) const {
    for (const auto& f : frames_)
        if (f.name == name) return &f;
    return nullptr;
}

const RunHandler* FormDefinition::handler(const std::string& button) const {
    auto it = handlers_.find(button);
    return it == handlers_.end() ? nullptr : &it->second;
}

const Sketch* FormDefinition::initialSketch(const std::string& control) const {
    auto it = sketches_.find(control);
    return it == sketches_.end() ? nullptr : &it->second;
}

}  // namespace pylora
