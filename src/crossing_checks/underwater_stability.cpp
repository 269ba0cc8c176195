// 稳定计算: the forces a river acts with on a pipe laid across its bed (static buoyancy,
// hydrodynamic uplift and horizontal thrust), the ballast that keeps the pipe in place, and the
// stone or gabion ballast that provides it. Forces are in kilograms-force per metre of pipe.
#include "core/calc.h"

namespace pylora {
namespace {

constexpr double kPi = 3.1416;
constexpr double kNewtonToKgf = 0.101972;

const char* kBuoyancyFormula = R"(<svg xmlns="http://www.w3.org/2000/svg" width="173" height="71" viewBox="0 0 173 71">
<g font-family="serif" font-size="20" font-style="italic" fill="black">
<text x="8" y="46">A =</text>
<text x="55.9" y="26.8">π · D</text>
<text x="105.2" y="17.8" font-size="13">2</text>
<text x="120.8" y="26.8">· γ</text>
<text x="145.5" y="31.8" font-size="13">w</text>
<text x="100.9" y="58">4</text>
<line x1="52.9" y1="39" x2="161.6" y2="39" stroke="black" stroke-width="1.5"/>
</g></svg>)";

const char* kHydrodynamicFormula = R"(<svg xmlns="http://www.w3.org/2000/svg" width="234" height="134" viewBox="0 0 234 134">
<g font-family="serif" font-size="20" font-style="italic" fill="black">
<text x="8" y="42.8">F</text>
<text x="21.9" y="47.8" font-size="13">y</text>
<text x="37.6" y="42.8">= C</text>
<text x="76" y="47.8" font-size="13">y</text>
<text x="91.7" y="42.8">· D · γ</text>
<text x="151.5" y="47.8" font-size="13">w</text>
<text x="171" y="42.8">·</text>
<text x="191.3" y="26.8">V</text>
<text x="206.7" y="17.8" font-size="13">2</text>
<text x="187.7" y="54.8">2 g</text>
<line x1="184.7" y1="35.8" x2="222.6" y2="35.8" stroke="black" stroke-width="1.5"/>
<text x="8" y="108.5">F</text>
<text x="21.9" y="113.5" font-size="13">x</text>
<text x="37.6" y="108.5">= C</text>
<text x="76" y="113.5" font-size="13">x</text>
<text x="91.7" y="108.5">· D · γ</text>
<text x="151.4" y="113.5" font-size="13">w</text>
<text x="170.9" y="108.5">·</text>
<text x="191.2" y="92.5">V</text>
<text x="206.7" y="83.5" font-size="13">2</text>
<text x="187.6" y="120.5">2 g</text>
<line x1="184.6" y1="101.5" x2="222.5" y2="101.5" stroke="black" stroke-width="1.5"/>
</g></svg>)";

const char* kBendingLoadFormula = R"(<svg xmlns="http://www.w3.org/2000/svg" width="182" height="68" viewBox="0 0 182 68">
<g font-family="serif" font-size="20" font-style="italic" fill="black">
<text x="8" y="39">P =</text>
<text x="54.9" y="23">E · I · K · H</text>
<text x="99.2" y="54.8">L</text>
<text x="113.5" y="45.8" font-size="13">4</text>
<line x1="51.9" y1="32" x2="170" y2="32" stroke="black" stroke-width="1.5"/>
</g></svg>)";

const char* kBallastFormula = R"(<svg xmlns="http://www.w3.org/2000/svg" width="272" height="40" viewBox="0 0 272 40">
<g font-family="serif" font-size="20" font-style="italic" fill="black">
<text x="8" y="23">W = A + F</text>
<text x="115.8" y="28" font-size="13">x</text>
<text x="131.5" y="23">+ F</text>
<text x="168.5" y="28" font-size="13">y</text>
<text x="184.2" y="23">+ P − q</text>
</g></svg>)";

const char* kStoneWeightFormula = R"(<svg xmlns="http://www.w3.org/2000/svg" width="430" height="108" viewBox="0 0 430 108">
<g font-family="serif" font-size="20" font-style="italic" fill="black">
<text x="8" y="23">T = F</text>
<text x="64.7" y="28" font-size="13">x</text>
<text x="80.4" y="23">− f (W − A − F</text>
<text x="232.9" y="28" font-size="13">y</text>
<text x="242.2" y="23">)</text>
<text x="8" y="79.5">G = [K</text>
<text x="76.2" y="84.5" font-size="13">s</text>
<text x="91.2" y="79.5">(T + A + F</text>
<text x="199.6" y="84.5" font-size="13">x</text>
<text x="215.3" y="79.5">+ P) − W] ·</text>
<text x="367.9" y="60.2">γ</text>
<text x="379.8" y="65.2" font-size="13">s</text>
<text x="340.6" y="91.5">γ</text>
<text x="352.6" y="96.5" font-size="13">s</text>
<text x="367.6" y="91.5">− γ</text>
<text x="402.6" y="96.5" font-size="13">w</text>
<line x1="337.6" y1="72.5" x2="418.8" y2="72.5" stroke="black" stroke-width="1.5"/>
</g></svg>)";

const char* kStoneCoverFormula = R"(<svg xmlns="http://www.w3.org/2000/svg" width="179" height="133" viewBox="0 0 179 133">
<g font-family="serif" font-size="20" font-style="italic" fill="black">
<text x="8" y="39">h</text>
<text x="20.9" y="44" font-size="13">s</text>
<text x="35.9" y="39">=</text>
<text x="89.3" y="23">10 G</text>
<text x="63" y="51">C</text>
<text x="78.3" y="56" font-size="13">0</text>
<text x="95" y="51">· D · γ</text>
<text x="154.7" y="56" font-size="13">s</text>
<line x1="60" y1="32" x2="166.4" y2="32" stroke="black" stroke-width="1.5"/>
<text x="8" y="108">d</text>
<text x="20.8" y="113" font-size="13">s</text>
<text x="35.8" y="108">= 1000 ·</text>
<text x="136.5" y="92">V</text>
<text x="151.9" y="83" font-size="13">2</text>
<text x="132.9" y="120">2 g</text>
<line x1="129.9" y1="101" x2="167.8" y2="101" stroke="black" stroke-width="1.5"/>
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
