// 低压燃气管道计算: low-pressure city gas pipe (GB 50028-93, 5.2.4-1). The pressure drop is
// linear: (P1 − P2)/L = 6.26·10⁷·λ·Q²/d⁵·ρ·Td/Tm, P in kPa, L in km, d in mm, Q in m³/h.
#include "core/calc.h"
#include "line/city_gas_hydraulics.h"

namespace pylora {
namespace {

const char* kLowPressureFormula = R"(<svg xmlns="http://www.w3.org/2000/svg" width="460" height="84" viewBox="0 0 460 84">
<g font-family="serif" font-size="22" font-style="italic" fill="black">
<text x="8" y="30">P</text><text x="22" y="36" font-size="14">1</text>
<text x="34" y="30">− P</text><text x="71" y="36" font-size="14">2</text>
<line x1="6" y1="40" x2="86" y2="40" stroke="black" stroke-width="1.5"/>
<text x="40" y="64">L</text>
<text x="94" y="48">= 6.26×10</text><text x="194" y="36" font-size="14">7</text>
<text x="206" y="48">· λ ·</text>
<text x="256" y="30">Q</text><text x="272" y="20" font-size="14">2</text>
<line x1="252" y1="40" x2="284" y2="40" stroke="black" stroke-width="1.5"/>
<text x="256" y="64">d</text><text x="268" y="54" font-size="14">5</text>
<text x="292" y="48">· ρ ·</text>
<text x="346" y="30">T</text><text x="358" y="36" font-size="14">d</text>
<line x1="342" y1="40" x2="378" y2="40" stroke="black" stroke-width="1.5"/>
<text x="344" y="64">T</text><text x="356" y="70" font-size="14">m</text>
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
