// 跨越段热变形计算: how much a pipe section of an aerial crossing lengthens between its
// installation temperature and the temperature of the medium, the figure by which the span's
// expansion compensators are chosen.
#include "core/calc.h"

namespace pylora {
namespace {

// ΔL = 1000·α·L·(t2 − t1), in millimetres
const char* kElongationFormula = R"(<svg xmlns="http://www.w3.org/2000/svg" width="318" height="80" viewBox="0 0 318 80">
<g font-family="serif" font-size="22" font-style="italic" fill="black">
<text x="8" y="46" font-style="normal">Δ</text>
<text x="24" y="46">L = 1000 · α · L · (t</text>
<text x="238" y="52" font-size="14">2</text>
<text x="256" y="46">− t</text>
<text x="291" y="52" font-size="14">1</text>
<text x="302" y="46">)</text>
</g></svg>)";

void computeThermalElongation(Form& form) {
    const Num mediumTemperature = FieldValue(form, "Text4");
    const Num installationTemperature = FieldValue(form, "Text2");
    const Num temperatureRise = mediumTemperature - installationTemperature;

    const Num expansionCoefficient = FieldValue(form, "Text3");
    const Num length = FieldValue(form, "Text1");
    // Metres to millimetres; a fall in temperature gives a negative elongation, a shortening.
    const Num elongation = 1000 * expansionCoefficient * length * temperatureRise;
    form.setText("Text6", FormatNumber(elongation, "#.##"));
}

FormDefinition makeThermalElongation() {
    FormDefinition def("跨越段热变形计算", "跨越段热变形计算");
    def.titleLabel("Label1", "管道膨胀的热伸长量计算");
    def.note("Label2",
             " 【注意】跨越工程中管段每隔一定的距离应设置热膨胀的补偿装置，以保证管道在热状态下的稳定和安全工作，"
             "减少并释放管道受热膨胀时所产生的应力。");

    def.frame("Frame3", "管道的热伸长量计算公式 ", FrameRole::Formula, {0, 0})
        .picture("Image1", kElongationFormula, {0, 0});

    auto inputs = def.frame("Frame1", "输入参数", FrameRole::Input, {1, 0});
    inputs.field("Text1", "管道的计算长度L，m", "450", {0, 0});
    inputs.field("Text3", "管材的线膨胀系数,m/m·℃；", "0.000012", {1, 0});
    inputs.field("Text4", "输送介质温度t2，℃；", "50", {0, 1});
    inputs.field("Text2", "管道安装时的温度t1，℃；", "10", {1, 1});

    auto results = def.frame("Frame2", "输出结果", FrameRole::Results, {2, 0});
    results.result("Text6", "管道的热伸长量，mm", {0, 0});

    def.runButton("Command1", "开始计算", computeThermalElongation);
    def.printButton("Command2");
    return def;
}

const WindowRegistration registration(makeThermalElongation);

}  // namespace
}  // namespace pylora
