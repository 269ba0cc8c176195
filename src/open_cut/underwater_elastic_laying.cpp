// 弹性敷设: the least radius of curvature for laying a pipe elastically under water, from the
// diameter alone, from the allowable stress of the steel, and from the diameter and the turning
// angle. The fourth formula, for a pipe under a continuous heavy-concrete coating, is shown with
// its inputs and result fields but has no calculation: its fields are never read or written.
#include "core/calc.h"

namespace pylora {
namespace {

const char* kDiameterFormula = R"(<svg xmlns="http://www.w3.org/2000/svg" width="190" height="70" viewBox="0 0 190 70">
<g font-family="serif" font-size="22" font-style="italic" fill="black">
<text x="14" y="42">R</text><text x="30" y="48" font-size="14">e</text>
<text x="46" y="42">≥ 1000 · D</text>
</g></svg>)";

const char* kAllowableStressFormula = R"(<svg xmlns="http://www.w3.org/2000/svg" width="190" height="80" viewBox="0 0 190 80">
<g font-family="serif" font-size="22" font-style="italic" fill="black">
<text x="14" y="47">R</text><text x="30" y="53" font-size="14">e</text>
<text x="46" y="47">=</text>
<text x="100" y="30">E · D</text>
<line x1="74" y1="39" x2="176" y2="39" stroke="black" stroke-width="1.5"/>
<text x="90" y="66">2 · [σ]</text>
</g></svg>)";

const char* kTurningAngleFormula = R"(<svg xmlns="http://www.w3.org/2000/svg" width="310" height="90" viewBox="0 0 310 90">
<g font-family="serif" font-size="20" font-style="italic" fill="black">
<text x="10" y="52">R</text><text x="24" y="58" font-size="13">e</text>
<text x="38" y="52">= 3600 ·</text>
<text x="124" y="30" font-size="13">3</text>
<path d="M124 46 L130 44 L136 70 L144 14 L304 14" fill="none" stroke="black" stroke-width="1.4"/>
<text x="150" y="36">D</text><text x="165" y="28" font-size="13">2</text>
<text x="180" y="36">(1 − cos</text>
<text x="270" y="28" font-size="14">α</text>
<line x1="268" y1="31" x2="282" y2="31" stroke="black" stroke-width="1"/>
<text x="270" y="44" font-size="14">2</text><text x="286" y="36">)</text>
<line x1="148" y1="48" x2="300" y2="48" stroke="black" stroke-width="1.4"/>
<text x="208" y="74">α</text><text x="222" y="66" font-size="13">4</text>
</g></svg>)";

// The sag of a span of the bend under the coated pipe's unit load equals the rise of the bend.
const char* kHeavyCoatingFormula = R"(<svg xmlns="http://www.w3.org/2000/svg" width="320" height="130" viewBox="0 0 320 130">
<g font-family="serif" font-size="19" font-style="italic" fill="black">
<text x="8" y="46">R</text><text x="21" y="52" font-size="12">e</text>
<text x="34" y="46">=</text>
<text x="56" y="26" font-size="12">3</text>
<path d="M56 40 L62 38 L68 62 L76 8 L312 8" fill="none" stroke="black" stroke-width="1.3"/>
<text x="82" y="30">384 (EI)</text><text x="168" y="36" font-size="12">c</text>
<text x="180" y="30">(1 − cos</text>
<text x="268" y="22" font-size="13">α</text>
<line x1="266" y1="25" x2="280" y2="25" stroke="black" stroke-width="1"/>
<text x="268" y="38" font-size="13">2</text><text x="284" y="30">)</text>
<line x1="80" y1="42" x2="300" y2="42" stroke="black" stroke-width="1.3"/>
<text x="156" y="66">5 q α</text><text x="204" y="58" font-size="12">4</text>
<text x="8" y="104">q =</text>
<path d="M44 96 L50 94 L56 112 L64 80 L290 80" fill="none" stroke="black" stroke-width="1.3"/>
<text x="68" y="104">(G − γ</text><text x="134" y="110" font-size="12">w</text>
<text x="146" y="104">V)</text><text x="170" y="96" font-size="12">2</text>
<text x="184" y="104">+ P</text><text x="218" y="110" font-size="12">x</text>
<text x="228" y="96" font-size="12">2</text>
</g></svg>)";

