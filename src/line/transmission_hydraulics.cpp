// 水力计算: the Panhandle flow equation of a horizontal gas transmission line, solved for the
// flow rate, the length, the inlet or the outlet pressure, whichever the engineer picks.
#include "core/calc.h"
#include "line/squared_pressure_equation.h"

namespace pylora {
namespace {

// Q = 11522·E·d^2.53·((P1² − P2²)/(Z·T·L·Δ^0.961))^0.51, Q in m³/d, d in cm, P in MPa, L in km.
const char* kPanhandleFormula = R"(<svg xmlns="http://www.w3.org/2000/svg" width="499" height="101" viewBox="0 0 499 101">
<g font-family="serif" font-size="22" font-style="italic" fill="black">
<text x="8" y="55">Q</text>
<text x="28" y="55">=</text>
<text x="52" y="55">11522 · E ·</text>
<text x="181" y="55">d</text>
<text x="196" y="44" font-size="14">2.53</text>
<text x="230" y="55">·</text>
<text x="244" y="83" font-size="69" font-style="normal" font-weight="lighter">(</text>
<text x="311" y="32">P</text>
<text x="327" y="38" font-size="14">1</text>
<text x="329" y="22" font-size="14">2</text>
<text x="341" y="32">−</text>
<text x="365" y="32">P</text>
<text x="381" y="38" font-size="14">2</text>
<text x="383" y="22" font-size="14">2</text>
<text x="266" y="76">Z · T · L ·</text>
<text x="378" y="76">Δ</text>
<text x="396" y="66" font-size="14">0.961</text>
<line x1="263" y1="48" x2="437" y2="48" stroke="black" stroke-width="1.5"/>
<text x="442" y="83" font-size="69" font-style="normal" font-weight="lighter">)</text>
<text x="458" y="22" font-size="14">0.51</text>
</g></svg>)";

// K = (11522·E·d^2.53)^(1/0.51) and Y = Z·T·Δ^0.961, d the inner diameter in cm.
line::SquaredPressureTerms panhandleTerms(const Form& form) {
    const Num outsideDiameter = FieldValue(form, "Text1");
    const Num wallThickness = FieldValue(form, "Text3");
    const Num innerDiameterCm = (outsideDiameter - wallThickness / 500) * 100;
    const Num efficiency = FieldValue(form, "Text12");
    const Num capacity = pow(11522 * efficiency * pow(innerDiameterCm, 2.53), 1 / 0.51);
    const Num compressibility = FieldValue(form, "Text11");
    const Num temperature = FieldValue(form, "Text4");
    const Num relativeDensity = FieldValue(form, "Text2");
    const Num gas = compressibility * temperature * pow(relativeDensity, 0.961);
    return {capacity, gas};
}

// F(Q) = (10000·Q)^(1/0.51): Q is entered in 10⁴ m³/d, the equation works in m³/d.
Num panhandleFlowTerm(const Num& flowRate) { return pow(10000 * flowRate, 1 / 0.51); }
Num panhandleFlowRate(const Num& flowTerm) { return pow(flowTerm, 0.51) / 10000; }

void solvePanhandle(Form& form) {
    line::solveSquaredPressureEquation(form, {panhandleTerms, panhandleFlowTerm, panhandleFlowRate});
}

FormDefinition makeTransmissionHydraulics() {
    FormDefinition def("水力计算", "水力计算");
    def.titleLabel("Label1", "长输管道水力计算");
    def.note("Label2", "【注意】：长输管道水平输气管采用潘汉德尔公式进行计算,本公式仅适用于地形高差小于200米范围内。");

    def.frame("Frame4", "潘汉德尔计算公式", FrameRole::Formula, {0, 0})
        .picture("Image1", kPanhandleFormula, {0, 0});
    auto options = def.frame("Frame6", "计算选项", FrameRole::Options, {0, 1});
    options.option("Option1(0)", "", {0, 0}).label = "气体流量(万方/天)";
    options.option("Option1(1)", "", {1, 0}).label = "输气管长度(公里)";
    options.option("Option1(2)", "", {2, 0}).label = "起点压力(兆帕)";
    options.option("Option1(3)", "", {3, 0}, true).label = "终点压力(兆帕)";

    auto fields = def.frame("Frame1", "计算参数及结果", FrameRole::Input, {1, 0, 1, 2});
    fields.field("Text1", "输气管的外径(米)", "0.72", {0, 0});
    fields.field("Text3", "输气管的壁厚(毫米)", "8", {0, 1});
    fields.field("Text11", "气体的压缩系数", "1.00", {0, 2});
    fields.field("Text2", "气体的相对密度", "0.600", {1, 0});
    fields.field("Text4", "气体的平均绝对温度(K)", "293", {1, 1});
    fields.field("Text12", "输气管的效率系数", "0.95", {1, 2});
    fields.field("Text5", "输气管起点压力(绝)(MPa)", "3.0", {2, 0});
    fields.field("Text13", "在标准状况(P0=0.101325MPa,T=293K)下气体流量(万方/天)", "400.00", {2, 1, 1, 2});
    fields.result("Text14", "输气管终点压力(绝)(MPa)", {3, 0});
    fields.field("Text15", "输气管计算段的长度(包括局部摩阻损失当量长度)(公里)", "120.00", {3, 1, 1, 2});

    def.runButton("Command1", "开始计算", solvePanhandle);
    def.printButton("Command2");
    return def;
}

const WindowRegistration registration(makeTransmissionHydraulics);

}  // namespace
}  // namespace pylora
