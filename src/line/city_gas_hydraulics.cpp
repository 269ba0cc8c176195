#include "line/city_gas_hydraulics.h"

#include "line/solve_for_one.h"

namespace pylora::line {
namespace {

using formula::c;
using formula::Expr;
using formula::Formula;
using formula::q;
using formula::when;

// The window's fields.
constexpr auto kCompressibility = "Text1";  // shown, not read
constexpr auto kViscosity = "Text3";        // shown, not read: the Reynolds number is a constant
constexpr auto kRoughness = "Text8";
constexpr auto kDensity = "Text2";
constexpr auto kMeanTemperature = "Text4";
constexpr auto kDesignTemperature = "Text7";
constexpr auto kInletPressure = "Text5";
constexpr auto kFlowRate = "Text13";
constexpr auto kInnerDiameter = "Text11";
constexpr auto kOutletPressure = "Text14";
constexpr auto kLength = "Text15";
constexpr auto kFrictionFactor = "Text6";

// The pipe material under "管道材质" and the quantity to solve for under "计算选项".
constexpr auto kSteel = "Option1(7)";
constexpr auto kCastIron = "Option1(6)";
constexpr auto kPolyethylene = "Option1(4)";
constexpr auto kSolveFlowRate = "Option1(0)";
constexpr auto kSolveLength = "Option1(1)";
constexpr auto kSolveInletPressure = "Option1(2)";
constexpr auto kSolveOutletPressure = "Option1(3)";

// Quantities without a field of their own.
constexpr auto kFriction = "lambda";        // unrounded, behind the rounded λ field
constexpr auto kLineCoefficient = "C";
constexpr auto kPressureTermDrop = "drop";  // P(P1) − P(P2)

constexpr double kReynoldsNumber = 5000000;

Num frictionFactor(const Form& form) {
    const auto [roughness, diameter] = FieldValues(form, kRoughness, kInnerDiameter);
    return 0.11 * pow(roughness / diameter + 68 / kReynoldsNumber, 0.25);
}

// The line coefficient C, after writing λ as the pipe material asks. Steel and PE pipe take the
// friction formula with the wall roughness typed for them (PE about 0.01 mm); cast iron borrows
// it, written unrounded and not highlighted.
Num lineCoefficient(Form& form, double c0) {
    Num friction;
    if (form.checked(kCastIron)) {
        friction = frictionFactor(form);
        form.setText(kFrictionFactor, NumberText(friction));
    } else {
        friction = solveInto(form, kFrictionFactor, [&] { return frictionFactor(form); });
    }
    const auto [density, designTemperature, meanTemperature] =
        FieldValues(form, kDensity, kDesignTemperature, kMeanTemperature);
    return c0 * friction * density * designTemperature / meanTemperature;
}

Num fifthPowerOfDiameter(const Form& form) { return pow(FieldValue(form, kInnerDiameter), 5); }

// L·Q²·C/d⁵: what the pressure term drops along the line.
Num pressureTermDrop(const Form& form, const Num& coefficient) {
    const auto [length, flow] = FieldValues(form, kLength, kFlowRate);
    return length * (flow * flow) * coefficient / fifthPowerOfDiameter(form);
}

void solveCityGas(Form& form, const CityGasLaw& law) {
    Num coefficient;
    // P(P1) − P(P2): gas flows from the inlet only while the inlet pressure is the higher one.
    const auto pressureTermDifference = [&] {
        const auto [inlet, outlet] = FieldValues(form, kInletPressure, kOutletPressure);
        return requireNotNegative(law.pressureTerm(inlet) - law.pressureTerm(outlet), kInletPressure,
                                  std::string("低于终点压力：") + law.dropName + "为负");
    };
    const std::vector<SolveCase> cases = {
        {kSolveFlowRate, kFlowRate,  // Q = √(d⁵·(P(P1) − P(P2))/(L·C))
         [&] {
             const Num d5 = fifthPowerOfDiameter(form);
             const Num difference = pressureTermDifference();
             const Num length = FieldValue(form, kLength);
             return sqrt(difference * d5 / (length * coefficient));
         }},
        {kSolveLength, kLength,  // L = (P(P1) − P(P2))·d⁵/(Q²·C)
         [&] {
             const Num difference = pressureTermDifference();
             const Num d5 = fifthPowerOfDiameter(form);
             const Num flow = FieldValue(form, kFlowRate);
             return difference * d5 / (flow * flow * coefficient);
         }},
        {kSolveInletPressure, kInletPressure,  // P1 from P(P2) + L·Q²·C/d⁵
         [&] {
             const Num outlet = FieldValue(form, kOutletPressure);
             return law.pressureOf(law.pressureTerm(outlet) + pressureTermDrop(form, coefficient));
         }},
        {kSolveOutletPressure, kOutletPressure,  // P2 from P(P1) − L·Q²·C/d⁵
         [&] {
             // More gas than the line carries leaves no outlet pressure.
             const Num inlet = FieldValue(form, kInletPressure);
             const Num outletTerm = law.pressureTerm(inlet) - pressureTermDrop(form, coefficient);
             return law.pressureOf(requireNotNegative(outletTerm, kFlowRate,
                                                      std::string("过大：") + law.outletTermName + "为负"));
         }},
    };
    whitenCandidates(form, cases, {kInnerDiameter, kFrictionFactor});
    coefficient = lineCoefficient(form, law.c0);
    solveSelectedCase(form, cases);
}

// λ = 0.11·(K/d + 68/Re)^0.25, the Reynolds number a constant.
Expr frictionFormula() {
    const Expr reynolds = formula::named(kReynoldsNumber, "Re", "雷诺数");
    return c(0.11) * pow(q(kRoughness) / q(kInnerDiameter) + c(68) / reynolds, c(0.25));
}

// The formula of GB 50028 with L taken to the right: P(P1) − P(P2) = c0·λ·Q²/d⁵·ρ·Td/Tm·L.
Expr pressureLawFormula(const CityGasLaw& law) {
    return c(law.c0, law.c0Text) * q(kFriction) * (pow(q(kFlowRate), c(2)) / pow(q(kInnerDiameter), c(5))) *
           q(kDensity) * (q(kDesignTemperature) / q(kMeanTemperature)) * q(kLength);
}

// The law solved for each quantity, while its option is picked; C = c0·λ·ρ·Td/Tm.
void stateSolvedForms(FormDefinition& def, const CityGasLaw& law) {
    def.quantity(kLineCoefficient, "C", "管线系数");
    def.formula({kLineCoefficient,
                 c(law.c0, law.c0Text) * q(kFriction) * q(kDensity) * q(kDesignTemperature) / q(kMeanTemperature)});

    const Expr d5 = pow(q(kInnerDiameter), c(5));
    const Expr flowSquared = pow(q(kFlowRate), c(2));
    const Expr difference = law.pressureTermFormula(q(kInletPressure)) - law.pressureTermFormula(q(kOutletPressure));
    const Expr drop = q(kLength) * flowSquared * q(kLineCoefficient) / d5;
    def.formula(when(kSolveFlowRate, Formula{kFlowRate, sqrt(d5 * difference / (q(kLength) * q(kLineCoefficient)))}));
    def.formula(when(kSolveLength, Formula{kLength, difference * d5 / (flowSquared * q(kLineCoefficient))}));
    def.formula(when(kSolveInletPressure,
                     Formula{kInletPressure, law.pressureOfFormula(law.pressureTermFormula(q(kOutletPressure)) + drop)}));
    def.formula(when(kSolveOutletPressure,
                     Formula{kOutletPressure, law.pressureOfFormula(law.pressureTermFormula(q(kInletPressure)) - drop)}));
}

}  // namespace

FormDefinition makeCityGasWindow(const CityGasWindow& window) {
    FormDefinition def(window.formName, window.title);
    def.titleLabel("Label1", window.heading);
    def.note("Label2", window.note);
    def.basis({window.basis});

    auto pictures = def.frame("Frame4", window.formulaCaption, FrameRole::Formula, {0, 0});
    pictures.formulas("Image1", {{kPressureTermDrop, pressureLawFormula(window.law)}}, {0, 0});
    def.quantity(kPressureTermDrop, window.law.dropSymbol, window.law.dropName, window.law.dropUnit);
    pictures.formulas("Image2", {{kFriction, frictionFormula()}, formula::words("Re = 5×10^6")}, {1, 0});
    def.quantity(kFriction, "λ", "管道的摩擦阻力系数").shownIn = kFrictionFactor;
    stateSolvedForms(def, window.law);

    auto material = def.frame("Frame2", "管道材质", FrameRole::Options, {0, 1});
    material.option(kSteel, "", {0, 0}, true).means("", "管道材质").label = "钢管";
    material.option(kCastIron, "", {1, 0}).means("", "管道材质").label = "铸铁管";
    material.option(kPolyethylene, "", {2, 0}).means("", "管道材质").label = "PE管";
    auto options = def.frame("Frame6", "计算选项", FrameRole::Options, {0, 2});
    solveForOption(options, kSolveFlowRate, "气体流量(标方/小时)", 0, true);
    solveForOption(options, kSolveLength, "管线计算长度(千米)", 1);
    solveForOption(options, kSolveInletPressure, "起点压力(绝)(千帕)", 2);
    solveForOption(options, kSolveOutletPressure, "终点压力(绝)(千帕)", 3);

    // The four quantities are inputs, except the one the picked option solves for; the flow
    // rate, picked when the window opens, is stated as the result.
    auto fields = def.frame("Frame1", "计算参数及结果", FrameRole::Input, {1, 0, 1, 3});
    fields.field(kCompressibility, "压缩因子", "1.00", {0, 0}).means("Z", "压缩因子").positive();
    fields.field(kViscosity, "标况下燃气的运动粘度(平方米/秒)", "8", {0, 1}).means("ν", "标况下燃气的运动粘度", "m²/s").positive();
    fields.field(kRoughness, "管壁当量绝对粗糙度", "0.2", {0, 2}).means("K", "管壁当量绝对粗糙度", "mm").nonNegative();
    fields.field(kDensity, "燃气的密度(千克/方)", "0.600", {1, 0}).means("ρ", "燃气的密度", "kg/m³").positive();
    fields.field(kMeanTemperature, "气体的平均绝对温度(K)", "293", {1, 1}).means("T_m", "气体的平均绝对温度", "K").positive();
    fields.field(kDesignTemperature, "设计采用燃气温度(K)", "293", {1, 2}).means("T_d", "设计采用燃气温度", "K").positive();
    // The four quantities are given, except the one the picked option solves for.
    solvedWhen(fields.field(kInletPressure, "管线起点压力(绝)(KPa)", window.inletDefault, {2, 0})
                   .means("P_1", "管线起点压力（绝）", "kPa").positive(),
               kSolveInletPressure);
    solvedWhen(fields.field(kFlowRate, " 气体流量(标方/小时)", "400.00", {2, 1}).means("Q", "气体流量", "m³/h", 3).positive(),
               kSolveFlowRate);
    fields.field(kInnerDiameter, "燃气管道内径(毫米)", "100", {2, 2}).means("d", "燃气管道内径", "mm").positive();
    solvedWhen(fields.field(kOutletPressure, "管线终点压力(绝)(KPa)", window.outletDefault, {3, 0})
                   .means("P_2", "管线终点压力（绝）", "kPa").positive(),
               kSolveOutletPressure);
    solvedWhen(fields.field(kLength, "燃气管道的计算长度(公里)", window.lengthDefault, {3, 1})
                   .means("L", "燃气管道的计算长度", "km").positive(),
               kSolveLength);
    fields.result(kFrictionFactor, "管道的摩擦阻力系数", {3, 2}).means("λ", "管道的摩擦阻力系数", "", 3);

    const CityGasLaw law = window.law;
    def.runButton("Command1", "开始计算", [law](RunContext& run) { solveCityGas(run.form, law); });
    def.printButton("Command2");
    return def;
}

}  // namespace pylora::line
