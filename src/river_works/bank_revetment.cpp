// 河岸护砌设计计算: stone protection of the river banks at a crossing: the size of the dumped
// stones of the lower layer and how far the current carries one (from its size or from its
// weight), and the equivalent diameter of the middle-layer blocks against waves.
#include "model/calc.h"

namespace pylora {
namespace {

// Inputs.
constexpr auto kVelocity = "Text1";
constexpr auto kStoneSizeFactor = "Text2";  // K, from a table
constexpr auto kStoneWeight = "Text3";
constexpr auto kDepth = "Text4";
constexpr auto kChosenSize = "Text5";       // the size the engineer chose after seeing the required one
constexpr auto kSlopeFactor = "Text9";      // k, depends on m
constexpr auto kStoneUnitWeight = "Text10";
constexpr auto kWaterUnitWeight = "Text11";
constexpr auto kWaveHeight = "Text12";
constexpr auto kSlope = "Text13";           // m
constexpr auto kPavingFactor = "Text14";    // A
// Results.
constexpr auto kRequiredSize = "Text6";
constexpr auto kDriftBySize = "Text7";
constexpr auto kDriftByWeight = "Text16";
constexpr auto kBlockDiameter = "Text15";

void computeRevetment(Form& form) {
    const auto [k, velocity] = FieldValues(form, kStoneSizeFactor, kVelocity);
    form.setText(kRequiredSize, FormatNumber(k * pow(velocity, 2), "#.##"));

    // The drift uses the stone size the engineer has chosen and typed, not the computed one.
    const auto [depth, chosenSize] = FieldValues(form, kDepth, kChosenSize);
    form.setText(kDriftBySize, FormatNumber(2.5 * velocity * depth / sqrt(chosenSize), "#.##"));
    const Num weight = FieldValue(form, kStoneWeight);
    form.setText(kDriftByWeight, FormatNumber(0.8 * velocity * depth / pow(weight, 0.166666), "#.##"));

    const auto [slopeFactor, water, stone, a, waveHeight, m] =
        FieldValues(form, kSlopeFactor, kWaterUnitWeight, kStoneUnitWeight, kPavingFactor, kWaveHeight, kSlope);
    // Stone no heavier than water weighs nothing under water and protects no bank.
    if (stone <= water) throw RunFailure(FailureKind::NoSolution, kStoneUnitWeight, "不大于水的比重：块石在水中无重量");
    // In metres by the formula; the factor 100 gives centimetres.
    const Num block = 100 * 1.59 * slopeFactor * water / (stone - water) * a * waveHeight *
                      sqrt(pow(m, 2) + 1) / (m * (m + 2));
    form.setText(kBlockDiameter, FormatNumber(block, "#.##"));
}

using formula::c;
using formula::q;

// D = 1.59·kγ/(γs − γ) · A·h0·√(m² + 1)/(m(m + 2)) in metres; the factor 100 gives centimetres.
formula::Expr blockDiameterFormula() {
    const auto unitWeights = q(kSlopeFactor) * q(kWaterUnitWeight) / (q(kStoneUnitWeight) - q(kWaterUnitWeight));
    const auto slope = q(kPavingFactor) * q(kWaveHeight) * sqrt(pow(q(kSlope), c(2)) + c(1)) /
                       (q(kSlope) * group(q(kSlope) + c(2)));
    return c(100) * c(1.59) * unitWeights * slope;
}

FormDefinition makeBankRevetment() {
    FormDefinition def("河岸护砌设计计算", "河岸护砌设计计算");
    def.titleLabel("Label1", "河岸护砌设计计算");
    def.note("Label2",
             " 【注意】：护岸工程是水下管线穿越工程中一个十分重要的设计内容,护岸工程设计应符合国家关于"
             "河道管理条例和河道范围内建设项目管理的有关规定。");

    auto lowerLayer = def.frame("Frame5", "下层护砌相关计算", FrameRole::Formula, {0, 0});
    lowerLayer.frame("Frame3", "抛石尺寸计算", FrameRole::Formula, {0, 0})
        .formulas("Image1", {{kRequiredSize, q(kStoneSizeFactor) * pow(q(kVelocity), c(2))}}, {0, 0});
    auto drift = lowerLayer.frame("Frame4", "抛石距离计算", FrameRole::Formula, {0, 1});
    drift.formulas("Image2", {{kDriftBySize, c(2.5) * q(kVelocity) * q(kDepth) / sqrt(q(kChosenSize))}}, {0, 0});
    drift.label("", "或", {0, 1});
    drift.formulas("Image3",
                   {{kDriftByWeight, c(0.8) * q(kVelocity) * q(kDepth) / pow(q(kStoneWeight), c(0.166666))}},
                   {0, 2});
    def.frame("Frame6", "中层护砌中块石尺寸计算", FrameRole::Formula, {0, 1})
        .formulas("Image4", {{kBlockDiameter, blockDiameterFormula()}}, {0, 0});

    // The unit weights of stone and water enter only as their ratio; the window takes kg/m³.
    auto inputs = def.frame("Frame1", "输入参数", FrameRole::Input, {1, 0, 1, 2});
    inputs.field(kVelocity, "水流平均速度V,m/S ；", "2.2", {0, 0}).means("V", "水流平均速度", "m/s").positive();
    inputs.field(kStoneSizeFactor, "系数K，查表可得; ", "6.0", {1, 0}).means("K", "抛石粒径系数（查表）").positive();
    inputs.field(kSlope, "坡度系数m;", "3.0", {2, 0}).means("m", "坡度系数").positive();
    inputs.field(kChosenSize, "抛石粒径 d,(厘米 )；", "30", {3, 0}).means("d", "选定的抛石粒径", "cm").positive();
    inputs.field(kStoneWeight, "抛掷石块的重量M,(千克)；", "10.0", {0, 1}).means("M", "抛掷石块的重量", "kg").positive();
    inputs.field(kDepth, "水深h,(米)；", "3.0", {1, 1}).means("h", "水深", "m").positive();
    inputs.field(kPavingFactor, "系数A，对砌石护坡，取0.64,对于方块体铺石护坡,取0.54；", "0.64", {2, 1})
        .means("A", "护坡系数（砌石护坡0.64，方块体铺石护坡0.54）").positive();
    inputs.label("Label12", "备注:输入参数览中抛石粒径为根据抛石粒径结果选择抛石尺寸大小后计算抛石距离；", {3, 1});
    inputs.field(kSlopeFactor, "与边坡系数m有关的系数k", "1.4", {0, 2}).means("k", "与边坡系数m有关的系数").positive();
    inputs.field(kStoneUnitWeight, "石块的比重γ石；", "2400", {1, 2}).means("γ_s", "石块的比重", "kg/m³").positive();
    inputs.field(kWaterUnitWeight, "水的比重γ；", "1000", {2, 2}).means("γ", "水的比重", "kg/m³").positive();
    inputs.field(kWaveHeight, "波浪高h0（米）", "0.2", {3, 2}).means("h_0", "波浪高", "m").nonNegative();

    auto results = def.frame("Frame2", "输出结果", FrameRole::Results, {2, 0, 1, 2});
    results.result(kRequiredSize, "抛石粒径 d,(厘米)；", {0, 0}).means("d_c", "所需抛石粒径", "cm", 2);
    results.result(kDriftBySize, "石块被水流冲移水平距离,(米)", {0, 1})
        .means("l_1", "石块被水流冲移水平距离（按粒径）", "m", 2);
    results.result(kDriftByWeight, "或", {0, 2}).means("l_2", "石块被水流冲移水平距离（按重量）", "m", 2);
    results.result(kBlockDiameter, "中层块石换算直径,(厘米 )", {0, 3}).means("d_m", "中层块石换算直径", "cm", 2);

    def.runButton("Command1", "开始计算", computeRevetment);
    def.printButton("Command2");
    return def;
}

const WindowRegistration registration("河岸护砌设计计算", "河岸护砌设计计算", makeBankRevetment);

}  // namespace
}  // namespace pylora
