#pragma once
// A calculator window as data: its names, title, frames, controls with their default texts and
// places, formula pictures, and the run behind each button. The display renders it; the
// headless runner and the tests use it without a display.
#include <any>
#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "model/colour.h"
#include "model/formula.h"
#include "model/input_domain.h"
#include "model/sketch.h"

namespace pylora {

class Form;
class CalcForm;
struct DataFileRead;
struct ProfileDrawing;  // the longitudinal profile a profile window hands to CAD (cad/profile_drawing.h)

// Builds the drawing from a window's completed calculation.
using ProfileBuilder = std::function<ProfileDrawing(const CalcForm&)>;

// What a run may reach besides its own window, passed in by whoever opens the window.
struct Services {
    std::filesystem::path databaseFolder;  // the material database files and the sample ground data file
    std::filesystem::path groundDataFile;  // the ground data file chosen; empty: the user's own, else the sample
    std::filesystem::path userGroundDataFile;  // where the user's own survey lies, when it exists
    // Ground records a case file brought along, read in place of any ground data file; messages
    // name them as groundRecordsSource says ("计算文件 穿越.pylora 所存的地面数据").
    std::shared_ptr<const DataFileRead> groundRecords;
    std::string groundRecordsSource;
};

struct RunContext {
    Form& form;
    const Services& services;
    std::any& windowState;  // what the window opened when it was created (database tables ...)
};

using RunHandler = std::function<void(RunContext&)>;
// The engineer picked another item of a list: `previous` is the item chosen before (-1: none).
// A unit list converts the numbers shown in the units it governs.
using ChooseHandler = std::function<void(Form& form, int previous)>;
using CreateHandler = std::function<std::any(Form&, const Services&)>;

enum class ControlKind { Label, TextField, OptionButton, CheckBox, ListBox, Button, Picture, Sketch };
enum class LabelStyle { Plain, Title, Note };
enum class LabelPlacement { Left, Above, Right };
enum class ButtonAction { Run, Print, None };
enum class FrameRole { Plain, Formula, Input, Options, Results };

// What a control stands for in the calculation.
enum class FieldRole {
    Unset,    // from the control: a field is an input, result() a result, options, checks and lists choices
    Input,    // a number the engineer gives
    Choice,   // an option button, check box or list: a choice the engineer makes
    Result,   // a number a run writes
    Verdict,  // words a run writes that judge ("满足强度要求")
    Working,  // neither: a hidden working field, a caption a run rewrites
};

// What a field (or a quantity no field shows) means, stated once in the window's definition.
// Every presenter reads it: the 计算书, printing, case files, parameter studies, drawings.
struct Meaning {
    std::string symbol;  // as the formula pictures write it, with _sub and ^super marks: "σ_s"
    std::string name;    // the quantity's name: the caption without its unit
    std::string unit;    // stated, never taken from a caption; empty: a pure number
    int decimals = -1;   // the 计算书 shows at most this many decimals; -1: as the window writes it
    FieldRole role = FieldRole::Unset;
    // Windows with step buttons: the run button whose run writes it (results, verdicts) or
    // first reads it (inputs); empty: every run.
    std::string step;
    // The list box whose chosen item is the unit (a unit the engineer picks per field), or the
    // label a run writes the unit into; empty: the unit is `unit`, which is also the unit when
    // the list has nothing chosen.
    std::string unitList = {};  // (initialised, so that brace lists may leave it out)
    // A quantity the engineer either gives or has the run solve for: the option (or check box)
    // that makes it the run's unknown, a result; while it is not chosen the quantity is given,
    // an input. Read through roleIn (model/field_role.h).
    std::string solvedWhen = {};
    // An input the engineer may leave blank for the run to work it out: what the 计算书 states
    // for it then ("由公式计算"); empty: a blank input is stated as it reads.
    std::string whenBlank = {};
    // The values the quantity may take: a run reading an input outside is refused, naming the
    // field and this domain; a result that may be negative (an elevation) says so.
    Domain domain = {};
};

// A place in a frame's grid. Every column holds a caption on the left and its control on the
// right, so the captions of one column line up.
struct GridPlace {
    int row = 0;
    int column = 0;
    int rowSpan = 1;
    int columnSpan = 1;
};

struct ControlDef {
    std::string name;  // "Text1", "Text1(3)", "Label12", "Option1(0)", "Check1(0)", "List1"
    ControlKind kind = ControlKind::Label;
    std::string text;  // default text; the caption of labels, buttons, options and checks;
                       // the rich text or SVG of a picture
    std::string label;  // the caption beside a field, list or check box
    std::string description;  // how messages name a control without a caption ("桩点3 管底标高")
    LabelPlacement labelPlacement = LabelPlacement::Left;
    std::string frame;  // the frame that holds it; empty: the window body
    GridPlace place;
    bool visible = true;
    bool checked = false;  // option: selected when the window opens; check box: checked
    int selectedItem = -1;  // list box: the item selected when the window opens, -1 none
    std::string group;     // option buttons: one is selected per group (default: the frame)
    std::vector<std::string> items;  // list box items in order
    LabelStyle style = LabelStyle::Plain;
    Colour background = Colour::white();
    Colour foreground = Colour::windowText();
    int widthChars = 0;  // a width hint for fields and buttons, 0: the display's choice; a field
                         // hinted narrower than usual is kept that narrow, a button is made wider
    bool readOnly = false;  // a field that only shows what the window writes (a calculator's display)
    ButtonAction action = ButtonAction::None;
    // Buttons: the keys that press it from the keyboard, by key name ("5", "+", "Return", "Esc").
    std::vector<std::string> keys;
    Meaning meaning;

