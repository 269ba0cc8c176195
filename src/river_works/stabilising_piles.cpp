// 挡桩计算: piles set on the downstream side of an underwater pipeline shorten its free span
// and take the thrust of the water; the allowed span of the pipe is the spacing of the piles.
#include "model/calc.h"
#include "model/formula_picture.h"

namespace pylora {
namespace {

// The window's fields.
constexpr auto kInertia = "Text1";        // J, in cm⁴
constexpr auto kSupportFactor = "Text2";  // K0
constexpr auto kDiameter = "Text3";
constexpr auto kAllowableStress = "Text4";
constexpr auto kThrust = "Text5";
constexpr auto kSpan = "Text6";

// Plan: the flow comes from above, the piles stand below the pipe at the spacing L.
const char* kPilePlan = R"(<svg xmlns="http://www.w3.org/2000/svg" width="280" height="170" viewBox="0 0 280 170">
<g font-family="sans-serif" font-size="13" fill="black">
<text x="12" y="20">水流方向</text>
<g stroke="#1f5fbf" stroke-width="1.5" fill="#1f5fbf">
<line x1="100" y1="10" x2="100" y2="42"/><polygon points="95,36 105,36 100,46"/>
<line x1="160" y1="10" x2="160" y2="42"/><polygon points="155,36 165,36 160,46"/>
<line x1="220" y1="10" x2="220" y2="42"/><polygon points="215,36 225,36 220,46"/>
</g>
<rect x="10" y="62" width="260" height="12" fill="#c8c8c8" stroke="black" stroke-width="1.2"/>
<text x="12" y="58">管道</text>
<g fill="#8a5a2b" stroke="black" stroke-width="1">
<circle cx="50" cy="84" r="8"/><circle cx="140" cy="84" r="8"/><circle cx="230" cy="84" r="8"/>
</g>
<text x="242" y="102">桩</text>
<g stroke="black" stroke-width="1" fill="black">
<line x1="50" y1="94" x2="50" y2="134"/><line x1="140" y1="94" x2="140" y2="134"/>
<line x1="50" y1="126" x2="140" y2="126"/>
<polygon points="50,126 58,122 58,130"/><polygon points="140,126 132,122 132,130"/>
</g>
<text x="90" y="146" font-style="italic" font-size="15">L</text>
<text x="150" y="160">桩间距即管道允许跨度</text>
</g></svg>)";

// Section across the pipe: the water thrust Px pushes the pipe against the pile.
const char* kPileSection = R"(<svg xmlns="http://www.w3.org/2000/svg" width="240" height="170" viewBox="0 0 240 170">
<g font-family="sans-serif" font-size="13" fill="black">
<line x1="10" y1="24" x2="230" y2="24" stroke="#1f5fbf" stroke-width="1.5"/>
<polygon points="190,24 198,14 182,14" fill="none" stroke="#1f5fbf" stroke-width="1.2"/>
<text x="14" y="18">水面</text>
<line x1="10" y1="120" x2="230" y2="120" stroke="black" stroke-width="1.5"/>
<g stroke="black" stroke-width="1">
<line x1="20" y1="120" x2="30" y2="130"/><line x1="50" y1="120" x2="60" y2="130"/>
<line x1="80" y1="120" x2="90" y2="130"/><line x1="170" y1="120" x2="180" y2="130"/>
<line x1="200" y1="120" x2="210" y2="130"/>
</g>
<text x="14" y="150">河床</text>
<circle cx="112" cy="100" r="20" fill="#c8c8c8" stroke="black" stroke-width="1.5"/>
<text x="98" y="72">管道</text>
<rect x="132" y="50" width="12" height="112" fill="#8a5a2b" stroke="black" stroke-width="1"/>
<text x="150" y="66">桩</text>
<g stroke="#c00000" stroke-width="2" fill="#c00000">
<line x1="40" y1="100" x2="84" y2="100"/><polygon points="84,94 94,100 84,106"/>
</g>
<text x="46" y="92" font-style="italic" font-size="15" fill="#c00000">P</text>
<text x="56" y="96" font-style="italic" font-size="11" fill="#c00000">x</text>
</g></svg>)";

std::string unitPicture() { return formula::picture({formula::text("cm^4")}, 14); }

void computePileSpacing(Form& form) {
    const auto [stress, inertia, k0, thrust, diameter] =
        FieldValues(form, kAllowableStress, kInertia, kSupportFactor, kThrust, kDiameter);
    const Num underRoot = 2 * stress * inertia / (k0 * thrust * diameter);
    // J in cm⁴, [σ] in MPa, Px in N/m, D in m: the division by 10 gives metres.
    const Num span = sqrt(blamingNegativeFactor(underRoot, {stress, inertia, k0, thrust, diameter})) / 10;
    form.setText(kSpan, FormatNumber(span, "#.##"));
}

using formula::c;
using formula::q;

FormDefinition makeStabilisingPiles() {
    FormDefinition def("挡桩计算", "稳管桩计算");
    def.titleLabel("Label1", "稳管桩相关计算");
    def.note("Label2",
             " 【注意】： 在水下管线的下游侧按一定间距,布置挡桩或浇注钢筋砼灌注桩来减少管线裸露时的跨度和"
             "降低管线承受水流压力的方法,称之为挡桩稳管。");

    def.frame("Frame3", "计算公式", FrameRole::Formula, {0, 0})
        .formulas("Image1",
                  {{kSpan, ratio(sqrt(c(2) * q(kAllowableStress) * q(kInertia) /
                                      (q(kSupportFactor) * q(kThrust) * q(kDiameter))),
                                 c(10))}},
                  {0, 0});
    auto schematics = def.frame("Frame4", "稳管桩及受力示意图", FrameRole::Formula, {0, 1});
    schematics.picture("Picture1", kPilePlan, {0, 0});
    schematics.picture("Picture2", kPileSection, {0, 1});

    auto inputs = def.frame("Frame1", "输入参数", FrameRole::Input, {1, 0, 1, 2});
    inputs.field(kInertia, "管道截面惯性矩J", "5852", {0, 0}).means("J", "管道截面惯性矩", "cm⁴").positive();
    inputs.picture("Image2", unitPicture(), {0, 1});
    inputs.field(kSupportFactor, "决定于支点数目的系数K0", "0.106", {1, 0}).means("K_0", "决定于支点数目的系数").positive();
    inputs.field(kDiameter, "管道外径（计入防腐层）（米）", "0.280", {0, 2}).means("D", "管道外径（计入防腐层）", "m").positive();
    inputs.field(kAllowableStress, "[σ]管材许用应力(MPa)", "98.00", {1, 2}).means("[σ]", "管材许用应力", "MPa").positive();
    inputs.field(kThrust, "管道所受的水平推力Px（牛/米）(详见水下管道稳定性计算)", "102", {2, 0, 1, 3})
        .means("P_x", "管道所受的水平推力", "N/m").positive();

    def.frame("Frame2", "输出结果", FrameRole::Results, {2, 0, 1, 2})
        .result(kSpan, " 管道在水中的允许跨度,即桩间距L(米 )；", {0, 0})
        .means("L", "管道在水中的允许跨度（桩间距）", "m", 2);

    def.runButton("Command1", "开始计算", computePileSpacing);
    def.printButton("Command2");
    return def;
}

const WindowRegistration registration("挡桩计算", "稳管桩计算", makeStabilisingPiles);

}  // namespace
}  // namespace pylora
