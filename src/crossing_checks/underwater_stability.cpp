// 稳定计算: the forces a river acts with on a pipe laid across its bed (static buoyancy,
// hydrodynamic uplift and horizontal thrust), the ballast that keeps the pipe in place, and the
// stone or gabion ballast that provides it. Forces are in kilograms-force per metre of pipe.
#include "core/calc.h"

namespace pylora {
namespace {

constexpr double kPi = 3.1416;
constexpr double kNewtonToKgf = 0.101972;

const char* kBuoyancyFormula = R"(<svg xmlns="http://www.w3.org/2000/svg" width="200" height="70" viewBox="0 0 200 70">
<g font-family="serif" font-size="20" font-style="italic" fill="black">
<text x="8" y="42">A =</text>
<text x="62" y="26">π · D</text><text x="110" y="16" font-size="13">2</text>
<text x="122" y="26">· γ</text><text x="148" y="31" font-size="13">w</text>
<line x1="54" y1="35" x2="168" y2="35" stroke="black" stroke-width="1.5"/>
<text x="104" y="60">4</text>
</g></svg>)";

const char* kHydrodynamicFormula = R"(<svg xmlns="http://www.w3.org/2000/svg" width="210" height="110" viewBox="0 0 210 110">
<g font-family="serif" font-size="20" font-style="italic" fill="black">
<text x="8" y="34">F</text><text x="20" y="39" font-size="13">y</text>
<text x="34" y="34">= C</text><text x="68" y="39" font-size="13">y</text>
<text x="80" y="34">· D · γ</text><text x="142" y="39" font-size="13">w</text>
<text x="8" y="84">F</text><text x="20" y="89" font-size="13">x</text>
<text x="34" y="84">= C</text><text x="68" y="89" font-size="13">x</text>
<text x="80" y="84">· D · γ</text><text x="142" y="89" font-size="13">w</text>
<text x="160" y="50">V</text><text x="174" y="40" font-size="13">2</text>
<line x1="156" y1="57" x2="196" y2="57" stroke="black" stroke-width="1.5"/>
<text x="162" y="80">2g</text>
</g></svg>)";

const char* kBendingLoadFormula = R"(<svg xmlns="http://www.w3.org/2000/svg" width="200" height="70" viewBox="0 0 200 70">
<g font-family="serif" font-size="20" font-style="italic" fill="black">
<text x="8" y="42">P =</text>
<text x="64" y="26">E · I · K · H</text>
<line x1="54" y1="35" x2="176" y2="35" stroke="black" stroke-width="1.5"/>
<text x="104" y="60">L</text><text x="116" y="50" font-size="13">4</text>
</g></svg>)";

const char* kBallastFormula = R"(<svg xmlns="http://www.w3.org/2000/svg" width="230" height="70" viewBox="0 0 230 70">
<g font-family="serif" font-size="20" font-style="italic" fill="black">
<text x="8" y="42">W = A + F</text><text x="100" y="47" font-size="13">x</text>
<text x="112" y="42">+ F</text><text x="142" y="47" font-size="13">y</text>
<text x="154" y="42">+ P − q</text>
</g></svg>)";

const char* kStoneWeightFormula = R"(<svg xmlns="http://www.w3.org/2000/svg" width="300" height="110" viewBox="0 0 300 110">
<g font-family="serif" font-size="20" font-style="italic" fill="black">
<text x="8" y="30">T = F</text><text x="58" y="35" font-size="13">x</text>
<text x="70" y="30">− f · (W − A − F</text><text x="220" y="35" font-size="13">y</text>
<text x="230" y="30">)</text>
<text x="8" y="84">G = [K</text><text x="70" y="89" font-size="13">s</text>
<text x="80" y="84">(T + A + F</text><text x="180" y="89" font-size="13">x</text>
<text x="190" y="84">+ P) − W]</text>
<text x="228" y="66" font-size="15">γ</text><text x="238" y="70" font-size="11">s</text>
<line x1="212" y1="92" x2="294" y2="92" stroke="black" stroke-width="1.2"/>
<text x="214" y="108" font-size="15">γ</text><text x="224" y="110" font-size="11">s</text>
<text x="234" y="108" font-size="15">− γ</text><text x="262" y="110" font-size="11">w</text>
</g></svg>)";

