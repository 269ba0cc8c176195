// 公路穿越强度校核: ring strength of a pipe or casing under a highway. From the soil and vehicle
// loads it gives the normal force and bending moment in the wall and the stresses they cause,
// and checks the tensile stress against the allowable stress: one comparison, shown on both
// the tensile-stress and the compressive-stress rows.
#include "model/calc.h"
#include "crossing_checks/verdict_row.h"
#include "model/report_declarations.h"

namespace pylora {
namespace {

// The window's fields.
constexpr auto kSoilLoad = "Text1";
constexpr auto kLateralLoad = "Text2";
constexpr auto kVehicleLoad = "Text3";
constexpr auto kMeanDiameter = "Text4";
constexpr auto kYieldStrength = "Text5";
constexpr auto kWall = "Text8";
constexpr auto kNormalForceShown = "Text6";
constexpr auto kMomentShown = "Text7";
// The comparison rows: stress, sign, allowable stress, verdict.
constexpr auto kTensile = "Text9";
constexpr auto kTensileSign = "Text12";
constexpr auto kTensileAllowable = "Text14";
constexpr auto kTensileVerdict = "Text15";
constexpr auto kCompressive = "Text10";
constexpr auto kCompressiveSign = "Text11";
constexpr auto kCompressiveAllowable = "Text13";
constexpr auto kCompressiveVerdict = "Text16";
// Computed: the stresses take the normal force and moment unrounded.
constexpr auto kNormalForce = "Pn";
constexpr auto kMoment = "M";
constexpr auto kMeanRadius = "R";

const VerdictRow kStrengthVerdict{
    {kCompressiveSign, kTensileSign}, {kTensileVerdict, kCompressiveVerdict}, "<", ">", "满足强度要求", "不满足强度要求"};

using formula::c;
using formula::pow;
using formula::q;

void checkStrength(Form& form) {
    const Num soilLoad = FieldValue(form, kSoilLoad);
    const Num load = soilLoad + FieldValue(form, kVehicleLoad);

    const Num allowable = FieldValue(form, kYieldStrength) / 1.7;
    form.setText(kTensileAllowable, NumberText(allowable));
    form.setText(kCompressiveAllowable, NumberText(allowable));

    const Num meanDiameter = FieldValue(form, kMeanDiameter);
    const Num normalForce = 0.5 * load * meanDiameter;
    form.setText(kNormalForceShown, FormatNumber(normalForce, "#.###"));

    const Num radius = meanDiameter / 2;
    const Num radiusSquared = radius * radius;  // R² taken whole, as the formula writes it
    const Num lateral = FieldValue(form, kLateralLoad);
    const Num moment = -0.308 * load * radiusSquared + 0.25 * lateral * radiusSquared;
    form.setText(kMomentShown, FormatNumber(moment, "#.###"));

    // The stresses take the normal force and moment as computed, not as displayed.
    const Num wall = FieldValue(form, kWall);
    const Num tensile = 6 * moment / (wall * wall) - normalForce / wall;
    form.setText(kTensile, NumberText(tensile));
    const Num compressive = normalForce / wall - 6 * moment / (wall * wall);
    form.setText(kCompressive, NumberText(compressive));

    writeVerdict(form, kStrengthVerdict, abs(tensile) < allowable);
}

void runStrengthCheck(Form& form) { runToVerdict(form, kStrengthVerdict, checkStrength); }

void addFormulas(FormDefinition& def) {
    const auto totalLoad = q(kSoilLoad) + q(kVehicleLoad);
    const auto radiusSquared = pow(q(kMeanRadius), c(2));
    const auto bendingStress = c(6) * q(kMoment) / pow(q(kWall), c(2));
    const auto normalStress = q(kNormalForce) / q(kWall);
    const auto allowable = q(kYieldStrength) / c(1.7);

    def.frame("Frame3", "法向力Pn", FrameRole::Formula, {0, 0})
        .formulas("Image1", {{kNormalForce, c(0.5) * totalLoad * q(kMeanDiameter)}}, {0, 0});
    def.frame("Frame4", "弯矩M", FrameRole::Formula, {0, 1})
        .formulas("Image2",
                  {{kMoment, -(c(0.308) * totalLoad * radiusSquared) + c(0.25) * q(kLateralLoad) * radiusSquared},
                   {kMeanRadius, q(kMeanDiameter) / c(2)}},
                  {0, 0});
    def.frame("Frame5", "拉应力校核", FrameRole::Formula, {1, 0})
        .formulas("Image3",
                  {{kTensile, bendingStress - normalStress},
                   {kTensileAllowable, allowable},
                   formula::words("|σ_l| < [σ]")},
                  {0, 0});
    def.frame("Frame6", "压应力校核", FrameRole::Formula, {1, 1})
        .formulas("Image4",
                  {{kCompressive, normalStress - bendingStress},
                   {kCompressiveAllowable, allowable},
                   formula::words("|σ_z| < [σ]")},
                  {0, 0});

    def.quantity(kNormalForce, "P_n", "外载作用下管子产生的法向力", "kN/m", 3).shownIn = kNormalForceShown;
    def.quantity(kMoment, "M", "外载作用下管子产生的弯矩", "kN·m", 3).shownIn = kMomentShown;
    def.quantity(kMeanRadius, "R", "管道平均半径", "m");
}

// A comparison row: the labelled stress, then its sign, allowable stress and verdict cells.
// `stress` names what the row checks ("拉应力").
void comparisonRow(FrameBuilder& frame, int row, const char* field, const char* label, const char* symbol,
                   const std::string& stress, const char* sign, const char* limit, const char* verdict) {
    frame.result(field, label, {row, 0}).means(symbol, "外载作用下管子产生的" + stress, "kN/m²", 3).widthChars = 16;
    frame.cell(sign, " ", {row, 1}).means("", stress + "与许用应力的比较").verdict().widthChars = 2;
    frame.result(limit, "", {row, 2}).means("[σ]", "许用应力", "kN/m²", 3).widthChars = 16;
    frame.cell(verdict, " ", {row, 3}).means("", stress + "校核结论").verdict().widthChars = 14;
}

FormDefinition makeHighwayStrengthCheck() {
    FormDefinition def("公路穿越强度校核", "公路穿越强度校核");
    def.titleLabel("Label1", "公路穿越强度校核");

    addFormulas(def);

    auto inputs = def.frame("Frame1", "输入参数", FrameRole::Input, {2, 0, 1, 2});
    inputs.field(kSoilLoad, "管子受土壤垂直荷载Ptu(KN/m2)", "125", {0, 0}).means("P_{tu}", "管子受土壤垂直荷载", "kN/m²").nonNegative();
    inputs.field(kLateralLoad, "管子受土壤侧向荷载Ptuc(KN/m2)", "20", {1, 0})
        .means("P_{tuc}", "管子受土壤侧向荷载", "kN/m²").nonNegative();
    inputs.field(kYieldStrength, "钢管材质屈服极限(KN/m2)", "245000", {2, 0}).means("σ_s", "钢管材质屈服极限", "kN/m²").positive();
    inputs.field(kVehicleLoad, "管顶受汽车荷载Pk(KN/m2)", "10", {0, 1}).means("P_k", "管顶受汽车荷载", "kN/m²").nonNegative();
    inputs.field(kMeanDiameter, "管道平均直径(米)", "0.325", {1, 1}).means("D_{pm}", "管道平均直径", "m").positive();
    inputs.field(kWall, "管道壁厚(米)", "0.08", {2, 1}).means("δ", "管道壁厚", "m").positive();

    auto results = def.frame("Frame2", "输出结果", FrameRole::Results, {3, 0, 1, 2});
    results.result(kNormalForceShown, "外载作用下管子产生的法向力(KN/m)", {0, 0})
        .means("P_n", "外载作用下管子产生的法向力", "kN/m", 3);
    results.result(kMomentShown, "外载作用下管子产生的弯矩(KN·m)", {0, 2, 1, 2})
        .means("M", "外载作用下管子产生的弯矩", "kN·m", 3);
    comparisonRow(results, 1, kTensile, "外载作用下管子产生的拉应力(KN/m2)", "σ_l", "拉应力", kTensileSign,
                  kTensileAllowable, kTensileVerdict);
    comparisonRow(results, 2, kCompressive, "外载作用下管子产生的压应力(KN/m2)", "σ_z", "压应力", kCompressiveSign,
                  kCompressiveAllowable, kCompressiveVerdict);

    def.runButton("Command1", "开始计算", runStrengthCheck);
    def.printButton("Command2");
    return def;
}

// Both stresses are held to [σ] by their magnitude, as the window's verdict is.
const ComparisonRegistration checks("公路穿越强度校核",
                                    {{kTensile, kTensileSign, kTensileAllowable, kTensileVerdict, true},
                                     {kCompressive, kCompressiveSign, kCompressiveAllowable, kCompressiveVerdict, true}});
const WindowRegistration registration("公路穿越强度校核", "公路穿越强度校核", makeHighwayStrengthCheck);

}  // namespace
}  // namespace pylora
