// 穿越结构设计计算: the wall of a crossing pipe section. Hoop stress of the internal pressure,
// axial stress (pipe free to move axially, or restrained), bending stress of elastic laying,
// and the equivalent stress, which must stay below 0.9 times the yield strength.
#include "core/calc.h"
#include "crossing_checks/verdict_row.h"

namespace pylora {
namespace {

const VerdictRow kDesignVerdict{{"Text17"}, {"Text16"}, "<", ">", "穿越管段结构设计符合要求",
                                "穿越管段结构设计不符合要求"};

const char* kHoopStressFormula = R"(<svg xmlns="http://www.w3.org/2000/svg" width="125" height="64" viewBox="0 0 125 64">
<g font-family="serif" font-size="20" font-style="italic" fill="black">
<text x="8" y="39">σ</text>
<text x="21.7" y="44" font-size="13">h</text>
<text x="38.4" y="39">=</text>
<text x="65.5" y="23">P · d</text>
<text x="72.6" y="51">2 δ</text>
<line x1="62.5" y1="32" x2="113.8" y2="32" stroke="black" stroke-width="1.5"/>
</g></svg>)";

const char* kRestrainedAxialFormula = R"(<svg xmlns="http://www.w3.org/2000/svg" width="265" height="40" viewBox="0 0 265 40">
<g font-family="serif" font-size="20" font-style="italic" fill="black">
<text x="8" y="23">σ</text>
<text x="21.7" y="28" font-size="13">a</text>
<text x="37.8" y="23">= μ σ</text>
<text x="93.9" y="28" font-size="13">h</text>
<text x="110.6" y="23">+ E α (t</text>
<text x="190.4" y="28" font-size="13">1</text>
<text x="207" y="23">− t</text>
<text x="238.2" y="28" font-size="13">2</text>
<text x="248.4" y="23">)</text>
</g></svg>)";

const char* kFreeAxialFormula = R"(<svg xmlns="http://www.w3.org/2000/svg" width="103" height="68" viewBox="0 0 103 68">
<g font-family="serif" font-size="20" font-style="italic" fill="black">
<text x="8" y="42.2">σ</text>
<text x="21.7" y="47.2" font-size="13">a</text>
<text x="37.8" y="42.2">=</text>
<text x="64.9" y="23">σ</text>
<text x="78.5" y="28" font-size="13">h</text>
<text x="70.5" y="54.2">2</text>
<line x1="61.9" y1="35.2" x2="91.9" y2="35.2" stroke="black" stroke-width="1.5"/>
</g></svg>)";

const char* kBendingStressFormula = R"(<svg xmlns="http://www.w3.org/2000/svg" width="130" height="64" viewBox="0 0 130 64">
<g font-family="serif" font-size="20" font-style="italic" fill="black">
<text x="8" y="39">σ</text>
<text x="21.7" y="44" font-size="13">b</text>
<text x="38.3" y="39">=</text>
<text x="65.4" y="23">E · D</text>
<text x="73.2" y="51">2 R</text>
<line x1="62.4" y1="32" x2="118.2" y2="32" stroke="black" stroke-width="1.5"/>
</g></svg>)";

const char* kEquivalentStressFormula = R"(<svg xmlns="http://www.w3.org/2000/svg" width="172" height="77" viewBox="0 0 172 77">
<g font-family="serif" font-size="20" font-style="italic" fill="black">
<text x="8" y="23">σ</text>
<text x="21.7" y="28" font-size="13">e</text>
<text x="37.7" y="23">= | σ</text>
<text x="87.6" y="28" font-size="13">h</text>
<text x="104.3" y="23">− σ</text>
<text x="141.1" y="28" font-size="13">a</text>
<text x="157.2" y="23">|</text>
<text x="8" y="60.2">σ</text>
<text x="21.7" y="65.2" font-size="13">e</text>
<text x="37.7" y="60.2">&lt; 0.9 σ</text>
<text x="112.6" y="65.2" font-size="13">s</text>
</g></svg>)";

