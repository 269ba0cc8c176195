// 管架发送道相关计算: pulling a pipe string over a pipe-rack launch way: the bending radius and
// the span of the racks, the thrust and the stresses of one rack, the resistances of the rope,
// the rollers and the side boards, and the pull. Units as the captions give them: kN, cm, kN/cm²,
// the rope in m and kN/m.
#include "model/calc.h"
#include "pull_in/pulling_force.h"

namespace pylora {
namespace {

// Inputs: the pipe string and its bending on the launch way.
constexpr auto kModulus = "Text1";            // E
constexpr auto kBendingStress = "Text2";      // σ, longitudinal, from bending the pipe
constexpr auto kCurvatureRadius = "Text5";    // R of the launch way
constexpr auto kPipeWeight = "Text4";         // G, per metre
constexpr auto kAllowableStress = "Text16";   // [σ]
constexpr auto kSectionModulus = "Text11";    // W of the pipe
constexpr auto kPipeDiameter = "Text12";      // DH
// The racks.
constexpr auto kVerticalLoad = "Text15";      // N on one rack
constexpr auto kNetArea = "Text3";            // Fkt
constexpr auto kGrossArea = "Text17";         // Fσp
constexpr auto kNetModulus = "Text6";         // Wkt
constexpr auto kGrossModulus = "Text18";      // Wσp
constexpr auto kReductionFactor = "Text19";   // ψ
constexpr auto kThrustMoment = "Text20";      // M
constexpr auto kRackHeight = "Text21";        // h
// The rollers and the rope.
constexpr auto kRollerFriction = "Text14";    // f, pipe on the rollers
constexpr auto kStartingCoefficient = "Text13";  // K
constexpr auto kRackRollerRadius = "Text24";  // R of the rack's rollers
constexpr auto kAxleRadius = "Text25";        // Rc
constexpr auto kSteelRolling = "Text22";      // f5, a lever arm
constexpr auto kBearingRolling = "Text28";    // f6, a lever arm
constexpr auto kGroundFriction = "Text23";    // f4
constexpr auto kRopeWeight = "Text27";        // G2, per metre
constexpr auto kRopeLength = "Text26";        // l of the rope
// Results.
constexpr auto kLeastMass = "Text10";  // no formula here: it needs the buoyancy and drag in water
constexpr auto kRackSpacing = "Text8";
constexpr auto kRackThrust = "Text29";
constexpr auto kStabilityStress = "Text9";
constexpr auto kStrengthStress = "Text7";
constexpr auto kRopeForce = "Text30";
constexpr auto kSteelRollingForce = "Text33";
constexpr auto kBearingForce = "Text32";
constexpr auto kSideBoardForce = "Text31";
constexpr auto kPull = "Text34";
// The unrounded resistances behind the four fields that show them rounded: the pull adds these.
constexpr auto kRopeResistance = "F4";
constexpr auto kSteelRollingResistance = "F5";
constexpr auto kBearingResistance = "F6";
constexpr auto kSideBoardResistance = "F7";

// G is per metre and W·σ in kN·cm: the rack span in cm takes G per cm, G/100.
constexpr double kCentimetresPerMetre = 100;

void writeForce(Form& form, const char* field, const Num& force) {
    form.setText(field, FormatNumber(force, "#.##"));
}
void writeStress(Form& form, const char* field, const Num& stress) {
    form.setText(field, FormatNumber(stress, "#.###"));
}

// Every step works with the unrounded values of the steps before; only the texts are rounded.
void computePipeRackLaunchWay(Form& form) {
    // R = E·DH/(2σ): the radius to which the pipe may be bent at the longitudinal stress σ.
    const auto [modulus, pipeDiameter, bendingStress] = FieldValues(form, kModulus, kPipeDiameter, kBendingStress);
    writeForce(form, kCurvatureRadius, modulus * pipeDiameter / (2 * bendingStress));

    // l = √(8·W·σ/G): the span at which the weight between two racks bends the pipe to σ.
    const auto [sectionModulus, pipeWeight] = FieldValues(form, kSectionModulus, kPipeWeight);
    const Num spanSquared = 8 * sectionModulus * bendingStress * kCentimetresPerMetre / pipeWeight;
    writeForce(form, kRackSpacing,
               sqrt(blamingNegativeFactor(spanSquared, {sectionModulus, bendingStress, pipeWeight})));

    const auto [starting, rollerFriction, load] =
        FieldValues(form, kStartingCoefficient, kRollerFriction, kVerticalLoad);
    writeForce(form, kRackThrust, starting * rollerFriction * load);

    const auto [netArea, moment, netModulus] = FieldValues(form, kNetArea, kThrustMoment, kNetModulus);
    writeStress(form, kStrengthStress, load / netArea + moment / netModulus);
    const auto [reduction, grossArea, grossModulus] = FieldValues(form, kReductionFactor, kGrossArea, kGrossModulus);
    writeStress(form, kStabilityStress, load / (reduction * grossArea) + moment / grossModulus);

    const auto [ropeWeight, ropeLength, groundFriction] =
        FieldValues(form, kRopeWeight, kRopeLength, kGroundFriction);
    const Num rope = ropeGroundFriction(ropeWeight, ropeLength, groundFriction);
    writeForce(form, kRopeForce, rope);
    const auto [steelLeverArm, rollerRadius] = FieldValues(form, kSteelRolling, kRackRollerRadius);
    const Num steelRolling = rollingResistance(steelLeverArm, load, rollerRadius);
    writeForce(form, kSteelRollingForce, steelRolling);
    const auto [bearingLeverArm, axleRadius] = FieldValues(form, kBearingRolling, kAxleRadius);
    const Num bearing = rollingResistance(bearingLeverArm, load, axleRadius);
    writeForce(form, kBearingForce, bearing);
    const Num sideBoards = rollerFriction * load;
    writeForce(form, kSideBoardForce, sideBoards);
    writeForce(form, kPull, startingForce(starting, rope + steelRolling + bearing + sideBoards));

    form.noteUncomputed("「拖管时单位长度管线结构最小质量Mmin，（Kg）」需水中浮力与水流力，本窗口不计算");
}

struct FieldRow {
    const char* name;
    const char* label;
    const char* defaultText;
    const char* symbol;
    const char* meaning;
    const char* unit;
    int decimals = -1;  // results: the decimals the window writes
};

// Three columns of eight rows, top to bottom. The rolling friction coefficients f5 and f6 are
// lever arms, in the unit of the radii.
const FieldRow kInputColumns[3][8] = {
    {{kModulus, "钢材的弹性模量E, KN/cm2", "13.6", "E", "钢材的弹性模量", "kN/cm²"},
     {kBendingStress, "管子弯曲时产生的纵向弯曲应力,KN/cm2;", "100", "σ", "管子弯曲时产生的纵向弯曲应力", "kN/cm²"},
     {kCurvatureRadius, "管架发送道(管段)曲率半径R,cm;", "10.2", "R", "管架发送道（管段）曲率半径", "cm"},
     {kRollerFriction, "管段结构表面和滚轴摩擦系数f", "2", "f", "管段结构表面和滚轴摩擦系数", ""},
     {kPipeWeight, "单位长度管段(包括加重层等)重力G,KN/m ", "9.0", "G", "单位长度管段（包括加重层等）重力", "kN/m"},
     {kAllowableStress, "钢管许用应力,KN/cm2", "0.82", "[σ]", "钢管许用应力", "kN/cm²"},
     {kAxleRadius, "辊轴半径Rc，cm", "0.82", "R_c", "辊轴半径", "cm"},
     {kRopeLength, "牵引钢丝绳长度l,m;", "0.82", "l_绳", "牵引钢丝绳长度", "m"}},
    {{kSectionModulus, "管子截面系数W,cm3", "650", "W", "管子截面系数", "cm³"},
     {kPipeDiameter, "钢管外径DH,cm;", "500", "D_H", "钢管外径", "cm"},
     {kStartingCoefficient, "起动系数K，一般取2", "2.0", "K", "起动系数", ""},
     {kVerticalLoad, "管架上垂直压力N，KN", "30", "N", "管架上垂直压力", "kN"},
     {kNetArea, "管架的净截面积Fkt，cm2", "600", "F_{kt}", "管架的净截面积", "cm²"},
     {kGrossArea, "管架的全面积Fσp，cm2", "931.5", "F_{σp}", "管架的全面积", "cm²"},
     {kRackRollerRadius, "管架的辊半径R，cm", "0.82", "R_辊", "管架的辊半径", "cm"},
     {kBearingRolling, "轮轴轴承滚动摩擦系数f6", "0.82", "f_6", "轮轴轴承滚动摩擦系数", "cm"}},
    {{kNetModulus, "管架的净截面系数Wkt，cm3", "650", "W_{kt}", "管架的净截面系数", "cm³"},
     {kGrossModulus, "管架的全截面系数Wσp，cm3", "650", "W_{σp}", "管架的全截面系数", "cm³"},
     {kReductionFactor, "构件承载能力折减系数ψ", "650", "ψ", "构件承载能力折减系数", ""},
     {kThrustMoment, "水平推力产生的弯矩M", "650", "M", "水平推力产生的弯矩", "kN·cm"},
     {kRackHeight, "管架高h,cm", "650", "h", "管架高", "cm"},
     {kSteelRolling, "沿钢面滚动时摩擦系数f5", "650", "f_5", "沿钢面滚动时摩擦系数", "cm"},
     {kGroundFriction, "钢丝绳与地面摩擦系数f4", "0.82", "f_4", "钢丝绳与地面摩擦系数", ""},
     {kRopeWeight, "长度牵引钢丝绳重力G2,KN/m", "0.82", "G_2", "单位长度牵引钢丝绳重力", "kN/m"}},
};

// The least mass per metre stands here as in the bottom-pull window, in technical mass units; this
// window has neither the buoyancy nor the drag it is computed from, and leaves it blank.
const FieldRow kResults[] = {
    {kLeastMass, "拖管时单位长度管线结构最小质量Mmin，（Kg）", "", "M_{min}", "拖管时单位长度管线结构最小质量",
     "kgf·s²/m²"},
    {kRackSpacing, "管架间距(管段跨度)l,cm;", "", "l", "管架间距（管段跨度）", "cm", 2},
    {kRackThrust, "管架承受的水平推力，KN", "", "T", "管架承受的水平推力", "kN", 2},
    {kStabilityStress, "（稳定性）管架应力σ，KN/cm2", "", "σ_2", "管架应力（稳定性）", "kN/cm²", 3},
    {kStrengthStress, "（强度）管架应力σ，KN/cm2", "", "σ_1", "管架应力（强度）", "kN/cm²", 3},
    {kRopeForce, "钢丝绳与地面间的摩擦阻力F4,KN", "", "F_4", "钢丝绳与地面间的摩擦阻力", "kN", 2},
    {kSteelRollingForce, "管段结构在管架上轴上滚动的摩擦力F5，KN", "", "F_5", "管段结构在管架上轴上滚动的摩擦力", "kN", 2},
    {kBearingForce, "辊轴在支架上滚动摩擦力F6，KN", "", "F_6", "辊轴在支架上滚动摩擦力", "kN", 2},
    {kSideBoardForce, "辊滚动时与两侧挡板间阻力F7，KN", "", "F_7", "辊滚动时与两侧挡板间阻力", "kN", 2},
    {kPull, "管段在管架发送道上牵引时的牵引力F，KN", "", "F", "管段在管架发送道上牵引时的牵引力", "kN", 2},
};

// The formula frames in their two rows; the strength and stability frames also carry "公式4".
const char* kFormulaFrames[2][6] = {
    {"管架曲率半径", "管架间距计算", "管架承受水平推力", "管架强度计算", "管架稳定计算", "钢丝绳摩擦阻力F4"},
    {"管架摩擦力F5", "辊轴摩擦力F6", "辊滚动时与两侧挡板间阻力", "管架发送道牵引力", nullptr, nullptr},
};

using formula::c;
using formula::Formula;
using formula::q;

// The formulas of the ten frames, in the frames' order.
std::vector<std::vector<Formula>> rackFormulas() {
    return {
        {{kCurvatureRadius, q(kModulus) * q(kPipeDiameter) / (c(2) * q(kBendingStress))}},
        // G per metre, W·σ in kN·cm: 100 turns the span into cm.
        {{kRackSpacing, sqrt(c(8) * q(kSectionModulus) * q(kBendingStress) * c(100) / q(kPipeWeight))}},
        {{kRackThrust, q(kStartingCoefficient) * q(kRollerFriction) * q(kVerticalLoad)}},
        {{kStrengthStress, q(kVerticalLoad) / q(kNetArea) + q(kThrustMoment) / q(kNetModulus)},
         formula::words("σ_1 ≤ [σ]")},
        {{kStabilityStress,
          q(kVerticalLoad) / (q(kReductionFactor) * q(kGrossArea)) + q(kThrustMoment) / q(kGrossModulus)},
         formula::words("σ_2 ≤ [σ]")},
        {{kRopeResistance, pulling::ropeGroundFriction(q(kRopeWeight), q(kRopeLength), q(kGroundFriction))}},
        {{kSteelRollingResistance,
          pulling::rollingResistance(q(kSteelRolling), q(kVerticalLoad), q(kRackRollerRadius))}},
        {{kBearingResistance, pulling::rollingResistance(q(kBearingRolling), q(kVerticalLoad), q(kAxleRadius))}},
        {{kSideBoardResistance, q(kRollerFriction) * q(kVerticalLoad)}},
        {{kPull, pulling::startingForce(q(kStartingCoefficient), q(kRopeResistance) + q(kSteelRollingResistance) +
                                                                      q(kBearingResistance) + q(kSideBoardResistance))}},
    };
}

FormDefinition makePipeRackLaunchWay() {
    FormDefinition def("管架发送道相关计算", "管架发送道相关计算");
    def.titleLabel("Label1", "管架发送道相关计算");

    const auto formulas = rackFormulas();
    int picture = 0;
    for (int row = 0; row < 2; ++row) {
        for (int column = 0; column < 6 && kFormulaFrames[row][column]; ++column) {
            const std::string caption = kFormulaFrames[row][column];
            auto frame = def.frame("Frame" + std::to_string(10 + picture), caption, FrameRole::Formula,
                                   {row, column});
            frame.formulas("Image" + std::to_string(picture + 1), formulas[picture], {0, 0});
            if (caption == "管架强度计算" || caption == "管架稳定计算") frame.label("", "公式4", {1, 0});
            ++picture;
        }
    }

    auto inputs = def.frame("Frame1", "输入参数", FrameRole::Input, {2, 0, 1, 6});
    for (int column = 0; column < 3; ++column)
        for (int row = 0; row < 8; ++row) {
            const FieldRow& f = kInputColumns[column][row];
            ControlDef& field = inputs.field(f.name, f.label, f.defaultText, {row, column});
            // Moduli, stresses, forces, sizes and friction factors of the launch way: all positive.
            field.means(f.symbol, f.meaning, f.unit).positive();
            // The launch way's radius stands among the inputs; the run computes it.
            if (std::string(f.name) == kCurvatureRadius) {
                field.means(f.symbol, f.meaning, f.unit, 2);
                field.meaning.role = FieldRole::Result;
            }
        }

    auto results = def.frame("Frame2", "输出结果", FrameRole::Results, {3, 0, 1, 6});
    int index = 0;
    for (const FieldRow& f : kResults) {
        results.result(f.name, f.label, {index / 2, index % 2}).means(f.symbol, f.meaning, f.unit, f.decimals);
        ++index;
    }

    def.quantity(kRopeResistance, "F_4", "钢丝绳与地面间的摩擦阻力", "kN").shownIn = kRopeForce;
    def.quantity(kSteelRollingResistance, "F_5", "管段结构在管架上轴上滚动的摩擦力", "kN").shownIn = kSteelRollingForce;
    def.quantity(kBearingResistance, "F_6", "辊轴在支架上滚动摩擦力", "kN").shownIn = kBearingForce;
    def.quantity(kSideBoardResistance, "F_7", "辊滚动时与两侧挡板间阻力", "kN").shownIn = kSideBoardForce;

    def.runButton("Command1", "开始计算", computePipeRackLaunchWay);
    def.printButton("Command2");
    return def;
}

const WindowRegistration registration("管架发送道相关计算", "管架发送道相关计算", makePipeRackLaunchWay);

}  // namespace
}  // namespace pylora
