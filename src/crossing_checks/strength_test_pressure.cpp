// 强度试验压力: hydrostatic strength test pressure of the pipe section of a large or medium
// crossing (SY/T 0015.1-98, formula 6.2.2): Pt = 1.8·δ·σs / D.
#include "model/calc.h"

namespace pylora {
namespace {

// The window's fields.
constexpr auto kYieldStrength = "Text1";
constexpr auto kWallThickness = "Text2";
constexpr auto kOutsideDiameter = "Text3";
constexpr auto kTestPressure = "Text6";

using formula::c;
using formula::q;

void computeTestPressure(Form& form) {
    const auto [wallThickness, yieldStrength, outsideDiameter] =
        FieldValues(form, kWallThickness, kYieldStrength, kOutsideDiameter);
    const Num testPressure = 1.8 * wallThickness * yieldStrength / outsideDiameter;
    form.setText(kTestPressure, FormatNumber(testPressure, "#.##"));
}

FormDefinition makeStrengthTestPressure() {
    FormDefinition def("强度试验压力", "强度试验压力");
    def.titleLabel("Label1", "大中型穿越强度试验压力计算");
    def.note("Label2", " 【注意】大中型穿越工程中强度试验压力计算公式按SY/T0015.1-98中式6.2.2计算。");

    def.basis({"SY/T0015.1-98 式6.2.2"});

    // The frame keeps its caption, which speaks of allowable stress, over the test-pressure formula.
    def.frame("Frame3", "钢管许用应力计算公式 ", FrameRole::Formula, {0, 0})
        .formulas("Image1",
                  {{kTestPressure, c(1.8) * q(kWallThickness) * q(kYieldStrength) / q(kOutsideDiameter)}}, {0, 0});

    auto inputs = def.frame("Frame1", "输入参数", FrameRole::Input, {1, 0});
    inputs.field(kYieldStrength, "钢管规定的屈服强度(MPa)", "245", {0, 0}).means("σ_s", "钢管规定的屈服强度", "MPa").positive();
    inputs.field(kWallThickness, "钢管设计壁厚(mm)", "8.0", {1, 0}).means("δ", "钢管设计壁厚", "mm").positive();
    inputs.field(kOutsideDiameter, "钢管外径(mm)", "273", {2, 0}).means("D", "钢管外径", "mm").positive();

    def.frame("Frame2", "输出结果", FrameRole::Results, {2, 0})
        .result(kTestPressure, "强度试验压力(MPa)", {0, 0})
        .means("P_t", "强度试验压力", "MPa", 2);

    def.runButton("Command1", "开始计算", computeTestPressure);
    def.printButton("Command2");
    return def;
}

const WindowRegistration registration("强度试验压力", "强度试验压力", makeStrengthTestPressure);

}  // namespace
}  // namespace pylora
