// 河岸护砌设计计算: stone protection of the river banks at a crossing: the size of the dumped
// stones of the lower layer and how far the current carries one (from its size or from its
// weight), and the equivalent diameter of the middle-layer blocks against waves.
#include "core/calc.h"
#include "core/formula_picture.h"

namespace pylora {
namespace {

using formula::fraction;
using formula::picture;
using formula::root;
using formula::row;
using formula::text;

std::string stoneSizeFormula() { return picture({text("d = KV^2")}); }

std::string driftBySizeFormula() {
    return picture({row({text("l = "), fraction(text("2.5Vh"), root(text("d")))})});
}

std::string driftByWeightFormula() {
    return picture({row({text("l = "), fraction(text("0.8Vh"), text("M^{1/6}"))})});
}

std::string blockFormula() {
    return picture({row({text("D = 1.59"), fraction(text("kγ"), text("γ_石 − γ")), text(" · "),
                         fraction(row({text("Ah_0"), root(text("m^2 + 1"))}), text("m(m + 2)"))})});
}

void computeRevetment(Form& form) {
    const Num k = FieldValue(form, "Text2");
    const Num velocity = FieldValue(form, "Text1");
    form.setText("Text6", FormatNumber(k * pow(velocity, 2), "#.##"));

    // The drift uses the stone size the engineer has chosen and typed, not the computed one.
    const Num depth = FieldValue(form, "Text4");
    const Num chosenSize = FieldValue(form, "Text5");
    form.setText("Text7", FormatNumber(2.5 * velocity * depth / sqrt(chosenSize), "#.##"));
    const Num weight = FieldValue(form, "Text3");
    form.setText("Text16", FormatNumber(0.8 * velocity * depth / pow(weight, 0.166666), "#.##"));

    const Num slopeFactor = FieldValue(form, "Text9");
    const Num water = FieldValue(form, "Text11");
    const Num stone = FieldValue(form, "Text10");
    const Num a = FieldValue(form, "Text14");
    const Num waveHeight = FieldValue(form, "Text12");
    const Num m = FieldValue(form, "Text13");
    // In metres by the formula; the factor 100 gives centimetres.
    const Num block = 100 * 1.59 * slopeFactor * water / (stone - water) * a * waveHeight *
                      sqrt(pow(m, 2) + 1) / (m * (m + 2));
    form.setText("Text15", FormatNumber(block, "#.##"));
}

FormDefinition makeBankRevetment() {
    FormDefinition def("河岸护砌设计计算", "河岸护砌设计计算");
    def.titleLabel("Label1", "河岸护砌设计计算");
    def.note("Label2",
             " 【注意】：护岸工程是水下管线穿越工程中一个十分重要的设计内容,护岸工程设计应符合国家关于"
             "河道管理条例和河道范围内建设项目管理的有关规定。");

    auto lowerLayer = def.frame("Frame5", "下层护砌相关计算", FrameRole::Formula, {0, 0});
    lowerLayer.frame("Frame3", "抛石尺寸计算", FrameRole::Formula, {0, 0})
        .picture("Image1", stoneSizeFormula(), {0, 0});
    auto drift = lowerLayer.frame("Frame4", "抛石距离计算", FrameRole::Formula, {0, 1});
    drift.picture("Image2", driftBySizeFormula(), {0, 0});
    drift.label("", "或", {0, 1});
    drift.picture("Image3", driftByWeightFormula(), {0, 2});
    def.frame("Frame6", "中层护砌中块石尺寸计算", FrameRole::Formula, {0, 1})
        .picture("Image4", blockFormula(), {0, 0});

    auto inputs = def.frame("Frame1", "输入参数", FrameRole::Input, {1, 0, 1, 2});
    inputs.field("Text1", "水流平均速度V,m/S ；", "2.2", {0, 0});
    inputs.field("Text2", "系数K，查表可得; ", "6.0", {1, 0});
    inputs.field("Text13", "坡度系数m;", "3.0", {2, 0});
    inputs.field("Text5", "抛石粒径 d,(厘米 )；", "30", {3, 0});
    inputs.field("Text3", "抛掷石块的重量M,(千克)；", "10.0", {0, 1});
    inputs.field("Text4", "水深h,(米)；", "3.0", {1, 1});
    inputs.field("Text14", "系数A，对砌石护坡，取0.64,对于方块体铺石护坡,取0.54；", "0.64", {2, 1});
    inputs.label("Label12", "备注:输入参数览中抛石粒径为根据抛石粒径结果选择抛石尺寸大小后计算抛石距离；", {3, 1});
    inputs.field("Text9", "与边坡系数m有关的系数k", "1.4", {0, 2});
    inputs.field("Text10", "石块的比重γ石；", "2400", {1, 2});
    inputs.field("Text11", "水的比重γ；", "1000", {2, 2});
    inputs.field("Text12", "波浪高h0（米）", "0.2", {3, 2});

    auto results = def.frame("Frame2", "输出结果", FrameRole::Results, {2, 0, 1, 2});
    results.result("Text6", "抛石粒径 d,(厘米)；", {0, 0});
    results.result("Text7", "石块被水流冲移水平距离,(米)", {0, 1});
    results.result("Text16", "或", {0, 2});
    results.result("Text15", "中层块石换算直径,(厘米 )", {0, 3});

    def.runButton("Command1", "开始计算", computeRevetment);
    def.printButton("Command2");
    return def;
}

const WindowRegistration registration(makeBankRevetment);

}  // namespace
}  // namespace pylora
