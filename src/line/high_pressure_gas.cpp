// 高中压燃气计算: high- and medium-pressure city gas pipe (GB 50028-93, 5.2.5-1). The squared
// pressures drop: (P1² − P2²)/L = 1.27·10¹⁰·λ·Q²/d⁵·ρ·Td/Tm, P in kPa, L in km, d in mm, Q in m³/h.
#include "core/calc.h"
#include "line/city_gas_hydraulics.h"

namespace pylora {
namespace {

const char* kHighPressureFormula = R"(<svg xmlns="http://www.w3.org/2000/svg" width="470" height="84" viewBox="0 0 470 84">
<g font-family="serif" font-size="22" font-style="italic" fill="black">
<text x="8" y="30">P</text><text x="22" y="36" font-size="14">1</text><text x="22" y="20" font-size="14">2</text>
<text x="36" y="30">− P</text><text x="73" y="36" font-size="14">2</text><text x="73" y="20" font-size="14">2</text>
<line x1="6" y1="40" x2="88" y2="40" stroke="black" stroke-width="1.5"/>
<text x="41" y="64">L</text>
<text x="96" y="48">= 1.27×10</text><text x="196" y="36" font-size="14">10</text>
<text x="216" y="48">· λ ·</text>
<text x="266" y="30">Q</text><text x="282" y="20" font-size="14">2</text>
<line x1="262" y1="40" x2="294" y2="40" stroke="black" stroke-width="1.5"/>
<text x="266" y="64">d</text><text x="278" y="54" font-size="14">5</text>
<text x="302" y="48">· ρ ·</text>
<text x="356" y="30">T</text><text x="368" y="36" font-size="14">d</text>
<line x1="352" y1="40" x2="388" y2="40" stroke="black" stroke-width="1.5"/>
<text x="354" y="64">T</text><text x="366" y="70" font-size="14">m</text>
</g></svg>)";

// The square of the pressure drops: P(p) = p², and back by the square root, which fails when
// the drop exceeds P1² and no outlet pressure exists.
Num squaredPressure(const Num& pressure) { return pressure * pressure; }
Num pressureOfSquare(const Num& square) { return sqrt(square); }

FormDefinition makeHighPressureGas() {
    return line::makeCityGasWindow({
        .formName = "高中压燃气计算",
        .title = "高中压燃气计算",
        .heading = "高中压燃气管道计算",
        .note = "【注意】：高中压燃气管道相关计算可按下式计算，该公式摘自《城镇燃气设计规范》GB50028-93（98版）中式5.2.5-1。",
        .formulaCaption = "高中压燃气管道计算公式",
        .formulaPicture = kHighPressureFormula,
        .inletDefault = "55",
        .outletDefault = "50",
        .lengthDefault = "120.00",
        .law = {1.27e10, squaredPressure, pressureOfSquare},
    });
}

const WindowRegistration registration(makeHighPressureGas);

}  // namespace
}  // namespace pylora
