// 低压燃气管道计算: low-pressure city gas pipe (GB 50028-93, 5.2.4-1). The pressure drop is
// linear: (P1 − P2)/L = 6.26·10⁷·λ·Q²/d⁵·ρ·Td/Tm, P in kPa, L in km, d in mm, Q in m³/h.
#include "model/calc.h"
#include "line/city_gas_hydraulics.h"

namespace pylora {
namespace {

// The pressure drops linearly: its term is the pressure itself.
Num pressureItself(const Num& pressure) { return pressure; }
formula::Expr termItself(const formula::Expr& pressure) { return pressure; }

FormDefinition makeLowPressureGas() {
    return line::makeCityGasWindow({
        .formName = "低压燃气管道计算",
        .title = "低压燃气管道计算",
        .heading = "低压燃气管道计算",
        .note = "【注意】：低压燃气管道相关计算可按下式计算，该公式摘自《城镇燃气设计规范》GB50028-93（98版）中式5.2.4-1。",
        .basis = "《城镇燃气设计规范》GB50028-93（98版）式5.2.4-1",
        .formulaCaption = "低压燃气管道计算公式",
        .inletDefault = "4.5",
        .outletDefault = "2.0",
        .lengthDefault = "10.00",
        .law = {6.26e7, "6.26×10^7", pressureItself, pressureItself, termItself, termItself, "P_1 − P_2",
                "起点与终点压力之差", "kPa", "终点压力"},
    });
}

const WindowRegistration registration("低压燃气管道计算", "低压燃气管道计算", makeLowPressureGas);

}  // namespace
}  // namespace pylora
