// 小平车发送道相关计算: pulling a pipe string along a launch way on which it rides on small rail
// trolleys: the rolling friction of the wheels, the friction of their bearings and flanges, the
// friction of the pulling rope on the ground, and the pulling force that starts it all moving.
#include "core/calc.h"
#include "pull_in/pulling_force.h"

namespace pylora {
namespace {

// F1 = f1·(G + n·G1) / rc
const char* kWheelRollingFormula = R"(<svg xmlns="http://www.w3.org/2000/svg" width="246" height="80" viewBox="0 0 246 80">
<g font-family="serif" font-size="22" font-style="italic" fill="black">
<text x="8" y="46">F</text>
<text x="24" y="52" font-size="14">1</text>
<text x="42" y="46">=</text>
<text x="72" y="28">f</text>
<text x="81" y="34" font-size="14">1</text>
<text x="98" y="28">(G + n · G</text>
<text x="211" y="34" font-size="14">1</text>
<text x="222" y="28">)</text>
<text x="140" y="64">r</text>
<text x="152" y="70" font-size="14">c</text>
<line x1="68" y1="39" x2="234" y2="39" stroke="black" stroke-width="1.5"/>
</g></svg>)";

// F2 = f2·(G + n·G1) / r
const char* kBearingFormula = R"(<svg xmlns="http://www.w3.org/2000/svg" width="246" height="80" viewBox="0 0 246 80">
<g font-family="serif" font-size="22" font-style="italic" fill="black">
<text x="8" y="46">F</text>
<text x="24" y="52" font-size="14">2</text>
<text x="42" y="46">=</text>
<text x="72" y="28">f</text>
<text x="81" y="34" font-size="14">2</text>
<text x="98" y="28">(G + n · G</text>
<text x="211" y="34" font-size="14">1</text>
<text x="222" y="28">)</text>
<text x="146" y="64">r</text>
<line x1="68" y1="39" x2="234" y2="39" stroke="black" stroke-width="1.5"/>
</g></svg>)";

// F3 = 0.5·(F1 + F2)
const char* kFlangeFormula = R"(<svg xmlns="http://www.w3.org/2000/svg" width="221" height="80" viewBox="0 0 221 80">
<g font-family="serif" font-size="22" font-style="italic" fill="black">
<text x="8" y="46">F</text>
<text x="24" y="52" font-size="14">3</text>
<text x="42" y="46">= 0.5 (F</text>
<text x="134" y="52" font-size="14">1</text>
<text x="152" y="46">+ F</text>
<text x="194" y="52" font-size="14">2</text>
<text x="205" y="46">)</text>
</g></svg>)";

// F4 = G2·l·f4
const char* kRopeGroundFormula = R"(<svg xmlns="http://www.w3.org/2000/svg" width="174" height="80" viewBox="0 0 174 80">
<g font-family="serif" font-size="22" font-style="italic" fill="black">
<text x="8" y="46">F</text>
<text x="24" y="52" font-size="14">4</text>
<text x="42" y="46">= G</text>
<text x="86" y="52" font-size="14">2</text>
<text x="104" y="46">· l · f</text>
<text x="155" y="52" font-size="14">4</text>
</g></svg>)";

// F = K·(F1 + F2 + F3 + F4)
const char* kLaunchWayPullFormula = R"(<svg xmlns="http://www.w3.org/2000/svg" width="310" height="80" viewBox="0 0 310 80">
<g font-family="serif" font-size="22" font-style="italic" fill="black">
<text x="8" y="46">F = K (F</text>
<text x="104" y="52" font-size="14">1</text>
<text x="122" y="46">+ F</text>
<text x="164" y="52" font-size="14">2</text>
<text x="181" y="46">+ F</text>
<text x="223" y="52" font-size="14">3</text>
<text x="241" y="46">+ F</text>
<text x="283" y="52" font-size="14">4</text>
<text x="294" y="46">)</text>
</g></svg>)";

