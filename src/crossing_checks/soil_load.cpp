// 土壤荷载计算: soil loads on a pipe or casing under a highway for three ways of laying it: in
// fill above the natural ground (上埋式), in a trench (沟埋式) and in a tunnel under a relieving
// arch (隧洞式). The two intermediate quantities h/D and S·D·Hb/h² are shown for the engineer
// to look the trench factor Ch up in a table; the window does not derive Ch from them.
#include "core/calc.h"

namespace pylora {
namespace {

constexpr double kPi = 3.1416;  // the window's own value of π

Num radians(const Num& degrees) { return degrees * kPi / 180; }

const char* kFillVerticalFormula = R"(<svg xmlns="http://www.w3.org/2000/svg" width="200" height="60" viewBox="0 0 200 60">
<g font-family="serif" font-size="22" font-style="italic" fill="black">
<text x="14" y="38">P</text><text x="28" y="44" font-size="14">v</text>
<text x="42" y="38">= γ · h</text>
</g></svg>)";

const char* kFillLateralFormula = R"(<svg xmlns="http://www.w3.org/2000/svg" width="350" height="70" viewBox="0 0 350 70">
<g font-family="serif" font-size="20" font-style="italic" fill="black">
<text x="8" y="42">P</text><text x="21" y="48" font-size="13">h</text>
<text x="34" y="42">= γ (h +</text>
<text x="126" y="30" font-size="15">D</text>
<line x1="122" y1="35" x2="140" y2="35" stroke="black" stroke-width="1.2"/>
<text x="126" y="51" font-size="15">2</text>
<text x="144" y="42">) tg</text><text x="178" y="32" font-size="13">2</text>
<text x="188" y="42">(45° −</text>
<text x="262" y="30" font-size="15">θ</text>
<line x1="258" y1="35" x2="276" y2="35" stroke="black" stroke-width="1.2"/>
<text x="262" y="51" font-size="15">2</text>
<text x="280" y="42">)</text>
</g></svg>)";

const char* kTrenchVerticalFormula = R"(<svg xmlns="http://www.w3.org/2000/svg" width="220" height="60" viewBox="0 0 220 60">
<g font-family="serif" font-size="22" font-style="italic" fill="black">
<text x="14" y="38">P</text><text x="28" y="44" font-size="14">t</text>
<text x="40" y="38">= C</text><text x="82" y="44" font-size="14">h</text>
<text x="94" y="38">· γ · H</text><text x="164" y="44" font-size="14">b</text>
</g></svg>)";

const char* kArchHeightFormula = R"(<svg xmlns="http://www.w3.org/2000/svg" width="320" height="70" viewBox="0 0 320 70">
<g font-family="serif" font-size="20" font-style="italic" fill="black">
<text x="8" y="42">h</text><text x="19" y="48" font-size="13">a</text>
<text x="32" y="42">=</text>
<text x="58" y="30" font-size="15">D</text>
<line x1="54" y1="35" x2="72" y2="35" stroke="black" stroke-width="1.2"/>
<text x="58" y="51" font-size="15">2</text>
<text x="76" y="42">(</text>
<text x="90" y="30" font-size="15">sin β</text>
<line x1="86" y1="35" x2="128" y2="35" stroke="black" stroke-width="1.2"/>
<text x="102" y="51" font-size="15">f</text>
<text x="134" y="42">− 1 + cos β)</text>
</g></svg>)";

const char* kTunnelVerticalFormula = R"(<svg xmlns="http://www.w3.org/2000/svg" width="380" height="70" viewBox="0 0 380 70">
<g font-family="serif" font-size="20" font-style="italic" fill="black">
<text x="8" y="42">P</text><text x="21" y="48" font-size="13">a</text>
<text x="34" y="42">= γ D</text><text x="88" y="32" font-size="13">2</text>
<text x="104" y="42">(</text>
<text x="116" y="30" font-size="15">sin β cos β</text>
<line x1="112" y1="35" x2="196" y2="35" stroke="black" stroke-width="1.2"/>
<text x="150" y="51" font-size="15">4</text>
<text x="200" y="42">+</text>
<text x="222" y="30" font-size="15">sin β</text>
<line x1="218" y1="35" x2="260" y2="35" stroke="black" stroke-width="1.2"/>
<text x="228" y="51" font-size="15">3f</text>
<text x="264" y="42">−</text>
<text x="286" y="30" font-size="15">β</text>
<line x1="282" y1="35" x2="300" y2="35" stroke="black" stroke-width="1.2"/>
<text x="286" y="51" font-size="15">4</text>
<text x="304" y="42">)</text>
</g></svg>)";

const char* kTunnelRadialFormula = R"(<svg xmlns="http://www.w3.org/2000/svg" width="360" height="70" viewBox="0 0 360 70">
<g font-family="serif" font-size="20" font-style="italic" fill="black">
<text x="8" y="42">P</text><text x="21" y="48" font-size="13">r</text>
<text x="32" y="42">= γ (</text>
<text x="84" y="30" font-size="15">D (1 − cos θ′)</text>
<line x1="80" y1="35" x2="184" y2="35" stroke="black" stroke-width="1.2"/>
<text x="126" y="51" font-size="15">2</text>
<text x="188" y="42">+ h</text><text x="224" y="48" font-size="13">a</text>
<text x="239" y="42">) cos</text><text x="289" y="32" font-size="13">n</text>
<text x="301" y="30" font-size="15">θ′</text>
<line x1="299" y1="35" x2="317" y2="35" stroke="black" stroke-width="1.2"/>
<text x="303" y="51" font-size="15">2</text>
</g></svg>)";

