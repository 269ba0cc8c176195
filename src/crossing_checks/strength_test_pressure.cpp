// 强度试验压力: hydrostatic strength test pressure of the pipe section of a large or medium
// crossing (SY/T 0015.1-98, formula 6.2.2): Pt = 1.8·δ·σs / D.
#include "core/calc.h"

namespace pylora {
namespace {

const char* kTestPressureFormula = R"(<svg xmlns="http://www.w3.org/2000/svg" width="181" height="68" viewBox="0 0 181 68">
<g font-family="serif" font-size="20" font-style="italic" fill="black">
<text x="8" y="42.2">P</text>
<text x="21.5" y="47.2" font-size="13">t</text>
<text x="35" y="42.2">=</text>
<text x="62.2" y="23">1.8 · δ · σ</text>
<text x="157.8" y="28" font-size="13">s</text>
<text x="106.3" y="54.2">D</text>
<line x1="59.2" y1="35.2" x2="169.5" y2="35.2" stroke="black" stroke-width="1.5"/>
</g></svg>)";

void computeTestPressure(Form& form) {
    const Num wallThickness = FieldValue(form, "Text2");
    const Num yieldStrength = FieldValue(form, "Text1");
    const Num outsideDiameter = FieldValue(form, "Text3");
    const Num testPressure = 1.8 * wallThickness * yieldStrength / outsideDiameter;
    form.setText("Text6", FormatNumber(testPressure, "#.##"));
}

FormDefinition makeStrengthTestPressure() {
    FormDefinition def("强度试验压力", "强度试验压力");
    def.titleLabel("Label1", "大中型穿越强度试验压力计算");
    def.note("Label2", " 【注意】大中型穿越工程中强度试验压力计算公式按SY/T0015.1-98中式6.2.2计算。");

    // The frame keeps its caption, which speaks of allowable stress, over the test-pressure formula.
    def.frame("Frame3", "钢管许用应力计算公式 ", FrameRole::Formula, {0, 0})
        .picture("Image1", kTestPressureFormula, {0, 0});

    auto inputs = def.frame("Frame1", "输入参数", FrameRole::Input, {1, 0});
    inputs.field("Text1", "钢管规定的屈服强度(MPa)", "245", {0, 0});
    inputs.field("Text2", "钢管设计壁厚(mm)", "8.0", {1, 0});
    inputs.field("Text3", "钢管外径(mm)", "273", {2, 0});

    def.frame("Frame2", "输出结果", FrameRole::Results, {2, 0})
        .result("Text6", "强度试验压力(MPa)", {0, 0});

    def.runButton("Command1", "开始计算", computeTestPressure);
    def.printButton("Command2");
    return def;
}

const WindowRegistration registration(makeStrengthTestPressure);

}  // namespace
}  // namespace pylora
