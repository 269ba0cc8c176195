// 坐标转换: transfer of points between two plane coordinate systems and auxiliary stakes,
// as a form the engineer fills in; its buttons carry no calculation.
#include "core/calc.h"

namespace pylora {
namespace {

FormDefinition makeCoordinateTransform() {
    FormDefinition def("坐标转换", "坐标转换");
    def.titleLabel("Label1", "坐 标 转 换");
    def.note("Label2",
             " 【注意】在天然气长输管道工程中经常遇到线路平面图中出现两个坐标系之间互相转换以及在设计过程中添加附桩"
             "(图解桩),需计算出该点的坐标,均可采用以下方法。");

    auto inputs = def.frame("Frame1", "输入参数", FrameRole::Input, {0, 0});
    inputs.field("Text1", "参考点A(原X坐标)", "10000.00", {0, 0});
    inputs.field("Text2", "参考点A(原Y坐标) ", "10000.00", {0, 1});
    inputs.field("Text3", "参考点A(新X坐标)", "", {1, 0});
    inputs.field("Text4", "参考点A(新Y坐标)", "", {1, 1});
    inputs.field("Text5", "参考点B(原X坐标)", "10001.234", {2, 0});
    inputs.field("Text6", "参考点B(原Y坐标)", "9998.783", {2, 1});
    inputs.field("Text7", "参考点B(新X坐标)", "", {3, 0});
    inputs.field("Text8", "参考点B(新Y坐标)", "", {3, 1});
    inputs.field("Text9", "计算点C(原X坐标)", "", {4, 0});
    inputs.field("Text10", "计算点C(原Y坐标)", "", {4, 1});
    inputs.field("Text17", "计算点D(AD长度)", "156.33", {5, 0});
    inputs.field("Text18", "计算点D(BD长度)", "233.50", {5, 1});
    inputs.field("Text19", "计算点E(AE长度)", "156.33", {6, 0});
    inputs.field("Text20", "计算点E(∠EAB夹角)", "30", {6, 1});

    // The check boxes have no caption of their own; the label to their left names them.
    auto options = def.frame("Frame2", "计算选项", FrameRole::Options, {1, 0});
    options.check("Check1", "", {0, 0}).label = "计算点C(坐标转换)";
    options.check("Check3", "", {1, 0}, true).label = "计算点D(已知D点与A、B点距离)";
    options.check("Check2", "", {2, 0}, true).label = "计算点E(已知E点与A点距离及夹角)";

    auto results = def.frame("Frame3", "输出结果", FrameRole::Results, {2, 0});
    results.result("Text11", "计算点C(新X坐标)", {0, 0});
    results.result("Text12", "计算点C(新Y坐标)", {0, 1});
    results.result("Text13", "计算点D(原X坐标)", {1, 0});
    results.result("Text14", "计算点D(原Y坐标)", {1, 1});
    results.result("Text15", "计算点E(原X坐标)", {2, 0});
    results.result("Text16", "计算点E(原Y坐标)", {2, 1});

    def.idleButton("Command1", "开始计算");
    def.printButton("Command2");
    return def;
}

const WindowRegistration registration(makeCoordinateTransform);

}  // namespace
}  // namespace pylora