void computeSoilLoads(Form& form) {
    const Num unitWeight = FieldValue(form, "Text1");
    const Num cover = FieldValue(form, "Text3");
    form.setText("Text6", NumberText(unitWeight * cover));

    const Num diameter = FieldValue(form, "Text4");
    const Num friction = FieldValue(form, "Text2");
    const Num activeAngle = tan(radians(45 - friction / 2));
    // tan² and D² are taken whole before they multiply, as the formulas write them.
    form.setText("Text7", NumberText(unitWeight * (cover + diameter / 2) * (activeAngle * activeAngle)));

    form.setText("Text14", NumberText(cover / diameter));

    const Num bedding = FieldValue(form, "Text5");
    const Num casingDiameter = FieldValue(form, "Text9");
    form.setText("Text15", FormatNumber(bedding * diameter * casingDiameter / (cover * cover), "#.###"));

    const Num settlementFactor = FieldValue(form, "Text8");
    form.setText("Text16", NumberText(settlementFactor * unitWeight * casingDiameter));

    const Num beta = radians(FieldValue(form, "Text12"));
    const Num firmness = FieldValue(form, "Text10");
    const Num archHeight = diameter / 2 * (sin(beta) / firmness - 1 + cos(beta));
    form.setText("Text17", FormatNumber(archHeight, "#.###"));

    const Num tunnelVertical = unitWeight * (diameter * diameter) *
                               (sin(beta) * cos(beta) / 4 + sin(beta) / (3 * firmness) - beta / 4);
    form.setText("Text18", NumberText(tunnelVertical));

    // The radial load takes the arch height as computed, not as displayed.
    const Num central = radians(FieldValue(form, "Text13"));
    const Num exponent = FieldValue(form, "Text11");
    const Num radial = unitWeight * (diameter * (1 - cos(central)) / 2 + archHeight) * pow(cos(central / 2), exponent);
    form.setText("Text19", FormatNumber(radial, "#.###"));
}

FormDefinition makeSoilLoad() {
    FormDefinition def("土壤荷载计算", "土壤荷载计算");
    def.titleLabel("Label1", "土壤荷载计算");

    def.frame("Frame3", "上埋式土壤垂直荷载计算公式", FrameRole::Formula, {0, 0})
        .picture("Image1", kFillVerticalFormula, {0, 0});
    def.frame("Frame4", "上埋式土壤侧向荷载计算", FrameRole::Formula, {0, 1})
        .picture("Image2", kFillLateralFormula, {0, 0});
    def.frame("Frame5", "沟埋式土壤垂直荷载计算公式", FrameRole::Formula, {1, 0})
        .picture("Image3", kTrenchVerticalFormula, {0, 0});
    def.frame("Frame7", "隧洞式消力拱高度计算计算", FrameRole::Formula, {1, 1})
        .picture("Image4", kArchHeightFormula, {0, 0});
    def.frame("Frame6", "隧洞式土壤垂直荷载计算公式", FrameRole::Formula, {2, 0})
        .picture("Image5", kTunnelVerticalFormula, {0, 0});
    def.frame("Frame8", "隧洞式土壤径向荷载计算", FrameRole::Formula, {2, 1})
        .picture("Image6", kTunnelRadialFormula, {0, 0});

    auto inputs = def.frame("Frame1", "输入参数", FrameRole::Input, {3, 0, 1, 2});
    inputs.field("Text1", "γtu--土壤重度，KN/m3", "17.0", {0, 0});
    inputs.field("Text2", "土壤内磨擦角θ，（°） ", "45", {1, 0});
    inputs.field("Text5", "管子基底特征系数S", "10", {2, 0});
    inputs.field("Text9", "套管壁厚中心处直径Hb,m", "0.529", {3, 0});
    inputs.field("Text3", "管顶至公路路面的距离h，m", "3.5", {0, 1});
    inputs.field("Text4", "管道外径D，m", "0.325", {1, 1});
    inputs.field("Text10", "土壤坚固系数f", "1.0", {2, 1});
    inputs.field("Text12", "消力拱跨距包角之半β，（°）", "53", {0, 2});
    inputs.field("Text13", "自垂直直径上端算起的中心角θ',(°)", "30", {1, 2});
    inputs.field("Text11", "与土壤内磨擦角θ有关的参变数n", "5", {2, 2});
    inputs.field("Text8", "回填土壤时,沉陷磨擦力影响系数Ch", "13.65", {3, 2});

    auto results = def.frame("Frame2", "输出结果", FrameRole::Results, {4, 0, 1, 2});
    results.result("Text6", "上埋式土壤垂直荷载(kN/m2)", {0, 0});
    results.result("Text14", "h/D(中间过程量)", {1, 0});
    results.result("Text16", "沟埋式土壤垂直荷载(kN/m2)", {2, 0});
    results.result("Text18", "隧洞式土壤垂直荷载(kN/m2)", {3, 0});
    results.result("Text7", "上埋式土壤侧向荷载(kN/m2)", {0, 1});
    results.result("Text15", "SDHb/h2（中间过程量）", {1, 1});
    results.result("Text17", "隧洞式消力拱高度(m)", {2, 1});
    results.result("Text19", "隧洞式土壤径向荷载(kN/m2)", {3, 1});
    results.label("Label19", "备注:①本项计算的中间过程量为沟埋式敷设管道选择系数Ch!②输入参数中S、θ、β、f、n均可查表可得；",
                  {4, 0, 1, 2});

    def.runButton("Command1", "开始计算", computeSoilLoads);
    def.printButton("Command2");
    return def;
}

const WindowRegistration registration(makeSoilLoad);

}  // namespace
}  // namespace pylora
