// 跨越段热变形计算: how much a pipe section of an aerial crossing lengthens between its
// installation temperature and the temperature of the medium, the figure by which the span's
// expansion compensators are chosen.
#include "model/calc.h"

namespace pylora {
namespace {

using formula::c;
using formula::q;

// The window's fields.
constexpr auto kLength = "Text1";
constexpr auto kInstallationTemperature = "Text2";
constexpr auto kExpansionCoefficient = "Text3";
constexpr auto kMediumTemperature = "Text4";
constexpr auto kElongation = "Text6";

void computeThermalElongation(Form& form) {
    const auto [mediumTemperature, installationTemperature] =
        FieldValues(form, kMediumTemperature, kInstallationTemperature);
    const Num temperatureRise = mediumTemperature - installationTemperature;

    const auto [expansionCoefficient, length] = FieldValues(form, kExpansionCoefficient, kLength);
    // Metres to millimetres; a fall in temperature gives a negative elongation, a shortening.
    const Num elongation = 1000 * expansionCoefficient * length * temperatureRise;
    form.setText(kElongation, FormatNumber(elongation, "#.##"));
}

FormDefinition makeThermalElongation() {
    FormDefinition def("跨越段热变形计算", "跨越段热变形计算");
    def.titleLabel("Label1", "管道膨胀的热伸长量计算");
    def.note("Label2",
             " 【注意】跨越工程中管段每隔一定的距离应设置热膨胀的补偿装置，以保证管道在热状态下的稳定和安全工作，"
             "减少并释放管道受热膨胀时所产生的应力。");

    def.frame("Frame3", "管道的热伸长量计算公式 ", FrameRole::Formula, {0, 0})
        .formulas("Image1",
                  {{kElongation, c(1000) * q(kExpansionCoefficient) * q(kLength) *
                                     (q(kMediumTemperature) - q(kInstallationTemperature))}},
                  {0, 0});

    auto inputs = def.frame("Frame1", "输入参数", FrameRole::Input, {1, 0});
    inputs.field(kLength, "管道的计算长度L，m", "450", {0, 0}).means("L", "管道的计算长度", "m").positive();
    inputs.field(kExpansionCoefficient, "管材的线膨胀系数,m/m·℃；", "0.000012", {1, 0})
        .means("α", "管材的线膨胀系数", "m/(m·℃)").positive();
    inputs.field(kMediumTemperature, "输送介质温度t2，℃；", "50", {0, 1}).means("t_2", "输送介质温度", "℃").anySign();
    inputs.field(kInstallationTemperature, "管道安装时的温度t1，℃；", "10", {1, 1})
        .means("t_1", "管道安装时的温度", "℃").anySign();

    auto results = def.frame("Frame2", "输出结果", FrameRole::Results, {2, 0});
    // A pipe run colder than it was laid shortens: the elongation is negative.
    results.result(kElongation, "管道的热伸长量，mm", {0, 0}).means("ΔL", "管道的热伸长量", "mm", 2).anySign();

    def.runButton("Command1", "开始计算", computeThermalElongation);
    def.printButton("Command2");
    return def;
}

const WindowRegistration registration("跨越段热变形计算", "跨越段热变形计算", makeThermalElongation);

}  // namespace
}  // namespace pylora
