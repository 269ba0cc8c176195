// 水力计算: the Panhandle flow equation of a horizontal gas transmission line, solved for the
// flow rate, the length, the inlet or the outlet pressure, whichever the engineer picks.
#include "model/calc.h"
#include "line/solve_for_one.h"
#include "line/squared_pressure_equation.h"

namespace pylora {
namespace {

using namespace line::squared_pressure;
using formula::c;
using formula::q;

constexpr auto kEfficiency = "Text12";
constexpr double kFlowExponent = 0.51;

// K = (11522·E·d^2.53)^(1/0.51) and Y = Z·T·Δ^0.961, d the inner diameter in cm.
Terms panhandleTerms(const Form& form) {
    const auto [outsideDiameter, wallThickness] = FieldValues(form, kOutsideDiameter, kWallThickness);
    const Num innerDiameterCm = (outsideDiameter - wallThickness / 500) * 100;
    const Num efficiency = FieldValue(form, kEfficiency);
    const Num capacity = pow(11522 * efficiency * pow(innerDiameterCm, 2.53), 1 / kFlowExponent);
    const auto [compressibility, temperature, relativeDensity] =
        FieldValues(form, kCompressibility, kTemperature, kRelativeDensity);
    const Num gas = compressibility * temperature * pow(relativeDensity, 0.961);
    return {capacity, gas};
}

// F(Q) = (10000·Q)^(1/0.51): Q is entered in 10⁴ m³/d, the equation works in m³/d.
Num panhandleFlowTerm(const Num& flowRate) { return pow(10000 * flowRate, 1 / kFlowExponent); }
Num panhandleFlowRate(const Num& flowTerm) { return pow(flowTerm, kFlowExponent) / 10000; }

void solvePanhandle(Form& form) { solve(form, {panhandleTerms, panhandleFlowTerm, panhandleFlowRate}); }

// The Panhandle equation in its usual form, q in m³/d, d in cm, P in MPa, L in km:
//     q = 11522·E·d^2.53·((P1² − P2²)/(Z·T·L·Δ^0.961))^0.51
formula::Expr panhandleFlow() {
    const auto squared = [](const char* pressure) { return pow(q(pressure), c(2)); };
    return c(11522) * q(kEfficiency) * pow(q(kInnerDiameter), c(2.53)) *
           pow((squared(kInletPressure) - squared(kOutletPressure)) /
                   (q(kCompressibility) * q(kTemperature) * q(kLength) * pow(q(kRelativeDensity), c(0.961))),
               c(kFlowExponent));
}

void stateFormulas(FormDefinition& def, FrameBuilder& frame) {
    frame.formulas("Image1", {{kDailyFlow, panhandleFlow()}}, {0, 0});
    def.quantity(kDailyFlow, "q", "标准状况下气体日流量", "m³/d");
    def.quantity(kCapacity, "K", "输气管的输气能力项");
    def.formula({kCapacity, pow(c(11522) * q(kEfficiency) * pow(q(kInnerDiameter), c(2.53)),
                                c(1 / kFlowExponent, "1/0.51"))});
    def.quantity(kGasTerm, "Y", "气体项", "K");
    def.formula({kGasTerm, q(kCompressibility) * q(kTemperature) * pow(q(kRelativeDensity), c(0.961))});
    stateSolvedForms(def, pow(c(10000) * q(kFlowRate), c(1 / kFlowExponent, "1/0.51")));
}

FormDefinition makeTransmissionHydraulics() {
    FormDefinition def("水力计算", "水力计算");
    def.titleLabel("Label1", "长输管道水力计算");
    def.note("Label2", "【注意】：长输管道水平输气管采用潘汉德尔公式进行计算,本公式仅适用于地形高差小于200米范围内。");

    auto picture = def.frame("Frame4", "潘汉德尔计算公式", FrameRole::Formula, {0, 0});
    stateFormulas(def, picture);
    auto options = def.frame("Frame6", "计算选项", FrameRole::Options, {0, 1});
    line::solveForOption(options, kSolveFlowRate, "气体流量(万方/天)", 0);
    line::solveForOption(options, kSolveLength, "输气管长度(公里)", 1);
    line::solveForOption(options, kSolveInletPressure, "起点压力(兆帕)", 2);
    line::solveForOption(options, kSolveOutletPressure, "终点压力(兆帕)", 3, true);

    // The four quantities are given, except the one the picked option solves for (the outlet
    // pressure when the window opens).
    auto fields = def.frame("Frame1", "计算参数及结果", FrameRole::Input, {1, 0, 1, 2});
    fields.field(kOutsideDiameter, "输气管的外径(米)", "0.72", {0, 0}).means("D", "输气管的外径", "m").positive();
    fields.field(kWallThickness, "输气管的壁厚(毫米)", "8", {0, 1}).means("δ", "输气管的壁厚", "mm").positive();
    fields.field(kCompressibility, "气体的压缩系数", "1.00", {0, 2}).means("Z", "气体的压缩系数").positive();
    fields.field(kRelativeDensity, "气体的相对密度", "0.600", {1, 0}).means("Δ", "气体的相对密度").positive();
    fields.field(kTemperature, "气体的平均绝对温度(K)", "293", {1, 1}).means("T", "气体的平均绝对温度", "K").positive();
    fields.field(kEfficiency, "输气管的效率系数", "0.95", {1, 2}).means("E", "输气管的效率系数").fraction();
    line::solvedWhen(
        fields.field(kInletPressure, "输气管起点压力(绝)(MPa)", "3.0", {2, 0}).means("P_1", "输气管起点压力（绝）", "MPa").positive(),
        kSolveInletPressure);
    line::solvedWhen(fields.field(kFlowRate, "在标准状况(P0=0.101325MPa,T=293K)下气体流量(万方/天)", "400.00", {2, 1, 1, 2})
                         .means("Q", "在标准状况下气体流量", "10⁴m³/d").positive(),
                     kSolveFlowRate);
    line::solvedWhen(
        fields.field(kOutletPressure, "输气管终点压力(绝)(MPa)", " ", {3, 0}).means("P_2", "输气管终点压力（绝）", "MPa", 3).positive(),
        kSolveOutletPressure);
    line::solvedWhen(fields.field(kLength, "输气管计算段的长度(包括局部摩阻损失当量长度)(公里)", "120.00", {3, 1, 1, 2})
                         .means("L", "输气管计算段的长度（包括局部摩阻损失当量长度）", "km").positive(),
                     kSolveLength);

    def.runButton("Command1", "开始计算", solvePanhandle);
    def.printButton("Command2");
    return def;
}

const WindowRegistration registration("水力计算", "水力计算", makeTransmissionHydraulics);

}  // namespace
}  // namespace pylora
