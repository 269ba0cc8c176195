// 汽车荷载计算: pressure of a vehicle's rear wheels on the top of a pipe under a highway. Each
// wheel's load spreads into the soil at the spreading angle; below the depth where the spreading
// lines of the two rear wheels cross, their zones overlap and the overlapping formula applies.
#include "core/calc.h"

namespace pylora {
namespace {

constexpr double kPi = 3.1416;  // the window's own value of π

const char* kCrossingDepthFormula = R"(<svg xmlns="http://www.w3.org/2000/svg" width="200" height="80" viewBox="0 0 200 80">
<g font-family="serif" font-size="22" font-style="italic" fill="black">
<text x="14" y="47">h</text><text x="26" y="53" font-size="14">j</text>
<text x="40" y="47">=</text>
<text x="90" y="30">C − b</text>
<line x1="70" y1="39" x2="170" y2="39" stroke="black" stroke-width="1.5"/>
<text x="84" y="66">2 tg α</text>
</g></svg>)";

const char* kSingleWheelFormula = R"(<svg xmlns="http://www.w3.org/2000/svg" width="330" height="80" viewBox="0 0 330 80">
<g font-family="serif" font-size="20" font-style="italic" fill="black">
<text x="10" y="46">P</text><text x="23" y="52" font-size="13">k</text>
<text x="36" y="46">=</text>
<text x="170" y="30">G · K</text><text x="222" y="36" font-size="13">d</text>
<line x1="60" y1="38" x2="322" y2="38" stroke="black" stroke-width="1.4"/>
<text x="64" y="64">(a + 2h tg α)(b + 2h tg α)</text>
</g></svg>)";

const char* kOverlappingFormula = R"(<svg xmlns="http://www.w3.org/2000/svg" width="410" height="80" viewBox="0 0 410 80">
<g font-family="serif" font-size="20" font-style="italic" fill="black">
<text x="10" y="46">P</text><text x="23" y="52" font-size="13">k</text>
<text x="36" y="46">=</text>
<text x="200" y="30">G · K</text><text x="252" y="36" font-size="13">d</text>
<line x1="60" y1="38" x2="400" y2="38" stroke="black" stroke-width="1.4"/>
<text x="64" y="66">(a + 2h tg α)(h tg α +</text>
<text x="288" y="58" font-size="15">C</text>
<line x1="286" y1="62" x2="300" y2="62" stroke="black" stroke-width="1"/>
<text x="288" y="76" font-size="15">2</text>
<text x="306" y="66">+</text>
<text x="326" y="58" font-size="15">b</text>
<line x1="324" y1="62" x2="338" y2="62" stroke="black" stroke-width="1"/>
<text x="326" y="76" font-size="15">2</text>
<text x="342" y="66">)</text>
</g></svg>)";

void computeVehicleLoad(Form& form) {
    const Num t = tan(FieldValue(form, "Text2") * kPi / 180);

    const Num wheelSpacing = FieldValue(form, "Text1");
    const Num tyreWidth = FieldValue(form, "Text3");
    const Num crossingDepth = (wheelSpacing - tyreWidth) / (2 * t);
    form.setText("Text6", FormatNumber(crossingDepth, "#.###"));

    const Num wheelLoad = FieldValue(form, "Text4");
    const Num dynamicFactor = FieldValue(form, "Text9");
    const Num contactLength = FieldValue(form, "Text5");
    const Num depth = FieldValue(form, "Text8");
    const Num alongTravel = contactLength + 2 * depth * t;
    const Num singleWheel = wheelLoad * dynamicFactor / (alongTravel * (tyreWidth + 2 * depth * t));
    const Num overlapping =
        wheelLoad * dynamicFactor / (alongTravel * (depth * t + wheelSpacing / 2 + tyreWidth / 2));

    // The entered depth is compared with the crossing depth as computed, not as displayed.
    form.setText("Text7", FormatNumber(depth > crossingDepth ? overlapping : singleWheel, "#.###"));
}

FormDefinition makeVehicleLoad() {
    FormDefinition def("汽车荷载计算", "汽车荷载计算");
    def.titleLabel("Label1", "汽车荷载计算");

    def.frame("Frame3", "压力传播线交叉点深度", FrameRole::Formula, {0, 0})
        .picture("Image1", kCrossingDepthFormula, {0, 0});
    def.frame("Frame4", "h<hj时,管顶承受汽车的荷载", FrameRole::Formula, {0, 1})
        .picture("Image2", kSingleWheelFormula, {0, 0});
    def.frame("Frame5", "h>hj时,管顶承受汽车的荷载", FrameRole::Formula, {1, 0, 1, 2})
        .picture("Image3", kOverlappingFormula, {0, 0});

    auto inputs = def.frame("Frame1", "输入参数", FrameRole::Input, {2, 0, 1, 2});
    inputs.field("Text1", "汽车后轴两轮中心距C(米)", "2.5", {0, 0});
    inputs.field("Text2", " 压力在土壤中的传播角α（ °） ", "40", {1, 0});
    inputs.field("Text5", "汽车轮胎行车向着地长度a(米)", "0.2", {2, 0});
    inputs.field("Text9", "动力系数Kd,查表可得", "1.0", {3, 0});
    inputs.field("Text3", "汽车轮胎宽度b（米）", "0.4", {0, 1});
    inputs.field("Text4", "汽车每一后轮轮压G,KN", "130", {1, 1});
    inputs.field("Text8", "管道管顶埋深h(米)", "3.5", {2, 1});

    auto results = def.frame("Frame2", "输出结果", FrameRole::Results, {3, 0, 1, 2});
    results.result("Text6", "汽车后轮压力传播线在土体中交叉点的深度（米）", {0, 0});
    results.result("Text7", "管顶压力强度（KN/m2）", {0, 1});

    def.runButton("Command1", "开始计算", computeVehicleLoad);
    def.printButton("Command2");
    return def;
}

const WindowRegistration registration(makeVehicleLoad);

}  // namespace
}  // namespace pylora