    // States the meaning: `.means("D", "输气管道外径", "mm")`.
    ControlDef& means(std::string symbol, std::string name, std::string unit = {}, int decimals = -1);
    ControlDef& input();                          // a number the engineer gives (a cell without caption)
    ControlDef& verdict();                        // a run writes words that judge into it
    ControlDef& working();                        // neither input nor result
    ControlDef& inStep(std::string runButton);    // written or first read by this step
    ControlDef& unitFrom(std::string list);       // its unit is the item chosen in `list`
    // The domain of an input, after its meaning: `.means("P", "管道的设计压力", "MPa").positive()`.
    ControlDef& within(Domain domain);
    ControlDef& positive() { return within(Domain::positive()); }
    ControlDef& nonNegative() { return within(Domain::nonNegative()); }
    ControlDef& fraction() { return within(Domain::fraction()); }
    ControlDef& count() { return within(Domain::count()); }
    ControlDef& countFromZero() { return within(Domain::countFromZero()); }
    ControlDef& anySign() { return within(Domain::anySign()); }
    ControlDef& between(double lowest, double highest) { return within(Domain::between(lowest, highest)); }
};

// A point table (a row per station, a column per quantity: 桩点里程, 地面标高, 管底标高 …) or a
// segment table (a row per segment between two stations: inclination, slope, length). Each
// column is one quantity; its cells are controls, one a row ("" where a row has none).
struct TableColumn {
    Meaning meaning;
    std::vector<std::string> cells;
};

// The formula a row of a comparison table computes its value by (an index into the
// definition's formulas), what else the row takes that no tree shows, and the range of validity
// the window states for it; empty texts where it states none.
struct RowFormula {
    std::size_t formula = 0;
    std::string note;      // "F = 4·lg(3.7·D/ε)"
    std::string validity;  // "紊流（Re ≥ 2000）"
};

struct TableDef {
    std::string caption;             // "桩点数据"
    std::string rowHeading;          // the heading over the row names: "桩点", "管段"
    std::vector<std::string> rows;   // "入土点", "桩点2", …, "出土点"
    std::vector<TableColumn> columns;
    // A table that compares one quantity by several formulas: each row's; empty otherwise.
    std::vector<RowFormula> rowFormulas = {};
};

// A quantity that the run computes without showing it in a field of its own (a bend factor),
// or the unrounded value behind a field that shows it rounded (`shownIn`).
struct SketchStatement {
    std::string sketch, label, pattern;
};

struct QuantityDef {
    std::string key;
    Meaning meaning;
    std::string shownIn;  // the field that displays it; empty: none
};

// A note on a result whose prescribed formula an engineer would question: what the formula does,
// and the usual engineering formula with its value for the current inputs, for reference
// (参考值). The window's result stays the prescribed one; the window shows the note beside the
// result and the 计算书 under the result's formula, both from this one text.
struct Remark {
    std::string result;  // the result it is about: a control, or a declared quantity
    std::string text;    // what the prescribed formula does, in the engineer's words
    std::vector<std::string> besideFields;  // inputs the note also stands beside (the units it expects)
    // The usual formula over the window's quantities (in SI), and what its value means: a primed
    // symbol, the unit and decimals it is given in. No reference value when unset.
    std::optional<formula::Expr> reference;
    Meaning referenceMeaning;

