// 计算器: a four-function desk calculator worked with its keys, strictly from left to right
// without operator precedence. Between key presses it keeps the number being keyed in, the
// first operand as text and the pending operation.
#include <array>

#include "model/calc.h"

namespace pylora {
namespace {

constexpr auto kDisplay = "Text1";
constexpr auto kKeys = "Command1";

enum Key { kPoint = 10, kEquals = 11, kPlus = 12, kMinus = 13, kTimes = 14, kDivide = 15, kClear = 16 };

struct CalculatorState {
    double accumulator = 0;  // the first operand of the pending operation
    double operand = 0;      // the second operand
    std::string entry;       // the number being keyed in, or the last result
    std::string stored;      // the first operand as text
    bool newNumber = true;   // the next digit starts a new number
    bool pointEntered = false;
    int op = 0;  // pending operation: 1 add, 2 subtract, 3 multiply, 4 divide, 0 none
    bool pending = false;  // a first operand waits for its second
};

void display(Form& form, const std::string& text) { form.setText(kDisplay, text); }

void clearData(CalculatorState& state, Form& form) {
    state = CalculatorState{};
    display(form, "0.");
}

// Completes the pending operation. Both operands are read back from their texts; the second is
// kept in double precision, so 1 + 0.1 shows 1.1. A zero divisor or an overflow ends the key
// press with the state as it stands.
void run(CalculatorState& state, Form& form) {
    state.accumulator = LeadingValueOfText(state.stored).value();
    state.operand = LeadingValueOfText(state.entry).value();
    // Both operands were keyed in through the display: a failure names it.
    const Num a(state.accumulator, kDisplay), b(state.operand, kDisplay);
    Num result = a;
    switch (state.op) {
        case 1: result = a + b; break;
        case 2: result = a - b; break;
        case 3: result = a * b; break;
        case 4: result = a / b; break;
        default: break;
    }
    state.stored = NumberText(result);
    state.entry = state.stored;
    display(form, state.entry);
}

void pressKey(int key, RunContext& context) {
    auto& state = std::any_cast<CalculatorState&>(context.windowState);
    Form& form = context.form;
    if (key <= 9) {
        const std::string digit(1, char('0' + key));
        state.entry = state.newNumber ? digit : state.entry + digit;
        state.newNumber = false;
        display(form, state.entry);
    } else if (key == kPoint) {
        if (state.pointEntered) return;
        state.entry = state.newNumber ? "0." : state.entry + ".";
        state.newNumber = false;
        state.pointEntered = true;
        display(form, state.entry);
    } else if (key >= kPlus && key <= kDivide) {
        state.newNumber = true;
        state.pointEntered = false;
        if (state.pending) {
            run(state, form);  // the previous operation, with the previous operator
        } else {
            state.pending = true;
            state.stored = state.entry;
            state.entry.clear();  // the display keeps showing the first operand
        }
        state.op = key - 11;
    } else if (key == kEquals) {
        if (state.pending) {
            run(state, form);
            state.pending = false;
        } else {
            display(form, state.entry);
            state.newNumber = true;
            state.pointEntered = false;
        }
    } else if (key == kClear) {
        clearData(state, form);
    }
}

struct KeyDef {
    int index;
    const char* caption;
    GridPlace place;
    std::vector<std::string> keys;
};

// The keypad in its rows, top to bottom; "清除" stands right of the display.
const std::array<KeyDef, 17> kKeypad{{
    {kClear, "清除", {0, 3}, {"Esc", "Del"}},
    {1, "1", {1, 0}, {"1"}},
    {2, "2", {1, 1}, {"2"}},
    {3, "3", {1, 2}, {"3"}},
    {kPlus, "+", {1, 3}, {"+"}},
    {4, "4", {2, 0}, {"4"}},
    {5, "5", {2, 1}, {"5"}},
    {6, "6", {2, 2}, {"6"}},
    {kMinus, "-", {2, 3}, {"-"}},
    {7, "7", {3, 0}, {"7"}},
    {8, "8", {3, 1}, {"8"}},
    {9, "9", {3, 2}, {"9"}},
    {kTimes, "*", {3, 3}, {"*"}},
    {0, "0", {4, 0}, {"0"}},
    {kDivide, "/", {4, 1}, {"/"}},
    {kPoint, ".", {4, 2}, {"."}},
    {kEquals, "=", {4, 3}, {"=", "Return", "Enter"}},
}};

FormDefinition makeCalculator() {
    FormDefinition def("计算器", "计算器");
    // The display only shows: the keys typed while it has the focus work the calculator.
    // The keys are buttons, not quantities; the display shows what the keys build, the number
    // keyed in or the last result, so it is stated as the window's result.
    ControlDef& display = def.frame("Frame1", "", FrameRole::Plain, {0, 0}).cell(kDisplay, "0.", {0, 0, 1, 3});
    display.readOnly = true;
    display.description = "输入的数";
    display.means("x", "计算器显示的数").meaning.role = FieldRole::Result;
    for (const KeyDef& k : kKeypad) {
        ControlDef& key = def.runButton(indexed(kKeys, k.index), k.caption,
                                        [index = k.index](RunContext& context) { pressKey(index, context); });
        key.frame = "Frame1";
        key.place = k.place;
        key.keys = k.keys;
        // The operator column and "清除" are wider than the digit keys.
        if (k.place.column == 3) key.widthChars = 14;
    }
    def.onCreate([](Form& form, const Services&) {
        CalculatorState state;
        clearData(state, form);
        return std::any(state);
    });
    return def;
}

const WindowRegistration registration("计算器", "计算器", makeCalculator);

}  // namespace
}  // namespace pylora
