// 采集水力计算: the flow equation of a gas production or gathering line (SY0010-96, 5.1.1),
// solved for the flow rate, the length, the inlet or the outlet pressure.
#include "core/calc.h"
#include "line/squared_pressure_equation.h"

namespace pylora {
namespace {

// Q = 5033.11·d^(8/3)·√((P1² − P2²)/(Δ·Z·T·L)), Q in m³/d, d in cm, P in MPa, L in km.
const char* kGatheringFormula = R"(<svg xmlns="http://www.w3.org/2000/svg" width="391" height="93" viewBox="0 0 391 93">
<g font-family="serif" font-size="22" font-style="italic" fill="black">
<text x="8" y="57">Q</text>
<text x="28" y="57">=</text>
<text x="52" y="57">5033.11 ·</text>
<text x="164" y="57">d</text>
<text x="179" y="46" font-size="14">8/3</text>
<text x="205" y="57">·</text>
<path d="M 221 49 L 227 46 L 234 83 L 241 10 L 384 10" fill="none" stroke="black" stroke-width="1.5"/>
<text x="273" y="34">P</text>
<text x="289" y="40" font-size="14">1</text>
<text x="291" y="24" font-size="14">2</text>
<text x="303" y="34">−</text>
<text x="327" y="34">P</text>
<text x="343" y="40" font-size="14">2</text>
<text x="345" y="24" font-size="14">2</text>
<text x="248" y="70">Δ · Z · T · L</text>
<line x1="245" y1="50" x2="380" y2="50" stroke="black" stroke-width="1.5"/>
</g></svg>)";

// K = (5033.11·d^(8/3))² and Y = Δ·T·Z, d the inner diameter in cm.
line::SquaredPressureTerms gatheringTerms(const Form& form) {
    const Num outsideDiameter = FieldValue(form, "Text1");
    const Num wallThickness = FieldValue(form, "Text3");
    const Num innerDiameterCm = (outsideDiameter - wallThickness / 500) * 100;
    const Num root = 5033.11 * pow(innerDiameterCm, 8.0 / 3.0);
    const Num relativeDensity = FieldValue(form, "Text2");
    const Num temperature = FieldValue(form, "Text4");
    const Num compressibility = FieldValue(form, "Text11");
    const Num gas = relativeDensity * temperature * compressibility;
    return {root * root, gas};
}

// F(Q) = (10000·Q)²: Q is entered in 10⁴ m³/d, the equation works in m³/d.
Num gatheringFlowTerm(const Num& flowRate) {
    const Num flow = 10000 * flowRate;
    return flow * flow;
}
Num gatheringFlowRate(const Num& flowTerm) { return sqrt(flowTerm) / 10000; }

void solveGathering(Form& form) {
    line::solveSquaredPressureEquation(form, {gatheringTerms, gatheringFlowTerm, gatheringFlowRate});
}

FormDefinition makeGatheringHydraulics() {
    FormDefinition def("采集水力计算", "采集水力计算");
    def.titleLabel("Label1", "采气和集气管道水力计算");
    def.note("Label2", "【注意】：采气和集气管线流量可按下式计算，该公式摘自《天然气集输管线设计规范》（SY0010-96）中式5.1.1。");

    def.frame("Frame4", "采气集气管线流量计算公式", FrameRole::Formula, {0, 0})
        .picture("Image1", kGatheringFormula, {0, 0});
    auto options = def.frame("Frame6", "计算选项", FrameRole::Options, {0, 1});
    options.option("Option1(0)", "", {0, 0}).label = "气体流量(万方/天)";
    options.option("Option1(1)", "", {1, 0}).label = "管线计算长度(公里)";
    options.option("Option1(2)", "", {2, 0}).label = "起点压力(绝)(兆帕)";
    options.option("Option1(3)", "", {3, 0}, true).label = "终点压力(绝)(兆帕)";

    auto fields = def.frame("Frame1", "计算参数及结果", FrameRole::Input, {1, 0, 1, 2});
    fields.field("Text1", "管线的外径(米)", "0.72", {0, 0});
    fields.field("Text3", "管线的壁厚(毫米)", "8", {0, 1});
    fields.field("Text11", "气体的压缩系数", "1.00", {0, 2});
    fields.field("Text2", "气体的相对密度", "0.600", {1, 0});
    fields.field("Text4", "气体的平均绝对温度(K)", "293", {1, 1});
    fields.field("Text5", "管线起点压力(绝)(MPa)", "3.0", {2, 0});
    fields.field("Text13", "在标准状况(P0=0.101325MPa,T=293K)下气体流量(万方/天)", "400.00", {2, 1, 1, 2});
    fields.result("Text14", "管线终点压力(绝)(MPa)", {3, 0});
    fields.field("Text15", "管线计算段的长度(包括局部摩阻损失当量长度)(公里)", "120.00", {3, 1, 1, 2});

    def.runButton("Command1", "开始计算", solveGathering);
    def.printButton("Command2");
    return def;
}

const WindowRegistration registration(makeGatheringHydraulics);

}  // namespace
}  // namespace pylora
