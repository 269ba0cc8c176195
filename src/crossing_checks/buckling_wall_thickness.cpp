// 穿越管线壁厚稳定校核: the wall a river-crossing pipe needs so as not to buckle under the
// external water pressure at the design flood level, from Timoshenko's buckling formula:
// δ = 0.006·D·(n·p/m)^(1/3) / m with p = H/10.

#include "core/calc.h"

namespace pylora {
namespace {

const char* kTimoshenkoFormula = R"(<svg xmlns="http://www.w3.org/2000/svg" width="211" height="68" viewBox="0 0 211 68">
<g font-family="serif" font-size="20" font-style="italic" fill="black">
<text x="8" y="39">P</text>
<text x="21.5" y="44" font-size="13">kp</text>
<text x="46" y="39">=</text>
<text x="89" y="23">2 E</text>
<text x="73.1" y="54.8">1 − μ</text>
<text x="129.3" y="45.8" font-size="13">2</text>
<line x1="70.1" y1="32" x2="141.6" y2="32" stroke="black" stroke-width="1.5"/>
<text x="151" y="39">(</text>
<text x="164.8" y="23">δ</text>
<text x="162.8" y="51">D</text>
<line x1="159.8" y1="32" x2="181.8" y2="32" stroke="black" stroke-width="1.5"/>
<text x="184.8" y="39">)</text>
<text x="193.6" y="30" font-size="13">3</text>
</g></svg>)";

const char* kBucklingWallFormula = R"(<svg xmlns="http://www.w3.org/2000/svg" width="249" height="72" viewBox="0 0 249 72">
<g font-family="serif" font-size="20" font-style="italic" fill="black">
<text x="8" y="44">δ =</text>
<text x="53.5" y="28">0.006 D</text>
<text x="83.9" y="56">m</text>
<line x1="50.5" y1="37" x2="136.2" y2="37" stroke="black" stroke-width="1.5"/>
<text x="145.5" y="44">·</text>
<text x="158.2" y="38" font-size="11">3</text>
<path d="M 160.2 42 L 164.2 39 L 170.2 63 L 176.2 9 L 239 9" fill="none" stroke="black" stroke-width="1.5"/>
<text x="184.2" y="28">n · p</text>
<text x="197.1" y="56">m</text>
<line x1="181.2" y1="37" x2="232" y2="37" stroke="black" stroke-width="1.5"/>
</g></svg>)";

void computeBucklingWall(Form& form) {
    const Num depth = FieldValue(form, "Text4");
    const Num pressure = depth / 10;
    const Num overload = FieldValue(form, "Text2");
    const Num working = FieldValue(form, "Text3");
    // The cube root takes no negative base: the depth or factor whose sign made it negative is named.
    const Num loadTerm = blamingNegativeFactor(overload * pressure / working, {depth, overload, working});
    const Num outsideDiameter = FieldValue(form, "Text1");
    const Num wall = 0.006 * outsideDiameter * pow(loadTerm, 1.0 / 3.0) / working;
    form.setText("Text6", FormatNumber(wall, "#.###"));
}

FormDefinition makeBucklingWallThickness() {
    FormDefinition def("穿越管线壁厚稳定校核", "穿越管线壁厚稳定校核");
    def.note("Label2",
             " 【注意】穿越管线在高水位下，将承受较大外压，按铁木辛柯公式导出穿越管经线外压失稳壁厚计算公式进行校核。");

    def.frame("Frame3", "铁木辛柯计算公式", FrameRole::Formula, {0, 0})
        .picture("Image1", kTimoshenkoFormula, {0, 0});
    def.frame("Frame4", "外压失稳壁厚计算公式", FrameRole::Formula, {0, 1})
        .picture("Image2", kBucklingWallFormula, {0, 0});

    auto inputs = def.frame("Frame1", "输入参数", FrameRole::Input, {1, 0, 1, 2});
    inputs.field("Text1", "输气管道外径D(毫米)", "610", {0, 0});
    inputs.field("Text2", "超载系数,n", "1.1", {1, 0});
    inputs.field("Text3", "工作条件系数", "0.65", {0, 1});
    inputs.field("Text4", "设计洪水位水深(m)", "10", {1, 1});

    def.frame("Frame2", "输出结果", FrameRole::Results, {2, 0, 1, 2})
        .result("Text6", "穿越管线外压失稳计算壁厚(mm)", {0, 0});

    def.runButton("Command1", "开始计算", computeBucklingWall);
    def.printButton("Command2");
    return def;
}

const WindowRegistration registration(makeBucklingWallThickness);

}  // namespace
}  // namespace pylora
