// RIVER: general scour of a river bed of non-cohesive soil at a pipeline crossing: the flow
// concentration factor, the largest water depth after scour and the elevation where the scour
// stops, against which the burial depth of the pipe is set.
#include "model/calc.h"

namespace pylora {
namespace {

// The inputs are one array of fields, Text1(0) to Text1(8) without index 7.
std::string input(int index) { return indexed("Text1", index); }

const std::string kWidth = input(0);
const std::string kLargestDepth = input(1);
const std::string kMeanDepth = input(2);
const std::string kContraction = input(3);
const std::string kDischarge = input(4);
const std::string kGrainSize = input(5);
const std::string kSediment = input(6);
const std::string kWaterLevel = input(8);
constexpr auto kScouredDepth = "Text2";
constexpr auto kScourStopLevel = "Text3";
constexpr auto kConcentration = "Text4";
constexpr auto kUnitDischarge = "q";  // computed, not shown

void computeScour(Form& form) {
    const auto [width, meanDepth] = FieldValues(form, kWidth, kMeanDepth);
    const Num widthRoot = sqrt(width);
    const Num concentration = pow(blamingNegativeFactor(widthRoot / meanDepth, {meanDepth}), 0.15);

    const auto [discharge, contraction] = FieldValues(form, kDischarge, kContraction);
    const Num unitDischarge = discharge * concentration / (contraction * width);

    const Num largestDepth = FieldValue(form, kLargestDepth);
    const Num depthRatio = pow(blamingNegativeFactor(largestDepth / meanDepth, {largestDepth, meanDepth}), 5.0 / 3.0);

    const auto [sediment, grainSize] = FieldValues(form, kSediment, kGrainSize);
    const Num resistance = sediment * pow(grainSize, 1.0 / 6.0);

    const Num scourBase = unitDischarge * depthRatio / resistance;
    const Num scouredDepth =
        pow(blamingNegativeFactor(scourBase, {discharge, contraction, sediment}), 3.0 / 5.0);
    form.setText(kScouredDepth, NumberText(scouredDepth));
    form.setText(kScourStopLevel, NumberText(FieldValue(form, kWaterLevel) - scouredDepth));
    form.setText(kConcentration, NumberText(concentration));
}

using formula::c;
using formula::q;

FormDefinition makeRiverBedScour() {
    FormDefinition def("RIVER", "一般冲刷计算");
    def.titleLabel("Label1", "河床稳定性评价");

    auto inputs = def.frame("Frame1", "输入参数", FrameRole::Input, {0, 0});
    inputs.field(kWidth, "河面宽(米)", "76", {0, 0}).means("B", "河面宽", "m").positive();
    inputs.field(kContraction, "压缩系数", "1.00", {1, 0}).means("μ", "压缩系数").fraction();
    inputs.field(kSediment, "与汛期含砂量有关的参数E", "0.46", {2, 0}).means("E", "与汛期含砂量有关的参数").positive();
    inputs.field(kMeanDepth, "平均水深(米)", "3.6", {3, 0}).means("H_m", "平均水深", "m").positive();
    inputs.field(kLargestDepth, "最大水深(米)", "7.0", {0, 1}).means("H_{max}", "冲刷前的最大水深", "m").positive();
    inputs.field(kDischarge, "流量(方/秒)", "738", {1, 1}).means("Q", "设计流量", "m³/s").positive();
    inputs.field(kWaterLevel, "水位高程(米)", "410.5", {2, 1}).means("Z", "水位高程", "m").anySign();
    inputs.field(kGrainSize, "平均粒径(mm)", "33.44", {3, 1}).means("d", "河床平均粒径", "mm").positive();

    auto results = def.frame("Frame2", "输出结果", FrameRole::Results, {1, 0});
    auto& scoured = results.result(kScouredDepth, "冲刷后的最大水深(米)", {0, 0});
    scoured.widthChars = 20;
    scoured.means("h_p", "冲刷后的最大水深", "m", 3);
    auto& concentration = results.result(kConcentration, "流量集中系数A", {1, 0});
    concentration.widthChars = 20;
    concentration.means("A", "流量集中系数", "", 4);
    auto& stop = results.result(kScourStopLevel, "冲止高程(米)", {2, 0});
    stop.widthChars = 20;
    stop.means("Z_c", "冲止高程", "m", 3).anySign();

    // The window shows no formulas; the scour depth of a non-cohesive bed, step by step.
    def.quantity(kUnitDischarge, "q", "集中后的单宽流量", "m³/(s·m)");
    def.formula({kConcentration, pow(sqrt(q(kWidth)) / q(kMeanDepth), c(0.15))});
    def.formula({kUnitDischarge, q(kDischarge) * q(kConcentration) / (q(kContraction) * q(kWidth))});
    def.formula({kScouredDepth, pow(q(kUnitDischarge) * pow(q(kLargestDepth) / q(kMeanDepth), c(5.0 / 3.0, "5/3")) /
                                        (q(kSediment) * pow(q(kGrainSize), c(1.0 / 6.0, "1/6"))),
                                    c(3.0 / 5.0, "3/5"))});
    def.formula({kScourStopLevel, q(kWaterLevel) - q(kScouredDepth)});

    def.runButton("Command1", "开始计算", computeScour);
    def.printButton("Command2", "打印输出 ");
    return def;
}

const WindowRegistration registration("RIVER", "一般冲刷计算", makeRiverBedScour);

}  // namespace
}  // namespace pylora
