// 汽车荷载计算: pressure of a vehicle's rear wheels on the top of a pipe under a highway. Each
// wheel's load spreads into the soil at the spreading angle; below the depth where the spreading
// lines of the two rear wheels cross, their zones overlap and the overlapping formula applies.
#include "model/calc.h"
#include "model/input_domain_bounds.h"

namespace pylora {
namespace {

constexpr double kPi = kLegacyPi;  // the window's own value of π

// The window's fields.
constexpr auto kWheelSpacing = "Text1";
constexpr auto kSpreadAngle = "Text2";
constexpr auto kTyreWidth = "Text3";
constexpr auto kWheelLoad = "Text4";
constexpr auto kContactLength = "Text5";
constexpr auto kDepth = "Text8";
constexpr auto kDynamicFactor = "Text9";
constexpr auto kCrossingDepth = "Text6";
constexpr auto kPipeTopPressure = "Text7";
// Computed, not shown: the tangent of the spreading angle and the pressure of either case,
// of which the pipe-top pressure shows the one its depth selects.
constexpr auto kSpreadTangent = "t";
constexpr auto kSingleWheel = "P1";
constexpr auto kOverlapping = "P2";

using formula::c;
using formula::fn;
using formula::q;

void computeVehicleLoad(Form& form) {
    const Num t = tan(FieldValue(form, kSpreadAngle) * kPi / 180);

    const auto [wheelSpacing, tyreWidth] = FieldValues(form, kWheelSpacing, kTyreWidth);
    // Two wheels closer than a tyre is wide would stand in each other: no crossing depth.
    if (wheelSpacing < tyreWidth) throw RunFailure(FailureKind::NoSolution, kWheelSpacing, "过小：小于汽车轮胎宽度");
    const Num crossingDepth = (wheelSpacing - tyreWidth) / (2 * t);
    form.setText(kCrossingDepth, FormatNumber(crossingDepth, "#.###"));

    const auto [wheelLoad, dynamicFactor, contactLength, depth] =
        FieldValues(form, kWheelLoad, kDynamicFactor, kContactLength, kDepth);
    const Num alongTravel = contactLength + 2 * depth * t;
    const Num singleWheel = wheelLoad * dynamicFactor / (alongTravel * (tyreWidth + 2 * depth * t));
    const Num overlapping =
        wheelLoad * dynamicFactor / (alongTravel * (depth * t + wheelSpacing / 2 + tyreWidth / 2));

    // The entered depth is compared with the crossing depth as computed, not as displayed.
    form.setText(kPipeTopPressure, FormatNumber(depth > crossingDepth ? overlapping : singleWheel, "#.###"));
}

void addFormulas(FormDefinition& def) {
    const auto t = q(kSpreadTangent);
    const auto h = q(kDepth);
    const auto alongTravel = q(kContactLength) + c(2) * h * t;
    def.frame("Frame3", "压力传播线交叉点深度", FrameRole::Formula, {0, 0})
        .formulas("Image1",
                  {{kCrossingDepth, (q(kWheelSpacing) - q(kTyreWidth)) / (c(2) * t)},
                   {kSpreadTangent, fn("tan", q(kSpreadAngle) * c(kPi) / c(180))}},
                  {0, 0});
    def.frame("Frame4", "h<hj时,管顶承受汽车的荷载", FrameRole::Formula, {0, 1})
        .formulas("Image2",
                  {{kSingleWheel, q(kWheelLoad) * q(kDynamicFactor) / (alongTravel * (q(kTyreWidth) + c(2) * h * t))}},
                  {0, 0});
    def.frame("Frame5", "h>hj时,管顶承受汽车的荷载", FrameRole::Formula, {1, 0, 1, 2})
        .formulas("Image3",
                  {{kOverlapping, q(kWheelLoad) * q(kDynamicFactor) /
                                      (alongTravel * (h * t + q(kWheelSpacing) / c(2) + q(kTyreWidth) / c(2)))}},
                  {0, 0});
    // Which of the two the pipe-top pressure shows is a comparison, which a formula line cannot write.
    def.formula(formula::words("h ≤ h_j 时 P_k = P_1；h > h_j 时 P_k = P_2"));

    def.quantity(kSpreadTangent, "t", "压力传播角的正切");
    def.quantity(kSingleWheel, "P_1", "单个后轮压力传播区内的管顶压力", "kN/m²");
    def.quantity(kOverlapping, "P_2", "两后轮压力传播区重叠时的管顶压力", "kN/m²");
}

FormDefinition makeVehicleLoad() {
    FormDefinition def("汽车荷载计算", "汽车荷载计算");
    def.titleLabel("Label1", "汽车荷载计算");

    addFormulas(def);

    auto inputs = def.frame("Frame1", "输入参数", FrameRole::Input, {2, 0, 1, 2});
    inputs.field(kWheelSpacing, "汽车后轴两轮中心距C(米)", "2.5", {0, 0}).means("C", "汽车后轴两轮中心距", "m").positive();
    inputs.field(kSpreadAngle, " 压力在土壤中的传播角α（ °） ", "40", {1, 0}).means("α", "压力在土壤中的传播角", "°")
        .within(strictlyBetween(0, 90));
    inputs.field(kContactLength, "汽车轮胎行车向着地长度a(米)", "0.2", {2, 0})
        .means("a", "汽车轮胎行车向着地长度", "m").positive();
    inputs.field(kDynamicFactor, "动力系数Kd,查表可得", "1.0", {3, 0})
        .means("K_d", "动力系数")
        .within(atLeast(1));
    inputs.field(kTyreWidth, "汽车轮胎宽度b（米）", "0.4", {0, 1}).means("b", "汽车轮胎宽度", "m").positive();
    inputs.field(kWheelLoad, "汽车每一后轮轮压G,KN", "130", {1, 1}).means("G", "汽车每一后轮轮压", "kN").positive();
    inputs.field(kDepth, "管道管顶埋深h(米)", "3.5", {2, 1}).means("h", "管道管顶埋深", "m").nonNegative();

    auto results = def.frame("Frame2", "输出结果", FrameRole::Results, {3, 0, 1, 2});
    results.result(kCrossingDepth, "汽车后轮压力传播线在土体中交叉点的深度（米）", {0, 0})
        .means("h_j", "汽车后轮压力传播线在土体中交叉点的深度", "m", 3);
    results.result(kPipeTopPressure, "管顶压力强度（KN/m2）", {0, 1}).means("P_k", "管顶压力强度", "kN/m²", 3);

    def.runButton("Command1", "开始计算", computeVehicleLoad);
    def.printButton("Command2");
    return def;
}

const WindowRegistration registration("汽车荷载计算", "汽车荷载计算", makeVehicleLoad);

}  // namespace
}  // namespace pylora
