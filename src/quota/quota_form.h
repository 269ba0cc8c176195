#pragma once
// QuotaForm: the take-off window of civil works by published construction quotas. The engineer
// enters the amount of work A in the quota's unit (Text6), chooses the quota item where there is
// a choice, and every output is A times the quota's rate for that item over the quota unit:
//   Q = A · q / n            a material, q per n units of work (n = 10 or 1)
//   C = A · c / (n · 10000)  a cost, c in 元 per n units of work, shown in 万元
// Each window is only data: its texts, its option buttons, the tests that pick a rate column,
// its quota unit and what every output means; its rate table is data/quota/<form name>.csv.
#include <string>
#include <utility>
#include <vector>

#include "model/calc.h"

namespace pylora {

// The unit of a cost output; its rates are in 元.
inline constexpr const char* kTenThousandYuan = "万元";

// One output field and what it is. Its rates (the quota's quantity or cost per quota unit for
// every variant, exactly as the quota book gives them) are its row of the window's rate table.
struct QuotaOutput {
    const char* control;
    const char* label;
    const char* tag;   // what its symbol and its rate's are indexed by: Q_{水泥}, q_{水泥}
    const char* name;  // the material or cost, without its unit
    const char* unit;  // as the caption means it; kTenThousandYuan for a cost
    GridPlace place;   // in the output frame
    const char* pattern = "#.###";
};

// The cost outputs, alike in every quota window: their captions, symbols and names.
inline QuotaOutput basePrice(const char* control, GridPlace place) {
    return {control, "基价(万元,含人工费、材料费及机械费)", "基价", "基价（含人工费、材料费及机械费）", kTenThousandYuan, place};
}
inline QuotaOutput labourCost(const char* control, GridPlace place) {
    return {control, "人工费(万元)", "人工", "人工费", kTenThousandYuan, place};
}
inline QuotaOutput materialCost(const char* control, GridPlace place) {
    return {control, "材料费(万元)", "材料", "材料费", kTenThousandYuan, place};
}
inline QuotaOutput machineryCost(const char* control, GridPlace place) {
    return {control, "机械费(万元)", "机械", "机械费", kTenThousandYuan, place};
}

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
    const char* choice;  // what the group chooses, e.g. 砂浆标号
    std::vector<QuotaOption> options;  // top to bottom
};

// The variant taken when every option listed is selected; an empty list always holds.
// A window's tests are tried in order and the first that holds decides.
struct VariantTest {
    std::vector<const char*> selected;
    int variant;
};

// The work the quota prices: the window's input A.
struct QuotaWork {
    const char* label;
    const char* defaultText;
    const char* name;  // e.g. 一般砖墙体积
    const char* unit;  // m³, 个
    double quotaUnit;  // the rates are per this many units of work: 10 or 1
    Domain domain;     // the amounts of work there can be: a volume not negative, a count whole
};

struct QuotaWindow {
    const char* formName;
    const char* titleLabel;  // empty: the window has none
    const char* note;
    std::vector<std::string> basis;  // the quota book and items, as the note and options name them
    QuotaWork work;
    std::vector<QuotaOptionFrame> optionFrames;  // left to right, beside the input frame
    std::vector<VariantTest> tests;              // none: the window has one variant
    std::vector<QuotaOutput> outputs;            // in the order the take-off writes them
};

// The field that holds the amount of work in every quota window.
inline constexpr const char* kQuotaAmountField = "Text6";

// The window's definition: note, input, option and output frames, the run and print buttons,
// the meaning of every field and the formula of every output.
// `window` must outlive the definition (the windows keep theirs as static data).
FormDefinition makeQuotaForm(const QuotaWindow& window);

// The output's rates, one per variant in the window's variant order: its row of
// data/quota/<form name>.csv, compiled in. A row that is missing, or that names another
// material or unit than the output, is a fault of the program: std::logic_error.
const std::vector<double>& quotaRates(const QuotaWindow& window, const QuotaOutput& output);

// The rate column that the selected options choose.
int chooseVariant(const Form& form, const QuotaWindow& window);

// The take-off: each output in table order, A · rate / divisor through its pattern.
void runQuotaTakeOff(Form& form, const QuotaWindow& window);

}  // namespace pylora
