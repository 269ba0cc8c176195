// 钢管许用应力: allowable stress of a steel pipe carrying oil or gas through a crossing, the
// design factor times the weld joint factor times the specified yield strength (SY/T0015.1-98).
#include "core/calc.h"

namespace pylora {
namespace {

const char* kAllowableStressFormula = R"(<svg xmlns="http://www.w3.org/2000/svg" width="220" height="60" viewBox="0 0 220 60">
<g font-family="serif" font-size="22" font-style="italic" fill="black">
<text x="16" y="38">[σ] = F · φ · σ</text><text x="164" y="44" font-size="14">s</text>
</g></svg>)";

void computeAllowableStress(Form& form) {
    // Read in the formula's order F·φ·σs, so that of two unreadable fields the first one met is named.
    const Num designFactor = FieldValue(form, "Text3");
    const Num weldFactor = FieldValue(form, "Text2");
    const Num yieldStrength = FieldValue(form, "Text1");
    form.setText("Text6", NumberText(designFactor * weldFactor * yieldStrength));
}

FormDefinition makeAllowableStress() {
    FormDefinition def("钢管许用应力", "钢管许用应力");
    def.titleLabel("Label1", "钢管许用应力计算");
    def.note("Label2", " 【注意】穿越工程中钢管许用应力计算公式按SY/T0015.1-98中式3.2.4计算。");

    def.frame("Frame3", "钢管许用应力计算公式 ", FrameRole::Formula, {0, 0})
        .picture("Image1", kAllowableStressFormula, {0, 0});

    auto inputs = def.frame("Frame1", "输入参数", FrameRole::Input, {1, 0});
    inputs.field("Text1", "钢管规定的屈服强度(MPa)", "245", {0, 0});
    inputs.field("Text2", "钢管的焊缝系数", "1.00", {1, 0});
    inputs.field("Text3", "设计系数", "0.40", {2, 0});

    def.frame("Frame2", "输出结果", FrameRole::Results, {2, 0})
        .result("Text6", "输送油气钢管的许用应力(MPa) ", {0, 0});

    def.runButton("Command1", "开始计算", computeAllowableStress);
    def.printButton("Command2");
    return def;
}

const WindowRegistration registration(makeAllowableStress);

}  // namespace
}  // namespace pylora
