// 高中压燃气计算: high- and medium-pressure city gas pipe (GB 50028-93, 5.2.5-1). The squared
// pressures drop: (P1² − P2²)/L = 1.27·10¹⁰·λ·Q²/d⁵·ρ·Td/Tm, P in kPa, L in km, d in mm, Q in m³/h.
#include "model/calc.h"
#include "line/city_gas_hydraulics.h"

namespace pylora {
namespace {

// The square of the pressure drops: P(p) = p², and back by the square root, which fails when
// the drop exceeds P1² and no outlet pressure exists.
Num squaredPressure(const Num& pressure) { return pressure * pressure; }
Num pressureOfSquare(const Num& square) { return sqrt(square); }
formula::Expr squaredPressureFormula(const formula::Expr& pressure) { return pow(pressure, formula::c(2)); }
formula::Expr pressureOfSquareFormula(const formula::Expr& square) { return sqrt(square); }

FormDefinition makeHighPressureGas() {
    return line::makeCityGasWindow({
        .formName = "高中压燃气计算",
        .title = "高中压燃气计算",
        .heading = "高中压燃气管道计算",
        .note = "【注意】：高中压燃气管道相关计算可按下式计算，该公式摘自《城镇燃气设计规范》GB50028-93（98版）中式5.2.5-1。",
        .basis = "《城镇燃气设计规范》GB50028-93（98版）式5.2.5-1",
        .formulaCaption = "高中压燃气管道计算公式",
        .inletDefault = "55",
        .outletDefault = "50",
        .lengthDefault = "120.00",
        .law = {1.27e10, "1.27×10^{10}", squaredPressure, pressureOfSquare, squaredPressureFormula,
                pressureOfSquareFormula, "P_1^2 − P_2^2", "起点与终点压力平方之差", "kPa²",
                "终点压力的平方"},
    });
}

const WindowRegistration registration("高中压燃气计算", "高中压燃气计算", makeHighPressureGas);

}  // namespace
}  // namespace pylora
