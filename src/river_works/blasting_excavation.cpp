// 爆破法开挖: a pipe trench blasted in a rocky river bed: the charge per hole for three ways of
// removing the rock, the charge over the whole trench, and four safety distances.
#include "core/calc.h"
#include "core/formula_picture.h"

namespace pylora {
namespace {

using formula::picture;
using formula::root;
using formula::row;
using formula::text;

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
    const Num k = FieldValue(form, "Text1");
    const Num w = FieldValue(form, "Text2");
    form.setText("Text6", FormatNumber(k * pow(w, 3), "#.###"));

    // The trench length is read before the spacing (arguments have no order of their own).
    const Num length = FieldValue(form, "Text16");
    const Num charges = chargeCount(length, FieldValue(form, "Text17"));
    writeTotal(form, charges, "Text6", "Text5");

    form.setText("Text9", FormatNumber(0.33 * k * pow(w, 3), "#.###"));
    writeTotal(form, charges, "Text9", "Text7");

    const Num n = FieldValue(form, "Text3");
    form.setText("Text10", FormatNumber((0.4 + 0.6 * pow(n, 3)) * FieldValue(form, "Text6"), "#.###"));
    writeTotal(form, charges, "Text10", "Text8");

    const Num totalCharge = FieldValue(form, "Text4");
    form.setText("Text18", FormatNumber(10 * sqrt(totalCharge), "#.##"));
    form.setText("Text19", FormatNumber(FieldValue(form, "Text13") * sqrt(totalCharge), "#.##"));
    form.setText("Text20", FormatNumber(20 * FieldValue(form, "Text15") * pow(n, 2) * w, "#.##"));
    const Num soil = FieldValue(form, "Text14");
    const Num blastFactor = FieldValue(form, "Text12");
    form.setText("Text11", FormatNumber(soil * blastFactor * pow(totalCharge, 1.0 / 3.0), "#.##"));
}

FormDefinition makeBlastingExcavation() {
    FormDefinition def("爆破法开挖", "爆破法开挖");
    def.titleLabel("Label1", "爆破法开挖管沟计算");
    def.note("Label2",
             " 【注意】： 若河床系岩石性土层，则应用水下爆破方法开挖。水下爆破常用的炸药为胶质炸药。"
             "它是硝化甘油和硝酸钾、硝酸钠或硝酸铵的一种混合物。");

    def.frame("Frame4", "利用水流挟带爆破的石碴", FrameRole::Formula, {0, 0})
        .picture("Image1", picture({text("Q = (0.4 + 0.6n^3)KW^3")}), {0, 0});
    def.frame("Frame5", "用抓斗式或加强式多斗挖掘机", FrameRole::Formula, {0, 1})
        .picture("Image2", picture({text("Q = KW^3")}), {0, 0});
    def.frame("Frame6", "用单斗或多斗式挖掘机", FrameRole::Formula, {0, 2})
        .picture("Image3", picture({text("Q = 0.33KW^3")}), {0, 0});

    auto shockWave = def.frame("Frame3", "冲击波最小安全距离", FrameRole::Formula, {1, 0});
    shockWave.label("", "1）对人员：", {0, 0});
    shockWave.picture("Image4", picture({row({text("R = 10"), root(text("C"))})}), {0, 1});
    shockWave.label("", "2）对建筑物：", {1, 0});
    shockWave.picture("Image5", picture({row({text("R = K_B"), root(text("C"))})}), {1, 1});
    def.frame("Frame7", "个别碎片飞散的安全距离 ", FrameRole::Formula, {1, 1})
        .picture("Image6", picture({text("R = 20K_An^2W")}), {0, 0});
    def.frame("Frame8", "地震对建筑物的最小安全距离", FrameRole::Formula, {1, 2})
        .picture("Image7", picture({text("R = K_cαC^{1/3}")}), {0, 0});

    auto inputs = def.frame("Frame1", "输入参数", FrameRole::Input, {2, 0, 1, 3});
    inputs.field("Text1", "炸药单位计算指数K", "1.86", {0, 0});
    inputs.field("Text2", "计算抵抗线长度W（米）", "3.5", {1, 0});
    inputs.field("Text15", "与地形、地质、气候及药包埋置深度有关的系数KA", "2", {2, 0});
    inputs.field("Text14", "依所保护的建筑物或构筑物的地基土壤而定的系数Kc", "15", {3, 0});
    inputs.field("Text16", "采用爆破法开挖管沟长度L（米）", "300", {4, 0});
    inputs.field("Text3", "爆破指数n", "2", {0, 1});
    inputs.field("Text4", "一次起爆总装药量C(千克) ", "85.00", {1, 1});
    inputs.field("Text13", "与爆炸条件和破坏性质有关的系数KB", "100", {2, 1});
    inputs.field("Text12", "依爆破作用指数而定的系数α", "1.50", {3, 1});
    inputs.field("Text17", "药包间距(米)", "6", {4, 1});

    auto results = def.frame("Frame2", "输出结果", FrameRole::Results, {3, 0, 1, 3});
    results.result("Text10", "水下爆破用药量(利用水流挟带爆破的石碴)(千克)", {0, 0});
    results.result("Text8", "总用药量(利用水流挟带爆破的石碴)(千克)", {0, 1});
    results.result("Text9", "水下爆破用药量(用单斗或多斗式挖掘机)(千克)", {1, 0});
    results.result("Text7", "总用药量(用单斗或多斗式挖掘机)(千克)", {1, 1});
    results.result("Text6", "水下爆破用药量(抓斗式或加强式多斗挖掘机)(千克)", {2, 0});
    results.result("Text5", "总用药量(抓斗式或加强式多斗挖掘机)(千克)", {2, 1});
    results.result("Text11", "地震对建筑物的最小安全距离(米)", {3, 0});
    results.result("Text18", "冲击波对人员最小安全距离(米)", {3, 1});
    results.result("Text20", "个别碎片飞散的安全距离(米) ", {4, 0});
    results.result("Text19", "冲击波对建筑物最小安全距离(米)", {4, 1});

    def.runButton("Command1", "开始计算", computeBlasting);
    def.printButton("Command2");
    return def;
}

const WindowRegistration registration(makeBlastingExcavation);

}  // namespace
}  // namespace pylora
