// 公路穿越强度校核: ring strength of a pipe or casing under a highway. From the soil and vehicle
// loads it gives the normal force and bending moment in the wall and the stresses they cause,
// and checks the tensile stress against the allowable stress: one comparison, shown on both
// the tensile-stress and the compressive-stress rows.
#include "core/calc.h"
#include "crossing_checks/verdict_row.h"

namespace pylora {
namespace {

const VerdictRow kStrengthVerdict{
    {"Text11", "Text12"}, {"Text15", "Text16"}, "<", ">", "满足强度要求", "不满足强度要求"};

const char* kNormalForceFormula = R"(<svg xmlns="http://www.w3.org/2000/svg" width="300" height="60" viewBox="0 0 300 60">
<g font-family="serif" font-size="20" font-style="italic" fill="black">
<text x="10" y="38">P</text><text x="23" y="44" font-size="13">n</text>
<text x="36" y="38">= 0.5 (P</text><text x="118" y="44" font-size="13">tu</text>
<text x="136" y="38">+ P</text><text x="170" y="44" font-size="13">k</text>
<text x="180" y="38">) D</text><text x="208" y="44" font-size="13">pm</text>
</g></svg>)";

const char* kBendingMomentFormula = R"(<svg xmlns="http://www.w3.org/2000/svg" width="420" height="96" viewBox="0 0 420 96">
<g font-family="serif" font-size="20" font-style="italic" fill="black">
<text x="10" y="34">M = −0.308 (P</text><text x="160" y="40" font-size="13">tu</text>
<text x="178" y="34">+ P</text><text x="214" y="40" font-size="13">k</text>
<text x="224" y="34">) R</text><text x="254" y="26" font-size="13">2</text>
<text x="266" y="34">+ 0.25 P</text><text x="352" y="40" font-size="13">tuc</text>
<text x="378" y="34">R</text><text x="392" y="26" font-size="13">2</text>
<text x="10" y="74">R =</text>
<text x="56" y="64" font-size="16">D</text><text x="68" y="68" font-size="11">pm</text>
<line x1="52" y1="73" x2="84" y2="73" stroke="black" stroke-width="1.2"/>
<text x="62" y="90" font-size="16">2</text>
</g></svg>)";

const char* kTensileCheckFormula = R"(<svg xmlns="http://www.w3.org/2000/svg" width="330" height="80" viewBox="0 0 330 80">
<g font-family="serif" font-size="20" font-style="italic" fill="black">
<text x="10" y="44">σ</text><text x="22" y="50" font-size="13">l</text>
<text x="32" y="44">=</text>
<text x="62" y="32" font-size="17">6M</text>
<line x1="56" y1="38" x2="94" y2="38" stroke="black" stroke-width="1.2"/>
<text x="66" y="58" font-size="17">δ</text><text x="77" y="50" font-size="11">2</text>
<text x="100" y="44">−</text>
<text x="124" y="32" font-size="17">P</text><text x="135" y="36" font-size="11">n</text>
<line x1="120" y1="38" x2="146" y2="38" stroke="black" stroke-width="1.2"/>
<text x="128" y="58" font-size="17">δ</text>
<text x="154" y="44">&lt; [σ] =</text>
<text x="240" y="32" font-size="17">σ</text><text x="251" y="36" font-size="11">s</text>
<line x1="234" y1="38" x2="262" y2="38" stroke="black" stroke-width="1.2"/>
<text x="236" y="58" font-size="17">1.7</text>
</g></svg>)";

const char* kCompressiveCheckFormula = R"(<svg xmlns="http://www.w3.org/2000/svg" width="330" height="80" viewBox="0 0 330 80">
<g font-family="serif" font-size="20" font-style="italic" fill="black">
<text x="10" y="44">σ</text><text x="22" y="50" font-size="13">z</text>
<text x="34" y="44">=</text>
<text x="64" y="32" font-size="17">P</text><text x="75" y="36" font-size="11">n</text>
<line x1="58" y1="38" x2="86" y2="38" stroke="black" stroke-width="1.2"/>
<text x="68" y="58" font-size="17">δ</text>
<text x="92" y="44">−</text>
<text x="120" y="32" font-size="17">6M</text>
<line x1="114" y1="38" x2="152" y2="38" stroke="black" stroke-width="1.2"/>
<text x="124" y="58" font-size="17">δ</text><text x="135" y="50" font-size="11">2</text>
<text x="160" y="44">&lt; [σ] =</text>
<text x="246" y="32" font-size="17">σ</text><text x="257" y="36" font-size="11">s</text>
<line x1="240" y1="38" x2="268" y2="38" stroke="black" stroke-width="1.2"/>
<text x="242" y="58" font-size="17">1.7</text>
</g></svg>)";

