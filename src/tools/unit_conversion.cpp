// 单位转换: eleven fixed pairs of units of pipeline design (pressure and stress, torque, line
// load, area, energy, angle), each converted left to right or right to left by one button.
#include <array>
#include <stdexcept>

#include "model/calc.h"
#include "model/reference_table.h"

namespace pylora {
namespace {

// The conversion factors, from data/units/单位转换.csv: the two units, then the factors.
const ReferenceRow kFactorRows[] = {
#include "tools/unit_factors.inc"
};

// One row: its two fields and the unit names shown beside them. Its factors are the table's
// row of the same two units.
struct UnitRow {
    int left;   // index in Text1
    int right;  // index in Text1
    const char* leftUnit;
    const char* rightUnit;
    const char* rightPattern;  // the pattern of the left-to-right result
    const char* quantity;      // what the row converts
    const char* letter;        // its symbol, numbered by the row; the right field's is primed
};

const std::array<UnitRow, 11> kRows{{
    {0, 10, "兆帕", "千克力/厘米²", "#.###", "压力", "p"},
    {1, 11, "兆帕", "千磅力/英寸²", "#.###", "压力", "p"},
    {2, 12, "兆帕", "毫米水柱", "#.###", "压力", "p"},
    {3, 13, "兆帕", "千克力/毫米²", "#.###", "压力", "p"},
    {4, 14, "牛·米", "千克力·米", "#.###", "力矩", "M"},
    {5, 15, "牛·米", "磅力·英寸", "#.###", "力矩", "M"},
    {6, 16, "平方米", "亩", "#.#####", "面积", "A"},
    {7, 17, "千瓦·小时", "焦耳", "#.###", "能量", "E"},
    {8, 18, "牛/米", "千克力/米", "#.###", "线荷载", "q"},
    {9, 19, "千卡", "焦耳", "#.###", "热量", "Q"},
    // The right field holds the angle in decimal degrees; its name says so.
    {20, 21, "弧度", "度（十进制）", "#.###", "角度", "θ"},
}};

// Left to right multiplies by `multiply` and divides by `divide`; right to left the other way
// round, multiplying first.
struct Factors {
    double multiply;
    double divide;
};

Factors factorsOf(const UnitRow& row) {
    for (const ReferenceRow* factors : rowsOfTable(kFactorRows, "单位转换"))
        if (factors->texts[0] == row.leftUnit && factors->texts[1] == row.rightUnit)
            return {factors->numbers[0], factors->numbers[1]};
    throw std::logic_error(std::string("单位转换: no factors for ") + row.leftUnit + " to " + row.rightUnit);
}

constexpr auto kConvertRight = "Command1";
constexpr auto kConvertLeft = "Command2";

const char* kArrow = R"(<svg xmlns="http://www.w3.org/2000/svg" width="132" height="34" viewBox="0 0 132 34">
<text x="66" y="13" font-family="sans-serif" font-size="12" text-anchor="middle" fill="black">相互转换</text>
<g stroke="black" stroke-width="1.5" fill="black">
<line x1="10" y1="24" x2="122" y2="24"/>
<polygon points="4,24 14,19 14,29"/>
<polygon points="128,24 118,19 118,29"/>
</g></svg>)";

std::string field(int index) { return indexed("Text1", index); }

// value·multiply/divide, leaving out a factor or divisor of 1 as the table does.
formula::Expr scaled(const std::string& key, double multiply, double divide) {
    formula::Expr value = formula::q(key);
    if (multiply != 1) value = value * formula::c(multiply);
    return divide != 1 ? formula::ratio(value, formula::c(divide)) : value;
}

// A row's two fields with their meanings and the conversion each way: "向右转换" reads the left
// field and writes the right one, "向左转换" the other way round.
void stateRow(FormDefinition& def, ControlDef& left, ControlDef& right, const UnitRow& row, int number) {
    const std::string symbol = std::string(row.letter) + "_{" + std::to_string(number) + "}";
    // A converter takes any number the engineer has: a moment or a load of either sign.
    left.means(symbol, row.quantity, row.leftUnit).anySign().inStep(kConvertRight).meaning.role = FieldRole::Input;
    const int decimals = std::string(row.rightPattern) == "#.#####" ? 5 : 3;
    right.means(std::string(row.letter) + "′_{" + std::to_string(number) + "}", row.quantity, row.rightUnit, decimals)
        .inStep(kConvertRight)
        .meaning.role = FieldRole::Result;
    const Factors factors = factorsOf(row);
    def.formula({right.name, scaled(left.name, factors.multiply, factors.divide), kConvertRight});
    def.formula({left.name, scaled(right.name, factors.divide, factors.multiply), kConvertLeft});
}

void convertRight(Form& form) {
    for (const UnitRow& row : kRows) {
        const Factors factors = factorsOf(row);
        const Num value = FieldValue(form, field(row.left)) * factors.multiply / factors.divide;
        form.setText(field(row.right), FormatNumber(value, row.rightPattern));
    }
}

void convertLeft(Form& form) {
    for (const UnitRow& row : kRows) {
        const Factors factors = factorsOf(row);
        const Num value = FieldValue(form, field(row.right)) * factors.divide / factors.multiply;
        form.setText(field(row.left), FormatNumber(value, "#.###"));
    }
}

FormDefinition makeUnitConversion() {
    if (rowsOfTable(kFactorRows, "单位转换").size() != kRows.size()) throw std::logic_error("单位转换: the factor table's rows are not the window's");
    FormDefinition def("单位转换", "单位转换");
    def.titleLabel("Label1", "单位转换");
    auto rows = def.frame("Frame1", "单位转换", FrameRole::Plain, {0, 0});
    for (int r = 0; r < int(kRows.size()); ++r) {
        const UnitRow& row = kRows[r];
        const std::string number = "第" + std::to_string(r + 1) + "行 ";
        // Row 8's left field has no trailing blank, as the window was laid out.
        ControlDef& left = rows.cell(field(row.left), row.left == 7 ? "1.000" : "1.000 ", {r, 0});
        left.description = number + row.leftUnit;
        rows.label("", row.leftUnit, {r, 1});
        rows.picture(indexed("Image1", r), kArrow, {r, 2});
        ControlDef& right = rows.cell(field(row.right), " ", {r, 3});
        right.description = number + row.rightUnit;
        rows.label("", row.rightUnit, {r, 4});
        stateRow(def, left, right, row, r + 1);
    }
    def.runButton(kConvertRight, "向右转换", convertRight);
    def.runButton(kConvertLeft, "向左转换", convertLeft);
    def.printButton("Command3");
    return def;
}

const WindowRegistration registration("单位转换", "单位转换", makeUnitConversion);

}  // namespace
}  // namespace pylora