const char* kStoneCoverFormula = R"(<svg xmlns="http://www.w3.org/2000/svg" width="240" height="110" viewBox="0 0 240 110">
<g font-family="serif" font-size="20" font-style="italic" fill="black">
<text x="8" y="34">h</text><text x="20" y="39" font-size="13">s</text>
<text x="32" y="34">=</text>
<text x="94" y="20">10 · G</text>
<line x1="56" y1="27" x2="196" y2="27" stroke="black" stroke-width="1.5"/>
<text x="66" y="50">C</text><text x="80" y="55" font-size="13">0</text>
<text x="92" y="50">· D · γ</text><text x="156" y="55" font-size="13">s</text>
<text x="8" y="90">d</text><text x="20" y="95" font-size="13">s</text>
<text x="32" y="90">= 1000 ·</text>
<text x="122" y="78">V</text><text x="136" y="68" font-size="13">2</text>
<line x1="116" y1="84" x2="152" y2="84" stroke="black" stroke-width="1.5"/>
<text x="120" y="104">2g</text>
</g></svg>)";

void computeStability(Form& form) {
    const Num waterWeight = FieldValue(form, "Text3");
    const Num diameter = FieldValue(form, "Text1");
    const Num buoyancy = waterWeight * (kPi * diameter * diameter) * kNewtonToKgf / 4;
    form.setText("Text10", FormatNumber(buoyancy, "#.###"));

    const Num velocity = FieldValue(form, "Text2");
    const Num gravity = FieldValue(form, "Text19");
    const Num velocityPressure = diameter * waterWeight * velocity * velocity * kNewtonToKgf / (2 * gravity);
    const Num uplift = FieldValue(form, "Text17") * velocityPressure;
    form.setText("Text8", FormatNumber(uplift, "#.###"));
    const Num thrust = FieldValue(form, "Text16") * velocityPressure;
    form.setText("Text9", FormatNumber(thrust, "#.###"));

    const Num stoneSize = 1000 * velocity * velocity / (2 * gravity);
    form.setText("Text15", FormatNumber(stoneSize, "#.###"));

    Num bendingLoad = 0;
    if (!form.checked("Option1(1)")) {
        const Num modulus = FieldValue(form, "Text5");
        const Num inertia = FieldValue(form, "Text21");
        const Num constant = FieldValue(form, "Text18");
        const Num rise = FieldValue(form, "Text4");
        const Num lengthCm = 100 * FieldValue(form, "Text22");
        bendingLoad = modulus * inertia * constant * rise / pow(lengthCm, 4);
        form.setText("Text7", FormatNumber(bendingLoad, "#.###"));
    } else {
        form.setText("Text7", "0");
    }

    const Num pipeWeight = FieldValue(form, "Text26");
    const Num ballast = buoyancy + thrust + uplift + bendingLoad - pipeWeight;
    form.setText("Text6", FormatNumber(ballast, "#.###"));

    form.setText("Text14", FormatNumber(diameter + 4.5, "#.##"));

    // The remaining thrust starts from the forces as displayed, as the engineer reads them.
    const Num shownThrust = FieldValue(form, "Text9");
    const Num friction = FieldValue(form, "Text11");
    const Num shownBallast = FieldValue(form, "Text6");
    const Num shownBuoyancy = FieldValue(form, "Text10");
    const Num shownUplift = FieldValue(form, "Text8");
    const Num remainingThrust = shownThrust - friction * (shownBallast - shownBuoyancy - shownUplift);
    form.setText("Text23", FormatNumber(remainingThrust, "#.###"));

    const Num stoneWeight = FieldValue(form, "Text12");
    const Num airToWater = stoneWeight / (stoneWeight - waterWeight);
    const Num safety = FieldValue(form, "Text25");
    const Num shownBendingLoad = FieldValue(form, "Text7");
    const Num stoneInAir = (safety * (remainingThrust + buoyancy + thrust + shownBendingLoad) - ballast) * airToWater;
    form.setText("Text24", FormatNumber(stoneInAir, "#.###"));

    const Num fillFactor = FieldValue(form, "Text20");
    const Num coverThickness = 10 * stoneInAir / (fillFactor * diameter * stoneWeight);
    form.setText("Text13", FormatNumber(coverThickness, "#.###"));
}

