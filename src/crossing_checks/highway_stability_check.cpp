// 公路穿越稳定性校核: a pipe under a highway against buckling of its ring. Four critical stresses
// (without casing, with casing, symmetric and asymmetric ovality); the smallest, as displayed,
// must exceed 1.5 times the total external load of soil and vehicles.
#include "model/calc.h"
#include "crossing_checks/verdict_row.h"
#include "model/report_declarations.h"

namespace pylora {
namespace {

// The window's fields.
constexpr auto kSoilLoad = "Text1";
constexpr auto kLargestDiameter = "Text2";
constexpr auto kVehicleLoad = "Text3";
constexpr auto kMeanDiameter = "Text4";
constexpr auto kSmallestDiameter = "Text5";
constexpr auto kWall = "Text8";
constexpr auto kModulus = "Text17";
constexpr auto kPoisson = "Text18";
constexpr auto kWithoutCasing = "Text6";
constexpr auto kWithCasing = "Text7";
constexpr auto kSymmetricOvality = "Text9";
constexpr auto kAsymmetricOvality = "Text15";
// The comparison row: smallest stress, sign, 1.5·(Ptu + Pk), verdict.
constexpr auto kLeastStress = "Text10";
constexpr auto kSign = "Text11";
constexpr auto kRequired = "Text13";
constexpr auto kVerdict = "Text16";
// Computed, not shown.
constexpr auto kMeanRadius = "R";
constexpr auto kOvality = "e";

const VerdictRow kStabilityVerdict{{kSign}, {kVerdict}, ">", "<", "满足稳定性要求", "不满足稳定性要求"};

using formula::c;
using formula::pow;
using formula::q;

void checkStability(Form& form) {
    const auto [soilLoad, vehicleLoad] = FieldValues(form, kSoilLoad, kVehicleLoad);
    const Num totalLoad = soilLoad + vehicleLoad;

    // E is entered in 10⁸ kN/m², the stresses come out in kN/m².
    const auto [modulus, wall] = FieldValues(form, kModulus, kWall);
    const Num stiffness = 1e8 * modulus * wall * wall * wall;
    const Num meanDiameter = FieldValue(form, kMeanDiameter);
    const Num meanRadius = meanDiameter / 2;
    const Num radiusCubed = meanRadius * meanRadius * meanRadius;

    const Num poisson = FieldValue(form, kPoisson);
    const Num withoutCasing = stiffness / (4 * (1 - poisson * poisson) * radiusCubed);
    form.setText(kWithoutCasing, FormatNumber(withoutCasing, "#.###"));
    const Num withCasing = stiffness / (4 * radiusCubed);
    form.setText(kWithCasing, FormatNumber(withCasing, "#.###"));

    const auto [largestDiameter, smallestDiameter] = FieldValues(form, kLargestDiameter, kSmallestDiameter);
    if (smallestDiameter > largestDiameter)
        throw RunFailure(FailureKind::NoSolution, kSmallestDiameter, "大于管道最大外径");
    const Num ovality = (largestDiameter - smallestDiameter) / meanDiameter;
    const Num base = 2.2 * stiffness / (meanDiameter * meanDiameter * meanDiameter);
    form.setText(kSymmetricOvality, FormatNumber(base * (1 - 4.5 * ovality), "#.###"));
    form.setText(kAsymmetricOvality, FormatNumber(base * (1 - 9 * ovality), "#.###"));

    const Num required = 1.5 * totalLoad;
    form.setText(kRequired, FormatNumber(required, "#.###"));

    // The smallest critical stress as the engineer reads it; a tie keeps the earlier field.
    Num least = FieldValue(form, kWithoutCasing);
    for (const char* field : {kWithCasing, kSymmetricOvality, kAsymmetricOvality}) {
        const Num shown = FieldValue(form, field);
        if (shown < least) least = shown;
    }
    form.setText(kLeastStress, FormatNumber(least, "#.###"));

    writeVerdict(form, kStabilityVerdict, least > required);
}

void addFormulas(FormDefinition& def) {
    // E·δ³ with E entered in 10⁸ kN/m².
    const auto stiffness = c(1e8, "10^8") * q(kModulus) * pow(q(kWall), c(3));
    const auto ovalityBase = c(2.2) * stiffness / pow(q(kMeanDiameter), c(3));
    const auto radiusCubed = pow(q(kMeanRadius), c(3));

    // Frame4 holds the formula of the pipe in a casing under the caption of the pipe without one.
    def.frame("Frame3", "无套管穿越管子临界应力", FrameRole::Formula, {0, 0})
        .formulas("Image1",
                  {{kWithoutCasing, stiffness / (c(4) * (c(1) - pow(q(kPoisson), c(2))) * radiusCubed)},
                   {kMeanRadius, q(kMeanDiameter) / c(2)}},
                  {0, 0});
    def.frame("Frame4", "无套管穿越管子临界应力", FrameRole::Formula, {0, 1})
        .formulas("Image2", {{kWithCasing, stiffness / (c(4) * radiusCubed)}}, {0, 0});
    def.frame("Frame8", "管子椭圆度", FrameRole::Formula, {0, 2})
        .formulas("Image3", {{kOvality, (q(kLargestDiameter) - q(kSmallestDiameter)) / q(kMeanDiameter)}}, {0, 0});
    def.frame("Frame5", "对称椭圆度影响临界压力", FrameRole::Formula, {1, 0})
        .formulas("Image4", {{kSymmetricOvality, ovalityBase * (c(1) - c(4.5) * q(kOvality))}}, {0, 0});
    def.frame("Frame6", "不对称椭圆度影响临界压力", FrameRole::Formula, {1, 1})
        .formulas("Image5", {{kAsymmetricOvality, ovalityBase * (c(1) - c(9) * q(kOvality))}}, {0, 0});
    def.frame("Frame7", "穿越段管子稳定性校核", FrameRole::Formula, {1, 2})
        .formulas("Image6",
                  {{kRequired, c(1.5) * (q(kSoilLoad) + q(kVehicleLoad))}, formula::words("σ_{min} > Q")},
                  {0, 0});

    // The smallest of the four as displayed.
    def.formula({kLeastStress, formula::min(formula::min(formula::min(q(kWithoutCasing), q(kWithCasing)),
                                                         q(kSymmetricOvality)),
                                            q(kAsymmetricOvality))});

    def.quantity(kMeanRadius, "R", "管道平均半径", "m");
    def.quantity(kOvality, "e", "管子椭圆度");
}

FormDefinition makeHighwayStabilityCheck() {
    FormDefinition def("公路穿越稳定性校核", "公路穿越稳定性校核");
    def.titleLabel("Label1", "公路穿越稳定性校核");

    addFormulas(def);

    auto inputs = def.frame("Frame1", "输入参数", FrameRole::Input, {2, 0, 1, 3});
    inputs.field(kSoilLoad, "管子受土壤垂直荷载Ptu(KN/m2)", "125", {0, 0}).means("P_{tu}", "管子受土壤垂直荷载", "kN/m²").nonNegative();
    inputs.field(kLargestDiameter, "管道最大外径(米)", "0.327", {1, 0}).means("D_{max}", "管道最大外径", "m").positive();
    inputs.field(kSmallestDiameter, "管道最小外径(米) ", "0.323", {2, 0}).means("D_{min}", "管道最小外径", "m").positive();
    inputs.field(kModulus, "管材的弹性模量(x10^8KN/m2)", "2.1", {3, 0}).means("E", "管材的弹性模量", "10⁸ kN/m²").positive();
    inputs.field(kVehicleLoad, "管顶受汽车荷载Pk(KN/m2)", "10", {0, 1}).means("P_k", "管顶受汽车荷载", "kN/m²").nonNegative();
    inputs.field(kMeanDiameter, "管道平均直径(米)", "0.325", {1, 1}).means("D_{pm}", "管道平均直径", "m").positive();
    inputs.field(kWall, "管道壁厚(米)", "0.08", {2, 1}).means("δ", "管道壁厚", "m").positive();
    inputs.field(kPoisson, "管材的泊桑系数", "0.3", {3, 1}).means("μ", "管材的泊桑系数").between(0, 0.5);

    // Two rows of labelled stresses, then the comparison read left to right:
    // smallest stress, sign, 1.5·(Ptu + Pk), verdict.
    auto results = def.frame("Frame2", "输出结果", FrameRole::Results, {3, 0, 1, 3});
    results.result(kWithoutCasing, "无套管穿越的管子临界应力(KN/m2)", {0, 0, 1, 2})
        .means("σ_1", "无套管穿越的管子临界应力", "kN/m²", 3);
    results.result(kWithCasing, "有套管穿越的管子临界应力(KN/m2)", {0, 2, 1, 2})
        .means("σ_2", "有套管穿越的管子临界应力", "kN/m²", 3);
    results.result(kSymmetricOvality, "对称椭圆度影响管子临界应力(KN/m2)", {1, 0, 1, 2})
        .means("σ_3", "对称椭圆度影响管子临界应力", "kN/m²", 3);
    results.result(kAsymmetricOvality, "不对称椭圆度影响管子临界应力(KN/m2)", {1, 2, 1, 2})
        .means("σ_4", "不对称椭圆度影响管子临界应力", "kN/m²", 3);
    results.result(kLeastStress, "以上四种临界应力中的最小值(KN/m2)", {2, 0})
        .means("σ_{min}", "四种临界应力中的最小值", "kN/m²", 3);
    results.cell(kSign, " ", {2, 1}).means("", "最小临界应力与1.5倍总外载的比较").verdict().widthChars = 2;
    results.result(kRequired, "", {2, 2}).means("Q", "1.5倍管子所受总外载", "kN/m²", 3);
    results.cell(kVerdict, " ", {2, 3}).means("", "稳定性校核结论").verdict().widthChars = 18;
    results.label("Label2", "备注:当径厚比大于140时,应进行管子稳定性校核!", {3, 0, 1, 4});

    // The note's diameter-to-thickness ratio: the thin-ring stresses hold only above it.
    def.validity({q(kMeanDiameter) / q(kWall), "D_{pm}/δ", "径厚比", 140.0, std::nullopt,
                  "备注:当径厚比大于140时,应进行管子稳定性校核!"});

    def.runButton("Command1", "开始计算",
                  [](Form& form) { runToVerdict(form, kStabilityVerdict, checkStability); });
    def.printButton("Command2");
    return def;
}

const ComparisonRegistration checks("公路穿越稳定性校核", {{kLeastStress, kSign, kRequired, kVerdict}});
const WindowRegistration registration("公路穿越稳定性校核", "公路穿越稳定性校核", makeHighwayStabilityCheck);

}  // namespace
}  // namespace pylora
