#include "line/city_gas_hydraulics.h"

#include "line/solve_for_one.h"

namespace pylora::line {
namespace {

// λ = 0.11·(K/d + 68/Re)^0.25 with the constant Reynolds number Re = 5·10⁶.
const char* kFrictionFormula = R"(<svg xmlns="http://www.w3.org/2000/svg" width="425" height="80" viewBox="0 0 425 80">
<g font-family="serif" font-size="22" font-style="italic" fill="black">
<text x="8" y="42">λ = 0.11</text>
<text x="108" y="62" font-size="50" font-style="normal" font-weight="lighter">(</text>
<text x="130" y="24">K</text>
<text x="132" y="56">d</text>
<line x1="127" y1="35" x2="148" y2="35" stroke="black" stroke-width="1.5"/>
<text x="155" y="42">+</text>
<text x="184" y="24">68</text>
<text x="184" y="56">Re</text>
<line x1="181" y1="35" x2="215" y2="35" stroke="black" stroke-width="1.5"/>
<text x="220" y="62" font-size="50" font-style="normal" font-weight="lighter">)</text>
<text x="236" y="22" font-size="14">0.25</text>
<text x="274" y="42"> </text>
<text x="286" y="42">Re = 5×10</text>
<text x="410" y="31" font-size="14">6</text>
</g></svg>)";

constexpr double kReynoldsNumber = 5000000;

constexpr const char* kInletPressure = "Text5";
constexpr const char* kOutletPressure = "Text14";
constexpr const char* kFlowRate = "Text13";
constexpr const char* kLength = "Text15";
constexpr const char* kInnerDiameter = "Text11";

Num frictionFactor(const Form& form) {
    const Num roughness = FieldValue(form, "Text8");
    const Num diameter = FieldValue(form, kInnerDiameter);
    return 0.11 * pow(roughness / diameter + 68 / kReynoldsNumber, 0.25);
}

// The line coefficient C, after writing λ as the pipe material asks. Only steel has a published
// friction formula; cast iron borrows it, written unrounded and not highlighted. PE pipe has none:
// without λ there is no pressure loss to compute, and a run that went on with C = 0 would show
// the other pressure as if the gas flowed without friction, so the run ends here instead.
Num lineCoefficient(Form& form, double c0) {
    Num friction;
    if (form.checked("Option1(7)")) {
        friction = solveInto(form, "Text6", [&] { return frictionFactor(form); });
    } else if (form.checked("Option1(6)")) {
        friction = frictionFactor(form);
        form.setText("Text6", NumberText(friction));
    } else {
        throw RunFailure(FailureKind::MissingData, "Option1(4)", "「PE管」没有摩擦阻力系数的计算公式");
    }
    const Num density = FieldValue(form, "Text2");
    const Num designTemperature = FieldValue(form, "Text7");
    const Num meanTemperature = FieldValue(form, "Text4");
    return c0 * friction * density * designTemperature / meanTemperature;
}

Num fifthPowerOfDiameter(const Form& form) { return pow(FieldValue(form, kInnerDiameter), 5); }

// L·Q²·C/d⁵: what the pressure term drops along the line.
Num pressureTermDrop(const Form& form, const Num& coefficient) {
    const Num length = FieldValue(form, kLength);
    const Num flow = FieldValue(form, kFlowRate);
    return length * (flow * flow) * coefficient / fifthPowerOfDiameter(form);
}

void solveCityGas(Form& form, const CityGasLaw& law) {
    Num coefficient;
    const auto pressureTermDifference = [&] {
        const Num inlet = FieldValue(form, kInletPressure);
        const Num outlet = FieldValue(form, kOutletPressure);
        return law.pressureTerm(inlet) - law.pressureTerm(outlet);
    };
    const std::vector<SolveCase> cases = {
        {"Option1(0)", kFlowRate,  // Q = √(d⁵·(P(P1) − P(P2))/(L·C))
         [&] {
             // The difference leads (the same value as d⁵·(P(P1) − P(P2))), so that an outlet
             // pressure above the inlet pressure names the inlet pressure, not the bore.
             const Num d5 = fifthPowerOfDiameter(form);
             const Num difference = pressureTermDifference();
             const Num length = FieldValue(form, kLength);
             return sqrt(difference * d5 / (length * coefficient));
         }},
        {"Option1(1)", kLength,  // L = (P(P1) − P(P2))·d⁵/(Q²·C)
         [&] {
             const Num difference = pressureTermDifference();
             const Num d5 = fifthPowerOfDiameter(form);
             const Num flow = FieldValue(form, kFlowRate);
             return difference * d5 / (flow * flow * coefficient);
         }},
        {"Option1(2)", kInletPressure,  // P1 from P(P2) + L·Q²·C/d⁵
         [&] {
             const Num outlet = FieldValue(form, kOutletPressure);
             return law.pressureOf(law.pressureTerm(outlet) + pressureTermDrop(form, coefficient));
         }},
        {"Option1(3)", kOutletPressure,  // P2 from P(P1) − L·Q²·C/d⁵
         [&] {
             const Num inlet = FieldValue(form, kInletPressure);
             return law.pressureOf(law.pressureTerm(inlet) - pressureTermDrop(form, coefficient));
         }},
    };
    whitenCandidates(form, cases, {kInnerDiameter, "Text6"});
    coefficient = lineCoefficient(form, law.c0);
    solveSelectedCase(form, cases);
}

}  // namespace

