// 放空损失计算: the gas vented to atmosphere when a line section between two stations or valve
// rooms is shut in and emptied for repair, and the cost of that gas.
#include "core/calc.h"

namespace pylora {
namespace {

// V0 = π·d²/4 · 1000·L · 10·P: the pipe volume in m³ times the pressure in units of 0.1 MPa.
const char* kVentedVolumeFormula = R"(<svg xmlns="http://www.w3.org/2000/svg" width="307" height="80" viewBox="0 0 307 80">
<g font-family="serif" font-size="22" font-style="italic" fill="black">
<text x="8" y="46">V</text>
<text x="24" y="52" font-size="14">0</text>
<text x="38" y="46">=</text>
<text x="67" y="28">π ·</text>
<text x="101" y="28">d</text>
<text x="116" y="18" font-size="14">2</text>
<text x="88" y="60">4</text>
<line x1="64" y1="39" x2="126" y2="39" stroke="black" stroke-width="1.5"/>
<text x="133" y="46">· 1000 L · 10 P</text>
</g></svg>)";

// W = Y·V0/10000: the cost in 10⁴ yuan at the unit price Y (yuan/m³).
const char* kVentingCostFormula = R"(<svg xmlns="http://www.w3.org/2000/svg" width="142" height="77" viewBox="0 0 142 77">
<g font-family="serif" font-size="22" font-style="italic" fill="black">
<text x="8" y="43">W =</text>
<text x="64" y="20">Y ·</text>
<text x="100" y="20">V</text>
<text x="116" y="26" font-size="14">0</text>
<text x="59" y="56">10000</text>
<line x1="56" y1="36" x2="132" y2="36" stroke="black" stroke-width="1.5"/>
</g></svg>)";

void computeVentingLoss(Form& form) {
    const Num outsideDiameter = FieldValue(form, "Text1");
    const Num wallThickness = FieldValue(form, "Text2");
    const Num innerDiameterM = (outsideDiameter - 2 * wallThickness) / 1000;
    const Num length = FieldValue(form, "Text4");
    const Num pressure = FieldValue(form, "Text3");
    const Num ventedVolume = 3.14159 * (innerDiameterM * innerDiameterM) / 4 * (1000 * length) * (10 * pressure);
    form.setText("Text6", FormatNumber(ventedVolume, "#.##"));

    // The cost starts from the unrounded volume, not from its displayed text.
    const Num cost = FieldValue(form, "Text8") * ventedVolume / 10000;
    form.setText("Text7", FormatNumber(cost, "#.###"));
}

FormDefinition makeVentingLoss() {
    FormDefinition def("放空损失计算", "放空损失计算");
    def.titleLabel("Label1", "天然气放空损失计算");
    def.note("Label2",
             " 【注意】对于天然气停气整改工程中，需对停气整改段管道的天然气放空量进行计算，"
             "放空损失费中天然气单价按Velquor相关文件中规定计算。");

    def.frame("Frame3", "放空量计算公式（标方）", FrameRole::Formula, {0, 0})
        .picture("Image1", kVentedVolumeFormula, {0, 0});
    def.frame("Frame4", "放空损失费公式", FrameRole::Formula, {0, 1})
        .picture("Image2", kVentingCostFormula, {0, 0});

    auto inputs = def.frame("Frame1", "输入参数", FrameRole::Input, {1, 0, 1, 2});
    inputs.field("Text1", "输气管道外径D(毫米)", "720", {0, 0});
    inputs.field("Text2", "输气管道壁厚(毫米) ", "8", {1, 0});
    inputs.field("Text3", "放空段管道天然气运行压力P，（MPa）", "3.0", {0, 1});
    inputs.field("Text4", "放空段前后站场或阀室间距(管道实长L)(km)", "20.00", {1, 1});
    inputs.field("Text8", "Velquor相关文件中规定天然气放空单价Y(人民币)(单位为:元/方)", "0.853", {2, 0, 1, 2});

    auto results = def.frame("Frame2", "输出结果", FrameRole::Results, {2, 0, 1, 2});
    results.result("Text6", "停气整改段天然气放空量(标方)", {0, 0});
    results.result("Text7", "停气整改段天然气放空费(万元)", {0, 1});

    def.runButton("Command1", "开始计算", computeVentingLoss);
    def.printButton("Command2");
    return def;
}

const WindowRegistration registration(makeVentingLoss);

}  // namespace
}  // namespace pylora
