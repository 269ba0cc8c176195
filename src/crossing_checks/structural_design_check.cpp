// 穿越结构设计计算: the wall of a crossing pipe section. Hoop stress of the internal pressure,
// axial stress (pipe free to move axially, or restrained), bending stress of elastic laying,
// and the equivalent stress, which must stay below 0.9 times the yield strength.
#include "model/calc.h"
#include "crossing_checks/verdict_row.h"
#include "model/report_declarations.h"

namespace pylora {
namespace {

// The window's fields.
constexpr auto kOutsideDiameter = "Text1";
constexpr auto kWall = "Text2";
constexpr auto kPressure = "Text3";
constexpr auto kModulus = "Text4";
constexpr auto kTieInTemperature = "Text5";
constexpr auto kExpansion = "Text8";
constexpr auto kMediumTemperature = "Text9";
constexpr auto kPoisson = "Text10";
constexpr auto kBendRadius = "Text11";
constexpr auto kYieldStrength = "Text12";
constexpr auto kRestrained = "Option1(0)";
constexpr auto kFree = "Option1(1)";
constexpr auto kHoopShown = "Text6";
constexpr auto kAxial = "Text7";
constexpr auto kBending = "Text13";
// The comparison row: equivalent stress, sign, 0.9·σs, verdict.
constexpr auto kEquivalent = "Text14";
constexpr auto kSign = "Text17";
constexpr auto kLimit = "Text15";
constexpr auto kVerdict = "Text16";
// Computed: the inner diameter, and the hoop stress unrounded, as the axial stress takes it.
constexpr auto kInnerDiameter = "d";
constexpr auto kHoop = "hoop";

const VerdictRow kDesignVerdict{{kSign}, {kVerdict}, "<", ">", "穿越管段结构设计符合要求", "穿越管段结构设计不符合要求"};

using formula::c;
using formula::fn;
using formula::q;

void checkStructuralDesign(Form& form) {
    const auto [outsideDiameter, wall] = FieldValues(form, kOutsideDiameter, kWall);
    const Num innerDiameter = outsideDiameter - 2 * wall;
    const Num pressure = FieldValue(form, kPressure);
    const Num hoop = pressure * innerDiameter / (2 * wall);
    form.setText(kHoopShown, FormatNumber(hoop, "#.##"));

    Num axial;
    if (form.checked(kFree)) {
        axial = hoop / 2;
    } else {
        // E in 10⁵ MPa times α in 10⁻⁵ per °C gives MPa per °C directly.
        const auto [poisson, modulus, expansion, tieIn, medium] =
            FieldValues(form, kPoisson, kModulus, kExpansion, kTieInTemperature, kMediumTemperature);
        axial = poisson * hoop + modulus * expansion * (tieIn - medium);
    }
    form.setText(kAxial, FormatNumber(axial, "#.##"));

    // The bending radius is entered in metres, the diameter in millimetres.
    const Num modulusMpa = FieldValue(form, kModulus) * 1e5;
    const Num radiusMm = FieldValue(form, kBendRadius) * 1e3;
    form.setText(kBending, FormatNumber(modulusMpa * outsideDiameter / (2 * radiusMm), "#.##"));

    // The equivalent stress is taken from the two stresses as displayed, the hoop stress read
    // first, so that a hoop stress shown as "." is the field a failure names.
    const auto [shownHoop, shownAxial] = FieldValues(form, kHoopShown, kAxial);
    const Num equivalent = abs(shownHoop - shownAxial);
    form.setText(kEquivalent, FormatNumber(equivalent, "#.###"));
    const Num limit = 0.9 * FieldValue(form, kYieldStrength);
    form.setText(kLimit, FormatNumber(limit, "#.###"));

    writeVerdict(form, kDesignVerdict, equivalent < limit);
}

void addFormulas(FormDefinition& def) {
    def.frame("Frame8", "内压产生的环向应力计算 ", FrameRole::Formula, {0, 1})
        .formulas("Image1",
                      {{kHoop, q(kPressure) * q(kInnerDiameter) / (c(2) * q(kWall))},
                       {kInnerDiameter, q(kOutsideDiameter) - c(2) * q(kWall)}},
                      {0, 0});
    def.frame("Frame4", "轴向应力计算(轴向变形受约束时) ", FrameRole::Formula, {0, 2})
        .formulas("Image2",
                  {formula::when(kRestrained, {kAxial, q(kPoisson) * q(kHoop) + q(kModulus) * q(kExpansion) *
                                                                              (q(kTieInTemperature) - q(kMediumTemperature))})},
                  {0, 0});
    def.frame("Frame5", "轴向应力(轴向变形不受约束)", FrameRole::Formula, {1, 0})
        .formulas("Image3", {formula::when(kFree, {kAxial, q(kHoop) / c(2)})}, {0, 0});
    // E is entered in 10⁵ MPa, R in metres, D in millimetres.
    def.frame("Frame6", "弹性敷设产生的弯曲应力计算", FrameRole::Formula, {1, 1})
        .formulas("Image4",
                  {{kBending, c(1e5, "10^5") * q(kModulus) * q(kOutsideDiameter) /
                                  (c(2) * q(kBendRadius) * c(1e3, "10^3"))}},
                  {0, 0});
    def.frame("Frame7", "穿越管段的当量应力计算及校核", FrameRole::Formula, {1, 2})
        .formulas("Image5",
                  {{kEquivalent, fn("abs", q(kHoopShown) - q(kAxial))},
                   {kLimit, c(0.9) * q(kYieldStrength)},
                   formula::words("σ_e < [σ_e]")},
                  {0, 0});

    def.quantity(kInnerDiameter, "d", "管道内径", "mm");
    def.quantity(kHoop, "σ_h", "内压产生的环向应力", "MPa", 2).shownIn = kHoopShown;
}

FormDefinition makeStructuralDesignCheck() {
    FormDefinition def("穿越结构设计计算", "穿越结构设计计算");
    def.titleLabel("Label1", "穿越结构设计计算");
    def.note("Label2", "   【注意】：穿越管段应根据所选壁厚核算强度、刚度及稳定性；若不满足要求时，应增加钢管壁厚。");

    auto options = def.frame("Frame3", " 计算选项 ", FrameRole::Options, {0, 0});
    options.option(kRestrained, "", {0, 0}).means("", "轴向变形条件").label = "轴向变向受约束时";
    options.option(kFree, "", {1, 0}, true).means("", "轴向变形条件").label = "轴向变向不受约束时";
    addFormulas(def);

    auto inputs = def.frame("Frame1", "输入参数", FrameRole::Input, {2, 0, 1, 3});
    inputs.field(kOutsideDiameter, "输气管道外径(毫米)", "323.9", {0, 0}).means("D", "输气管道外径", "mm").positive();
    inputs.field(kWall, "钢管壁厚δ(mm);", "5.6", {1, 0}).means("δ", "钢管壁厚", "mm").positive();
    inputs.field(kTieInTemperature, "管道安装闭合环境温度t1(℃)", "55", {2, 0})
        .means("t_1", "管道安装闭合环境温度", "℃").anySign();
    inputs.field(kMediumTemperature, "管道内输送介质的温度t2(℃)", "10", {3, 0})
        .means("t_2", "管道内输送介质的温度", "℃").anySign();
    inputs.field(kPressure, "输送介质的设计内压力，（MPa）", "4.0", {0, 1}).means("P", "输送介质的设计内压力", "MPa").positive();
    inputs.field(kModulus, "钢材的弹性模量E,(x10^5MPa) ", "2.0", {1, 1}).means("E", "钢材的弹性模量", "10⁵ MPa").positive();
    inputs.field(kExpansion, "钢材的线膨胀系数,X10^-5  [m/(m · ℃ )]", "1.2", {2, 1})
        .means("α", "钢材的线膨胀系数", "10⁻⁵ m/(m·℃)").positive();
    inputs.field(kYieldStrength, "管材屈服强度(MPa);", "290", {0, 2}).means("σ_s", "管材屈服强度", "MPa").positive();
    inputs.field(kBendRadius, "弹性敷设半径R(米);", "300 ", {1, 2}).means("R", "弹性敷设半径", "m").positive();
    inputs.field(kPoisson, "钢材的泊松比μ ", "0.3", {2, 2}).means("μ", "钢材的泊松比").between(0, 0.5);

    // Three labelled stresses, then the comparison read left to right:
    // equivalent stress, sign, 0.9·σs, verdict.
    auto results = def.frame("Frame2", "输出结果", FrameRole::Results, {3, 0, 1, 3});
    results.result(kHoopShown, "内压产生的环向应力（MPa）", {0, 0, 1, 2}).means("σ_h", "内压产生的环向应力", "MPa", 2);
    results.result(kAxial, "轴向应力计算（MPa）", {0, 2, 1, 2}).means("σ_a", "轴向应力", "MPa", 2);
    results.result(kBending, "弯曲应力计算（MPa）", {0, 4, 1, 2}).means("σ_b", "弹性敷设产生的弯曲应力", "MPa", 2);
    results.result(kEquivalent, "穿越管段的当量应力（MPa）", {1, 0}).means("σ_e", "穿越管段的当量应力", "MPa", 3);
    results.cell(kSign, " ", {1, 1}).means("", "当量应力与0.9倍屈服强度的比较").verdict().widthChars = 2;
    results.result(kLimit, "", {1, 2}).means("[σ_e]", "当量应力的限值（0.9倍管材屈服强度）", "MPa", 3);
    results.cell(kVerdict, " ", {1, 3, 1, 3}).means("", "穿越管段结构设计校核结论").verdict().widthChars = 28;

    def.runButton("Command1", "开始计算",
                  [](Form& form) { runToVerdict(form, kDesignVerdict, checkStructuralDesign); });
    def.printButton("Command2");
    return def;
}

const ComparisonRegistration checks("穿越结构设计计算", {{kEquivalent, kSign, kLimit, kVerdict}});
const WindowRegistration registration("穿越结构设计计算", "穿越结构设计计算", makeStructuralDesignCheck);

}  // namespace
}  // namespace pylora
