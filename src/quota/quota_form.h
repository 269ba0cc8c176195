#pragma once
// QuotaForm: the take-off window of civil works by published construction quotas. The engineer
// enters the amount of work in the quota's unit (Text6), chooses the quota item where there is a
// choice, and every output is the amount times the quota's rate for that item, divided by the
// quota unit (times 10000 for costs, which are shown in 万元). Each window is only data: its
// texts, its option buttons, the tests that pick a rate column and its rate table.
#include <string>
#include <vector>

#include "core/calc.h"

namespace pylora {

// One output field: its rate for every variant of the window (quantity or yuan per quota unit,
// exactly as the quota book gives it), the divisor and the pattern it is written through.
struct QuotaOutput {
    const char* control;
    const char* label;
    std::vector<double> rates;  // one per variant, in the window's variant order
    double divisor;
    GridPlace place;              // in the output frame
    const char* pattern = "#.###";
};

// A bare option button with the name of its variant standing to its left: a label of its own
// where the window names one, else the button's caption.
struct QuotaOption {
    const char* control;
    const char* labelControl;  // empty: the caption belongs to the button
    const char* label;
    bool selected = false;     // selected when the window opens
};

struct QuotaOptionFrame {
    const char* frame;
    const char* caption;
    std::vector<QuotaOption> options;  // top to bottom
};

// The variant taken when every option listed is selected; an empty list always holds.
// A window's tests are tried in order and the first that holds decides.
struct VariantTest {
    std::vector<const char*> selected;
    int variant;
};

struct QuotaWindow {
    const char* formName;
    const char* titleLabel;  // empty: the window has none
    const char* note;
    const char* amountLabel;
    const char* amountDefault;
    std::vector<QuotaOptionFrame> optionFrames;  // left to right, beside the input frame
    std::vector<VariantTest> tests;              // none: the window has one variant
    std::vector<QuotaOutput> outputs;            // in the order the take-off writes them
};

// The field that holds the amount of work in every quota window.
inline constexpr const char* kQuotaAmountField = "Text6";

// The window's definition: note, input, option and output frames, the run and print buttons.
// `window` must outlive the definition (the windows keep theirs as static data).
FormDefinition makeQuotaForm(const QuotaWindow& window);

// The rate column that the selected options choose.
int chooseVariant(const Form& form, const QuotaWindow& window);

// The take-off: each output in table order, amount × rate ÷ divisor through its pattern.
void runQuotaTakeOff(Form& form, const QuotaWindow& window);

}  // namespace pylora
