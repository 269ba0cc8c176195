// 振动计算: a pipe span scoured free by the river, checked against vortex-induced vibration:
// natural frequencies for hinged and fixed ends, the Reynolds number and flow regime, the
// vortex-shedding frequency and the longest free span allowed.
#include "core/calc.h"
#include "core/formula_picture.h"

namespace pylora {
namespace {

using formula::fraction;
using formula::root;
using formula::row;
using formula::text;

formula::Piece stiffnessRoot() { return root(fraction(text("EI"), text("m"))); }

std::string hingedFormula() {
    return formula::picture({row({text("f_1 = "), fraction(text("5"), text("l^2")), stiffnessRoot()})});
}

std::string fixedFormula() {
    return formula::picture({row({text("f_2 = "), fraction(text("11"), text("l^2")), stiffnessRoot()}),
                             row({text("f_2 = "), fraction(text("11"), text("5")), text("f_1")})});
}

std::string vortexFormula() {
    return formula::picture({row({text("f_3 = "), fraction(text("Sh · V"), text("D"))})});
}

std::string structuralFormula() {
    return formula::picture({row({text("n = "), fraction(text("C · K^2"), text("20π l^2")), stiffnessRoot()})});
}

std::string coefficientsNote() { return formula::picture({text("C = 0.7，K = 3.14（铰接）或 4.73（刚性固定）")}, 13); }

std::string freeSpanFormula() {
    return formula::picture(
        {row({text("L^2 ≤ "), fraction(text("C · K^2"), text("200π · Sh · V / D")), stiffnessRoot()})});
}

std::string unitPicture(const char* markup) { return formula::picture({text(markup)}, 14); }

// Natural frequency by structural mechanics, f = K·R/l², and the free span that keeps it clear
// of the vortex-shedding frequency, L = √(K·R/(10·f3)); K carries C·K²/(20π) of the formula.
Num structuralFrequency(const Num& k, const Num& stiffnessRoot, const Num& length) {
    return k * stiffnessRoot / (length * length);
}

Num allowedFreeSpan(const Num& k, const Num& stiffnessRoot, const Num& sheddingFrequency) {
    // A negative shedding frequency has no span; the field that made it negative is named.
    return sqrt(blamingNegativeFactor(k * stiffnessRoot / (10 * sheddingFrequency), {sheddingFrequency}));
}

void computeVibration(Form& form) {
    const Num e = FieldValue(form, "Text10");
    const Num inertia = FieldValue(form, "Text9");
    const Num mass = FieldValue(form, "Text12");
    const Num stiffness = blamingNegativeFactor(1000 * e * inertia / mass, {e, inertia, mass});
    const Num stiffnessRoot = sqrt(stiffness);

    const Num length = FieldValue(form, "Text11");
    form.setText("Text1", FormatNumber(5 * stiffnessRoot / (length * length), "#.##"));
    // The fixed-end frequency follows the hinged one as displayed, rounded to two decimals.
    form.setText("Text3", FormatNumber(Num(11) / 5 * FieldValue(form, "Text1"), "#.##"));

    const Num velocity = FieldValue(form, "Text13");
    const Num diameter = FieldValue(form, "Text15");
    const Num viscosity = FieldValue(form, "Text16");
    form.setText("Text5", FormatNumber(velocity * diameter * 10000 / viscosity, "#.##"));
    form.setText("Text6", FieldValue(form, "Text5") > 2300 ? "湍流状态" : "层流状态");

    const Num hinged = 3.14 * 3.14 * 0.7 / 62.8318;
    const Num fixed = 4.73 * 4.73 * 0.7 / 62.8318;
    form.setText("Text2", FormatNumber(structuralFrequency(hinged, stiffnessRoot, length), "#.##"));
    form.setText("Text4", FormatNumber(structuralFrequency(fixed, stiffnessRoot, length), "#.##"));

    const Num strouhal = FieldValue(form, "Text14");
    const Num shedding = blamingNegativeFactor(strouhal * velocity / diameter, {strouhal, velocity, diameter});
    form.setText("Text7", NumberText(shedding));

    form.setText("Text8", FormatNumber(allowedFreeSpan(hinged, stiffnessRoot, shedding), "#.##"));
    form.setText("Text17", FormatNumber(allowedFreeSpan(fixed, stiffnessRoot, shedding), "#.##"));
}

FormDefinition makeVibration() {
    FormDefinition def("振动计算", "振动计算");
    def.titleLabel("Label1", "水下管道振动稳定性计算");
    def.note("Label2",
             " 【注意】：穿越管段若悬空长度较短时，在水流作用下不会出现显著振动。当悬空长度达到某一数值时，"
             "水流应会引起冲刷段的显著而相当有规律的振动。振动方向垂直于水流方向。当悬空长度l达到一定长度时，"
             "振幅会急剧增大，甚至会造成管线断裂。振幅的突然加大证明水流作用力的频率与悬空段的自振频率相近或吻合，"
             "这样会发生最危险的振动，即共振。");

    auto formulas = def.frame("Frame3", "计算公式", FrameRole::Formula, {0, 0});
    const std::pair<const char*, std::string> pictures[] = {
        {"两端铰接的管线自振频率计算公式1", hingedFormula()},
        {"两端刚性固定的管线自振频率计算公式2", fixedFormula()},
        {"管线受冲刷时产生的振动频率计算公式3", vortexFormula()},
        {"按结构力学计算管线的自振频率公式4", structuralFormula()},
        {"受冲刷时管道允许最大悬空长度计算公式5", freeSpanFormula()},
    };
    int column = 0;
    for (const auto& [caption, svg] : pictures) {
        formulas.picture("Image" + std::to_string(column + 1), svg, {0, column});
        formulas.label("", caption, {2, column});
        ++column;
    }
    formulas.picture("Image9", coefficientsNote(), {1, 3, 1, 2});

    // Two columns of inputs; the units of I, E and ν stand in small pictures beside their fields.
    auto inputs = def.frame("Frame1", "输入参数", FrameRole::Input, {1, 0});
    inputs.field("Text9", "管道的惯性矩I", "0.5852", {0, 0});
    inputs.picture("Image6", unitPicture("×10^4 cm^4"), {0, 1});
    inputs.field("Text11", "冲刷段的管道长度l（米）", "20", {1, 0});
    inputs.field("Text13", "河底水流速度（米/秒）", "1.1", {2, 0});
    inputs.field("Text15", "管线的外径（米）", "0.273", {3, 0});
    inputs.field("Text10", "管材的弹性模量E", "2.1", {0, 2});
    inputs.picture("Image7", unitPicture("×10^5 MPa"), {0, 3});
    inputs.field("Text12", "管线单位长度的质量m（千克/米）", "52.38", {1, 2});
    inputs.field("Text14", "斯脱罗哈里数（sh）", "0.20", {2, 2});
    inputs.field("Text16", "水在20温度下的运动粘度系数", "0.0101", {3, 2});
    inputs.picture("Image8", unitPicture("cm^2/s"), {3, 3});

    auto results = def.frame("Frame2", "输出结果", FrameRole::Results, {2, 0});
    results.result("Text1", "两端铰接的管线自振频率（按公式1计算）", {0, 0});
    results.result("Text3", "两端刚性固定的管线自振频率（按公式2计算）", {1, 0});
    results.result("Text5", "雷诺数", {2, 0});
    results.result("Text7", "管线受冲刷产生的振动频率（按公式3计算）", {3, 0});
    results.result("Text2", "两端铰接的管线自振频率（按公式4计算）", {0, 1});
    results.result("Text4", "两端刚性固定的管线自振频率（按公式4计算）", {1, 1});
    results.result("Text6", "利用雷诺数判断水流为稳流还是湍流", {2, 1});
    results.result("Text8", "受冲刷时管道允许最大悬空长度(两端铰接）", {3, 1});
    results.result("Text17", "受冲刷时管道允许最大悬空长度L（两端刚性固定，按公式5计算,单位为米）", {4, 0, 1, 2});

    def.runButton("Command1", "开始计算", computeVibration);
    def.printButton("Command2");
    return def;
}

const WindowRegistration registration(makeVibration);

}  // namespace
}  // namespace pylora
