// 爆破法开挖: a pipe trench blasted in a rocky river bed: the charge per hole for three ways of
// removing the rock, the charge over the whole trench, and four safety distances.
#include "model/calc.h"

namespace pylora {
namespace {

// Inputs.
constexpr auto kExplosiveIndex = "Text1";  // K, kg/m³
constexpr auto kResistanceLine = "Text2";  // W
constexpr auto kBlastingIndex = "Text3";   // n
constexpr auto kTotalCharge = "Text4";     // C, fired at once
constexpr auto kSeismicFactor = "Text12";  // α
constexpr auto kShockFactor = "Text13";    // KB
constexpr auto kSoilFactor = "Text14";     // Kc
constexpr auto kFragmentFactor = "Text15"; // KA
constexpr auto kTrenchLength = "Text16";
constexpr auto kChargeSpacing = "Text17";
// Results: the charge per hole and over the trench for each way of removing the rock.
constexpr auto kGrabCharge = "Text6";       // Q3, grab or heavy multi-bucket excavator
constexpr auto kGrabTotal = "Text5";
constexpr auto kExcavatorCharge = "Text9";  // Q2, single- or multi-bucket excavator
constexpr auto kExcavatorTotal = "Text7";
constexpr auto kFlowCharge = "Text10";      // Q1, rock carried off by the flow
constexpr auto kFlowTotal = "Text8";
constexpr auto kPersonsDistance = "Text18";
constexpr auto kBuildingsDistance = "Text19";
constexpr auto kFragmentsDistance = "Text20";
constexpr auto kSeismicDistance = "Text11";
constexpr auto kChargeCount = "N";  // computed, not shown

// The charges stand one at each end of the trench and one every spacing a between them. The
// quotient L/a is counted as its 15-digit decimal, so that 3.3 m over 1.1 m gives 3 spacings
// and 4 charges, although the binary quotient 2.9999999999999996 falls just short of 3.
Num chargeCount(const Num& length, const Num& spacing) {
    const Num quotient = length / spacing;
    return integerPart(FieldValueOfText(NumberText(quotient), quotient.source()) + 1);
}

// One charge read back as displayed, times the number of charges, written as the total.
void writeTotal(Form& form, const Num& charges, const char* charge, const char* total) {
    form.setText(total, FormatNumber(charges * FieldValue(form, charge), "#.##"));
}

void computeBlasting(Form& form) {
    const auto [k, w] = FieldValues(form, kExplosiveIndex, kResistanceLine);
    form.setText(kGrabCharge, FormatNumber(k * pow(w, 3), "#.###"));

    const auto [length, spacing] = FieldValues(form, kTrenchLength, kChargeSpacing);
    const Num charges = chargeCount(length, spacing);
    writeTotal(form, charges, kGrabCharge, kGrabTotal);

    form.setText(kExcavatorCharge, FormatNumber(0.33 * k * pow(w, 3), "#.###"));
    writeTotal(form, charges, kExcavatorCharge, kExcavatorTotal);

    const Num n = FieldValue(form, kBlastingIndex);
    form.setText(kFlowCharge, FormatNumber((0.4 + 0.6 * pow(n, 3)) * FieldValue(form, kGrabCharge), "#.###"));
    writeTotal(form, charges, kFlowCharge, kFlowTotal);

    const Num totalCharge = FieldValue(form, kTotalCharge);
    form.setText(kPersonsDistance, FormatNumber(10 * sqrt(totalCharge), "#.##"));
    form.setText(kBuildingsDistance, FormatNumber(FieldValue(form, kShockFactor) * sqrt(totalCharge), "#.##"));
    form.setText(kFragmentsDistance, FormatNumber(20 * FieldValue(form, kFragmentFactor) * pow(n, 2) * w, "#.##"));
    const auto [soil, blastFactor] = FieldValues(form, kSoilFactor, kSeismicFactor);
    form.setText(kSeismicDistance, FormatNumber(soil * blastFactor * pow(totalCharge, 1.0 / 3.0), "#.##"));
}

using formula::c;
using formula::q;

formula::Expr cubedResistanceLine() { return pow(q(kResistanceLine), c(3)); }

FormDefinition makeBlastingExcavation() {
    FormDefinition def("爆破法开挖", "爆破法开挖");
    def.titleLabel("Label1", "爆破法开挖管沟计算");
    def.note("Label2",
             " 【注意】： 若河床系岩石性土层，则应用水下爆破方法开挖。水下爆破常用的炸药为胶质炸药。"
             "它是硝化甘油和硝酸钾、硝酸钠或硝酸铵的一种混合物。");

    // Q1 scales the charge Q3 as displayed.
    def.frame("Frame4", "利用水流挟带爆破的石碴", FrameRole::Formula, {0, 0})
        .formulas("Image1", {{kFlowCharge, group(c(0.4) + c(0.6) * pow(q(kBlastingIndex), c(3))) * q(kGrabCharge)}},
                  {0, 0});
    def.frame("Frame5", "用抓斗式或加强式多斗挖掘机", FrameRole::Formula, {0, 1})
        .formulas("Image2", {{kGrabCharge, q(kExplosiveIndex) * cubedResistanceLine()}}, {0, 0});
    def.frame("Frame6", "用单斗或多斗式挖掘机", FrameRole::Formula, {0, 2})
        .formulas("Image3", {{kExcavatorCharge, c(0.33) * q(kExplosiveIndex) * cubedResistanceLine()}}, {0, 0});

    auto shockWave = def.frame("Frame3", "冲击波最小安全距离", FrameRole::Formula, {1, 0});
    shockWave.label("", "1）对人员：", {0, 0});
    shockWave.formulas("Image4", {{kPersonsDistance, c(10) * sqrt(q(kTotalCharge))}}, {0, 1});
    shockWave.label("", "2）对建筑物：", {1, 0});
    shockWave.formulas("Image5", {{kBuildingsDistance, q(kShockFactor) * sqrt(q(kTotalCharge))}}, {1, 1});
    def.frame("Frame7", "个别碎片飞散的安全距离 ", FrameRole::Formula, {1, 1})
        .formulas("Image6",
                  {{kFragmentsDistance,
                    c(20) * q(kFragmentFactor) * pow(q(kBlastingIndex), c(2)) * q(kResistanceLine)}},
                  {0, 0});
    def.frame("Frame8", "地震对建筑物的最小安全距离", FrameRole::Formula, {1, 2})
        .formulas("Image7",
                  {{kSeismicDistance, q(kSoilFactor) * q(kSeismicFactor) * pow(q(kTotalCharge), c(1.0 / 3.0, "1/3"))}},
                  {0, 0});

    // The charges along the trench and the totals from the charges as displayed. The run counts
    // L/a as its 15-digit decimal before taking the whole part (see chargeCount).
    def.quantity(kChargeCount, "N", "药包个数");
    def.formula({kChargeCount, fn("int", q(kTrenchLength) / q(kChargeSpacing) + c(1))});
    def.formula({kGrabTotal, q(kChargeCount) * q(kGrabCharge)});
    def.formula({kExcavatorTotal, q(kChargeCount) * q(kExcavatorCharge)});
    def.formula({kFlowTotal, q(kChargeCount) * q(kFlowCharge)});

    auto inputs = def.frame("Frame1", "输入参数", FrameRole::Input, {2, 0, 1, 3});
    inputs.field(kExplosiveIndex, "炸药单位计算指数K", "1.86", {0, 0}).means("K", "炸药单位计算指数", "kg/m³").positive();
    inputs.field(kResistanceLine, "计算抵抗线长度W（米）", "3.5", {1, 0}).means("W", "计算抵抗线长度", "m").positive();
    inputs.field(kFragmentFactor, "与地形、地质、气候及药包埋置深度有关的系数KA", "2", {2, 0})
        .means("K_A", "与地形、地质、气候及药包埋置深度有关的系数").positive();
    inputs.field(kSoilFactor, "依所保护的建筑物或构筑物的地基土壤而定的系数Kc", "15", {3, 0})
        .means("K_c", "依所保护的建筑物或构筑物的地基土壤而定的系数").positive();
    inputs.field(kTrenchLength, "采用爆破法开挖管沟长度L（米）", "300", {4, 0})
        .means("L", "采用爆破法开挖管沟长度", "m").nonNegative();
    inputs.field(kBlastingIndex, "爆破指数n", "2", {0, 1}).means("n", "爆破指数").positive();
    inputs.field(kTotalCharge, "一次起爆总装药量C(千克) ", "85.00", {1, 1}).means("C", "一次起爆总装药量", "kg").positive();
    inputs.field(kShockFactor, "与爆炸条件和破坏性质有关的系数KB", "100", {2, 1})
        .means("K_B", "与爆炸条件和破坏性质有关的系数").positive();
    inputs.field(kSeismicFactor, "依爆破作用指数而定的系数α", "1.50", {3, 1}).means("α", "依爆破作用指数而定的系数").positive();
    inputs.field(kChargeSpacing, "药包间距(米)", "6", {4, 1}).means("a", "药包间距", "m").positive();

    auto results = def.frame("Frame2", "输出结果", FrameRole::Results, {3, 0, 1, 3});
    results.result(kFlowCharge, "水下爆破用药量(利用水流挟带爆破的石碴)(千克)", {0, 0})
        .means("Q_1", "水下爆破用药量（利用水流挟带爆破的石碴）", "kg", 3);
    results.result(kFlowTotal, "总用药量(利用水流挟带爆破的石碴)(千克)", {0, 1})
        .means("ΣQ_1", "总用药量（利用水流挟带爆破的石碴）", "kg", 2);
    results.result(kExcavatorCharge, "水下爆破用药量(用单斗或多斗式挖掘机)(千克)", {1, 0})
        .means("Q_2", "水下爆破用药量（用单斗或多斗式挖掘机）", "kg", 3);
    results.result(kExcavatorTotal, "总用药量(用单斗或多斗式挖掘机)(千克)", {1, 1})
        .means("ΣQ_2", "总用药量（用单斗或多斗式挖掘机）", "kg", 2);
    results.result(kGrabCharge, "水下爆破用药量(抓斗式或加强式多斗挖掘机)(千克)", {2, 0})
        .means("Q_3", "水下爆破用药量（抓斗式或加强式多斗挖掘机）", "kg", 3);
    results.result(kGrabTotal, "总用药量(抓斗式或加强式多斗挖掘机)(千克)", {2, 1})
        .means("ΣQ_3", "总用药量（抓斗式或加强式多斗挖掘机）", "kg", 2);
    results.result(kSeismicDistance, "地震对建筑物的最小安全距离(米)", {3, 0})
        .means("R_s", "地震对建筑物的最小安全距离", "m", 2);
    results.result(kPersonsDistance, "冲击波对人员最小安全距离(米)", {3, 1})
        .means("R_p", "冲击波对人员最小安全距离", "m", 2);
    results.result(kFragmentsDistance, "个别碎片飞散的安全距离(米) ", {4, 0})
        .means("R_f", "个别碎片飞散的安全距离", "m", 2);
    results.result(kBuildingsDistance, "冲击波对建筑物最小安全距离(米)", {4, 1})
        .means("R_b", "冲击波对建筑物最小安全距离", "m", 2);

    def.runButton("Command1", "开始计算", computeBlasting);
    def.printButton("Command2");
    return def;
}

const WindowRegistration registration("爆破法开挖", "爆破法开挖", makeBlastingExcavation);

}  // namespace
}  // namespace pylora