FormDefinition makeCityGasWindow(const CityGasWindow& window) {
    FormDefinition def(window.formName, window.title);
    def.titleLabel("Label1", window.heading);
    def.note("Label2", window.note);

    auto formula = def.frame("Frame4", window.formulaCaption, FrameRole::Formula, {0, 0});
    formula.picture("Image1", window.formulaPicture, {0, 0});
    formula.picture("Image2", kFrictionFormula, {1, 0});
    auto material = def.frame("Frame2", "管道材质", FrameRole::Options, {0, 1});
    material.option("Option1(7)", "", {0, 0}, true).label = "钢管";
    material.option("Option1(6)", "", {1, 0}).label = "铸铁管";
    material.option("Option1(4)", "", {2, 0}).label = "PE管";
    auto options = def.frame("Frame6", "计算选项", FrameRole::Options, {0, 2});
    options.option("Option1(0)", "", {0, 0}, true).label = "气体流量(标方/小时)";
    options.option("Option1(1)", "", {1, 0}).label = "管线计算长度(千米)";
    options.option("Option1(2)", "", {2, 0}).label = "起点压力(绝)(千帕)";
    options.option("Option1(3)", "", {3, 0}).label = "终点压力(绝)(千帕)";

    auto fields = def.frame("Frame1", "计算参数及结果", FrameRole::Input, {1, 0, 1, 3});
    fields.field("Text1", "压缩因子", "1.00", {0, 0});
    fields.field("Text3", "标况下燃气的运动粘度(平方米/秒)", "8", {0, 1});
    fields.field("Text8", "管壁当量绝对粗糙度", "0.2", {0, 2});
    fields.field("Text2", "燃气的密度(千克/方)", "0.600", {1, 0});
    fields.field("Text4", "气体的平均绝对温度(K)", "293", {1, 1});
    fields.field("Text7", "设计采用燃气温度(K)", "293", {1, 2});
    fields.field(kInletPressure, "管线起点压力(绝)(KPa)", window.inletDefault, {2, 0});
    fields.field(kFlowRate, " 气体流量(标方/小时)", "400.00", {2, 1});
    fields.field(kInnerDiameter, "燃气管道内径(毫米)", "100", {2, 2});
    fields.field(kOutletPressure, "管线终点压力(绝)(KPa)", window.outletDefault, {3, 0});
    fields.field(kLength, "燃气管道的计算长度(公里)", window.lengthDefault, {3, 1});
    fields.result("Text6", "管道的摩擦阻力系数", {3, 2});

    const CityGasLaw law = window.law;
    def.runButton("Command1", "开始计算", [law](RunContext& run) { solveCityGas(run.form, law); });
    def.printButton("Command2");
    return def;
}

}  // namespace pylora::line
