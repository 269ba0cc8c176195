// 一般牵引力计算: bottom pull of a pipe string across a river. The least mass per metre that keeps
// the towed string on the bed against the current, the allowable tension of the wire rope, and
// the pulling force along the bed and up a slope.
#include "model/calc.h"
#include "model/input_domain_bounds.h"
#include "pull_in/pulling_force.h"

namespace pylora {
namespace {

// Inputs.
constexpr auto kCurrentThrust = "Text1";         // Fx, per metre of pipe
constexpr auto kBedFriction = "Text2";           // f, also for towing along the bed
constexpr auto kRopeGroundResistance = "Text3";  // F4
constexpr auto kRopeSafetyFactor = "Text4";      // Ks
constexpr auto kElasticForce = "Text5";          // Fn, per metre of pipe
constexpr auto kWeight = "Text11";               // G
constexpr auto kRopeFriction = "Text12";         // F1
constexpr auto kSlopeFriction = "Text13";        // f′
constexpr auto kStartingCoefficient = "Text14";  // Kq
constexpr auto kSlopeAngle = "Text15";           // α, in degrees
constexpr auto kUnequalLoadFactor = "Text16";    // a
constexpr auto kBreakingForceSum = "Text17";     // Pg
// Results.
constexpr auto kLeastMass = "Text10";
constexpr auto kAllowableTension = "Text9";
constexpr auto kBedPull = "Text8";
constexpr auto kSlopePull = "Text7";
constexpr auto kSlopeRadians = "alpha_r";  // computed, not shown

// The slope angle is typed in degrees; the conversion uses π as 3.1416.
constexpr double kPi = kLegacyPi;

void computeGeneralPullingForce(Form& form) {
    const auto [elasticForce, currentThrust, bedFriction] =
        FieldValues(form, kElasticForce, kCurrentThrust, kBedFriction);
    // 102 turns the force per metre from kN into kgf; the further 1/9.8 gives the mass in
    // technical units (kgf·s²/m) per metre, the figure engineers have always read here.
    const Num leastMass = (elasticForce + 1.2 * currentThrust / bedFriction) * kKilonewtonsToKilogramsForce / kLegacyGravity;
    form.setText(kLeastMass, FormatNumber(leastMass, "#.##"));

    const auto [breakingForceSum, unequalLoadFactor, ropeSafetyFactor] =
        FieldValues(form, kBreakingForceSum, kUnequalLoadFactor, kRopeSafetyFactor);
    const Num allowableTension = breakingForceSum * unequalLoadFactor / ropeSafetyFactor;
    form.setText(kAllowableTension, FormatNumber(allowableTension, "#.##"));

    // Towing along the bed uses the same friction coefficient f as the least mass.
    const auto [ropeFriction, startingCoefficient, weight] =
        FieldValues(form, kRopeFriction, kStartingCoefficient, kWeight);
    const Num bedPull = ropeFriction + startingForce(startingCoefficient, slopeResistance(weight, bedFriction, 0));
    form.setText(kBedPull, FormatNumber(bedPull, "#.##"));

    const Num slopeRadians = FieldValue(form, kSlopeAngle) * kPi / 180;
    const auto [ropeGroundResistance, slopeFriction] = FieldValues(form, kRopeGroundResistance, kSlopeFriction);
    const Num slopePull =
        ropeGroundResistance + startingForce(startingCoefficient, slopeResistance(weight, slopeFriction, slopeRadians));
    form.setText(kSlopePull, FormatNumber(slopePull, "#.##"));
}

using formula::c;
using formula::q;

FormDefinition makeGeneralPullingForce() {
    FormDefinition def("一般牵引力计算", "一般牵引力计算");
    def.titleLabel("Label1", "一般牵引力计算");
    def.note("Label2",
             "【注意】：沿河底或管沟牵引管段过江是水下管线牵引方法中最常用的一种方法。"
             "底拖法的优点是：一般情况下不会影响河流通航，不受流速及水深限制，管段能较为准确地放在沟中，"
             "而且机具简单。底拖法的缺点是：拖管设备牵引力要足够大，对场地和管径有一定要求。");

    def.frame("Frame4", "拖管管段最低质量", FrameRole::Formula, {0, 0})
        .formulas("Image1",
                  {{kLeastMass, group(q(kElasticForce) + c(1.2) * q(kCurrentThrust) / q(kBedFriction)) *
                                    (c(kKilonewtonsToKilogramsForce) / c(kLegacyGravity))}},
                  {0, 0});
    def.frame("Frame5", "牵引力计算", FrameRole::Formula, {0, 1})
        .formulas("Image2", {{kBedPull, q(kRopeFriction) + q(kStartingCoefficient) * q(kBedFriction) * q(kWeight)}},
                  {0, 0});
    def.frame("Frame6", "钢丝绳强度计算", FrameRole::Formula, {0, 2})
        .formulas("Image3", {{kAllowableTension, q(kBreakingForceSum) * q(kUnequalLoadFactor) / q(kRopeSafetyFactor)}},
                  {0, 0});
    auto slope = def.frame("Frame3", "管线沿斜坡牵引时牵引力", FrameRole::Formula, {0, 3});
    slope.formulas("Image4",
                   {{kSlopePull, q(kRopeGroundResistance) +
                                     pulling::startingForce(q(kStartingCoefficient),
                                                            pulling::slopeResistance(q(kWeight), q(kSlopeFriction),
                                                                                     q(kSlopeRadians)))}},
                   {0, 0});
    slope.label("Label14", "公式4", {1, 0});
    def.quantity(kSlopeRadians, "α_r", "斜坡坡角（弧度）", "rad");
    def.formula({kSlopeRadians, q(kSlopeAngle) * c(kPi) / c(180)});

    auto inputs = def.frame("Frame1", "输入参数", FrameRole::Input, {1, 0, 1, 4});
    inputs.field(kCurrentThrust, "单位管长动水水平推力Fx，KN", "13.6", {0, 0})
        .means("F_x", "单位管长动水水平推力", "kN/m").nonNegative();
    inputs.field(kBedFriction, "管段表面与河床或沟底滑动摩擦系数f；", "0.45", {1, 0})
        .means("f", "管段表面与河床或沟底滑动摩擦系数").positive();
    inputs.field(kElasticForce, "单位长度管线结构曲线敷设时的弹性力Fn，KN", "10.2", {2, 0})
        .means("F_n", "单位长度管线结构曲线敷设时的弹性力", "kN/m").nonNegative();
    inputs.field(kStartingCoefficient, "起动系数K，一般取2；", "2", {3, 0})
        .means("K_q", "起动系数")
        .within(atLeast(1));
    inputs.field(kRopeSafetyFactor, "钢丝绳使用安全系数K", "9.0", {4, 0})
        .means("K_s", "钢丝绳使用安全系数")
        .within(atLeast(1));
    inputs.field(kUnequalLoadFactor, "考虑钢丝受力不均的钢丝绳破断拉力换算系数a", "0.82", {5, 0})
        .means("a", "考虑钢丝受力不均的钢丝绳破断拉力换算系数").fraction();
    inputs.field(kWeight, "管段在陆上或水中重力G，KN；", "650", {0, 1}).means("G", "管段在陆上或水中重力", "kN").nonNegative();
    inputs.field(kRopeFriction, "钢丝绳与接触面摩擦力F1，KN；", "500", {1, 1})
        .means("F_1", "钢丝绳与接触面摩擦力", "kN").nonNegative();
    inputs.field(kSlopeFriction, "管段结构表面斜坡面摩擦系数f", "0.30", {2, 1})
        .means("f′", "管段结构表面与斜坡面摩擦系数").positive();
    inputs.field(kSlopeAngle, "斜坡坡角α，( °) ", "30", {3, 1}).means("α", "斜坡坡角", "°").between(-90, 90);
    inputs.field(kRopeGroundResistance, "钢丝绳与地面间的摩擦阻力F4,KN", "600", {4, 1})
        .means("F_4", "钢丝绳与地面间的摩擦阻力", "kN").nonNegative();
    inputs.field(kBreakingForceSum, "钢丝绳的钢丝破断拉力总和Pg，KN", "931.5", {5, 1})
        .means("P_g", "钢丝绳的钢丝破断拉力总和", "kN").positive();

    // Mmin comes out in technical mass units per metre (see the run), whatever the caption says.
    auto results = def.frame("Frame2", "输出结果", FrameRole::Results, {2, 0, 1, 4});
    results.result(kLeastMass, "拖管时单位长度管线结构最小质量Mmin，（Kg）", {0, 0})
        .means("M_{min}", "拖管时单位长度管线结构最小质量", "kgf·s²/m²", 2);
    results.result(kAllowableTension, "钢丝绳的容许拉力S，（KN）", {1, 0}).means("S", "钢丝绳的容许拉力", "kN", 2);
    results.result(kBedPull, "沿河床床面或沟底拖管所需牵引力（KN）", {0, 1})
        .means("T_1", "沿河床床面或沟底拖管所需牵引力", "kN", 2);
    results.result(kSlopePull, "沿斜坡向上牵引管段时的牵引力（KN）", {1, 1})
        .means("T_2", "沿斜坡向上牵引管段时的牵引力", "kN", 2);

    // The least mass comes out in technical units; the same force per metre as mass in kg.
    def.remark(kLeastMass,
               "系数102/9.8把以kN/m计的力换算为工程质量单位（kgf·s²/m²），而非栏目所标的千克；"
               "以千克计的单位长度最小质量为 M = (F_n + 1.2·F_x/f)·1000/g（g = 9.81 m/s²）。")
        .referenceValue(group(q(kElasticForce) + c(1.2) * q(kCurrentThrust) / q(kBedFriction)) * (c(1000) / c(9.81)),
                        "M_{min}′", "kg/m", 1);

    def.runButton("Command1", "开始计算", computeGeneralPullingForce);
    def.printButton("Command2");
    return def;
}

const WindowRegistration registration("一般牵引力计算", "一般牵引力计算", makeGeneralPullingForce);

}  // namespace
}  // namespace pylora
