// 壁厚计算: wall thickness of a gas transmission pipe from the hoop stress of the internal
// pressure (GB 50251-2003), the minimum wall at a bend arc and the straight pipe for a hot-bent bend.
#include "core/calc.h"

namespace pylora {
namespace {

const char* kStraightPipeFormula = R"(<svg xmlns="http://www.w3.org/2000/svg" width="300" height="80" viewBox="0 0 300 80">
<g font-family="serif" font-size="22" font-style="italic" fill="black">
<text x="16" y="47">δ =</text>
<text x="118" y="30">P · D</text>
<line x1="70" y1="39" x2="250" y2="39" stroke="black" stroke-width="1.5"/>
<text x="76" y="66">2 · σ</text><text x="128" y="72" font-size="14">s</text>
<text x="142" y="66">· F · t</text>
</g></svg>)";

const char* kBendFormula = R"(<svg xmlns="http://www.w3.org/2000/svg" width="230" height="80" viewBox="0 0 230 80">
<g font-family="serif" font-size="22" font-style="italic" fill="black">
<text x="16" y="30">δ</text><text x="28" y="36" font-size="14">b</text>
<text x="44" y="30">= m · δ</text>
<text x="16" y="66">δ</text><text x="28" y="72" font-size="14">w</text>
<text x="46" y="66">= 1.1 · δ</text><text x="141" y="72" font-size="14">b</text>
</g></svg>)";

const char* kBendFactorFormula = R"(<svg xmlns="http://www.w3.org/2000/svg" width="230" height="80" viewBox="0 0 230 80">
<g font-family="serif" font-size="22" font-style="italic" fill="black">
<text x="16" y="47">m =</text>
<text x="92" y="30">4R − D</text>
<line x1="72" y1="39" x2="196" y2="39" stroke="black" stroke-width="1.5"/>
<text x="84" y="66">4R − 2D</text>
</g></svg>)";

void computeWallThickness(Form& form) {
    const Num pressure = FieldValue(form, "Text2");
    const Num diameter = FieldValue(form, "Text1");
    const Num yieldStrength = FieldValue(form, "Text3");
    const Num designFactor = FieldValue(form, "Text4");
    const Num temperatureFactor = FieldValue(form, "Text8");
    const Num straight = pressure * diameter / (2 * yieldStrength * designFactor * temperatureFactor);
    form.setText("Text6", FormatNumber(straight, "#.###"));

    // The bend results start from the displayed, rounded thickness, as the engineer reads it.
    const Num n = FieldValue(form, "Text5");
    const Num bendFactor = (4 * n - 1) / (4 * n - 2);
    const Num bendArc = bendFactor * FieldValue(form, "Text6");
    form.setText("Text7", FormatNumber(bendArc, "#.###"));

    const Num hotBentStraight = 1.1 * FieldValue(form, "Text7");
    form.setText("Text10", FormatNumber(hotBentStraight, "#.###"));
}

FormDefinition makeWallThickness() {
    FormDefinition def("壁厚计算", "壁厚计算");
    def.titleLabel("Label1", "输气管道壁厚计算");
    def.note("Label2",
             " 【注意】输气管道的按管道内压力产生的环向应力确定壁厚，按下式(摘录于《输气管道设计规范》GB50251-2003）"
             "计算的管道壁厚向上圆整至公称壁厚，弯头制作要求符合Tarsel企业标准Q/TK 424-1997标准。");

    def.frame("Frame3", "直管段壁厚计算公式", FrameRole::Formula, {0, 0})
        .picture("Image1", kStraightPipeFormula, {0, 0});
    auto bends = def.frame("Frame4", "弯头壁厚计算公式", FrameRole::Formula, {0, 1});
    bends.picture("Image2", kBendFormula, {0, 0});
    bends.picture("Image3", kBendFactorFormula, {1, 0});

    auto inputs = def.frame("Frame1", "输入参数", FrameRole::Input, {1, 0, 1, 2});
    inputs.field("Text1", "输气管道外径(毫米)", "720", {0, 0});
    inputs.field("Text2", "管道的设计压力（MPa） ", "3.92", {1, 0});
    inputs.field("Text5", "弯头的曲率半径R为几倍DN", "5.0", {2, 0});
    inputs.field("Text3", "管材的最低屈服强度，（MPa）", "360", {0, 1});
    inputs.field("Text4", "设计系数", "0.40", {1, 1});
    inputs.field("Text8", "温度折减系数", "1.00", {2, 1});

    auto results = def.frame("Frame2", "输出结果", FrameRole::Results, {2, 0, 1, 2});
    results.result("Text6", "直管段计算壁厚（mm）", {0, 0});
    results.result("Text7", "弯头圆弧最小壁厚（mm）", {0, 1});
    results.result("Text10", "煨制弯头直管段厚（mm）", {0, 2});

    def.runButton("Command1", "开始计算", computeWallThickness);
    def.printButton("Command2");
    return def;
}

const WindowRegistration registration(makeWallThickness);

}  // namespace
}  // namespace pylora
