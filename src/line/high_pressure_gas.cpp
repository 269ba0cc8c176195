// 高中压燃气计算: high- and medium-pressure city gas pipe (GB 50028-93, 5.2.5-1). The squared
// pressures drop: (P1² − P2²)/L = 1.27·10¹⁰·λ·Q²/d⁵·ρ·Td/Tm, P in kPa, L in km, d in mm, Q in m³/h.
#include "core/calc.h"
#include "line/city_gas_hydraulics.h"

namespace pylora {
namespace {

const char* kHighPressureFormula = R"(<svg xmlns="http://www.w3.org/2000/svg" width="437" height="93" viewBox="0 0 437 93">
<g font-family="serif" font-size="22" font-style="italic" fill="black">
<text x="13" y="28">P</text>
<text x="29" y="34" font-size="14">1</text>
<text x="31" y="18" font-size="14">2</text>
<text x="43" y="28">−</text>
<text x="67" y="28">P</text>
<text x="83" y="34" font-size="14">2</text>
<text x="85" y="18" font-size="14">2</text>
<text x="45" y="64">L</text>
<line x1="10" y1="44" x2="95" y2="44" stroke="black" stroke-width="1.5"/>
<text x="102" y="51">= 1.27×</text>
<text x="201" y="51">10</text>
<text x="232" y="40" font-size="14">10</text>
<text x="253" y="51">· λ ·</text>
<text x="308" y="34">Q</text>
<text x="326" y="22" font-size="14">2</text>
<text x="309" y="72">d</text>
<text x="324" y="62" font-size="14">5</text>
<line x1="305" y1="44" x2="336" y2="44" stroke="black" stroke-width="1.5"/>
<text x="343" y="51">· ρ ·</text>
<text x="399" y="28">T</text>
<text x="415" y="34" font-size="14">d</text>
<text x="398" y="64">T</text>
<text x="414" y="70" font-size="14">m</text>
<line x1="395" y1="44" x2="428" y2="44" stroke="black" stroke-width="1.5"/>
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