// Every step works with the unrounded forces of the steps before; only the texts are rounded.
void computeTrolleyLaunchWay(Form& form) {
    const Num pipeWeight = FieldValue(form, "Text1");
    const Num trolleys = FieldValue(form, "Text5");
    const Num trolleyWeight = FieldValue(form, "Text2");
    const Num loadOnTrolleys = pipeWeight + trolleys * trolleyWeight;

    const Num wheelFriction = FieldValue(form, "Text11");
    const Num wheelRadius = FieldValue(form, "Text14");
    const Num wheelRolling = rollingResistance(wheelFriction, loadOnTrolleys, wheelRadius);
    form.setText("Text10", FormatNumber(wheelRolling, "#.##"));

    const Num bearingFriction = FieldValue(form, "Text12");
    const Num axleRadius = FieldValue(form, "Text13");
    const Num bearing = rollingResistance(bearingFriction, loadOnTrolleys, axleRadius);
    form.setText("Text8", FormatNumber(bearing, "#.##"));

    const Num flange = 0.5 * (wheelRolling + bearing);
    form.setText("Text9", FormatNumber(flange, "#.##"));

    const Num ropeWeight = FieldValue(form, "Text15");
    const Num ropeLength = FieldValue(form, "Text6");
    const Num groundFriction = FieldValue(form, "Text18");
    const Num rope = ropeGroundFriction(ropeWeight, ropeLength, groundFriction);
    form.setText("Text7", FormatNumber(rope, "#.##"));

    const Num pull = startingForce(FieldValue(form, "Text19"), wheelRolling + bearing + flange + rope);
    form.setText("Text33", FormatNumber(pull, "#.##"));
}

FormDefinition makeTrolleyLaunchWay() {
    FormDefinition def("小平车发送道相关计算", "小平车发送道相关计算");
    def.titleLabel("Label1", "小平车发送道相关计算");

    def.frame("Frame8", "车轮在沿轨道滚动时的摩擦力F1", FrameRole::Formula, {0, 0})
        .picture("Image6", kWheelRollingFormula, {0, 0});
    def.frame("Frame9", "小平车轴承转动时的摩擦力F2", FrameRole::Formula, {0, 1})
        .picture("Image7", kBearingFormula, {0, 0});
    def.frame("Frame10", "车轮轮缘与钢轨间的摩擦阻力F3", FrameRole::Formula, {0, 2})
        .picture("Image8", kFlangeFormula, {0, 0});
    def.frame("Frame12", "钢丝绳与地面间的摩擦阻力F4", FrameRole::Formula, {1, 0})
        .picture("Image10", kRopeGroundFormula, {0, 0});
    def.frame("Frame11", "小平车发送道牵引力F", FrameRole::Formula, {1, 1})
        .picture("Image9", kLaunchWayPullFormula, {0, 0});

    auto inputs = def.frame("Frame1", "输入参数", FrameRole::Input, {2, 0, 1, 3});
    inputs.field("Text1", "被拖管段总重力G，KN", "15000", {0, 0});
    inputs.field("Text2", "单个小平车重力G1，KN", "500", {1, 0});
    inputs.field("Text5", "小平车个数n", "10", {2, 0});
    inputs.field("Text14", "小平车轮子半径rc,cm", "15.0", {3, 0});
    inputs.field("Text11", "小平车车轮沿钢轨滚动摩擦系数f1", "0.5", {0, 1});
    inputs.field("Text12", "轮轴轴承滚动摩擦系数f2", "0.6", {1, 1});
    inputs.field("Text13", "小平车轮轴半径r,cm;", "15.0", {2, 1});
    inputs.field("Text15", "单位长度牵引钢丝绳重力G2,KN/m", "65.5", {3, 1});
    inputs.field("Text6", "牵引钢丝绳长度l,m", "100", {0, 2});
    inputs.field("Text18", "钢丝绳与地面摩擦系数f4", "0.6", {1, 2});
    inputs.field("Text19", "起动系数K，一般取2", "2.0", {2, 2});

    auto results = def.frame("Frame2", "输出结果", FrameRole::Results, {3, 0, 1, 3});
    results.result("Text10", "小车车轮在沿轨道滚动时的摩擦力F1，KN", {0, 0});
    results.result("Text8", "小平车轴承转动时的摩擦力F2,KN", {0, 1});
    results.result("Text9", "车轮轮缘与钢轨间的摩擦阻力F3,KN", {1, 0});
    results.result("Text7", "钢丝绳与地面间的摩擦阻力F4,KN", {1, 1});
    results.result("Text33", "管段在小平车发送道上牵引时的牵引力F，KN", {2, 0});

    def.runButton("Command1", "开始计算", computeTrolleyLaunchWay);
    def.printButton("Command2");
    return def;
}

const WindowRegistration registration(makeTrolleyLaunchWay);

}  // namespace
}  // namespace pylora
