// 稳定计算: the forces a river acts with on a pipe laid across its bed (static buoyancy,
// hydrodynamic uplift and horizontal thrust), the ballast that keeps the pipe in place, and the
// stone or gabion ballast that provides it. Forces are in kilograms-force per metre of pipe.
#include "model/calc.h"
#include "model/input_domain_bounds.h"

namespace pylora {
namespace {

constexpr double kPi = kLegacyPi;
constexpr double kNewtonToKgf = kNewtonsToKilogramsForce;

// The window's fields.
constexpr auto kDiameter = "Text1";
constexpr auto kVelocity = "Text2";
constexpr auto kWaterWeight = "Text3";
constexpr auto kBendRise = "Text4";
constexpr auto kModulus = "Text5";
constexpr auto kFriction = "Text11";
constexpr auto kStoneWeight = "Text12";
constexpr auto kDragCoefficient = "Text16";
constexpr auto kLiftCoefficient = "Text17";
constexpr auto kBendConstant = "Text18";
constexpr auto kGravity = "Text19";
constexpr auto kFillFactor = "Text20";
constexpr auto kInertia = "Text21";
constexpr auto kElasticLength = "Text22";
constexpr auto kSafetyFactor = "Text25";
constexpr auto kPipeWeight = "Text26";
constexpr auto kWithBending = "Option1(0)";
constexpr auto kWithoutBending = "Option1(1)";
constexpr auto kBuoyancyShown = "Text10";
constexpr auto kUpliftShown = "Text8";
constexpr auto kThrustShown = "Text9";
constexpr auto kStoneSize = "Text15";
constexpr auto kBendingLoadShown = "Text7";
constexpr auto kBallastShown = "Text6";
constexpr auto kGabionLength = "Text14";
constexpr auto kRemainingThrustShown = "Text23";
constexpr auto kStoneInAirShown = "Text24";
constexpr auto kStoneCover = "Text13";
// The forces unrounded, as the ballast, the stone weight and the cover take them.
constexpr auto kBuoyancy = "A";
constexpr auto kUplift = "Fy";
constexpr auto kThrust = "Fx";
constexpr auto kBendingLoad = "P";
constexpr auto kBallast = "W";
constexpr auto kRemainingThrust = "T";
constexpr auto kStoneInAir = "G";

using formula::c;
using formula::pow;
using formula::q;

void computeStability(Form& form) {
    const auto [waterWeight, diameter] = FieldValues(form, kWaterWeight, kDiameter);
    const Num buoyancy = waterWeight * (kPi * diameter * diameter) * kNewtonToKgf / 4;
    form.setText(kBuoyancyShown, FormatNumber(buoyancy, "#.###"));

    const auto [velocity, gravity] = FieldValues(form, kVelocity, kGravity);
    const Num velocityPressure = diameter * waterWeight * velocity * velocity * kNewtonToKgf / (2 * gravity);
    const Num uplift = FieldValue(form, kLiftCoefficient) * velocityPressure;
    form.setText(kUpliftShown, FormatNumber(uplift, "#.###"));
    const Num thrust = FieldValue(form, kDragCoefficient) * velocityPressure;
    form.setText(kThrustShown, FormatNumber(thrust, "#.###"));

    const Num stoneSize = 1000 * velocity * velocity / (2 * gravity);
    form.setText(kStoneSize, FormatNumber(stoneSize, "#.###"));

    Num bendingLoad = 0;
    if (!form.checked(kWithoutBending)) {
        const auto [modulus, inertia, constant, rise] = FieldValues(form, kModulus, kInertia, kBendConstant, kBendRise);
        const Num lengthCm = 100 * FieldValue(form, kElasticLength);
        bendingLoad = modulus * inertia * constant * rise / pow(lengthCm, 4);
        form.setText(kBendingLoadShown, FormatNumber(bendingLoad, "#.###"));
    } else {
        form.setText(kBendingLoadShown, "0");
    }

    const Num pipeWeight = FieldValue(form, kPipeWeight);
    const Num ballast = buoyancy + thrust + uplift + bendingLoad - pipeWeight;
    form.setText(kBallastShown, FormatNumber(ballast, "#.###"));

    form.setText(kGabionLength, FormatNumber(diameter + 4.5, "#.##"));

    // The remaining thrust starts from the forces as displayed, as the engineer reads them.
    const auto [shownThrust, friction, shownBallast, shownBuoyancy, shownUplift] =
        FieldValues(form, kThrustShown, kFriction, kBallastShown, kBuoyancyShown, kUpliftShown);
    const Num remainingThrust = shownThrust - friction * (shownBallast - shownBuoyancy - shownUplift);
    form.setText(kRemainingThrustShown, FormatNumber(remainingThrust, "#.###"));

    const Num stoneWeight = FieldValue(form, kStoneWeight);
    // Stone no heavier than water weighs nothing under water and holds no pipe down.
    if (stoneWeight <= waterWeight) throw RunFailure(FailureKind::NoSolution, kStoneWeight, "不大于水的容重：块石在水中无重量");
    const Num airToWater = stoneWeight / (stoneWeight - waterWeight);
    const auto [safety, shownBendingLoad] = FieldValues(form, kSafetyFactor, kBendingLoadShown);
    const Num stoneInAir = (safety * (remainingThrust + buoyancy + thrust + shownBendingLoad) - ballast) * airToWater;
    // The formula subtracts the uplift with the ballast but adds it back nowhere: an uplift above
    // the remaining thrust and the pipe's weight gives a negative stone weight, which no stone is.
    if (stoneInAir < 0)
        throw RunFailure(FailureKind::NoSolution, kLiftCoefficient, "过大：上抬力使石料重量公式得负值，公式不适用");
    form.setText(kStoneInAirShown, FormatNumber(stoneInAir, "#.###"));

    const Num fillFactor = FieldValue(form, kFillFactor);
    const Num coverThickness = 10 * stoneInAir / (fillFactor * diameter * stoneWeight);
    form.setText(kStoneCover, FormatNumber(coverThickness, "#.###"));
}

// The formula pictures, each captioned (公式1) … (公式6) above it.
void addFormulas(FormDefinition& def) {
    const auto newtonToKgf = c(kNewtonToKgf);
    // The velocity pressure D·γw·V²/(2g), in kgf per metre.
    const auto velocityPressure =
        q(kDiameter) * q(kWaterWeight) * pow(q(kVelocity), c(2)) * newtonToKgf / (c(2) * q(kGravity));
    const std::vector<std::vector<formula::Formula>> pictures = {
        {{kBuoyancy, c(kPi) * pow(q(kDiameter), c(2)) * q(kWaterWeight) * newtonToKgf / c(4)}},
        {{kUplift, q(kLiftCoefficient) * velocityPressure}, {kThrust, q(kDragCoefficient) * velocityPressure}},
        {formula::when(kWithBending, {kBendingLoad, q(kModulus) * q(kInertia) * q(kBendConstant) * q(kBendRise) /
                                                        pow(c(100) * q(kElasticLength), c(4))})},
        {{kBallast, q(kBuoyancy) + q(kThrust) + q(kUplift) + q(kBendingLoad) - q(kPipeWeight)}},
        // T from the forces as displayed; G from T, A, Fx and W unrounded and P as displayed.
        {{kRemainingThrust,
          q(kThrustShown) - q(kFriction) * (q(kBallastShown) - q(kBuoyancyShown) - q(kUpliftShown))},
         {kStoneInAir, (q(kSafetyFactor) * (q(kRemainingThrust) + q(kBuoyancy) + q(kThrust) + q(kBendingLoadShown)) -
                        q(kBallast)) *
                           (q(kStoneWeight) / (q(kStoneWeight) - q(kWaterWeight)))}},
        {{kStoneCover, c(10) * q(kStoneInAir) / (q(kFillFactor) * q(kDiameter) * q(kStoneWeight))},
         {kStoneSize, c(1000) * pow(q(kVelocity), c(2)) / (c(2) * q(kGravity))}},
    };
    // Beside the inputs and results, in two columns: the two widest alone in their rows.
    auto frame = def.frame("Frame3", "计算公式", FrameRole::Formula, {0, 1, 3, 1});
    const GridPlace places[6] = {{0, 0}, {1, 0}, {0, 1}, {2, 0, 1, 2}, {3, 0, 1, 2}, {1, 1}};
    for (int i = 0; i < 6; ++i) {
        ControlDef& picture = frame.formulas("Image" + std::to_string(i + 1), pictures[i], places[i]);
        picture.label = "(公式" + std::to_string(i + 1) + ")";
        picture.labelPlacement = LabelPlacement::Above;
    }
    def.formula(formula::when(kWithoutBending, {kBendingLoad, c(0)}));
    def.formula({kGabionLength, q(kDiameter) + c(4.5)});

    def.quantity(kBuoyancy, "A", "单位管长静水浮力", "kgf/m", 3).shownIn = kBuoyancyShown;
    def.quantity(kUplift, "F_y", "单位管长动水上抬力", "kgf/m", 3).shownIn = kUpliftShown;
    def.quantity(kThrust, "F_x", "单位管长动水水平推力", "kgf/m", 3).shownIn = kThrustShown;
    def.quantity(kBendingLoad, "P", "保持自由弯曲需加压重力", "kgf/m", 3).shownIn = kBendingLoadShown;
    def.quantity(kBallast, "W", "为保持管道稳定需加压重力", "kgf/m", 3).shownIn = kBallastShown;
    def.quantity(kRemainingThrust, "T", "单位管长所剩余的水平推力", "kgf/m", 3).shownIn = kRemainingThrustShown;
    def.quantity(kStoneInAir, "G", "单位管长所压石料在空气中的重量", "kgf/m", 3).shownIn = kStoneInAirShown;
}

// The remaining thrust's friction leaves the pipe's own weight q out of the force pressing the
// pipe on the bed, so T comes out larger than the thrust Fx itself; the stone weight and the
// cover follow it. The notes give the same chain with q in the normal force.
formula::Expr thrustWithPipeWeight() {
    return q(kThrustShown) -
           q(kFriction) * group(q(kPipeWeight) + q(kBallastShown) - q(kBuoyancyShown) - q(kUpliftShown));
}

formula::Expr stoneWithPipeWeight() {
    return (q(kSafetyFactor) * group(thrustWithPipeWeight() + q(kBuoyancy) + q(kThrust) + q(kBendingLoadShown)) -
            q(kBallast)) *
           (q(kStoneWeight) / (q(kStoneWeight) - q(kWaterWeight)));
}

void addRemarks(FormDefinition& def) {
    def.remark(kRemainingThrust,
               "剩余水平推力按 T = F_x − f·(W − A − F_y) 计算，摩擦力的法向力中未计管道自重q，故T可大于动水水平推力F_x本身；"
               "计入管道自重时法向力为 q + W − A − F_y。")
        .referenceValue(thrustWithPipeWeight(), "T′", "kgf/m", 3);
    def.remark(kStoneInAir, "石料重量G由剩余水平推力T求得，T未计管道自重（见T的注），G随之偏大；参考值以计入管道自重的T′代入。")
        .referenceValue(stoneWithPipeWeight(), "G′", "kgf/m", 3);
    def.remark(kStoneCover, "块石最小厚度由石料重量G求得，随T、G一并偏大；参考值以计入管道自重的G′代入。")
        .referenceValue(c(10) * stoneWithPipeWeight() / (q(kFillFactor) * q(kDiameter) * q(kStoneWeight)), "h_s′", "m",
                        3);
}

FormDefinition makeUnderwaterStability() {
    FormDefinition def("稳定计算", "稳定计算");
    def.titleLabel("Label1", "穿越管段稳定性计算");
    def.note("Label2",
             " 【注意】：管道埋深在最大冲刷深度以下称为全埋敷设；管道埋深在平均冲刷深度以下则称为半埋敷设；"
             "当水流绕过管道流动时，有两个作用力，一个力是上抬力，另一个力是水平推力。");

    addFormulas(def);

    auto options = def.frame("Frame4", "计算选项", FrameRole::Options, {0, 0});
    options.option(kWithBending, "", {0, 0}).means("", "是否计入弯曲应力").label = "有弯曲应力";
    options.option(kWithoutBending, "", {0, 1}, true).means("", "是否计入弯曲应力").label = "无弯曲应力(包括倒虹吸管现象)";

    auto inputs = def.frame("Frame1", "输入参数", FrameRole::Input, {1, 0});
    inputs.field(kDiameter, "管道外径(包括防腐层、保护层等)(米)", "0.280", {0, 0})
        .means("D", "管道外径（包括防腐层、保护层等）", "m").positive();
    inputs.field(kVelocity, "河道底部的水流速度V(米/秒)", "1.10", {1, 0}).means("V", "河道底部的水流速度", "m/s").nonNegative();
    inputs.field(kModulus, "管材弹性模量E( MPa);", "210000", {2, 0}).means("E", "管材弹性模量", "MPa").positive();
    inputs.field(kElasticLength, "弹性敷设段水平长度(米)", "300", {3, 0}).means("L", "弹性敷设段水平长度", "m").positive();
    inputs.field(kInertia, "管道的惯性矩(厘米^4)", "8582", {4, 0}).means("I", "管道的惯性矩", "cm⁴").positive();
    inputs.field(kWaterWeight, "γ 水的容重（牛/米）", "10000", {0, 1}).means("γ_w", "水的容重", "N/m³").positive();
    inputs.field(kBendRise, "弯曲矢高H（厘米） ", "98.00", {1, 1}).means("H", "弯曲矢高", "cm").positive();
    inputs.field(kStoneWeight, "γ 石料的容重（牛/米 )", "24000", {2, 1}).means("γ_s", "石料的容重", "N/m³").positive();
    inputs.field(kFillFactor, "石笼充实系数", "0.90", {3, 1}).means("C_0", "石笼充实系数").fraction();
    inputs.field(kFriction, "管道与河床的摩擦系数", "0.4", {4, 1}).means("f", "管道与河床的摩擦系数").positive();
    inputs.field(kDragCoefficient, "阻力系数Cx", "1.20", {0, 2}).means("C_x", "阻力系数（水平推力）").positive();
    inputs.field(kLiftCoefficient, "阻力系数Cy", "0.60", {1, 2}).means("C_y", "阻力系数（上抬力）").positive();
    inputs.field(kBendConstant, "常数K", "125000", {2, 2}).means("K", "保持自由弯曲需加压重力公式中的常数").positive();
    inputs.field(kGravity, "重力加速度g", "9.8066 ", {3, 2}).means("g", "重力加速度", "m/s²").positive();
    inputs.field(kSafetyFactor, "石笼安全系数", "1.5", {4, 2}).means("K_s", "石笼安全系数").within(atLeast(1));
    // The pipe weight's long caption spans the left and middle columns; its field stands in the right one.
    const char* pipeWeightCaption = "管道在空气单位长度中的总重量（包括防腐层、保护层）（千克/米）";
    inputs.label("", pipeWeightCaption, {5, 0, 1, 2});
    ControlDef& pipeWeight = inputs.cell(kPipeWeight, "65", {5, 2});
    pipeWeight.description = pipeWeightCaption;
    pipeWeight.means("q", "管道在空气单位长度中的总重量（包括防腐层、保护层）", "kg/m").positive().meaning.role = FieldRole::Input;

    auto results = def.frame("Frame2", "输出结果", FrameRole::Results, {2, 0});
    results.result(kBuoyancyShown, "单位管长静水浮力A（千克/米）", {0, 0}).means("A", "单位管长静水浮力", "kgf/m", 3);
    results.result(kThrustShown, "单位管长动水水平推力Fx（千克/米）", {1, 0})
        .means("F_x", "单位管长动水水平推力", "kgf/m", 3);
    results.result(kBallastShown, "为保持管道稳定需加压重力（千克/米） ", {2, 0})
        .means("W", "为保持管道稳定需加压重力", "kgf/m", 3);
    results.result(kGabionLength, "每个石笼的长度（米） ", {3, 0}).means("L_s", "每个石笼的长度", "m", 2);
    results.result(kRemainingThrustShown, "单位管长所剩余的水平推力(千克/米)", {4, 0})
        .means("T", "单位管长所剩余的水平推力", "kgf/m", 3);
    results.result(kUpliftShown, "单位管长动水上抬力Fy（千克/米）", {0, 1}).means("F_y", "单位管长动水上抬力", "kgf/m", 3);
    results.result(kBendingLoadShown, "保持自由弯曲需加压重力P（千克/米）", {1, 1})
        .means("P", "保持自由弯曲需加压重力", "kgf/m", 3);
    results.result(kStoneCover, "水下管道管顶块石的最小厚度（米） ", {2, 1})
        .means("h_s", "水下管道管顶块石的最小厚度", "m", 3);
    results.result(kStoneSize, "石笼内的石块最小粒径（毫米） ", {3, 1}).means("d_s", "石笼内的石块最小粒径", "mm", 3);
    results.result(kStoneInAirShown, "单位管长所压石料在空气中的重量(千克/米)", {4, 1})
        .means("G", "单位管长所压石料在空气中的重量", "kgf/m", 3);

    addRemarks(def);

    def.runButton("Command1", "开始计算", computeStability);
    def.printButton("Command2");
    return def;
}

const WindowRegistration registration("稳定计算", "稳定计算", makeUnderwaterStability);

}  // namespace
}  // namespace pylora
