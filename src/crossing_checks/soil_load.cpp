// 土壤荷载计算: soil loads on a pipe or casing under a highway for three ways of laying it: in
// fill above the natural ground (上埋式), in a trench (沟埋式) and in a tunnel under a relieving
// arch (隧洞式). The two intermediate quantities h/D and S·D·Hb/h² are shown for the engineer
// to look the trench factor Ch up in a table; the window does not derive Ch from them.
#include "model/calc.h"

namespace pylora {
namespace {

constexpr double kPi = kLegacyPi;  // the window's own value of π

// The window's fields.
constexpr auto kUnitWeight = "Text1";
constexpr auto kFrictionAngle = "Text2";
constexpr auto kCover = "Text3";
constexpr auto kDiameter = "Text4";
constexpr auto kBedding = "Text5";
constexpr auto kSettlementFactor = "Text8";
constexpr auto kCasingDiameter = "Text9";
constexpr auto kFirmness = "Text10";
constexpr auto kExponent = "Text11";
constexpr auto kArchHalfAngle = "Text12";
constexpr auto kCentralAngle = "Text13";
constexpr auto kFillVertical = "Text6";
constexpr auto kFillLateral = "Text7";
constexpr auto kCoverRatio = "Text14";
constexpr auto kTrenchIndex = "Text15";
constexpr auto kTrenchVertical = "Text16";
constexpr auto kArchHeightShown = "Text17";
constexpr auto kTunnelVertical = "Text18";
constexpr auto kTunnelRadial = "Text19";
// Computed, not shown (or shown rounded).
constexpr auto kArchHalfAngleRad = "betaRad";
constexpr auto kCentralAngleRad = "centralRad";
constexpr auto kArchHeight = "ha";  // the radial load takes it unrounded

using formula::c;
using formula::fn;
using formula::pow;
using formula::q;

Num radians(const Num& degrees) { return degrees * kPi / 180; }

// An angle in degrees turned into radians with the window's π.
formula::Expr inRadians(const formula::Expr& degrees) { return degrees * c(kPi) / c(180); }

void computeSoilLoads(Form& form) {
    const auto [unitWeight, cover] = FieldValues(form, kUnitWeight, kCover);
    form.setText(kFillVertical, NumberText(unitWeight * cover));

    const auto [diameter, friction] = FieldValues(form, kDiameter, kFrictionAngle);
    const Num activeAngle = tan(radians(45 - friction / 2));
    // tan² and D² are taken whole before they multiply, as the formulas write them.
    form.setText(kFillLateral, NumberText(unitWeight * (cover + diameter / 2) * (activeAngle * activeAngle)));

    form.setText(kCoverRatio, NumberText(cover / diameter));

    const auto [bedding, casingDiameter] = FieldValues(form, kBedding, kCasingDiameter);
    form.setText(kTrenchIndex, FormatNumber(bedding * diameter * casingDiameter / (cover * cover), "#.###"));

    const Num settlementFactor = FieldValue(form, kSettlementFactor);
    form.setText(kTrenchVertical, NumberText(settlementFactor * unitWeight * casingDiameter));

    const Num beta = radians(FieldValue(form, kArchHalfAngle));
    const Num firmness = FieldValue(form, kFirmness);
    const Num archHeight = diameter / 2 * (sin(beta) / firmness - 1 + cos(beta));
    form.setText(kArchHeightShown, FormatNumber(archHeight, "#.###"));

    const Num tunnelVertical = unitWeight * (diameter * diameter) *
                               (sin(beta) * cos(beta) / 4 + sin(beta) / (3 * firmness) - beta / 4);
    form.setText(kTunnelVertical, NumberText(tunnelVertical));

    // The radial load takes the arch height as computed, not as displayed.
    const Num central = radians(FieldValue(form, kCentralAngle));
    const Num exponent = FieldValue(form, kExponent);
    const Num radial = unitWeight * (diameter * (1 - cos(central)) / 2 + archHeight) * pow(cos(central / 2), exponent);
    form.setText(kTunnelRadial, FormatNumber(radial, "#.###"));
}

void addFormulas(FormDefinition& def) {
    const auto beta = q(kArchHalfAngleRad);
    const auto central = q(kCentralAngleRad);
    def.frame("Frame3", "上埋式土壤垂直荷载计算公式", FrameRole::Formula, {0, 0})
        .formulas("Image1", {{kFillVertical, q(kUnitWeight) * q(kCover)}}, {0, 0});
    def.frame("Frame4", "上埋式土壤侧向荷载计算", FrameRole::Formula, {0, 1})
        .formulas("Image2",
                  {{kFillLateral, q(kUnitWeight) * (q(kCover) + q(kDiameter) / c(2)) *
                                      pow(fn("tan", inRadians(c(45) - q(kFrictionAngle) / c(2))), c(2))}},
                  {0, 0});
    def.frame("Frame5", "沟埋式土壤垂直荷载计算公式", FrameRole::Formula, {1, 0})
        .formulas("Image3", {{kTrenchVertical, q(kSettlementFactor) * q(kUnitWeight) * q(kCasingDiameter)}}, {0, 0});
    def.frame("Frame7", "隧洞式消力拱高度计算计算", FrameRole::Formula, {1, 1})
        .formulas("Image4",
                  {{kArchHeight, q(kDiameter) / c(2) * (fn("sin", beta) / q(kFirmness) - c(1) + fn("cos", beta))},
                   {kArchHalfAngleRad, inRadians(q(kArchHalfAngle))}},
                  {0, 0});
    def.frame("Frame6", "隧洞式土壤垂直荷载计算公式", FrameRole::Formula, {2, 0})
        .formulas("Image5",
                  {{kTunnelVertical, q(kUnitWeight) * pow(q(kDiameter), c(2)) *
                                         (fn("sin", beta) * fn("cos", beta) / c(4) +
                                          fn("sin", beta) / (c(3) * q(kFirmness)) - beta / c(4))}},
                  {0, 0});
    def.frame("Frame8", "隧洞式土壤径向荷载计算", FrameRole::Formula, {2, 1})
        .formulas("Image6",
                  {{kTunnelRadial, q(kUnitWeight) *
                                       (q(kDiameter) * (c(1) - fn("cos", central)) / c(2) + q(kArchHeight)) *
                                       pow(fn("cos", central / c(2)), q(kExponent))},
                   {kCentralAngleRad, inRadians(q(kCentralAngle))}},
                  {0, 0});

    // The two quantities the engineer looks the trench factor Ch up with.
    def.formula({kCoverRatio, formula::ratio(q(kCover), q(kDiameter))});
    def.formula({kTrenchIndex, q(kBedding) * q(kDiameter) * q(kCasingDiameter) / pow(q(kCover), c(2))});

    def.quantity(kArchHalfAngleRad, "β_{rad}", "消力拱跨距包角之半（弧度）", "rad");
    def.quantity(kCentralAngleRad, "θ′_{rad}", "自垂直直径上端算起的中心角（弧度）", "rad");
    def.quantity(kArchHeight, "h_a", "隧洞式消力拱高度", "m").shownIn = kArchHeightShown;
}

FormDefinition makeSoilLoad() {
    FormDefinition def("土壤荷载计算", "土壤荷载计算");
    def.titleLabel("Label1", "土壤荷载计算");

    addFormulas(def);

    auto inputs = def.frame("Frame1", "输入参数", FrameRole::Input, {3, 0, 1, 2});
    inputs.field(kUnitWeight, "γtu--土壤重度，KN/m3", "17.0", {0, 0}).means("γ", "土壤重度", "kN/m³").positive();
    inputs.field(kFrictionAngle, "土壤内磨擦角θ，（°） ", "45", {1, 0}).means("θ", "土壤内磨擦角", "°").between(0, 90);
    inputs.field(kBedding, "管子基底特征系数S", "10", {2, 0}).means("S", "管子基底特征系数").positive();
    inputs.field(kCasingDiameter, "套管壁厚中心处直径Hb,m", "0.529", {3, 0}).means("H_b", "套管壁厚中心处直径", "m").positive();
    inputs.field(kCover, "管顶至公路路面的距离h，m", "3.5", {0, 1}).means("h", "管顶至公路路面的距离", "m").positive();
    inputs.field(kDiameter, "管道外径D，m", "0.325", {1, 1}).means("D", "管道外径", "m").positive();
    inputs.field(kFirmness, "土壤坚固系数f", "1.0", {2, 1}).means("f", "土壤坚固系数").positive();
    inputs.field(kArchHalfAngle, "消力拱跨距包角之半β，（°）", "53", {0, 2}).means("β", "消力拱跨距包角之半", "°").between(0, 90);
    inputs.field(kCentralAngle, "自垂直直径上端算起的中心角θ',(°)", "30", {1, 2})
        .means("θ′", "自垂直直径上端算起的中心角", "°").between(0, 180);
    inputs.field(kExponent, "与土壤内磨擦角θ有关的参变数n", "5", {2, 2}).means("n", "与土壤内磨擦角θ有关的参变数").positive();
    inputs.field(kSettlementFactor, "回填土壤时,沉陷磨擦力影响系数Ch", "13.65", {3, 2})
        .means("C_h", "回填土壤时沉陷磨擦力影响系数").positive();

    auto results = def.frame("Frame2", "输出结果", FrameRole::Results, {4, 0, 1, 2});
    results.result(kFillVertical, "上埋式土壤垂直荷载(kN/m2)", {0, 0}).means("P_v", "上埋式土壤垂直荷载", "kN/m²", 3);
    results.result(kCoverRatio, "h/D(中间过程量)", {1, 0}).means("h/D", "管顶埋深与管道外径之比", "", 3);
    results.result(kTrenchVertical, "沟埋式土壤垂直荷载(kN/m2)", {2, 0})
        .means("P_t", "沟埋式土壤垂直荷载", "kN/m²", 3);
    results.result(kTunnelVertical, "隧洞式土壤垂直荷载(kN/m2)", {3, 0})
        .means("P_a", "隧洞式土壤垂直荷载", "kN/m", 3);
    results.result(kFillLateral, "上埋式土壤侧向荷载(kN/m2)", {0, 1}).means("P_h", "上埋式土壤侧向荷载", "kN/m²", 3);
    results.result(kTrenchIndex, "SDHb/h2（中间过程量）", {1, 1})
        .means("SDH_b/h^2", "沟埋式选择系数C_h的中间过程量", "", 3);
    // In firm soil (a large f) the arch closes below the pipe's crown: the formula's height is
    // then negative and lessens the radial load, as the formula means it.
    results.result(kArchHeightShown, "隧洞式消力拱高度(m)", {2, 1}).means("h_a", "隧洞式消力拱高度", "m", 3).anySign();
    results.result(kTunnelRadial, "隧洞式土壤径向荷载(kN/m2)", {3, 1})
        .means("P_r", "隧洞式土壤径向荷载", "kN/m²", 3);
    results.label("Label19", "备注:①本项计算的中间过程量为沟埋式敷设管道选择系数Ch!②输入参数中S、θ、β、f、n均可查表可得；",
                  {4, 0, 1, 2});

    // γ·D² makes the tunnel vertical load a load per metre of pipe, whatever the caption says.
    def.remark(kTunnelVertical,
               "P_a = γ·D²·(…) 的量纲为 kN/m³ × m² = kN/m，是单位管长上的荷载，而非栏目所标的 kN/m²；"
               "折算为管道外径D宽度上的平均压力为 P_a/D。")
        .referenceValue(q(kTunnelVertical) / q(kDiameter), "p_a′", "kN/m²", 3);

    def.runButton("Command1", "开始计算", computeSoilLoads);
    def.printButton("Command2");
    return def;
}

const WindowRegistration registration("土壤荷载计算", "土壤荷载计算", makeSoilLoad);

}  // namespace
}  // namespace pylora
