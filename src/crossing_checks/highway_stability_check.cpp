// 公路穿越稳定性校核: a pipe under a highway against buckling of its ring. Four critical stresses
// (without casing, with casing, symmetric and asymmetric ovality); the smallest, as displayed,
// must exceed 1.5 times the total external load of soil and vehicles.
#include "core/calc.h"
#include "crossing_checks/verdict_row.h"

namespace pylora {
namespace {

const VerdictRow kStabilityVerdict{{"Text11"}, {"Text16"}, ">", "<", "满足稳定性要求", "不满足稳定性要求"};

const char* kWithoutCasingFormula = R"(<svg xmlns="http://www.w3.org/2000/svg" width="212" height="72" viewBox="0 0 212 72">
<g font-family="serif" font-size="20" font-style="italic" fill="black">
<text x="8" y="42.8">σ</text>
<text x="21.7" y="47.8" font-size="13">1</text>
<text x="38.3" y="42.8">=</text>
<text x="103.3" y="26.8">E · δ</text>
<text x="150" y="17.8" font-size="13">3</text>
<text x="65.4" y="58.5">4 (1 − μ</text>
<text x="148.5" y="49.5" font-size="13">2</text>
<text x="157.7" y="58.5">) R</text>
<text x="188" y="49.5" font-size="13">3</text>
<line x1="62.4" y1="35.8" x2="200.2" y2="35.8" stroke="black" stroke-width="1.5"/>
</g></svg>)";

const char* kWithCasingFormula = R"(<svg xmlns="http://www.w3.org/2000/svg" width="136" height="72" viewBox="0 0 136 72">
<g font-family="serif" font-size="20" font-style="italic" fill="black">
<text x="8" y="42.8">σ</text>
<text x="21.7" y="47.8" font-size="13">2</text>
<text x="38.3" y="42.8">=</text>
<text x="65.4" y="26.8">E · δ</text>
<text x="112.1" y="17.8" font-size="13">3</text>
<text x="71.2" y="58.5">4 R</text>
<text x="106.3" y="49.5" font-size="13">3</text>
<line x1="62.4" y1="35.8" x2="124.4" y2="35.8" stroke="black" stroke-width="1.5"/>
</g></svg>)";

const char* kOvalityFormula = R"(<svg xmlns="http://www.w3.org/2000/svg" width="186" height="71" viewBox="0 0 186 71">
<g font-family="serif" font-size="20" font-style="italic" fill="black">
<text x="8" y="42.2">e =</text>
<text x="53.3" y="23">D</text>
<text x="69.3" y="28" font-size="13">max</text>
<text x="105.1" y="23">− D</text>
<text x="144.3" y="28" font-size="13">min</text>
<text x="92.9" y="54.2">D</text>
<text x="108.9" y="59.2" font-size="13">pm</text>
<line x1="50.3" y1="35.2" x2="174.1" y2="35.2" stroke="black" stroke-width="1.5"/>
</g></svg>)";

const char* kSymmetricFormula = R"(<svg xmlns="http://www.w3.org/2000/svg" width="288" height="75" viewBox="0 0 288 75">
<g font-family="serif" font-size="20" font-style="italic" fill="black">
<text x="8" y="42.8">σ</text>
<text x="21.7" y="47.8" font-size="13">3</text>
<text x="38.3" y="42.8">=</text>
<text x="65.4" y="26.8">2.2 E · δ</text>
<text x="150.3" y="17.8" font-size="13">3</text>
<text x="88" y="58.5">D</text>
<text x="104" y="63.5" font-size="13">pm</text>
<text x="127.7" y="49.5" font-size="13">3</text>
<line x1="62.4" y1="35.8" x2="162.5" y2="35.8" stroke="black" stroke-width="1.5"/>
<text x="171.9" y="42.8">(1 − 4.5 e)</text>
</g></svg>)";

const char* kAsymmetricFormula = R"(<svg xmlns="http://www.w3.org/2000/svg" width="269" height="75" viewBox="0 0 269 75">
<g font-family="serif" font-size="20" font-style="italic" fill="black">
<text x="8" y="42.8">σ</text>
<text x="21.7" y="47.8" font-size="13">4</text>
<text x="38.3" y="42.8">=</text>
<text x="65.4" y="26.8">2.2 E · δ</text>
<text x="150.3" y="17.8" font-size="13">3</text>
<text x="88" y="58.5">D</text>
<text x="104" y="63.5" font-size="13">pm</text>
<text x="127.7" y="49.5" font-size="13">3</text>
<line x1="62.4" y1="35.8" x2="162.5" y2="35.8" stroke="black" stroke-width="1.5"/>
<text x="171.9" y="42.8">(1 − 9 e)</text>
</g></svg>)";

const char* kStabilityCheckFormula = R"(<svg xmlns="http://www.w3.org/2000/svg" width="222" height="40" viewBox="0 0 222 40">
<g font-family="serif" font-size="20" font-style="italic" fill="black">
<text x="8" y="23">σ</text>
<text x="21.7" y="28" font-size="13">min</text>
<text x="54.9" y="23">&gt; 1.5 (P</text>
<text x="137.4" y="28" font-size="13">tu</text>
<text x="159.4" y="23">+ P</text>
<text x="195.9" y="28" font-size="13">k</text>
<text x="205.8" y="23">)</text>
</g></svg>)";

