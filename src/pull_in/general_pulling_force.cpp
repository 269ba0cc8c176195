// 一般牵引力计算: bottom pull of a pipe string across a river. The least mass per metre that keeps
// the towed string on the bed against the current, the allowable tension of the wire rope, and
// the pulling force along the bed and up a slope.
#include "core/calc.h"
#include "pull_in/pulling_force.h"

namespace pylora {
namespace {

// Mmin = (Fn + 1.2·Fx/f) · 102/9.8
const char* kLeastMassFormula = R"(<svg xmlns="http://www.w3.org/2000/svg" width="345" height="80" viewBox="0 0 345 80">
<g font-family="serif" font-size="22" font-style="italic" fill="black">
<text x="8" y="46">M</text>
<text x="32" y="52" font-size="14">min</text>
<text x="67" y="46">=</text>
<path d="M 105 14 Q 94 40 105 66" stroke="black" stroke-width="1.5" fill="none"/>
<text x="109" y="46">F</text>
<text x="125" y="52" font-size="14">n</text>
<text x="143" y="46">+</text>
<text x="172" y="28">1.2 F</text>
<text x="230" y="34" font-size="14">x</text>
<text x="202" y="64">f</text>
<line x1="168" y1="39" x2="244" y2="39" stroke="black" stroke-width="1.5"/>
<path d="M 248 14 Q 259 40 248 66" stroke="black" stroke-width="1.5" fill="none"/>
<text x="269" y="46">·</text>
<text x="287" y="28">102</text>
<text x="291" y="64">9.8</text>
<line x1="283" y1="39" x2="333" y2="39" stroke="black" stroke-width="1.5"/>
</g></svg>)";

// T1 = F1 + K·f·G
const char* kBedPullFormula = R"(<svg xmlns="http://www.w3.org/2000/svg" width="218" height="80" viewBox="0 0 218 80">
<g font-family="serif" font-size="22" font-style="italic" fill="black">
<text x="8" y="46">T</text>
<text x="24" y="52" font-size="14">1</text>
<text x="42" y="46">= F</text>
<text x="83" y="52" font-size="14">1</text>
<text x="101" y="46">+ K · f · G</text>
</g></svg>)";

// S = Pg·a / K
const char* kRopeStrengthFormula = R"(<svg xmlns="http://www.w3.org/2000/svg" width="136" height="80" viewBox="0 0 136 80">
<g font-family="serif" font-size="22" font-style="italic" fill="black">
<text x="8" y="46">S =</text>
<text x="60" y="28">P</text>
<text x="75" y="34" font-size="14">g</text>
<text x="93" y="28">· a</text>
<text x="82" y="64">K</text>
<line x1="56" y1="39" x2="124" y2="39" stroke="black" stroke-width="1.5"/>
</g></svg>)";

// T2 = F4 + K·G·(f′·cos α + sin α), over two lines
const char* kSlopePullFormula = R"(<svg xmlns="http://www.w3.org/2000/svg" width="269" height="80" viewBox="0 0 269 80">
<g font-family="serif" font-size="22" font-style="italic" fill="black">
<text x="8" y="32">T</text>
<text x="24" y="38" font-size="14">2</text>
<text x="42" y="32">= F</text>
<text x="83" y="38" font-size="14">4</text>
<text x="101" y="32">+ K · G ·</text>
<text x="44" y="66">( f ′ ·</text>
<text x="101" y="66" font-style="normal">cos</text>
<text x="144" y="66">α +</text>
<text x="192" y="66" font-style="normal">sin</text>
<text x="231" y="66">α )</text>
</g></svg>)";

// The slope angle is typed in degrees; the conversion uses π as 3.1416.
constexpr double kPi = 3.1416;

