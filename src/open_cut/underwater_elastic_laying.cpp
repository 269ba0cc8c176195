// 弹性敷设: the least radius of curvature for laying a pipe elastically under water, from the
// diameter alone, from the allowable stress of the steel, and from the diameter and the turning
// angle. The fourth formula, for a pipe under a continuous heavy-concrete coating, is shown with
// its inputs and result fields but has no calculation: its fields are never read or written.
#include "model/calc.h"

namespace pylora {
namespace {

// The window's fields.
constexpr auto kModulus = "Text1";
constexpr auto kDiameter = "Text3";
constexpr auto kTurningAngle = "Text2";
constexpr auto kAllowableStress = "Text4";
constexpr auto kRadiusByDiameter = "Text10";
constexpr auto kRadiusByStress = "Text8";
constexpr auto kRadiusByAngle = "Text9";
// Formula 4: shown with its inputs and results, never read or written.
constexpr auto kThrust = "Text5";
constexpr auto kCoatingDiameter = "Text11";
constexpr auto kConcreteUnitWeight = "Text12";
constexpr auto kCoatedStiffness = "Text13";
constexpr auto kDisplacedVolume = "Text14";
constexpr auto kWeightInAir = "Text15";
constexpr auto kRadiusByCoating = "Text7";
constexpr auto kRadiusByCoatingLong = "Text6";

using formula::c;
using formula::fn;
using formula::q;

// The sag of a span of the bend under the coated pipe's unit load equals the rise of the bend.
const char* kHeavyCoatingFormula = R"(<svg xmlns="http://www.w3.org/2000/svg" width="320" height="130" viewBox="0 0 320 130">
<g font-family="serif" font-size="19" font-style="italic" fill="black">
<text x="8" y="46">R</text><text x="21" y="52" font-size="12">e</text>
<text x="34" y="46">=</text>
<text x="56" y="26" font-size="12">3</text>
<path d="M56 40 L62 38 L68 62 L76 8 L312 8" fill="none" stroke="black" stroke-width="1.3"/>
<text x="82" y="30">384 (EI)</text><text x="168" y="36" font-size="12">c</text>
<text x="180" y="30">(1 − cos</text>
<text x="268" y="22" font-size="13">α</text>
<line x1="266" y1="25" x2="280" y2="25" stroke="black" stroke-width="1"/>
<text x="268" y="38" font-size="13">2</text><text x="284" y="30">)</text>
<line x1="80" y1="42" x2="300" y2="42" stroke="black" stroke-width="1.3"/>
<text x="156" y="66">5 q α</text><text x="204" y="58" font-size="12">4</text>
<text x="8" y="104">q =</text>
<path d="M44 96 L50 94 L56 112 L64 80 L290 80" fill="none" stroke="black" stroke-width="1.3"/>
<text x="68" y="104">(G − γ</text><text x="134" y="110" font-size="12">w</text>
<text x="146" y="104">V)</text><text x="170" y="96" font-size="12">2</text>
<text x="184" y="104">+ P</text><text x="218" y="110" font-size="12">x</text>
<text x="228" y="96" font-size="12">2</text>
</g></svg>)";

void computeLayingRadii(Form& form) {
    const Num diameter = FieldValue(form, kDiameter);
    form.setText(kRadiusByDiameter, NumberText(1000 * diameter));

    const auto [modulus, allowableStress] = FieldValues(form, kModulus, kAllowableStress);
    form.setText(kRadiusByStress, NumberText(modulus * diameter / (2 * allowableStress)));

    const Num angle = FieldValue(form, kTurningAngle);  // radians
    const Num ratio = diameter * diameter * (1 - cos(angle / 2)) / pow(angle, 4);
    form.setText(kRadiusByAngle, NumberText(3600 * pow(ratio, 1.0 / 3)));
}

// Formula 3 is formula 4 for a bare thin-walled steel pipe under its own weight
// (EI/q = E·D²/(8γ)), whose constant ∛(384·E/(40·γ)) is about 297 with D in metres and α in
// radians, about 3.0×10³ with D in centimetres and α in degrees: 3600 belongs to the latter.
void addRemarks(FormDefinition& def) {
    const auto steelRadius = formula::pow(c(384) * c(1e6, "10^6") * q(kModulus) * formula::pow(q(kDiameter), c(2)) *
                                              (c(1) - fn("cos", q(kTurningAngle) / c(2))) /
                                              (c(40) * c(77000) * formula::pow(q(kTurningAngle), c(4))),
                                          c(1.0 / 3, "1/3"));
    def.remark(kRadiusByAngle,
               "公式3即公式4用于裸钢管自重（EI/q = E·D²/(8γ)，γ = 77.0 kN/m³）的情形：以米、弧度计时其常数约为297，"
               "以厘米、度计（余弦按度取值）时约为3.0×10³，常数3600与后者相当。窗口按输入栏所标单位"
               "（D：米，α：弧度）计算，3.5弧度约为200°，结果约为按米、弧度计算值的12倍。")
        .beside(kDiameter)
        .beside(kTurningAngle)
        .referenceValue(steelRadius, "R_{e3}′", "m", 2);
}

FormDefinition makeUnderwaterElasticLaying() {
    FormDefinition def("弹性敷设", "水下弹性敷设管道计算");
    def.titleLabel("Label1", "水下弹性敷设管道计算");
    def.note("Label2", "【注意】：确定管道曲率半径的原则是保证管道的强度在弹性范围内,使之不产生残余永久变形。");

    def.frame("Frame4", "计算公式1", FrameRole::Formula, {0, 0})
        .formulas("Image1", {{kRadiusByDiameter, c(1000) * q(kDiameter)}}, {0, 0});
    def.frame("Frame5", "计算公式2", FrameRole::Formula, {0, 1})
        .formulas("Image2", {{kRadiusByStress, q(kModulus) * q(kDiameter) / (c(2) * q(kAllowableStress))}}, {0, 0});
    const auto angleRatio = formula::pow(q(kDiameter), c(2)) * (c(1) - fn("cos", q(kTurningAngle) / c(2))) /
                            formula::pow(q(kTurningAngle), c(4));
    def.frame("Frame6", "计算公式3", FrameRole::Formula, {0, 2})
        .formulas("Image3", {{kRadiusByAngle, c(3600) * formula::pow(angleRatio, c(1.0 / 3, "1/3"))}}, {0, 0});
    // Formula 4 stays a drawing: the window has no calculation for it, and its load q and the
    // unit weight of water γ_w are quantities the window neither asks for nor computes.
    auto coating = def.frame("Frame3", "计算公式4", FrameRole::Formula, {0, 3});
    coating.label("Label14", "公式4", {0, 0});
    coating.picture("Image4", kHeavyCoatingFormula, {1, 0});

    auto inputs = def.frame("Frame1", "输入参数", FrameRole::Input, {1, 0, 1, 4});
    inputs.field(kModulus, "管材的弹性模量E(MPa )", "210000", {0, 0}).means("E", "管材的弹性模量", "MPa").positive();
    inputs.field(kDiameter, "输气管外径（米）", "0.280", {0, 1}).means("D", "输气管外径", "m").positive();
    inputs.field(kCoatingDiameter, "重混凝土覆盖层的外径(米)", "0.450", {0, 2})
        .means("D_c", "重混凝土覆盖层的外径", "m").positive();
    inputs.field(kTurningAngle, "管道的转角α(弧度);", "3.50", {1, 0}).means("α", "管道的转角", "rad").anySign();
    inputs.field(kAllowableStress, "[σ]管材容许应力(MPa)", "98.00", {1, 1}).means("[σ]", "管材容许应力", "MPa").positive();
    // The caption's "(米)" is no unit of a unit weight; none is stated.
    inputs.field(kConcreteUnitWeight, "重混凝土的容重(米)", "0.280", {1, 2}).means("γ_c", "重混凝土的容重").positive();
    inputs.field(kThrust, "管道所受的水平推力Px（牛/米）", "10.2", {2, 0}).means("P_x", "管道所受的水平推力", "N/m").positive();
    inputs.field(kCoatedStiffness, "重混凝土连续覆盖层管身结构的折算刚度", "0.280", {2, 1})
        .means("(EI)_c", "重混凝土连续覆盖层管身结构的折算刚度").positive();
    inputs.field(kDisplacedVolume, "具有外涂层的管道排开水的体积", "10.2", {3, 0})
        .means("V", "具有外涂层的管道排开水的体积").positive();
    inputs.field(kWeightInAir, "具有外涂层的管道在空气中的重量(kg /m)", "0.280", {3, 1})
        .means("G", "具有外涂层的管道在空气中的重量", "kg/m").positive();

    auto results = def.frame("Frame2", "输出结果", FrameRole::Results, {2, 0, 1, 4});
    results.result(kRadiusByDiameter, "公式1计算曲率半径Re（米）", {0, 0}).means("R_{e1}", "公式1计算曲率半径", "m", 2);
    results.result(kRadiusByStress, "公式2计算曲率半径Re（米）", {0, 1}).means("R_{e2}", "公式2计算曲率半径", "m", 2);
    results.result(kRadiusByAngle, "公式3计算曲率半径Re（米）", {1, 0}).means("R_{e3}", "公式3计算曲率半径", "m", 2);
    results.result(kRadiusByCoating, "公式4计算曲率半径Re（米）", {1, 1}).means("R_{e4}", "公式4计算曲率半径", "m", 2);
    results.result(kRadiusByCoatingLong, "公式4计算曲率半径Re（米） （本公式仅适用于带连续加重块情况)", {2, 0, 1, 2})
        .means("R_{e4}", "公式4计算曲率半径（带连续加重块）", "m", 2);

    addRemarks(def);

    def.runButton("Command1", "开始计算", computeLayingRadii);
    def.printButton("Command2");
    return def;
}

const WindowRegistration registration("弹性敷设", "水下弹性敷设管道计算", makeUnderwaterElasticLaying);

}  // namespace
}  // namespace pylora
