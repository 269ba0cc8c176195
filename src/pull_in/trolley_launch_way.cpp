// 小平车发送道相关计算: pulling a pipe string along a launch way on which it rides on small rail
// trolleys: the rolling friction of the wheels, the friction of their bearings and flanges, the
// friction of the pulling rope on the ground, and the pulling force that starts it all moving.
#include "model/calc.h"
#include "model/input_domain_bounds.h"
#include "pull_in/pulling_force.h"

namespace pylora {
namespace {

// Inputs.
constexpr auto kPipeWeight = "Text1";            // G
constexpr auto kTrolleyWeight = "Text2";         // G1
constexpr auto kTrolleys = "Text5";              // n
constexpr auto kRopeLength = "Text6";            // l
constexpr auto kWheelFriction = "Text11";        // f1, a lever arm in cm
constexpr auto kBearingFriction = "Text12";      // f2, a lever arm in cm
constexpr auto kAxleRadius = "Text13";           // r
constexpr auto kWheelRadius = "Text14";          // rc
constexpr auto kRopeWeight = "Text15";           // G2, per metre
constexpr auto kGroundFriction = "Text18";       // f4
constexpr auto kStartingCoefficient = "Text19";  // K
// Results.
constexpr auto kWheelRolling = "Text10";
constexpr auto kBearing = "Text8";
constexpr auto kFlange = "Text9";
constexpr auto kRope = "Text7";
constexpr auto kPull = "Text33";
// The unrounded forces behind the four fields that show them rounded: the later steps use these.
constexpr auto kWheelRollingForce = "F1";
constexpr auto kBearingForce = "F2";
constexpr auto kFlangeForce = "F3";
constexpr auto kRopeForce = "F4";

// Every step works with the unrounded forces of the steps before; only the texts are rounded.
void computeTrolleyLaunchWay(Form& form) {
    const auto [pipeWeight, trolleys, trolleyWeight] = FieldValues(form, kPipeWeight, kTrolleys, kTrolleyWeight);
    const Num loadOnTrolleys = pipeWeight + trolleys * trolleyWeight;

    const auto [wheelFriction, wheelRadius] = FieldValues(form, kWheelFriction, kWheelRadius);
    const Num wheelRolling = rollingResistance(wheelFriction, loadOnTrolleys, wheelRadius);
    form.setText(kWheelRolling, FormatNumber(wheelRolling, "#.##"));

    const auto [bearingFriction, axleRadius] = FieldValues(form, kBearingFriction, kAxleRadius);
    const Num bearing = rollingResistance(bearingFriction, loadOnTrolleys, axleRadius);
    form.setText(kBearing, FormatNumber(bearing, "#.##"));

    const Num flange = 0.5 * (wheelRolling + bearing);
    form.setText(kFlange, FormatNumber(flange, "#.##"));

    const auto [ropeWeight, ropeLength, groundFriction] = FieldValues(form, kRopeWeight, kRopeLength, kGroundFriction);
    const Num rope = ropeGroundFriction(ropeWeight, ropeLength, groundFriction);
    form.setText(kRope, FormatNumber(rope, "#.##"));

    const Num pull = startingForce(FieldValue(form, kStartingCoefficient), wheelRolling + bearing + flange + rope);
    form.setText(kPull, FormatNumber(pull, "#.##"));
}

using formula::c;
using formula::q;

FormDefinition makeTrolleyLaunchWay() {
    FormDefinition def("小平车发送道相关计算", "小平车发送道相关计算");
    def.titleLabel("Label1", "小平车发送道相关计算");

    // The load on the trolleys: the pipe string and the trolleys themselves.
    const auto load = q(kPipeWeight) + q(kTrolleys) * q(kTrolleyWeight);
    def.frame("Frame8", "车轮在沿轨道滚动时的摩擦力F1", FrameRole::Formula, {0, 0})
        .formulas("Image6",
                  {{kWheelRollingForce, pulling::rollingResistance(q(kWheelFriction), load, q(kWheelRadius))}},
                  {0, 0});
    def.frame("Frame9", "小平车轴承转动时的摩擦力F2", FrameRole::Formula, {0, 1})
        .formulas("Image7", {{kBearingForce, pulling::rollingResistance(q(kBearingFriction), load, q(kAxleRadius))}},
                  {0, 0});
    def.frame("Frame10", "车轮轮缘与钢轨间的摩擦阻力F3", FrameRole::Formula, {0, 2})
        .formulas("Image8", {{kFlangeForce, c(0.5) * (q(kWheelRollingForce) + q(kBearingForce))}}, {0, 0});
    def.frame("Frame12", "钢丝绳与地面间的摩擦阻力F4", FrameRole::Formula, {1, 0})
        .formulas("Image10",
                  {{kRopeForce, pulling::ropeGroundFriction(q(kRopeWeight), q(kRopeLength), q(kGroundFriction))}},
                  {0, 0});
    def.frame("Frame11", "小平车发送道牵引力F", FrameRole::Formula, {1, 1})
        .formulas("Image9",
                  {{kPull, pulling::startingForce(q(kStartingCoefficient), q(kWheelRollingForce) + q(kBearingForce) +
                                                                               q(kFlangeForce) + q(kRopeForce))}},
                  {0, 0});
    def.quantity(kWheelRollingForce, "F_1", "车轮沿轨道滚动时的摩擦力", "kN").shownIn = kWheelRolling;
    def.quantity(kBearingForce, "F_2", "小平车轴承转动时的摩擦力", "kN").shownIn = kBearing;
    def.quantity(kFlangeForce, "F_3", "车轮轮缘与钢轨间的摩擦阻力", "kN").shownIn = kFlange;
    def.quantity(kRopeForce, "F_4", "钢丝绳与地面间的摩擦阻力", "kN").shownIn = kRope;

    // The rolling friction coefficients are lever arms, in the unit of the radii.
    auto inputs = def.frame("Frame1", "输入参数", FrameRole::Input, {2, 0, 1, 3});
    inputs.field(kPipeWeight, "被拖管段总重力G，KN", "15000", {0, 0}).means("G", "被拖管段总重力", "kN").positive();
    inputs.field(kTrolleyWeight, "单个小平车重力G1，KN", "500", {1, 0}).means("G_1", "单个小平车重力", "kN").positive();
    inputs.field(kTrolleys, "小平车个数n", "10", {2, 0}).means("n", "小平车个数").countFromZero();
    inputs.field(kWheelRadius, "小平车轮子半径rc,cm", "15.0", {3, 0}).means("r_c", "小平车轮子半径", "cm").positive();
    inputs.field(kWheelFriction, "小平车车轮沿钢轨滚动摩擦系数f1", "0.5", {0, 1})
        .means("f_1", "小平车车轮沿钢轨滚动摩擦系数", "cm").positive();
    inputs.field(kBearingFriction, "轮轴轴承滚动摩擦系数f2", "0.6", {1, 1}).means("f_2", "轮轴轴承滚动摩擦系数", "cm").positive();
    inputs.field(kAxleRadius, "小平车轮轴半径r,cm;", "15.0", {2, 1}).means("r", "小平车轮轴半径", "cm").positive();
    inputs.field(kRopeWeight, "单位长度牵引钢丝绳重力G2,KN/m", "65.5", {3, 1})
        .means("G_2", "单位长度牵引钢丝绳重力", "kN/m").positive();
    inputs.field(kRopeLength, "牵引钢丝绳长度l,m", "100", {0, 2}).means("l", "牵引钢丝绳长度", "m").positive();
    inputs.field(kGroundFriction, "钢丝绳与地面摩擦系数f4", "0.6", {1, 2}).means("f_4", "钢丝绳与地面摩擦系数").positive();
    inputs.field(kStartingCoefficient, "起动系数K，一般取2", "2.0", {2, 2})
        .means("K", "起动系数")
        .within(atLeast(1));

    auto results = def.frame("Frame2", "输出结果", FrameRole::Results, {3, 0, 1, 3});
    results.result(kWheelRolling, "小车车轮在沿轨道滚动时的摩擦力F1，KN", {0, 0})
        .means("F_1", "车轮沿轨道滚动时的摩擦力", "kN", 2);
    results.result(kBearing, "小平车轴承转动时的摩擦力F2,KN", {0, 1}).means("F_2", "小平车轴承转动时的摩擦力", "kN", 2);
    results.result(kFlange, "车轮轮缘与钢轨间的摩擦阻力F3,KN", {1, 0})
        .means("F_3", "车轮轮缘与钢轨间的摩擦阻力", "kN", 2);
    results.result(kRope, "钢丝绳与地面间的摩擦阻力F4,KN", {1, 1}).means("F_4", "钢丝绳与地面间的摩擦阻力", "kN", 2);
    results.result(kPull, "管段在小平车发送道上牵引时的牵引力F，KN", {2, 0})
        .means("F", "管段在小平车发送道上牵引时的牵引力", "kN", 2);

    def.runButton("Command1", "开始计算", computeTrolleyLaunchWay);
    def.printButton("Command2");
    return def;
}

const WindowRegistration registration("小平车发送道相关计算", "小平车发送道相关计算", makeTrolleyLaunchWay);

}  // namespace
}  // namespace pylora
