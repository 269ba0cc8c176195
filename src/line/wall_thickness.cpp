// 壁厚计算: wall thickness of a gas transmission pipe from the hoop stress of the internal
// pressure (GB 50251-2003), the minimum wall at a bend arc and the straight pipe for a hot-bent bend.
#include "model/calc.h"
#include "model/input_domain_bounds.h"

namespace pylora {
namespace {

// The window's fields.
constexpr auto kDiameter = "Text1";
constexpr auto kPressure = "Text2";
constexpr auto kYieldStrength = "Text3";
constexpr auto kDesignFactor = "Text4";
constexpr auto kBendRadiusRatio = "Text5";
constexpr auto kTemperatureFactor = "Text8";
constexpr auto kStraightWall = "Text6";
constexpr auto kBendArcWall = "Text7";
constexpr auto kHotBentWall = "Text10";
constexpr auto kBendFactor = "m";  // computed, not shown

using formula::c;
using formula::q;

void computeWallThickness(Form& form) {
    const auto [pressure, diameter, yieldStrength, designFactor, temperatureFactor] =
        FieldValues(form, kPressure, kDiameter, kYieldStrength, kDesignFactor, kTemperatureFactor);
    const Num straight = pressure * diameter / (2 * yieldStrength * designFactor * temperatureFactor);
    form.setText(kStraightWall, FormatNumber(straight, "#.###"));

    // The bend results start from the displayed, rounded thickness, as the engineer reads it.
    const Num n = FieldValue(form, kBendRadiusRatio);
    const Num bendFactor = (4 * n - 1) / (4 * n - 2);
    const Num bendArc = bendFactor * FieldValue(form, kStraightWall);
    form.setText(kBendArcWall, FormatNumber(bendArc, "#.###"));

    const Num hotBentStraight = 1.1 * FieldValue(form, kBendArcWall);
    form.setText(kHotBentWall, FormatNumber(hotBentStraight, "#.###"));
}

FormDefinition makeWallThickness() {
    FormDefinition def("壁厚计算", "壁厚计算");
    def.titleLabel("Label1", "输气管道壁厚计算");
    def.note("Label2",
             " 【注意】输气管道的按管道内压力产生的环向应力确定壁厚，按下式(摘录于《输气管道设计规范》GB50251-2003）"
             "计算的管道壁厚向上圆整至公称壁厚，弯头制作要求符合Tarsel企业标准Q/TK 424-1997标准。");

    def.basis({"《输气管道工程设计规范》GB 50251-2003（直管段壁厚）", "Tarsel企业标准Q/TK 424-1997（弯头制作）"});

    def.frame("Frame3", "直管段壁厚计算公式", FrameRole::Formula, {0, 0})
        .formulas("Image1",
                  {{kStraightWall, q(kPressure) * q(kDiameter) /
                                       (c(2) * q(kYieldStrength) * q(kDesignFactor) * q(kTemperatureFactor))}},
                  {0, 0});
    auto bends = def.frame("Frame4", "弯头壁厚计算公式", FrameRole::Formula, {0, 1});
    bends.formulas("Image2", {{kBendArcWall, q(kBendFactor) * q(kStraightWall)}, {kHotBentWall, c(1.1) * q(kBendArcWall)}},
                   {0, 0});
    bends.formulas("Image3", {{kBendFactor, (c(4) * q(kBendRadiusRatio) - c(1)) / (c(4) * q(kBendRadiusRatio) - c(2))}},
                   {1, 0});
    def.quantity(kBendFactor, "m", "弯头系数");

    auto inputs = def.frame("Frame1", "输入参数", FrameRole::Input, {1, 0, 1, 2});
    inputs.field(kDiameter, "输气管道外径(毫米)", "720", {0, 0}).means("D", "输气管道外径", "mm").positive();
    inputs.field(kPressure, "管道的设计压力（MPa） ", "3.92", {1, 0}).means("P", "管道的设计压力", "MPa").positive();
    // A bend whose radius is not above half the diameter has no inner wall: (4n−1)/(4n−2) turns
    // negative below n = 0.5 and has no value at it.
    inputs.field(kBendRadiusRatio, "弯头的曲率半径R为几倍DN", "5.0", {2, 0})
        .means("n", "弯头的曲率半径R与DN之比")
        .within(above(0.5));
    inputs.field(kYieldStrength, "管材的最低屈服强度，（MPa）", "360", {0, 1}).means("σ_s", "管材的最低屈服强度", "MPa").positive();
    inputs.field(kDesignFactor, "设计系数", "0.40", {1, 1}).means("F", "设计系数").fraction();
    inputs.field(kTemperatureFactor, "温度折减系数", "1.00", {2, 1}).means("t", "温度折减系数").fraction();

    auto results = def.frame("Frame2", "输出结果", FrameRole::Results, {2, 0, 1, 2});
    results.result(kStraightWall, "直管段计算壁厚（mm）", {0, 0}).means("δ", "直管段计算壁厚", "mm", 3);
    results.result(kBendArcWall, "弯头圆弧最小壁厚（mm）", {0, 1}).means("δ_b", "弯头圆弧最小壁厚", "mm", 3);
    results.result(kHotBentWall, "煨制弯头直管段厚（mm）", {0, 2}).means("δ_w", "煨制弯头直管段厚", "mm", 3);

    def.runButton("Command1", "开始计算", computeWallThickness);
    def.printButton("Command2");
    return def;
}

const WindowRegistration registration("壁厚计算", "壁厚计算", makeWallThickness);

}  // namespace
}  // namespace pylora