void checkStructuralDesign(Form& form) {
    const Num outsideDiameter = FieldValue(form, "Text1");
    const Num wall = FieldValue(form, "Text2");
    const Num innerDiameter = outsideDiameter - 2 * wall;
    const Num pressure = FieldValue(form, "Text3");
    const Num hoop = pressure * innerDiameter / (2 * wall);
    form.setText("Text6", FormatNumber(hoop, "#.##"));

    Num axial;
    if (form.checked("Option1(1)")) {
        axial = hoop / 2;
    } else {
        // E in 10⁵ MPa times α in 10⁻⁵ per °C gives MPa per °C directly.
        const Num poisson = FieldValue(form, "Text10");
        const Num modulus = FieldValue(form, "Text4");
        const Num expansion = FieldValue(form, "Text8");
        const Num tieIn = FieldValue(form, "Text5");
        const Num medium = FieldValue(form, "Text9");
        axial = poisson * hoop + modulus * expansion * (tieIn - medium);
    }
    form.setText("Text7", FormatNumber(axial, "#.##"));

    // The bending radius is entered in metres, the diameter in millimetres.
    const Num modulusMpa = FieldValue(form, "Text4") * 1e5;
    const Num radiusMm = FieldValue(form, "Text11") * 1e3;
    form.setText("Text13", FormatNumber(modulusMpa * outsideDiameter / (2 * radiusMm), "#.##"));

    // The equivalent stress is taken from the two stresses as displayed, the hoop stress read
    // first, so that a hoop stress shown as "." is the field a failure names.
    const Num shownHoop = FieldValue(form, "Text6");
    const Num shownAxial = FieldValue(form, "Text7");
    const Num equivalent = abs(shownHoop - shownAxial);
    form.setText("Text14", FormatNumber(equivalent, "#.###"));
    const Num limit = 0.9 * FieldValue(form, "Text12");
    form.setText("Text15", FormatNumber(limit, "#.###"));

    writeVerdict(form, kDesignVerdict, equivalent < limit);
}

FormDefinition makeStructuralDesignCheck() {
    FormDefinition def("穿越结构设计计算", "穿越结构设计计算");
    def.titleLabel("Label1", "穿越结构设计计算");
    def.note("Label2", "   【注意】：穿越管段应根据所选壁厚核算强度、刚度及稳定性；若不满足要求时，应增加钢管壁厚。");

    auto options = def.frame("Frame3", " 计算选项 ", FrameRole::Options, {0, 0});
    options.option("Option1(0)", "", {0, 0}).label = "轴向变向受约束时";
    options.option("Option1(1)", "", {1, 0}, true).label = "轴向变向不受约束时";
    def.frame("Frame8", "内压产生的环向应力计算 ", FrameRole::Formula, {0, 1})
        .picture("Image1", kHoopStressFormula, {0, 0});
    def.frame("Frame4", "轴向应力计算(轴向变形受约束时) ", FrameRole::Formula, {0, 2})
        .picture("Image2", kRestrainedAxialFormula, {0, 0});
    def.frame("Frame5", "轴向应力(轴向变形不受约束)", FrameRole::Formula, {1, 0})
        .picture("Image3", kFreeAxialFormula, {0, 0});
    def.frame("Frame6", "弹性敷设产生的弯曲应力计算", FrameRole::Formula, {1, 1})
        .picture("Image4", kBendingStressFormula, {0, 0});
    def.frame("Frame7", "穿越管段的当量应力计算及校核", FrameRole::Formula, {1, 2})
        .picture("Image5", kEquivalentStressFormula, {0, 0});

    auto inputs = def.frame("Frame1", "输入参数", FrameRole::Input, {2, 0, 1, 3});
    inputs.field("Text1", "输气管道外径(毫米)", "323.9", {0, 0});
    inputs.field("Text2", "钢管壁厚δ(mm);", "5.6", {1, 0});
    inputs.field("Text5", "管道安装闭合环境温度t1(℃)", "55", {2, 0});
    inputs.field("Text9", "管道内输送介质的温度t2(℃)", "10", {3, 0});
    inputs.field("Text3", "输送介质的设计内压力，（MPa）", "4.0", {0, 1});
    inputs.field("Text4", "钢材的弹性模量E,(x10^5MPa) ", "2.0", {1, 1});
    inputs.field("Text8", "钢材的线膨胀系数,X10^-5  [m/(m · ℃ )]", "1.2", {2, 1});
    inputs.field("Text12", "管材屈服强度(MPa);", "290", {0, 2});
    inputs.field("Text11", "弹性敷设半径R(米);", "300 ", {1, 2});
    inputs.field("Text10", "钢材的泊松比μ ", "0.3", {2, 2});

    // Three labelled stresses, then the comparison read left to right:
    // equivalent stress, sign, 0.9·σs, verdict.
    auto results = def.frame("Frame2", "输出结果", FrameRole::Results, {3, 0, 1, 3});
    results.result("Text6", "内压产生的环向应力（MPa）", {0, 0, 1, 2});
    results.result("Text7", "轴向应力计算（MPa）", {0, 2, 1, 2});
    results.result("Text13", "弯曲应力计算（MPa）", {0, 4, 1, 2});
    results.result("Text14", "穿越管段的当量应力（MPa）", {1, 0});
    results.cell("Text17", " ", {1, 1}).widthChars = 2;
    results.cell("Text15", " ", {1, 2});
    results.cell("Text16", " ", {1, 3, 1, 3}).widthChars = 28;

    def.runButton("Command1", "开始计算",
                  [](Form& form) { runToVerdict(form, kDesignVerdict, checkStructuralDesign); });
    def.printButton("Command2");
    return def;
}

const WindowRegistration registration(makeStructuralDesignCheck);

}  // namespace
}  // namespace pylora
