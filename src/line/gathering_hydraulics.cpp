// 采集水力计算: the flow equation of a gas production or gathering line (SY0010-96, 5.1.1),
// solved for the flow rate, the length, the inlet or the outlet pressure.
#include "model/calc.h"
#include "line/solve_for_one.h"
#include "line/squared_pressure_equation.h"

namespace pylora {
namespace {

using namespace line::squared_pressure;
using formula::c;
using formula::q;

// K = (5033.11·d^(8/3))² and Y = Δ·T·Z, d the inner diameter in cm.
Terms gatheringTerms(const Form& form) {
    const auto [outsideDiameter, wallThickness] = FieldValues(form, kOutsideDiameter, kWallThickness);
    const Num innerDiameterCm = (outsideDiameter - wallThickness / 500) * 100;
    const Num root = 5033.11 * pow(innerDiameterCm, 8.0 / 3.0);
    const auto [relativeDensity, temperature, compressibility] =
        FieldValues(form, kRelativeDensity, kTemperature, kCompressibility);
    const Num gas = relativeDensity * temperature * compressibility;
    return {root * root, gas};
}

// F(Q) = (10000·Q)²: Q is entered in 10⁴ m³/d, the equation works in m³/d.
Num gatheringFlowTerm(const Num& flowRate) {
    const Num flow = 10000 * flowRate;
    return flow * flow;
}
Num gatheringFlowRate(const Num& flowTerm) { return sqrt(flowTerm) / 10000; }

void solveGathering(Form& form) { solve(form, {gatheringTerms, gatheringFlowTerm, gatheringFlowRate}); }

// d^(8/3), the exponent the exact fraction 8/3.
formula::Expr diameterTerm() { return pow(q(kInnerDiameter), c(8.0 / 3.0, "8/3")); }

// Formula 5.1.1 as SY0010-96 writes it, q in m³/d, d in cm, P in MPa, L in km:
//     q = 5033.11·d^(8/3)·√((P1² − P2²)/(Δ·Z·T·L))
formula::Expr gatheringFlow() {
    const auto squared = [](const char* pressure) { return pow(q(pressure), c(2)); };
    return c(5033.11) * diameterTerm() *
           sqrt((squared(kInletPressure) - squared(kOutletPressure)) /
                (q(kRelativeDensity) * q(kCompressibility) * q(kTemperature) * q(kLength)));
}

void stateFormulas(FormDefinition& def, FrameBuilder& frame) {
    frame.formulas("Image1", {{kDailyFlow, gatheringFlow()}}, {0, 0});
    def.quantity(kDailyFlow, "q", "标准状况下气体日流量", "m³/d");
    def.quantity(kCapacity, "K", "管线的输气能力项");
    def.formula({kCapacity, pow(c(5033.11) * diameterTerm(), c(2))});
    def.quantity(kGasTerm, "Y", "气体项", "K");
    def.formula({kGasTerm, q(kRelativeDensity) * q(kTemperature) * q(kCompressibility)});
    stateSolvedForms(def, pow(c(10000) * q(kFlowRate), c(2)));
}

FormDefinition makeGatheringHydraulics() {
    FormDefinition def("采集水力计算", "采集水力计算");
    def.titleLabel("Label1", "采气和集气管道水力计算");
    def.note("Label2", "【注意】：采气和集气管线流量可按下式计算，该公式摘自《天然气集输管线设计规范》（SY0010-96）中式5.1.1。");
    def.basis({"《天然气集输管线设计规范》（SY0010-96）式5.1.1"});

    auto picture = def.frame("Frame4", "采气集气管线流量计算公式", FrameRole::Formula, {0, 0});
    stateFormulas(def, picture);
    auto options = def.frame("Frame6", "计算选项", FrameRole::Options, {0, 1});
    line::solveForOption(options, kSolveFlowRate, "气体流量(万方/天)", 0);
    line::solveForOption(options, kSolveLength, "管线计算长度(公里)", 1);
    line::solveForOption(options, kSolveInletPressure, "起点压力(绝)(兆帕)", 2);
    line::solveForOption(options, kSolveOutletPressure, "终点压力(绝)(兆帕)", 3, true);

    // The four quantities are given, except the one the picked option solves for (the outlet
    // pressure when the window opens).
    auto fields = def.frame("Frame1", "计算参数及结果", FrameRole::Input, {1, 0, 1, 2});
    fields.field(kOutsideDiameter, "管线的外径(米)", "0.72", {0, 0}).means("D", "管线的外径", "m").positive();
    fields.field(kWallThickness, "管线的壁厚(毫米)", "8", {0, 1}).means("δ", "管线的壁厚", "mm").positive();
    fields.field(kCompressibility, "气体的压缩系数", "1.00", {0, 2}).means("Z", "气体的压缩系数").positive();
    fields.field(kRelativeDensity, "气体的相对密度", "0.600", {1, 0}).means("Δ", "气体的相对密度").positive();
    fields.field(kTemperature, "气体的平均绝对温度(K)", "293", {1, 1}).means("T", "气体的平均绝对温度", "K").positive();
    line::solvedWhen(
        fields.field(kInletPressure, "管线起点压力(绝)(MPa)", "3.0", {2, 0}).means("P_1", "管线起点压力（绝）", "MPa").positive(),
        kSolveInletPressure);
    line::solvedWhen(fields.field(kFlowRate, "在标准状况(P0=0.101325MPa,T=293K)下气体流量(万方/天)", "400.00", {2, 1, 1, 2})
                         .means("Q", "在标准状况下气体流量", "10⁴m³/d").positive(),
                     kSolveFlowRate);
    line::solvedWhen(
        fields.field(kOutletPressure, "管线终点压力(绝)(MPa)", " ", {3, 0}).means("P_2", "管线终点压力（绝）", "MPa", 3).positive(),
        kSolveOutletPressure);
    line::solvedWhen(fields.field(kLength, "管线计算段的长度(包括局部摩阻损失当量长度)(公里)", "120.00", {3, 1, 1, 2})
                         .means("L", "管线计算段的长度（包括局部摩阻损失当量长度）", "km").positive(),
                     kSolveLength);

    def.runButton("Command1", "开始计算", solveGathering);
    def.printButton("Command2");
    return def;
}

const WindowRegistration registration("采集水力计算", "采集水力计算", makeGatheringHydraulics);

}  // namespace
}  // namespace pylora