void checkStability(Form& form) {
    const Num soilLoad = FieldValue(form, "Text1");
    const Num vehicleLoad = FieldValue(form, "Text3");
    const Num totalLoad = soilLoad + vehicleLoad;

    // E is entered in 10⁸ kN/m², the stresses come out in kN/m².
    const Num modulus = FieldValue(form, "Text17");
    const Num wall = FieldValue(form, "Text8");
    const Num stiffness = 1e8 * modulus * wall * wall * wall;
    const Num meanDiameter = FieldValue(form, "Text4");
    const Num meanRadius = meanDiameter / 2;
    const Num radiusCubed = meanRadius * meanRadius * meanRadius;

    const Num poisson = FieldValue(form, "Text18");
    const Num withoutCasing = stiffness / (4 * (1 - poisson * poisson) * radiusCubed);
    form.setText("Text6", FormatNumber(withoutCasing, "#.###"));
    const Num withCasing = stiffness / (4 * radiusCubed);
    form.setText("Text7", FormatNumber(withCasing, "#.###"));

    const Num largestDiameter = FieldValue(form, "Text2");
    const Num smallestDiameter = FieldValue(form, "Text5");
    const Num ovality = (largestDiameter - smallestDiameter) / meanDiameter;
    const Num base = 2.2 * stiffness / (meanDiameter * meanDiameter * meanDiameter);
    form.setText("Text9", FormatNumber(base * (1 - 4.5 * ovality), "#.###"));
    form.setText("Text15", FormatNumber(base * (1 - 9 * ovality), "#.###"));

    const Num required = 1.5 * totalLoad;
    form.setText("Text13", FormatNumber(required, "#.###"));

    // The smallest critical stress as the engineer reads it; a tie keeps the earlier field.
    Num least = FieldValue(form, "Text6");
    for (const char* field : {"Text7", "Text9", "Text15"}) {
        const Num shown = FieldValue(form, field);
        if (shown < least) least = shown;
    }
    form.setText("Text10", FormatNumber(least, "#.###"));

    writeVerdict(form, kStabilityVerdict, least > required);
}

FormDefinition makeHighwayStabilityCheck() {
    FormDefinition def("公路穿越稳定性校核", "公路穿越稳定性校核");
    def.titleLabel("Label1", "公路穿越稳定性校核");

    // Frame4 holds the formula of the pipe in a casing under the caption of the pipe without one.
    def.frame("Frame3", "无套管穿越管子临界应力", FrameRole::Formula, {0, 0})
        .picture("Image1", kWithoutCasingFormula, {0, 0});
    def.frame("Frame4", "无套管穿越管子临界应力", FrameRole::Formula, {0, 1})
        .picture("Image2", kWithCasingFormula, {0, 0});
    def.frame("Frame8", "管子椭圆度", FrameRole::Formula, {0, 2})
        .picture("Image3", kOvalityFormula, {0, 0});
    def.frame("Frame5", "对称椭圆度影响临界压力", FrameRole::Formula, {1, 0})
        .picture("Image4", kSymmetricFormula, {0, 0});
    def.frame("Frame6", "不对称椭圆度影响临界压力", FrameRole::Formula, {1, 1})
        .picture("Image5", kAsymmetricFormula, {0, 0});
    def.frame("Frame7", "穿越段管子稳定性校核", FrameRole::Formula, {1, 2})
        .picture("Image6", kStabilityCheckFormula, {0, 0});

    auto inputs = def.frame("Frame1", "输入参数", FrameRole::Input, {2, 0, 1, 3});
    inputs.field("Text1", "管子受土壤垂直荷载Ptu(KN/m2)", "125", {0, 0});
    inputs.field("Text2", "管道最大外径(米)", "0.327", {1, 0});
    inputs.field("Text5", "管道最小外径(米) ", "0.323", {2, 0});
    inputs.field("Text17", "管材的弹性模量(x10^8KN/m2)", "2.1", {3, 0});
    inputs.field("Text3", "管顶受汽车荷载Pk(KN/m2)", "10", {0, 1});
    inputs.field("Text4", "管道平均直径(米)", "0.325", {1, 1});
    inputs.field("Text8", "管道壁厚(米)", "0.08", {2, 1});
    inputs.field("Text18", "管材的泊桑系数", "0.3", {3, 1});

    // Two rows of labelled stresses, then the comparison read left to right:
    // smallest stress, sign, 1.5·(Ptu + Pk), verdict.
    auto results = def.frame("Frame2", "输出结果", FrameRole::Results, {3, 0, 1, 3});
    results.result("Text6", "无套管穿越的管子临界应力(KN/m2)", {0, 0, 1, 2});
    results.result("Text7", "有套管穿越的管子临界应力(KN/m2)", {0, 2, 1, 2});
    results.result("Text9", "对称椭圆度影响管子临界应力(KN/m2)", {1, 0, 1, 2});
    results.result("Text15", "不对称椭圆度影响管子临界应力(KN/m2)", {1, 2, 1, 2});
    results.result("Text10", "以上四种临界应力中的最小值(KN/m2)", {2, 0});
    results.cell("Text11", " ", {2, 1}).widthChars = 2;
    results.cell("Text13", " ", {2, 2});
    results.cell("Text16", " ", {2, 3}).widthChars = 18;
    results.label("Label2", "备注:当径厚比大于140时,应进行管子稳定性校核!", {3, 0, 1, 4});

    def.runButton("Command1", "开始计算",
                  [](Form& form) { runToVerdict(form, kStabilityVerdict, checkStability); });
    def.printButton("Command2");
    return def;
}

const WindowRegistration registration(makeHighwayStabilityCheck);

}  // namespace
}  // namespace pylora