    Remark& referenceValue(formula::Expr expression, std::string symbol, std::string unit, int decimals = -1);
    Remark& beside(std::string field);
};

// A range of validity that the window's own note states ("当径厚比大于140时,应进行管子稳定性
// 校核!"): checked after every run that completes. Outside it the results stand and a warning
// line says so, in the window and in the 计算书.
struct ValidityRange {
    formula::Expr quantity = 0.0;  // over the window's quantities: D_pm/δ
    std::string symbol;            // "D_{pm}/δ"
    std::string name;              // "径厚比"
    std::optional<double> above;   // the range holds only where the quantity is greater than this
    std::optional<double> below;   // ... and less than this
    std::string note;              // the window's note that states the range, as it reads
};

struct FrameDef {
    std::string name;
    std::string caption;
    FrameRole role = FrameRole::Plain;
    GridPlace place;     // in the grid of the window body or of its enclosing frame
    std::string parent;  // the enclosing frame; empty: the window body
};

class FormDefinition;

// Adds controls to one frame (or to the window body) of a definition.
class FrameBuilder {
public:
    FrameBuilder(FormDefinition& definition, std::string frame) : def_(definition), frame_(std::move(frame)) {}

    // An input field with its caption and default text.
    ControlDef& field(const std::string& name, const std::string& label, const std::string& defaultText,
                      GridPlace place);
    // A result field: starts as a single blank.
    ControlDef& result(const std::string& name, const std::string& label, GridPlace place);
    // A field without a caption of its own (a cell of a point table, a hidden working field).
    ControlDef& cell(const std::string& name, const std::string& defaultText, GridPlace place);
    // A label; an empty name gives a static caption nobody writes.
    ControlDef& label(const std::string& name, const std::string& text, GridPlace place);
    ControlDef& option(const std::string& name, const std::string& caption, GridPlace place,
                       bool selected = false);
    ControlDef& check(const std::string& name, const std::string& caption, GridPlace place,
                      bool checked = false);
    ControlDef& list(const std::string& name, const std::string& label, std::vector<std::string> items,
                     GridPlace place);
    // A frame inside this frame, placed in its grid.
    FrameBuilder frame(const std::string& name, const std::string& caption, FrameRole role, GridPlace place);
    // A static picture: rich text (HTML with <sub>, <sup>, Greek letters) or an SVG drawing.
    ControlDef& picture(const std::string& name, const std::string& content, GridPlace place);
    // A picture area for a profile sketch, with its fixed content in twips.
    ControlDef& sketch(const std::string& name, Sketch initial, GridPlace place);
    // A formula picture drawn from the window's formulas, one line each; the formulas join the
    // window's list in this order (the 计算书 presents them so).
    ControlDef& formulas(const std::string& name, std::vector<formula::Formula> lines, GridPlace place);

private:
    ControlDef& add(ControlDef control);
    FormDefinition& def_;
    std::string frame_;
};

class FormDefinition {
public:
    FormDefinition(std::string formName, std::string title);

    const std::string& formName() const { return formName_; }
    const std::string& title() const { return title_; }

    // The title label in large type and the note "【注意】…" above the frames.
    ControlDef& titleLabel(const std::string& name, const std::string& text);
    ControlDef& note(const std::string& name, const std::string& text);

    FrameBuilder frame(const std::string& name, const std::string& caption, FrameRole role, GridPlace place);
    FrameBuilder body();  // controls placed in the window body outside any frame

    // Buttons stand in one row at the bottom, in the order they are added; a button given a
    // frame stands at its place in that frame's grid instead (the keys of a keypad). The first
    // run button is the one the headless runner presses when told nothing else.
    ControlDef& runButton(const std::string& name, const std::string& caption, RunHandler run);
    ControlDef& runButton(const std::string& name, const std::string& caption, void (*run)(Form&));
    ControlDef& printButton(const std::string& name, const std::string& caption = "打印输出");
    ControlDef& idleButton(const std::string& name, const std::string& caption);  // no action

    // Work done when the window is created, e.g. opening database tables.
    void onCreate(CreateHandler create) { create_ = std::move(create); }

    // Work done when the engineer picks another item of `list` (Form::pick), e.g. converting the
    // numbers a unit list governs. A selection restored from a case file runs no handler: its
    // texts were saved in the units saved with it.
    void onChoose(const std::string& list, ChooseHandler handler) { chooseHandlers_[list] = std::move(handler); }
    const ChooseHandler* chooseHandler(const std::string& list) const;

    // The codes and clauses whose formulas the window applies, as its own texts name them.
    void basis(std::vector<std::string> codes) { basis_ = std::move(codes); }
    // A quantity computed without a field of its own (or, with `shownIn` set, the unrounded
    // value behind a field that shows it rounded).
    QuantityDef& quantity(const std::string& key, std::string symbol, std::string name, std::string unit = {},
                          int decimals = -1);
    // A point or segment table: its cells take the column's meaning.
    void table(TableDef table);
    // Formulas the window applies that no picture shows (the 计算书 still presents them).
    void formula(formula::Formula line);

