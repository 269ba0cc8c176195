// 放空损失计算: the gas vented to atmosphere when a line section between two stations or valve
// rooms is shut in and emptied for repair, and the cost of that gas.
#include "model/calc.h"

namespace pylora {
namespace {

using formula::c;
using formula::q;

// The window's fields.
constexpr auto kOutsideDiameter = "Text1";
constexpr auto kWallThickness = "Text2";
constexpr auto kPressure = "Text3";
constexpr auto kLength = "Text4";
constexpr auto kUnitPrice = "Text8";
constexpr auto kVentedVolumeField = "Text6";
constexpr auto kVentingCost = "Text7";
// Quantities without a field of their own.
constexpr auto kInnerDiameter = "d";        // in metres
constexpr auto kVentedVolume = "V0";        // unrounded, behind the rounded volume field

constexpr double kPi = kLegacyPiFiveDecimals;

void computeVentingLoss(Form& form) {
    const auto [outsideDiameter, wallThickness] = FieldValues(form, kOutsideDiameter, kWallThickness);
    const Num innerDiameterM = (outsideDiameter - 2 * wallThickness) / 1000;
    const auto [length, pressure] = FieldValues(form, kLength, kPressure);
    const Num ventedVolume = kPi * (innerDiameterM * innerDiameterM) / 4 * (1000 * length) * (10 * pressure);
    form.setText(kVentedVolumeField, FormatNumber(ventedVolume, "#.##"));

    // The cost starts from the unrounded volume, not from its displayed text.
    const Num cost = FieldValue(form, kUnitPrice) * ventedVolume / 10000;
    form.setText(kVentingCost, FormatNumber(cost, "#.###"));
}

FormDefinition makeVentingLoss() {
    FormDefinition def("放空损失计算", "放空损失计算");
    def.titleLabel("Label1", "天然气放空损失计算");
    def.note("Label2",
             " 【注意】对于天然气停气整改工程中，需对停气整改段管道的天然气放空量进行计算，"
             "放空损失费中天然气单价按Velquor相关文件中规定计算。");

    // V0 = π·d²/4 · 1000·L · 10·P: the pipe volume in m³ times the pressure in units of 0.1 MPa.
    const auto pi = formula::named(kPi, "π", "圆周率");
    def.frame("Frame3", "放空量计算公式（标方）", FrameRole::Formula, {0, 0})
        .formulas("Image1",
                  {{kVentedVolume, pi * pow(q(kInnerDiameter), c(2)) / c(4) * (c(1000) * q(kLength)) *
                                       (c(10) * q(kPressure))}},
                  {0, 0});
    def.quantity(kVentedVolume, "V_0", "停气整改段天然气放空量", "m³").shownIn = kVentedVolumeField;
    def.quantity(kInnerDiameter, "d", "输气管道内径", "m");
    def.formula({kInnerDiameter, (q(kOutsideDiameter) - c(2) * q(kWallThickness)) / c(1000)});
    // W = Y·V0/10000: the cost in 10⁴ yuan at the unit price Y (yuan/m³).
    def.frame("Frame4", "放空损失费公式", FrameRole::Formula, {0, 1})
        .formulas("Image2", {{kVentingCost, q(kUnitPrice) * q(kVentedVolume) / c(10000)}}, {0, 0});

    auto inputs = def.frame("Frame1", "输入参数", FrameRole::Input, {1, 0, 1, 2});
    inputs.field(kOutsideDiameter, "输气管道外径D(毫米)", "720", {0, 0}).means("D", "输气管道外径", "mm").positive();
    inputs.field(kWallThickness, "输气管道壁厚(毫米) ", "8", {1, 0}).means("δ", "输气管道壁厚", "mm").positive();
    inputs.field(kPressure, "放空段管道天然气运行压力P，（MPa）", "3.0", {0, 1})
        .means("P", "放空段管道天然气运行压力", "MPa").positive();
    inputs.field(kLength, "放空段前后站场或阀室间距(管道实长L)(km)", "20.00", {1, 1})
        .means("L", "放空段前后站场或阀室间距（管道实长）", "km").positive();
    inputs.field(kUnitPrice, "Velquor相关文件中规定天然气放空单价Y(人民币)(单位为:元/方)", "0.853", {2, 0, 1, 2})
        .means("Y", "天然气放空单价", "元/m³").nonNegative();

    auto results = def.frame("Frame2", "输出结果", FrameRole::Results, {2, 0, 1, 2});
    results.result(kVentedVolumeField, "停气整改段天然气放空量(标方)", {0, 0})
        .means("V_0", "停气整改段天然气放空量", "m³", 2);
    results.result(kVentingCost, "停气整改段天然气放空费(万元)", {0, 1}).means("W", "停气整改段天然气放空费", "万元", 3);

    def.runButton("Command1", "开始计算", computeVentingLoss);
    def.printButton("Command2");
    return def;
}

const WindowRegistration registration("放空损失计算", "放空损失计算", makeVentingLoss);

}  // namespace
}  // namespace pylora
