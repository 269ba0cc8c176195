// 穿越管线壁厚稳定校核: the wall a river-crossing pipe needs so as not to buckle under the
// external water pressure at the design flood level, from Timoshenko's buckling formula:
// δ = 0.006·D·(n·p/m)^(1/3) / m with p = H/10.

#include "model/calc.h"
#include "model/input_domain_bounds.h"

namespace pylora {
namespace {

// The window's fields.
constexpr auto kOutsideDiameter = "Text1";
constexpr auto kOverloadFactor = "Text2";
constexpr auto kWorkingFactor = "Text3";
constexpr auto kFloodDepth = "Text4";
constexpr auto kBucklingWall = "Text6";
// Computed, not shown.
constexpr auto kExternalPressure = "p";
// Timoshenko's formula names these; the window has folded them into its constant 0.006.
constexpr auto kCriticalPressure = "Pkp";
constexpr auto kModulus = "E";
constexpr auto kPoisson = "mu";

using formula::c;
using formula::pow;
using formula::q;

void computeBucklingWall(Form& form) {
    const Num depth = FieldValue(form, kFloodDepth);
    const Num pressure = depth / 10;
    const auto [overload, working] = FieldValues(form, kOverloadFactor, kWorkingFactor);
    // The cube root takes no negative base: the depth or factor whose sign made it negative is named.
    const Num loadTerm = blamingNegativeFactor(overload * pressure / working, {depth, overload, working});
    const Num outsideDiameter = FieldValue(form, kOutsideDiameter);
    const Num wall = 0.006 * outsideDiameter * pow(loadTerm, 1.0 / 3.0) / working;
    form.setText(kBucklingWall, FormatNumber(wall, "#.###"));
}

FormDefinition makeBucklingWallThickness() {
    FormDefinition def("穿越管线壁厚稳定校核", "穿越管线壁厚稳定校核");
    def.note("Label2",
             " 【注意】穿越管线在高水位下，将承受较大外压，按铁木辛柯公式导出穿越管经线外压失稳壁厚计算公式进行校核。");

    def.quantity(kExternalPressure, "p", "设计洪水位下管子所受外压", "kgf/cm²");
    def.quantity(kCriticalPressure, "P_{kp}", "管子外压失稳临界压力", "kgf/cm²");
    def.quantity(kModulus, "E", "钢材的弹性模量", "kgf/cm²");
    def.quantity(kPoisson, "μ", "钢材的泊松比");

    def.frame("Frame3", "铁木辛柯计算公式", FrameRole::Formula, {0, 0})
        .formulas("Image1",
                  {{kCriticalPressure, c(2) * q(kModulus) / (c(1) - pow(q(kPoisson), c(2))) *
                                           pow(q(kBucklingWall) / q(kOutsideDiameter), c(3))}},
                  {0, 0});
    def.frame("Frame4", "外压失稳壁厚计算公式", FrameRole::Formula, {0, 1})
        .formulas("Image2",
                  {{kBucklingWall, c(0.006) * q(kOutsideDiameter) / q(kWorkingFactor) *
                                       pow(q(kOverloadFactor) * q(kExternalPressure) / q(kWorkingFactor),
                                           c(1.0 / 3.0, "1/3"))},
                   {kExternalPressure, q(kFloodDepth) / c(10)}},
                  {0, 0});

    auto inputs = def.frame("Frame1", "输入参数", FrameRole::Input, {1, 0, 1, 2});
    inputs.field(kOutsideDiameter, "输气管道外径D(毫米)", "610", {0, 0}).means("D", "输气管道外径", "mm").positive();
    inputs.field(kOverloadFactor, "超载系数,n", "1.1", {1, 0}).means("n", "超载系数").within(atLeast(1));
    inputs.field(kWorkingFactor, "工作条件系数", "0.65", {0, 1}).means("m", "工作条件系数").fraction();
    inputs.field(kFloodDepth, "设计洪水位水深(m)", "10", {1, 1}).means("H", "设计洪水位水深", "m").nonNegative();

    def.frame("Frame2", "输出结果", FrameRole::Results, {2, 0, 1, 2})
        .result(kBucklingWall, "穿越管线外压失稳计算壁厚(mm)", {0, 0})
        .means("δ", "穿越管线外压失稳计算壁厚", "mm", 3);

    // 0.006 is ∛((1 − μ²)/(2E)) of Timoshenko's ring, so the cube root already is the classical
    // wall; the further division by m makes the prescribed wall 1/m times it.
    def.remark(kBucklingWall,
               "常数0.006即 ∛((1 − μ²)/(2E))（E = 2.1×10⁶ kgf/cm²，μ = 0.3），立方根部分已是按铁木辛柯公式求得的壁厚；"
               "所给公式在立方根之外再除以一次工作条件系数m，壁厚为经典圆环外压失稳结果的1/m倍。"
               "参考值按 n·p ≤ m·P_kp（SI单位：水重度9810 N/m³，E = 2.06×10¹¹ Pa，μ = 0.3）。")
        .referenceValue(q(kOutsideDiameter) *
                            pow(q(kOverloadFactor) * c(9810) * q(kFloodDepth) * (c(1) - pow(c(0.3), c(2))) /
                                    (c(2) * c(2.06e11, "2.06×10^{11}") * q(kWorkingFactor)),
                                c(1.0 / 3.0, "1/3")),
                        "δ′", "mm", 3);

    def.runButton("Command1", "开始计算", computeBucklingWall);
    def.printButton("Command2");
    return def;
}

const WindowRegistration registration("穿越管线壁厚稳定校核", "穿越管线壁厚稳定校核", makeBucklingWallThickness);

}  // namespace
}  // namespace pylora
