// 低压燃气管道计算: low-pressure city gas pipe (GB 50028-93, 5.2.4-1). The pressure drop is
// linear: (P1 − P2)/L = 6.26·10⁷·λ·Q²/d⁵·ρ·Td/Tm, P in kPa, L in km, d in mm, Q in m³/h.
#include "core/calc.h"
#include "line/city_gas_hydraulics.h"

namespace pylora {
namespace {

const char* kLowPressureFormula = R"(<svg xmlns="http://www.w3.org/2000/svg" width="429" height="88" viewBox="0 0 429 88">
<g font-family="serif" font-size="22" font-style="italic" fill="black">
<text x="13" y="24">P</text>
<text x="29" y="30" font-size="14">1</text>
<text x="43" y="24">−</text>
<text x="67" y="24">P</text>
<text x="83" y="30" font-size="14">2</text>
<text x="45" y="60">L</text>
<line x1="10" y1="39" x2="95" y2="39" stroke="black" stroke-width="1.5"/>
<text x="102" y="46">= 6.26×</text>
<text x="201" y="46">10</text>
<text x="232" y="35" font-size="14">7</text>
<text x="244" y="46">· λ ·</text>
<text x="299" y="28">Q</text>
<text x="317" y="18" font-size="14">2</text>
<text x="300" y="68">d</text>
<text x="315" y="56" font-size="14">5</text>
<line x1="296" y1="39" x2="327" y2="39" stroke="black" stroke-width="1.5"/>
<text x="334" y="46">· ρ ·</text>
<text x="391" y="24">T</text>
<text x="407" y="30" font-size="14">d</text>
<text x="389" y="60">T</text>
<text x="405" y="66" font-size="14">m</text>
<line x1="386" y1="39" x2="419" y2="39" stroke="black" stroke-width="1.5"/>
</g></svg>)";

// The pressure drops linearly: its term is the pressure itself.
Num pressureItself(const Num& pressure) { return pressure; }

FormDefinition makeLowPressureGas() {
    return line::makeCityGasWindow({
        .formName = "低压燃气管道计算",
        .title = "低压燃气管道计算",
        .heading = "低压燃气管道计算",
        .note = "【注意】：低压燃气管道相关计算可按下式计算，该公式摘自《城镇燃气设计规范》GB50028-93（98版）中式5.2.4-1。",
        .formulaCaption = "低压燃气管道计算公式",
        .formulaPicture = kLowPressureFormula,
        .inletDefault = "4.5",
        .outletDefault = "2.0",
        .lengthDefault = "10.00",
        .law = {6.26e7, pressureItself, pressureItself},
    });
}

const WindowRegistration registration(makeLowPressureGas);

}  // namespace
}  // namespace pylora
