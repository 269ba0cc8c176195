// 振动计算: a pipe span scoured free by the river, checked against vortex-induced vibration:
// natural frequencies for hinged and fixed ends, the Reynolds number and flow regime, the
// vortex-shedding frequency and the longest free span allowed.
#include "model/calc.h"
#include "model/formula_picture.h"

#include <numbers>

namespace pylora {
namespace {

// Inputs.
constexpr auto kInertia = "Text9";     // I, in 10⁴ cm⁴
constexpr auto kModulus = "Text10";    // E, in 10⁵ MPa
constexpr auto kSpanLength = "Text11";
constexpr auto kMassPerMetre = "Text12";
constexpr auto kVelocity = "Text13";
constexpr auto kStrouhal = "Text14";
constexpr auto kDiameter = "Text15";
constexpr auto kViscosity = "Text16";  // ν, in cm²/s
// Results.
constexpr auto kHingedFrequency = "Text1";
constexpr auto kFixedFrequency = "Text3";
constexpr auto kReynolds = "Text5";
constexpr auto kFlowRegime = "Text6";
constexpr auto kHingedStructural = "Text2";
constexpr auto kFixedStructural = "Text4";
constexpr auto kSheddingFrequency = "Text7";
constexpr auto kHingedFreeSpan = "Text8";
constexpr auto kFixedFreeSpan = "Text17";
constexpr auto kVerdict = "Text18";

// Structural-mechanics coefficients: C and K (3.14 hinged, 4.73 fixed), with 62.8318 for 20π.
constexpr double kC = 0.7;
constexpr double kHingedK = 3.14;
constexpr double kFixedK = 4.73;
constexpr double kTwentyPi = kLegacyTwentyPi;

// Natural frequency by structural mechanics in SI, C·K²/(2π·l²)·√(E·I/m): with E in 10⁵ MPa
// (10¹¹ Pa) and I in 10⁴ cm⁴ (10⁻⁴ m⁴), √(E·I/m) is 100·R, and K (which carries C·K²/(20π))
// gives f = 1000·K·R/l². The free span is the length at which that frequency meets the
// vortex-shedding frequency f3: L = √(1000·K·R/f3).
constexpr double kUnitFactor = 1000;

Num structuralFrequency(const Num& k, const Num& stiffnessRoot, const Num& length) {
    return kUnitFactor * k * stiffnessRoot / (length * length);
}

Num allowedFreeSpan(const Num& k, const Num& stiffnessRoot, const Num& sheddingFrequency) {
    // A negative shedding frequency has no span; the field that made it negative is named.
    return sqrt(blamingNegativeFactor(kUnitFactor * k * stiffnessRoot / sheddingFrequency, {sheddingFrequency}));
}

// The check the window exists for: the scoured span l against the longest free spans allowed,
// as shown. Within both it is met; beyond the hinged one only a span fixed at both ends holds.
void judgeSpan(Form& form) {
    const auto [span, hinged, fixed] = FieldValues(form, kSpanLength, kHingedFreeSpan, kFixedFreeSpan);
    const std::string l = "悬空长度l=" + NumberText(span) + "米";
    const std::string allowed = "（两端铰接L_h=" + form.text(kHingedFreeSpan) + "米，两端刚性固定L_f=" +
                                form.text(kFixedFreeSpan) + "米）";
    std::string text;
    if (span <= hinged && span <= fixed)
        text = "满足：" + l + "不大于允许最大悬空长度" + allowed;
    else if (span <= fixed)
        text = "两端铰接时不满足，两端刚性固定时满足：" + l + "大于L_h=" + form.text(kHingedFreeSpan) +
               "米，不大于L_f=" + form.text(kFixedFreeSpan) + "米";
    else
        text = "不满足：" + l + "大于允许最大悬空长度" + allowed + "，应采取稳管或支撑措施";
    form.setForeground(kVerdict, span <= hinged && span <= fixed ? Colour::windowText() : Colour::red());
    form.setText(kVerdict, text);
}

void computeVibration(Form& form) {
    const auto [e, inertia, mass] = FieldValues(form, kModulus, kInertia, kMassPerMetre);
    // E in 10⁵ MPa and I in 10⁴ cm⁴: the factor 1000 is the window's unit conversion.
    const Num stiffness = blamingNegativeFactor(1000 * e * inertia / mass, {e, inertia, mass});
    const Num stiffnessRoot = sqrt(stiffness);

    const Num length = FieldValue(form, kSpanLength);
    form.setText(kHingedFrequency, FormatNumber(5 * stiffnessRoot / (length * length), "#.##"));
    // The fixed-end frequency follows the hinged one as displayed, rounded to two decimals.
    form.setText(kFixedFrequency, FormatNumber(Num(11) / 5 * FieldValue(form, kHingedFrequency), "#.##"));

    const auto [velocity, diameter, viscosity] = FieldValues(form, kVelocity, kDiameter, kViscosity);
    form.setText(kReynolds, FormatNumber(velocity * diameter * 10000 / viscosity, "#.##"));
    form.setText(kFlowRegime, FieldValue(form, kReynolds) > 2300 ? "湍流状态" : "层流状态");

    const Num hinged = kHingedK * kHingedK * kC / kTwentyPi;
    const Num fixed = kFixedK * kFixedK * kC / kTwentyPi;
    form.setText(kHingedStructural, FormatNumber(structuralFrequency(hinged, stiffnessRoot, length), "#.##"));
    form.setText(kFixedStructural, FormatNumber(structuralFrequency(fixed, stiffnessRoot, length), "#.##"));

    const Num strouhal = FieldValue(form, kStrouhal);
    const Num shedding = blamingNegativeFactor(strouhal * velocity / diameter, {strouhal, velocity, diameter});
    form.setText(kSheddingFrequency, NumberText(shedding));

    form.setText(kHingedFreeSpan, FormatNumber(allowedFreeSpan(hinged, stiffnessRoot, shedding), "#.##"));
    form.setText(kFixedFreeSpan, FormatNumber(allowedFreeSpan(fixed, stiffnessRoot, shedding), "#.##"));
    judgeSpan(form);
}

using formula::c;
using formula::Expr;
using formula::named;
using formula::q;

// R = √(1000·E·I/m), the stiffness root of formula 1, E and I in the units of their fields.
Expr stiffnessRoot() { return sqrt(c(1000) * q(kModulus) * q(kInertia) / q(kMassPerMetre)); }

Expr coefficientC() { return named(kC, "C", "结构力学系数"); }
Expr hingedK() { return named(kHingedK, "K_h", "两端铰接时的系数"); }
Expr fixedK() { return named(kFixedK, "K_f", "两端刚性固定时的系数"); }

// √(E·I/m) in SI: E in 10⁵ MPa times I in 10⁴ cm⁴ is 10⁷ N·m².
Expr stiffnessRootSI() { return sqrt(c(1e7, "10^7") * q(kModulus) * q(kInertia) / q(kMassPerMetre)); }

// Formula 4: n = C·K²/(2π·l²)·√(EI/m).
Expr structuralFormula(const Expr& k) {
    return coefficientC() * pow(k, c(2)) / (c(6.28318, "2π") * pow(q(kSpanLength), c(2))) * stiffnessRootSI();
}

// Formula 5: the span at which n reaches f3 = Sh·V/D: L² = C·K²/(2π·f3)·√(EI/m).
Expr freeSpanFormula(const Expr& k) {
    return sqrt(coefficientC() * pow(k, c(2)) / (c(6.28318, "2π") * q(kSheddingFrequency)) * stiffnessRootSI());
}

// √(EI/m) of the span in SI: E from 10⁵ MPa to Pa, I from 10⁴ cm⁴ to m⁴.
Expr eulerStiffnessRoot() {
    return sqrt(c(1e11, "10^{11}") * q(kModulus) * c(1e-4, "10^{-4}") * q(kInertia) / q(kMassPerMetre));
}

// Formulas 1 and 2 give about 1/(10π) of a beam's natural frequency: an engineer comparing them
// with the vortex-shedding frequency f3 is told what an Euler beam gives.
void addRemarks(FormDefinition& def) {
    def.remark(kHingedFrequency,
               "公式1以 S = 1000·E·I/m（E以10⁵ MPa、I以10⁴ cm⁴计）代入，所得频率约为两端铰接欧拉梁自振频率的1/(10π)；"
               "按梁的自由振动理论（SI单位），两端铰接时 f = π/(2l²)·√(EI/m)，宜与漩涡脱落频率f_3比较。")
        .referenceValue(c(std::numbers::pi, "π") / (c(2) * pow(q(kSpanLength), c(2))) * eulerStiffnessRoot(), "f_1′", "Hz", 2);
    def.remark(kFixedFrequency,
               "公式2取公式1结果的11/5倍，与公式1同样约为欧拉梁自振频率的1/(10π)；"
               "按梁的自由振动理论（SI单位），两端刚性固定时 f = 4.730²/(2π·l²)·√(EI/m)。")
        .referenceValue(pow(c(4.73, "4.730"), c(2)) / (c(2) * c(std::numbers::pi, "π") * pow(q(kSpanLength), c(2))) *
                            eulerStiffnessRoot(),
                        "f_2′", "Hz", 2);
}

std::string unitPicture(const char* markup) { return formula::picture({formula::text(markup)}, 14); }

FormDefinition makeVibration() {
    FormDefinition def("振动计算", "振动计算");
    def.titleLabel("Label1", "水下管道振动稳定性计算");
    def.note("Label2",
             " 【注意】：穿越管段若悬空长度较短时，在水流作用下不会出现显著振动。当悬空长度达到某一数值时，"
             "水流应会引起冲刷段的显著而相当有规律的振动。振动方向垂直于水流方向。当悬空长度l达到一定长度时，"
             "振幅会急剧增大，甚至会造成管线断裂。振幅的突然加大证明水流作用力的频率与悬空段的自振频率相近或吻合，"
             "这样会发生最危险的振动，即共振。");

    auto formulas = def.frame("Frame3", "计算公式", FrameRole::Formula, {0, 0});
    const std::pair<const char*, std::vector<formula::Formula>> pictures[] = {
        {"两端铰接的管线自振频率计算公式1",
         {{kHingedFrequency, c(5) / pow(q(kSpanLength), c(2)) * stiffnessRoot()}}},
        {"两端刚性固定的管线自振频率计算公式2", {{kFixedFrequency, c(11) / c(5) * q(kHingedFrequency)}}},
        {"管线受冲刷时产生的振动频率计算公式3",
         {{kSheddingFrequency, q(kStrouhal) * q(kVelocity) / q(kDiameter)}}},
        {"按结构力学计算管线的自振频率公式4",
         {{kHingedStructural, structuralFormula(hingedK())}, {kFixedStructural, structuralFormula(fixedK())}}},
        {"受冲刷时管道允许最大悬空长度计算公式5",
         {{kHingedFreeSpan, freeSpanFormula(hingedK())}, {kFixedFreeSpan, freeSpanFormula(fixedK())}}},
    };
    // The two-line pictures (formulas 4 and 5) stand over two rows; the constants take the
    // room under the one-line ones, so that the window fits a laptop's screen.
    int column = 0;
    for (const auto& [caption, lines] : pictures) {
        formulas.formulas("Image" + std::to_string(column + 1), lines, {0, column, lines.size() > 1 ? 2 : 1, 1});
        formulas.label("", caption, {2, column});
        ++column;
    }
    formulas.formulas("Image9", {formula::words("C = 0.7，K_h = 3.14（铰接），K_f = 4.73（刚性固定）")},
                      {1, 0, 1, 3});
    def.formula({kReynolds, q(kVelocity) * q(kDiameter) * c(10000) / q(kViscosity)});
    def.formula(formula::words("Re > 2300：湍流状态；Re ≤ 2300：层流状态"));
    def.formula(formula::words("l ≤ L_h：满足；L_h < l ≤ L_f：两端铰接时不满足，两端刚性固定时满足；l > L_f：不满足"));

    // Two columns of inputs; the units of I, E and ν stand in small pictures beside their fields.
    auto inputs = def.frame("Frame1", "输入参数", FrameRole::Input, {1, 0});
    inputs.field(kInertia, "管道的惯性矩I", "0.5852", {0, 0}).means("I", "管道的惯性矩", "10⁴ cm⁴").positive();
    inputs.picture("Image6", unitPicture("×10^4 cm^4"), {0, 1});
    inputs.field(kSpanLength, "冲刷段的管道长度l（米）", "20", {1, 0}).means("l", "冲刷段的管道长度", "m").positive();
    inputs.field(kVelocity, "河底水流速度（米/秒）", "1.1", {2, 0}).means("V", "河底水流速度", "m/s").nonNegative();
    inputs.field(kDiameter, "管线的外径（米）", "0.273", {3, 0}).means("D", "管线的外径", "m").positive();
    inputs.field(kModulus, "管材的弹性模量E", "2.1", {0, 2}).means("E", "管材的弹性模量", "10⁵ MPa").positive();
    inputs.picture("Image7", unitPicture("×10^5 MPa"), {0, 3});
    inputs.field(kMassPerMetre, "管线单位长度的质量m（千克/米）", "52.38", {1, 2})
        .means("m", "管线单位长度的质量", "kg/m").positive();
    inputs.field(kStrouhal, "斯脱罗哈里数（sh）", "0.20", {2, 2}).means("Sh", "斯脱罗哈里数").positive();
    inputs.field(kViscosity, "水在20温度下的运动粘度系数", "0.0101", {3, 2})
        .means("ν", "水在20 °C时的运动粘度系数", "cm²/s").positive();
    inputs.picture("Image8", unitPicture("cm^2/s"), {3, 3});

    // Three columns of results, so that the window fits a laptop's screen (the two allowed free
    // spans side by side); the verdict on a row of its own below them.
    auto results = def.frame("Frame2", "输出结果", FrameRole::Results, {2, 0});
    results.result(kHingedFrequency, "两端铰接的管线自振频率（按公式1计算）", {0, 0})
        .means("f_1", "两端铰接的管线自振频率", "Hz", 2);
    results.result(kFixedFrequency, "两端刚性固定的管线自振频率（按公式2计算）", {1, 0})
        .means("f_2", "两端刚性固定的管线自振频率", "Hz", 2);
    results.result(kReynolds, "雷诺数", {0, 2}).means("Re", "雷诺数", "", 2);
    results.result(kSheddingFrequency, "管线受冲刷产生的振动频率（按公式3计算）", {2, 0})
        .means("f_3", "管线受冲刷产生的振动频率", "Hz", 4);
    results.result(kHingedStructural, "两端铰接的管线自振频率（按公式4计算）", {0, 1})
        .means("f_{4h}", "按结构力学计算的两端铰接管线自振频率", "Hz", 2);
    results.result(kFixedStructural, "两端刚性固定的管线自振频率（按公式4计算）", {1, 1})
        .means("f_{4f}", "按结构力学计算的两端刚性固定管线自振频率", "Hz", 2);
    results.result(kFlowRegime, "利用雷诺数判断水流为稳流还是湍流", {1, 2}).means("", "水流状态").verdict();
    results.result(kHingedFreeSpan, "受冲刷时管道允许最大悬空长度(两端铰接）", {2, 1})
        .means("L_h", "两端铰接时受冲刷管道允许最大悬空长度", "m", 2);
    results.result(kFixedFreeSpan, "受冲刷时管道允许最大悬空长度L（两端刚性固定，按公式5计算,单位为米）", {2, 2})
        .means("L_f", "两端刚性固定时受冲刷管道允许最大悬空长度", "m", 2);
    // The verdict names the span and both allowed lengths: a row of its own, read whole.
    results.result(kVerdict, "结论：", {3, 0, 1, 3}).means("", "结论").verdict();

    addRemarks(def);

    def.runButton("Command1", "开始计算", computeVibration);
    def.printButton("Command2");
    return def;
}

const WindowRegistration registration("振动计算", "振动计算", makeVibration);

}  // namespace
}  // namespace pylora
