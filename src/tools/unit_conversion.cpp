// 单位转换: eleven fixed pairs of units of pipeline design (pressure and stress, torque, line
// load, area, energy, angle), each converted left to right or right to left by one button.
#include <array>

#include "core/calc.h"

namespace pylora {
namespace {

// One row: its two fields, the unit names shown beside them, and the conversion. Left to
// right multiplies by `multiply` and divides by `divide`; right to left the other way round,
// multiplying first.
struct UnitRow {
    int left;   // index in Text1
    int right;  // index in Text1
    const char* leftUnit;
    const char* rightUnit;
    double multiply;
    double divide;
    const char* rightPattern;  // the pattern of the left-to-right result
};

const std::array<UnitRow, 11> kRows{{
    {0, 10, "兆帕", "千克力/厘米²", 10.1972, 1, "#.###"},
    {1, 11, "兆帕", "千磅力/英寸²", 0.145038, 1, "#.###"},
    {2, 12, "兆帕", "毫米水柱", 101972, 1, "#.###"},
    {3, 13, "兆帕", "千克力/毫米²", 0.101972, 1, "#.###"},
    {4, 14, "牛·米", "千克力·米", 0.101972, 1, "#.###"},
    {5, 15, "牛·米", "磅力·英寸", 8.85075, 1, "#.###"},
    {6, 16, "平方米", "亩", 1, 666.667, "#.#####"},
    {7, 17, "千瓦·小时", "焦耳", 3600000, 1, "#.###"},
    {8, 18, "牛/米", "千克力/米", 0.101972, 1, "#.###"},
    {9, 19, "千卡", "焦耳", 4186.8, 1, "#.###"},
    // The right field holds the angle in decimal degrees; its name says so.
    {20, 21, "弧度", "度（十进制）", 180, 3.14159, "#.###"},
}};

const char* kArrow = R"(<svg xmlns="http://www.w3.org/2000/svg" width="132" height="34" viewBox="0 0 132 34">
<text x="66" y="13" font-family="sans-serif" font-size="12" text-anchor="middle" fill="black">相互转换</text>
<g stroke="black" stroke-width="1.5" fill="black">
<line x1="10" y1="24" x2="122" y2="24"/>
<polygon points="4,24 14,19 14,29"/>
<polygon points="128,24 118,19 118,29"/>
</g></svg>)";

std::string field(int index) { return indexed("Text1", index); }

void convertRight(Form& form) {
    for (const UnitRow& row : kRows) {
        const Num value = FieldValue(form, field(row.left)) * row.multiply / row.divide;
        form.setText(field(row.right), FormatNumber(value, row.rightPattern));
    }
}

void convertLeft(Form& form) {
    for (const UnitRow& row : kRows) {
        const Num value = FieldValue(form, field(row.right)) * row.divide / row.multiply;
        form.setText(field(row.left), FormatNumber(value, "#.###"));
    }
}

FormDefinition makeUnitConversion() {
    FormDefinition def("单位转换", "单位转换");
    def.titleLabel("Label1", "单位转换");
    auto rows = def.frame("Frame1", "单位转换", FrameRole::Plain, {0, 0});
    for (int r = 0; r < int(kRows.size()); ++r) {
        const UnitRow& row = kRows[r];
        const std::string number = "第" + std::to_string(r + 1) + "行 ";
        // Row 8's left field has no trailing blank, as the window was laid out.
        rows.cell(field(row.left), row.left == 7 ? "1.000" : "1.000 ", {r, 0}).description = number + row.leftUnit;
        rows.label("", row.leftUnit, {r, 1});
        rows.picture(indexed("Image1", r), kArrow, {r, 2});
        rows.cell(field(row.right), " ", {r, 3}).description = number + row.rightUnit;
        rows.label("", row.rightUnit, {r, 4});
    }
    def.runButton("Command1", "向右转换", convertRight);
    def.runButton("Command2", "向左转换", convertLeft);
    def.printButton("Command3");
    return def;
}

const WindowRegistration registration(makeUnitConversion);

}  // namespace
}  // namespace pylora