FormDefinition makeUnderwaterStability() {
    FormDefinition def("稳定计算", "稳定计算");
    def.titleLabel("Label1", "穿越管段稳定性计算");
    def.note("Label2",
             " 【注意】：管道埋深在最大冲刷深度以下称为全埋敷设；管道埋深在平均冲刷深度以下则称为半埋敷设；"
             "当水流绕过管道流动时，有两个作用力，一个力是上抬力，另一个力是水平推力。");

    auto formulas = def.frame("Frame3", "计算公式", FrameRole::Formula, {0, 0});
    const char* pictures[] = {kBuoyancyFormula, kHydrodynamicFormula, kBendingLoadFormula,
                              kBallastFormula,  kStoneWeightFormula,  kStoneCoverFormula};
    for (int i = 0; i < 6; ++i) {
        ControlDef& picture = formulas.picture("Image" + std::to_string(i + 1), pictures[i], {i / 3, i % 3});
        picture.label = "(公式" + std::to_string(i + 1) + ")";
        picture.labelPlacement = LabelPlacement::Above;
    }

    auto options = def.frame("Frame4", "计算选项", FrameRole::Options, {0, 1});
    options.option("Option1(0)", "", {0, 0}).label = "有弯曲应力";
    options.option("Option1(1)", "", {1, 0}, true).label = "无弯曲应力(包括倒虹吸管现象)";

    auto inputs = def.frame("Frame1", "输入参数", FrameRole::Input, {1, 0, 1, 2});
    inputs.field("Text1", "管道外径(包括防腐层、保护层等)(米)", "0.280", {0, 0});
    inputs.field("Text2", "河道底部的水流速度V(米/秒)", "1.10", {1, 0});
    inputs.field("Text5", "管材弹性模量E( MPa);", "210000", {2, 0});
    inputs.field("Text22", "弹性敷设段水平长度(米)", "300", {3, 0});
    inputs.field("Text21", "管道的惯性矩(厘米^4)", "8582", {4, 0});
    inputs.field("Text3", "γ 水的容重（牛/米）", "10000", {0, 1});
    inputs.field("Text4", "弯曲矢高H（厘米） ", "98.00", {1, 1});
    inputs.field("Text12", "γ 石料的容重（牛/米 )", "24000", {2, 1});
    inputs.field("Text20", "石笼充实系数", "0.90", {3, 1});
    inputs.field("Text11", "管道与河床的摩擦系数", "0.4", {4, 1});
    inputs.field("Text16", "阻力系数Cx", "1.20", {0, 2});
    inputs.field("Text17", "阻力系数Cy", "0.60", {1, 2});
    inputs.field("Text18", "常数K", "125000", {2, 2});
    inputs.field("Text19", "重力加速度g", "9.8066 ", {3, 2});
    inputs.field("Text25", "石笼安全系数", "1.5", {4, 2});
    // The pipe weight's long caption spans the left and middle columns; its field stands in the right one.
    const char* pipeWeightCaption = "管道在空气单位长度中的总重量（包括防腐层、保护层）（千克/米）";
    inputs.label("", pipeWeightCaption, {5, 0, 1, 2});
    inputs.cell("Text26", "65", {5, 2}).description = pipeWeightCaption;

    auto results = def.frame("Frame2", "输出结果", FrameRole::Results, {2, 0, 1, 2});
    results.result("Text10", "单位管长静水浮力A（千克/米）", {0, 0});
    results.result("Text9", "单位管长动水水平推力Fx（千克/米）", {1, 0});
    results.result("Text6", "为保持管道稳定需加压重力（千克/米） ", {2, 0});
    results.result("Text14", "每个石笼的长度（米） ", {3, 0});
    results.result("Text23", "单位管长所剩余的水平推力(千克/米)", {4, 0});
    results.result("Text8", "单位管长动水上抬力Fy（千克/米）", {0, 1});
    results.result("Text7", "保持自由弯曲需加压重力P（千克/米）", {1, 1});
    results.result("Text13", "水下管道管顶块石的最小厚度（米） ", {2, 1});
    results.result("Text15", "石笼内的石块最小粒径（毫米） ", {3, 1});
    results.result("Text24", "单位管长所压石料在空气中的重量(千克/米)", {4, 1});

    def.runButton("Command1", "开始计算", computeStability);
    def.printButton("Command2");
    return def;
}

const WindowRegistration registration(makeUnderwaterStability);

}  // namespace
}  // namespace pylora
