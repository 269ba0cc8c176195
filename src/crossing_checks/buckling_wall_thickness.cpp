// 穿越管线壁厚稳定校核: the wall a river-crossing pipe needs so as not to buckle under the
// external water pressure at the design flood level, from Timoshenko's buckling formula:
// δ = 0.006·D·(n·p/m)^(1/3) / m with p = H/10.
#include <initializer_list>

#include "core/calc.h"

namespace pylora {
namespace {

const char* kTimoshenkoFormula = R"(<svg xmlns="http://www.w3.org/2000/svg" width="260" height="90" viewBox="0 0 260 90">
<g font-family="serif" font-size="22" font-style="italic" fill="black">
<text x="12" y="51">P</text><text x="26" y="57" font-size="14">kp</text>
<text x="50" y="51">=</text>
<text x="112" y="32">2E</text>
<line x1="76" y1="43" x2="186" y2="43" stroke="black" stroke-width="1.5"/>
<text x="82" y="72">1 − μ</text><text x="140" y="60" font-size="14">2</text>
<text x="194" y="51">(</text>
<text x="206" y="34">δ</text>
<line x1="202" y1="43" x2="224" y2="43" stroke="black" stroke-width="1.5"/>
<text x="204" y="72">D</text>
<text x="228" y="51">)</text><text x="238" y="36" font-size="14">3</text>
</g></svg>)";

const char* kBucklingWallFormula = R"(<svg xmlns="http://www.w3.org/2000/svg" width="300" height="90" viewBox="0 0 300 90">
<g font-family="serif" font-size="22" font-style="italic" fill="black">
<text x="12" y="51">δ =</text>
<text x="56" y="51">0.006 · D ·</text>
<text x="174" y="36" font-size="14">3</text>
<path d="M 170 44 L 176 41 L 184 74 L 192 14 L 236 14" fill="none" stroke="black" stroke-width="1.5"/>
<text x="198" y="34">n · p</text>
<line x1="196" y1="43" x2="236" y2="43" stroke="black" stroke-width="1.5"/>
<text x="208" y="68">m</text>
<text x="244" y="51">/ m</text>
</g></svg>)";

// The cube root takes no negative base; the run names the depth or factor whose sign made
// the load term negative, not merely the first field of the product.
Num negativeFactor(const Num& loadTerm, std::initializer_list<Num> factors) {
    if (loadTerm >= 0) return loadTerm;
    for (const Num& factor : factors)
        if (factor < 0) return Num(loadTerm.value(), factor.source());
    return loadTerm;
}

void computeBucklingWall(Form& form) {
    const Num depth = FieldValue(form, "Text4");
    const Num pressure = depth / 10;
    const Num overload = FieldValue(form, "Text2");
    const Num working = FieldValue(form, "Text3");
    const Num loadTerm = negativeFactor(overload * pressure / working, {depth, overload, working});
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
