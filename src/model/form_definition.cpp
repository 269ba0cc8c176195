#include "model/form_definition.h"

#include <algorithm>
#include <stdexcept>

#include "model/formula_picture.h"

namespace pylora {

std::string indexed(const std::string& name, int index) {
    return name + "(" + std::to_string(index) + ")";
}

namespace {

// A control with the look its kind has when the window opens: fields and lists white, the rest
// on the window's face.
ControlDef makeControl(const std::string& name, ControlKind kind, const std::string& text, GridPlace place) {
    ControlDef c;
    c.name = name;
    c.kind = kind;
    c.text = text;
    c.place = place;
    const bool white = kind == ControlKind::TextField || kind == ControlKind::ListBox || kind == ControlKind::Sketch;
    c.background = white ? Colour::white() : Colour::buttonFace();
    return c;
}

}  // namespace

ControlDef& FrameBuilder::add(ControlDef control) {
    control.frame = frame_;
    return def_.addControl(std::move(control));
}

ControlDef& FrameBuilder::field(const std::string& name, const std::string& label,
                                const std::string& defaultText, GridPlace place) {
    ControlDef c = makeControl(name, ControlKind::TextField, defaultText, place);
    c.label = label;
    return add(std::move(c));
}

ControlDef& FrameBuilder::result(const std::string& name, const std::string& label, GridPlace place) {
    ControlDef& c = field(name, label, " ", place);
    c.meaning.role = FieldRole::Result;
    return c;
}

ControlDef& FrameBuilder::cell(const std::string& name, const std::string& defaultText, GridPlace place) {
    return field(name, "", defaultText, place);
}

ControlDef& FrameBuilder::label(const std::string& name, const std::string& text, GridPlace place) {
    const std::string labelName = name.empty() ? "_static" + std::to_string(++def_.staticLabels_) : name;
    return add(makeControl(labelName, ControlKind::Label, text, place));
}

ControlDef& FrameBuilder::option(const std::string& name, const std::string& caption, GridPlace place,
                                 bool selected) {
    ControlDef c = makeControl(name, ControlKind::OptionButton, caption, place);
    c.checked = selected;
    c.group = frame_;
    return add(std::move(c));
}

ControlDef& FrameBuilder::check(const std::string& name, const std::string& caption, GridPlace place,
                                bool checked) {
    ControlDef c = makeControl(name, ControlKind::CheckBox, caption, place);
    c.checked = checked;
    return add(std::move(c));
}

ControlDef& FrameBuilder::list(const std::string& name, const std::string& label,
                               std::vector<std::string> items, GridPlace place) {
    ControlDef c = makeControl(name, ControlKind::ListBox, "", place);
    c.label = label;
    c.items = std::move(items);
    return add(std::move(c));
}

ControlDef& FrameBuilder::picture(const std::string& name, const std::string& content, GridPlace place) {
    return add(makeControl(name, ControlKind::Picture, content, place));
}

ControlDef& FrameBuilder::formulas(const std::string& name, std::vector<formula::Formula> lines, GridPlace place) {
    const std::size_t first = def_.formulas_.size();
    for (auto& line : lines) def_.formulas_.push_back(std::move(line));
    def_.pictures_[name] = {first, def_.formulas_.size()};
    return picture(name, "", place);  // drawn by finish(), once every symbol is stated
}

ControlDef& FrameBuilder::sketch(const std::string& name, Sketch initial, GridPlace place) {
    def_.sketches_[name] = std::move(initial);
    return add(makeControl(name, ControlKind::Sketch, "", place));
}

ControlDef& ControlDef::means(std::string symbol, std::string name, std::string unit, int decimals) {
    meaning.symbol = std::move(symbol);
    meaning.name = std::move(name);
    meaning.unit = std::move(unit);
    meaning.decimals = decimals;
    return *this;
}

ControlDef& ControlDef::unitFrom(std::string list) {
    meaning.unitList = std::move(list);
    return *this;
}

ControlDef& ControlDef::within(Domain domain) {
    meaning.domain = domain;
    return *this;
}

ControlDef& ControlDef::input() {
    meaning.role = FieldRole::Input;
    return *this;
}

ControlDef& ControlDef::verdict() {
    meaning.role = FieldRole::Verdict;
    return *this;
}

ControlDef& ControlDef::working() {
    meaning.role = FieldRole::Working;
    return *this;
}

ControlDef& ControlDef::inStep(std::string runButton) {
    meaning.step = std::move(runButton);
    return *this;
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
    frames_.push_back(FrameDef{name, caption, role, place, {}});
    return FrameBuilder(*this, name);
}

FrameBuilder FrameBuilder::frame(const std::string& name, const std::string& caption, FrameRole role,
                                 GridPlace place) {
    FrameBuilder inner = def_.frame(name, caption, role, place);
    def_.frames_.back().parent = frame_;
    return inner;
}

FrameBuilder FormDefinition::body() { return FrameBuilder(*this, ""); }

ControlDef& FormDefinition::runButton(const std::string& name, const std::string& caption, RunHandler run) {
    ControlDef c = makeControl(name, ControlKind::Button, caption, {});
    c.action = ButtonAction::Run;
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
    return addControl(makeControl(name, ControlKind::Button, caption, {}));
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

const ChooseHandler* FormDefinition::chooseHandler(const std::string& list) const {
    auto it = chooseHandlers_.find(list);
    return it == chooseHandlers_.end() ? nullptr : &it->second;
}

QuantityDef& FormDefinition::quantity(const std::string& key, std::string symbol, std::string name,
                                      std::string unit, int decimals) {
    if (findQuantity(key) || findControl(key)) throw std::logic_error(formName_ + ": quantity " + key + " twice");
    QuantityDef quantity;
    quantity.key = key;
    quantity.meaning.symbol = std::move(symbol);
    quantity.meaning.name = std::move(name);
    quantity.meaning.unit = std::move(unit);
    quantity.meaning.decimals = decimals;
    quantity.meaning.role = FieldRole::Result;
    quantities_.push_back(std::move(quantity));
    return quantities_.back();
}

void FormDefinition::table(TableDef table) {
    for (const TableColumn& column : table.columns) {
        if (column.cells.size() != table.rows.size())
            throw std::logic_error(formName_ + ": table " + table.caption + " has a column of another length");
        for (const std::string& cell : column.cells) {
            if (cell.empty()) continue;
            auto it = std::find_if(controls_.begin(), controls_.end(), [&](const ControlDef& c) { return c.name == cell; });
            if (it == controls_.end()) throw std::logic_error(formName_ + ": table cell " + cell + " is no control");
            it->meaning = column.meaning;
        }
    }
    tables_.push_back(std::move(table));
}

void FormDefinition::formula(formula::Formula line) { formulas_.push_back(std::move(line)); }

Remark& FormDefinition::remark(const std::string& result, std::string text) {
    remarks_.push_back(Remark{result, std::move(text), {}, std::nullopt, {}});
    return remarks_.back();
}

Remark& Remark::referenceValue(formula::Expr expression, std::string symbol, std::string unit, int decimals) {
    reference = std::move(expression);
    referenceMeaning.symbol = std::move(symbol);
    referenceMeaning.unit = std::move(unit);
    referenceMeaning.decimals = decimals;
    referenceMeaning.name = "参考值";
    return *this;
}

Remark& Remark::beside(std::string field) {
    besideFields.push_back(std::move(field));
    return *this;
}

void FormDefinition::finish() {
    const formula::SymbolOf symbol = [this](const std::string& key) { return symbolOf(key); };
    for (const auto& picture : pictures_) {
        const std::string& name = picture.first;  // a plain name: lambdas cannot capture bindings
        const auto& range = picture.second;
        std::vector<formula::Piece> lines;
        for (std::size_t i = range.first; i < range.second; ++i) lines.push_back(formula::piece(formulas_[i], symbol));
        auto it = std::find_if(controls_.begin(), controls_.end(), [&](const ControlDef& c) { return c.name == name; });
        it->text = formula::picture(lines);
    }
}

std::vector<formula::Formula> FormDefinition::pictureFormulas(const std::string& picture) const {
    auto it = pictures_.find(picture);
    if (it == pictures_.end()) return {};
    return {formulas_.begin() + static_cast<std::ptrdiff_t>(it->second.first),
            formulas_.begin() + static_cast<std::ptrdiff_t>(it->second.second)};
}

const QuantityDef* FormDefinition::findQuantity(const std::string& key) const {
    for (const auto& quantity : quantities_)
        if (quantity.key == key) return &quantity;
    return nullptr;
}

const Meaning* FormDefinition::meaningOf(const std::string& key) const {
    if (const ControlDef* c = findControl(key)) return &c->meaning;
    if (const QuantityDef* quantity = findQuantity(key)) return &quantity->meaning;
    return nullptr;
}

std::string FormDefinition::symbolOf(const std::string& key) const {
    const Meaning* meaning = meaningOf(key);
    return meaning && !meaning->symbol.empty() ? meaning->symbol : key;
}

FieldRole FormDefinition::roleOf(const ControlDef& control) const {
    if (control.meaning.role != FieldRole::Unset) return control.meaning.role;
    switch (control.kind) {
        case ControlKind::TextField: return control.label.empty() ? FieldRole::Unset : FieldRole::Input;
        case ControlKind::OptionButton:
        case ControlKind::CheckBox:
        case ControlKind::ListBox: return FieldRole::Choice;
        default: return FieldRole::Unset;
    }
}

const Sketch* FormDefinition::initialSketch(const std::string& control) const {
    auto it = sketches_.find(control);
    return it == sketches_.end() ? nullptr : &it->second;
}

}  // namespace pylora