    // A note on a result's prescribed formula (see Remark).
    Remark& remark(const std::string& result, std::string text);
    // A range of validity the window's note states, checked after every run.
    void validity(ValidityRange range) { ranges_.push_back(std::move(range)); }

    // The run buttons are successive steps: a later one reads back what the earlier ones wrote
    // (第一步计算, 第二步计算), so pressing it first asks for the earlier step.
    void successiveSteps() { successiveSteps_ = true; }
    bool hasSuccessiveSteps() const { return successiveSteps_; }
    // A run reads the ground data file: the program offers to choose it.
    void readsGroundDataFile() { readsGroundDataFile_ = true; }
    bool usesGroundDataFile() const { return readsGroundDataFile_; }
    // The window draws a longitudinal profile once `step` has run: the DXF and CSV exports.
    void drawsProfile(std::string step, ProfileBuilder builder) {
        profileStep_ = std::move(step);
        profileBuilder_ = std::move(builder);
    }
    bool hasProfile() const { return static_cast<bool>(profileBuilder_); }
    // A sketch label that states quantities, e.g. "({x_low}, {z_low})" or "{symbol:Text46}={Text46}":
    // the 计算书 writes it from the values and symbols it prints for those keys; the window keeps
    // its own display of them.
    void sketchStatement(std::string sketch, std::string label, std::string pattern) {
        sketchStatements_.push_back({std::move(sketch), std::move(label), std::move(pattern)});
    }
    const std::vector<SketchStatement>& sketchStatements() const { return sketchStatements_; }
    const std::string& profileStep() const { return profileStep_; }
    const ProfileBuilder& profileBuilder() const { return profileBuilder_; }

    // Draws the formula pictures from the stated symbols; the registry calls it once the
    // definition is complete.
    void finish();

    ControlDef& addControl(ControlDef control);

    const std::vector<FrameDef>& frames() const { return frames_; }
    const std::deque<ControlDef>& controls() const { return controls_; }
    const ControlDef* findControl(const std::string& name) const;
    const FrameDef* findFrame(const std::string& name) const;
    const RunHandler* handler(const std::string& button) const;
    const std::string& defaultRunButton() const { return defaultRunButton_; }
    const Sketch* initialSketch(const std::string& control) const;
    const CreateHandler& createHandler() const { return create_; }

    const std::vector<std::string>& basis() const { return basis_; }
    const std::deque<QuantityDef>& quantities() const { return quantities_; }
    const std::vector<TableDef>& tables() const { return tables_; }
    // Every formula in the window's order: pictures first as placed, then the unpictured ones.
    const std::vector<formula::Formula>& formulas() const { return formulas_; }
    const std::deque<Remark>& remarks() const { return remarks_; }
    const std::vector<ValidityRange>& validityRanges() const { return ranges_; }

    // The formulas a picture draws.
    std::vector<formula::Formula> pictureFormulas(const std::string& picture) const;
    // The meaning of a key: a control's, or a declared quantity's; nullptr if none.
    const Meaning* meaningOf(const std::string& key) const;
    const QuantityDef* findQuantity(const std::string& key) const;
    // The symbol a formula draws for a key: the stated symbol, else the key itself.
    std::string symbolOf(const std::string& key) const;
    // The role a control plays, its stated role or the one its kind gives.
    FieldRole roleOf(const ControlDef& control) const;

private:
    friend class FrameBuilder;
    std::string formName_;
    std::string title_;
    std::vector<FrameDef> frames_;
    std::deque<ControlDef> controls_;  // a deque: references stay valid while controls are added
    std::map<std::string, RunHandler> handlers_;
    std::map<std::string, ChooseHandler> chooseHandlers_;
    std::map<std::string, Sketch> sketches_;
    std::string defaultRunButton_;
    CreateHandler create_;
    int staticLabels_ = 0;
    std::vector<std::string> basis_;
    bool successiveSteps_ = false;
    bool readsGroundDataFile_ = false;
    std::string profileStep_;
    ProfileBuilder profileBuilder_;
    std::vector<SketchStatement> sketchStatements_;
    std::deque<QuantityDef> quantities_;  // a deque: quantity() hands out a reference
    std::vector<TableDef> tables_;
    std::vector<formula::Formula> formulas_;
    std::deque<Remark> remarks_;  // a deque: remark() hands out a reference
    std::vector<ValidityRange> ranges_;
    std::map<std::string, std::pair<std::size_t, std::size_t>> pictures_;  // picture -> formula range
};

// "Text1", 3 -> "Text1(3)": an element of a control array.
std::string indexed(const std::string& name, int index);

}  // namespace pylora
