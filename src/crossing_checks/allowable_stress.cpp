// 钢管许用应力: allowable stress of a steel pipe carrying oil or gas through a crossing, the
// design factor times the weld joint factor times the specified yield strength (SY/T0015.1-98).
#include "model/calc.h"

namespace pylora {
namespace {

// The window's fields.
constexpr auto kYieldStrength = "Text1";
constexpr auto kWeldFactor = "Text2";
constexpr auto kDesignFactor = "Text3";
constexpr auto kAllowableStress = "Text6";

using formula::q;

void computeAllowableStress(Form& form) {
    const auto [designFactor, weldFactor, yieldStrength] =
        FieldValues(form, kDesignFactor, kWeldFactor, kYieldStrength);  // F·φ·σs
    form.setText(kAllowableStress, NumberText(designFactor * weldFactor * yieldStrength));
}

FormDefinition makeAllowableStress() {
    FormDefinition def("钢管许用应力", "钢管许用应力");
    def.titleLabel("Label1", "钢管许用应力计算");
    def.note("Label2", " 【注意】穿越工程中钢管许用应力计算公式按SY/T0015.1-98中式3.2.4计算。");

    def.basis({"SY/T0015.1-98 式3.2.4"});

    def.frame("Frame3", "钢管许用应力计算公式 ", FrameRole::Formula, {0, 0})
        .formulas("Image1", {{kAllowableStress, q(kDesignFactor) * q(kWeldFactor) * q(kYieldStrength)}}, {0, 0});

    auto inputs = def.frame("Frame1", "输入参数", FrameRole::Input, {1, 0});
    inputs.field(kYieldStrength, "钢管规定的屈服强度(MPa)", "245", {0, 0}).means("σ_s", "钢管规定的屈服强度", "MPa").positive();
    inputs.field(kWeldFactor, "钢管的焊缝系数", "1.00", {1, 0}).means("φ", "钢管的焊缝系数").fraction();
    inputs.field(kDesignFactor, "设计系数", "0.40", {2, 0}).means("F", "设计系数").fraction();

    def.frame("Frame2", "输出结果", FrameRole::Results, {2, 0})
        .result(kAllowableStress, "输送油气钢管的许用应力(MPa) ", {0, 0})
        .means("[σ]", "输送油气钢管的许用应力", "MPa", 2);

    def.runButton("Command1", "开始计算", computeAllowableStress);
    def.printButton("Command2");
    return def;
}

const WindowRegistration registration("钢管许用应力", "钢管许用应力", makeAllowableStress);

}  // namespace
}  // namespace pylora