void checkStrength(Form& form) {
    const Num soilLoad = FieldValue(form, "Text1");
    const Num load = soilLoad + FieldValue(form, "Text3");

    const Num allowable = FieldValue(form, "Text5") / 1.7;
    form.setText("Text14", NumberText(allowable));
    form.setText("Text13", NumberText(allowable));

    const Num meanDiameter = FieldValue(form, "Text4");
    const Num normalForce = 0.5 * load * meanDiameter;
    form.setText("Text6", FormatNumber(normalForce, "#.###"));

    const Num radius = meanDiameter / 2;
    const Num radiusSquared = radius * radius;  // R² taken whole, as the formula writes it
    const Num lateral = FieldValue(form, "Text2");
    const Num moment = -0.308 * load * radiusSquared + 0.25 * lateral * radiusSquared;
    form.setText("Text7", FormatNumber(moment, "#.###"));

    // The stresses take the normal force and moment as computed, not as displayed.
    const Num wall = FieldValue(form, "Text8");
    const Num tensile = 6 * moment / (wall * wall) - normalForce / wall;
    form.setText("Text9", NumberText(tensile));
    const Num compressive = normalForce / wall - 6 * moment / (wall * wall);
    form.setText("Text10", NumberText(compressive));

    writeVerdict(form, kStrengthVerdict, abs(tensile) < allowable);
}

void runStrengthCheck(Form& form) { runToVerdict(form, kStrengthVerdict, checkStrength); }

// A comparison row: the labelled stress, then its sign, allowable stress and verdict cells.
void comparisonRow(FrameBuilder& frame, int row, const char* stress, const char* label, const char* sign,
                   const char* limit, const char* verdict) {
    frame.result(stress, label, {row, 0}).widthChars = 16;
    frame.cell(sign, " ", {row, 1}).widthChars = 2;
    frame.cell(limit, " ", {row, 2}).widthChars = 16;
    frame.cell(verdict, " ", {row, 3}).widthChars = 14;
}

FormDefinition makeHighwayStrengthCheck() {
    FormDefinition def("公路穿越强度校核", "公路穿越强度校核");
    def.titleLabel("Label1", "公路穿越强度校核");

    def.frame("Frame3", "法向力Pn", FrameRole::Formula, {0, 0}).picture("Image1", kNormalForceFormula, {0, 0});
    def.frame("Frame4", "弯矩M", FrameRole::Formula, {0, 1}).picture("Image2", kBendingMomentFormula, {0, 0});
    def.frame("Frame5", "拉应力校核", FrameRole::Formula, {1, 0}).picture("Image3", kTensileCheckFormula, {0, 0});
    def.frame("Frame6", "压应力校核", FrameRole::Formula, {1, 1})
        .picture("Image4", kCompressiveCheckFormula, {0, 0});

    auto inputs = def.frame("Frame1", "输入参数", FrameRole::Input, {2, 0, 1, 2});
    inputs.field("Text1", "管子受土壤垂直荷载Ptu(KN/m2)", "125", {0, 0});
    inputs.field("Text2", "管子受土壤侧向荷载Ptuc(KN/m2)", "20", {1, 0});
    inputs.field("Text5", "钢管材质屈服极限(KN/m2)", "245000", {2, 0});
    inputs.field("Text3", "管顶受汽车荷载Pk(KN/m2)", "10", {0, 1});
    inputs.field("Text4", "管道平均直径(米)", "0.325", {1, 1});
    inputs.field("Text8", "管道壁厚(米)", "0.08", {2, 1});

    auto results = def.frame("Frame2", "输出结果", FrameRole::Results, {3, 0, 1, 2});
    results.result("Text6", "外载作用下管子产生的法向力(KN/m)", {0, 0});
    results.result("Text7", "外载作用下管子产生的弯矩(KN·m)", {0, 2, 1, 2});
    comparisonRow(results, 1, "Text9", "外载作用下管子产生的拉应力(KN/m2)", "Text12", "Text14", "Text15");
    comparisonRow(results, 2, "Text10", "外载作用下管子产生的压应力(KN/m2)", "Text11", "Text13", "Text16");

    def.runButton("Command1", "开始计算", runStrengthCheck);
    def.printButton("Command2");
    return def;
}

const WindowRegistration registration(makeHighwayStrengthCheck);

}  // namespace
}  // namespace pylora