void computeLayingRadii(Form& form) {
    const Num diameter = FieldValue(form, "Text3");
    form.setText("Text10", NumberText(1000 * diameter));

    const Num modulus = FieldValue(form, "Text1");
    const Num allowableStress = FieldValue(form, "Text4");
    form.setText("Text8", NumberText(modulus * diameter / (2 * allowableStress)));

    const Num angle = FieldValue(form, "Text2");  // radians
    const Num ratio = diameter * diameter * (1 - cos(angle / 2)) / pow(angle, 4);
    form.setText("Text9", NumberText(3600 * pow(ratio, 1.0 / 3)));
}

FormDefinition makeUnderwaterElasticLaying() {
    FormDefinition def("弹性敷设", "水下弹性敷设管道计算");
    def.titleLabel("Label1", "水下弹性敷设管道计算");
    def.note("Label2", "【注意】：确定管道曲率半径的原则是保证管道的强度在弹性范围内,使之不产生残余永久变形。");

    def.frame("Frame4", "计算公式1", FrameRole::Formula, {0, 0}).picture("Image1", kDiameterFormula, {0, 0});
    def.frame("Frame5", "计算公式2", FrameRole::Formula, {0, 1}).picture("Image2", kAllowableStressFormula, {0, 0});
    def.frame("Frame6", "计算公式3", FrameRole::Formula, {0, 2}).picture("Image3", kTurningAngleFormula, {0, 0});
    auto coating = def.frame("Frame3", "计算公式4", FrameRole::Formula, {0, 3});
    coating.label("Label14", "公式4", {0, 0});
    coating.picture("Image4", kHeavyCoatingFormula, {1, 0});

    auto inputs = def.frame("Frame1", "输入参数", FrameRole::Input, {1, 0, 1, 4});
    inputs.field("Text1", "管材的弹性模量E(MPa )", "210000", {0, 0});
    inputs.field("Text3", "输气管外径（米）", "0.280", {0, 1});
    inputs.field("Text11", "重混凝土覆盖层的外径(米)", "0.450", {0, 2});
    inputs.field("Text2", "管道的转角α(弧度);", "3.50", {1, 0});
    inputs.field("Text4", "[σ]管材容许应力(MPa)", "98.00", {1, 1});
    inputs.field("Text12", "重混凝土的容重(米)", "0.280", {1, 2});
    inputs.field("Text5", "管道所受的水平推力Px（牛/米）", "10.2", {2, 0});
    inputs.field("Text13", "重混凝土连续覆盖层管身结构的折算刚度", "0.280", {2, 1});
    inputs.field("Text14", "具有外涂层的管道排开水的体积", "10.2", {3, 0});
    inputs.field("Text15", "具有外涂层的管道在空气中的重量(kg /m)", "0.280", {3, 1});

    auto results = def.frame("Frame2", "输出结果", FrameRole::Results, {2, 0, 1, 4});
    results.result("Text10", "公式1计算曲率半径Re（米）", {0, 0});
    results.result("Text8", "公式2计算曲率半径Re（米）", {0, 1});
    results.result("Text9", "公式3计算曲率半径Re（米）", {1, 0});
    results.result("Text7", "公式4计算曲率半径Re（米）", {1, 1});
    results.result("Text6", "公式4计算曲率半径Re（米） （本公式仅适用于带连续加重块情况)", {2, 0, 1, 2});

    def.runButton("Command1", "开始计算", computeLayingRadii);
    def.printButton("Command2");
    return def;
}

const WindowRegistration registration(makeUnderwaterElasticLaying);

}  // namespace
}  // namespace pylora