void computeGeneralPullingForce(Form& form) {
    const Num elasticForce = FieldValue(form, "Text5");
    const Num currentThrust = FieldValue(form, "Text1");
    const Num bedFriction = FieldValue(form, "Text2");
    // 102 turns the force per metre from kN into kgf; the further 1/9.8 gives the mass in
    // technical units (kgf·s²/m) per metre, the figure engineers have always read here.
    const Num leastMass = (elasticForce + 1.2 * currentThrust / bedFriction) * 102 / 9.8;
    form.setText("Text10", FormatNumber(leastMass, "#.##"));

    const Num breakingForceSum = FieldValue(form, "Text17");
    const Num unequalLoadFactor = FieldValue(form, "Text16");
    const Num ropeSafetyFactor = FieldValue(form, "Text4");
    const Num allowableTension = breakingForceSum * unequalLoadFactor / ropeSafetyFactor;
    form.setText("Text9", FormatNumber(allowableTension, "#.##"));

    // Towing along the bed uses the same friction coefficient f as the least mass.
    const Num ropeFriction = FieldValue(form, "Text12");
    const Num startingCoefficient = FieldValue(form, "Text14");
    const Num weight = FieldValue(form, "Text11");
    const Num bedPull = ropeFriction + startingForce(startingCoefficient, slopeResistance(weight, bedFriction, 0));
    form.setText("Text8", FormatNumber(bedPull, "#.##"));

    const Num slopeRadians = FieldValue(form, "Text15") * kPi / 180;
    const Num ropeGroundResistance = FieldValue(form, "Text3");
    const Num slopeFriction = FieldValue(form, "Text13");
    const Num slopePull =
        ropeGroundResistance + startingForce(startingCoefficient, slopeResistance(weight, slopeFriction, slopeRadians));
    form.setText("Text7", FormatNumber(slopePull, "#.##"));
}

FormDefinition makeGeneralPullingForce() {
    FormDefinition def("一般牵引力计算", "一般牵引力计算");
    def.titleLabel("Label1", "一般牵引力计算");
    def.note("Label2",
             "【注意】：沿河底或管沟牵引管段过江是水下管线牵引方法中最常用的一种方法。"
             "底拖法的优点是：一般情况下不会影响河流通航，不受流速及水深限制，管段能较为准确地放在沟中，"
             "而且机具简单。底拖法的缺点是：拖管设备牵引力要足够大，对场地和管径有一定要求。");

    def.frame("Frame4", "拖管管段最低质量", FrameRole::Formula, {0, 0})
        .picture("Image1", kLeastMassFormula, {0, 0});
    def.frame("Frame5", "牵引力计算", FrameRole::Formula, {0, 1}).picture("Image2", kBedPullFormula, {0, 0});
    def.frame("Frame6", "钢丝绳强度计算", FrameRole::Formula, {0, 2})
        .picture("Image3", kRopeStrengthFormula, {0, 0});
    auto slope = def.frame("Frame3", "管线沿斜坡牵引时牵引力", FrameRole::Formula, {0, 3});
    slope.picture("Image4", kSlopePullFormula, {0, 0});
    slope.label("Label14", "公式4", {1, 0});

    auto inputs = def.frame("Frame1", "输入参数", FrameRole::Input, {1, 0, 1, 4});
    inputs.field("Text1", "单位管长动水水平推力Fx，KN", "13.6", {0, 0});
    inputs.field("Text2", "管段表面与河床或沟底滑动摩擦系数f；", "0.45", {1, 0});
    inputs.field("Text5", "单位长度管线结构曲线敷设时的弹性力Fn，KN", "10.2", {2, 0});
    inputs.field("Text14", "起动系数K，一般取2；", "2", {3, 0});
    inputs.field("Text4", "钢丝绳使用安全系数K", "9.0", {4, 0});
    inputs.field("Text16", "考虑钢丝受力不均的钢丝绳破断拉力换算系数a", "0.82", {5, 0});
    inputs.field("Text11", "管段在陆上或水中重力G，KN；", "650", {0, 1});
    inputs.field("Text12", "钢丝绳与接触面摩擦力F1，KN；", "500", {1, 1});
    inputs.field("Text13", "管段结构表面斜坡面摩擦系数f", "0.30", {2, 1});
    inputs.field("Text15", "斜坡坡角α，( °) ", "30", {3, 1});
    inputs.field("Text3", "钢丝绳与地面间的摩擦阻力F4,KN", "600", {4, 1});
    inputs.field("Text17", "钢丝绳的钢丝破断拉力总和Pg，KN", "931.5", {5, 1});

    auto results = def.frame("Frame2", "输出结果", FrameRole::Results, {2, 0, 1, 4});
    results.result("Text10", "拖管时单位长度管线结构最小质量Mmin，（Kg）", {0, 0});
    results.result("Text9", "钢丝绳的容许拉力S，（KN）", {1, 0});
    results.result("Text8", "沿河床床面或沟底拖管所需牵引力（KN）", {0, 1});
    results.result("Text7", "沿斜坡向上牵引管段时的牵引力（KN）", {1, 1});

    def.runButton("Command1", "开始计算", computeGeneralPullingForce);
    def.printButton("Command2");
    return def;
}

const WindowRegistration registration(makeGeneralPullingForce);

}  // namespace
}  // namespace pylora
