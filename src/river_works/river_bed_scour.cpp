// RIVER: general scour of a river bed of non-cohesive soil at a pipeline crossing: the flow
// concentration factor, the largest water depth after scour and the elevation where the scour
// stops, against which the burial depth of the pipe is set.
#include "core/calc.h"

namespace pylora {
namespace {

// The inputs are one array of fields, Text1(0) to Text1(8) without index 7.
std::string input(int index) { return indexed("Text1", index); }

void computeScour(Form& form) {
    const Num width = FieldValue(form, input(0));
    const Num meanDepth = FieldValue(form, input(2));
    const Num widthRoot = sqrt(width);
    const Num concentration = pow(blamingNegativeFactor(widthRoot / meanDepth, {meanDepth}), 0.15);

    const Num discharge = FieldValue(form, input(4));
    const Num contraction = FieldValue(form, input(3));
    const Num unitDischarge = discharge * concentration / (contraction * width);

    const Num largestDepth = FieldValue(form, input(1));
    const Num depthRatio = pow(blamingNegativeFactor(largestDepth / meanDepth, {largestDepth, meanDepth}), 5.0 / 3.0);

    const Num sediment = FieldValue(form, input(6));
    const Num grainSize = FieldValue(form, input(5));
    const Num resistance = sediment * pow(grainSize, 1.0 / 6.0);

    const Num scourBase = unitDischarge * depthRatio / resistance;
    const Num scouredDepth =
        pow(blamingNegativeFactor(scourBase, {discharge, contraction, sediment}), 3.0 / 5.0);
    form.setText("Text2", NumberText(scouredDepth));
    form.setText("Text3", NumberText(FieldValue(form, input(8)) - scouredDepth));
    form.setText("Text4", NumberText(concentration));
}

FormDefinition makeRiverBedScour() {
    FormDefinition def("RIVER", "一般冲刷计算");
    def.titleLabel("Label1", "河床稳定性评价");

    auto inputs = def.frame("Frame1", "输入参数", FrameRole::Input, {0, 0});
    inputs.field(input(0), "河面宽(米)", "76", {0, 0});
    inputs.field(input(3), "压缩系数", "1.00", {1, 0});
    inputs.field(input(6), "与汛期含砂量有关的参数E", "0.46", {2, 0});
    inputs.field(input(2), "平均水深(米)", "3.6", {3, 0});
    inputs.field(input(1), "最大水深(米)", "7.0", {0, 1});
    inputs.field(input(4), "流量(方/秒)", "738", {1, 1});
    inputs.field(input(8), "水位高程(米)", "410.5", {2, 1});
    inputs.field(input(5), "平均粒径(mm)", "33.44", {3, 1});

    auto results = def.frame("Frame2", "输出结果", FrameRole::Results, {1, 0});
    results.result("Text2", "冲刷后的最大水深(米)", {0, 0}).widthChars = 20;
    results.result("Text4", "流量集中系数A", {1, 0}).widthChars = 20;
    results.result("Text3", "冲止高程(米)", {2, 0}).widthChars = 20;

    def.runButton("Command1", "开始计算", computeScour);
    def.printButton("Command2", "打印输出 ");
    return def;
}

const WindowRegistration registration(makeRiverBedScour);

}  // namespace
}  // namespace pylora
