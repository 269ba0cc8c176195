// 输气流量公式: the flow equations engineers compare on one gas transmission line (the general
// formula of GB 50251, Panhandle A/B, Weymouth, Spitzglass, Oliphant, Fritzsche, Mueller, IGT,
// AGA and the isothermal general equation), solved for whichever of Q, P1, P2, L and D is
// unknown, with elevation corrections and units per field; a table gives every equation's value
// of the unknown for the same inputs.
#include <array>
#include <cmath>
#include <functional>
#include <map>

#include "model/calc.h"
#include "model/formula_solve.h"
#include "model/number_reading.h"
#include "model/text.h"
#include "line/gas_flow_equations_math.h"
#include "line/solve_for_one.h"
#include "model/report_numbers.h"

namespace pylora {
namespace {

namespace gf = line::gas_flow;
using formula::c;
using formula::Expr;
using formula::q;

// The window's fields, named as the runner names them.
constexpr auto kEquation = "Equation";
constexpr auto kFlow = "Q";
constexpr auto kInletPressure = "P1";
constexpr auto kOutletPressure = "P2";
constexpr auto kLength = "L";
constexpr auto kDiameter = "D";
constexpr auto kTemperature = "T";
constexpr auto kCompressibility = "Z";
constexpr auto kRelativeDensity = "SG";
constexpr auto kEfficiency = "E";
constexpr auto kViscosity = "Mu";
constexpr auto kRoughness = "Roughness";
constexpr auto kStandardTemperature = "Ts";
constexpr auto kStandardPressure = "Ps";
constexpr auto kInletElevation = "H1";
constexpr auto kOutletElevation = "H2";
constexpr auto kGivenFriction = "Fd";
constexpr auto kDragFactor = "Df";
constexpr auto kReynolds = "Re";
constexpr auto kFriction = "Lambda";
constexpr auto kTransmissionFactor = "F";
constexpr auto kFlowUnit = "QUnit";
constexpr auto kPressureUnit = "PUnit";
constexpr auto kLengthUnit = "LUnit";
constexpr auto kDiameterUnit = "DUnit";
constexpr auto kCompareWhat = "CompareWhat";
constexpr auto kCompareUnit = "CompareUnit";

// Quantities the formulas use without a field of their own; the run notes their values.
constexpr auto kFlowShown = "Qx";        // Q unrounded, in the unit shown
constexpr auto kFlowSi = "Qsi";          // m³/s at (Ts, Ps)
constexpr auto kFlowFactor = "kQ";       // m³/s per unit shown
constexpr auto kP1Si = "p1";             // Pa
constexpr auto kP2Si = "p2";             // Pa
constexpr auto kDiameterSi = "Di";       // m
constexpr auto kEffectiveLength = "Le";  // m
constexpr auto kStandardPressureSi = "ps";  // Pa
constexpr auto kLambda = "lambda";       // λ unrounded
constexpr auto kStandardDensity = "rhos";
constexpr auto kElevationExponent = "s";
constexpr auto kAlpha = "alpha";
constexpr auto kDailyFlow = "qv";        // GB 50251: m³/d at 293 K, 101.325 kPa
constexpr auto kP1Mpa = "p1M";
constexpr auto kP2Mpa = "p2M";
constexpr auto kDiameterCm = "dcm";
constexpr auto kLengthKm = "Lkm";
// Conditions the run notes for the 计算书: the two ends at one elevation (L_e = L), or not.
constexpr auto kLevelLine = "levelLine";
constexpr auto kSlopedLine = "slopedLine";

std::string compareCell(int i) { return indexed("Compare", i); }
std::string solveOption(int i) { return indexed("Solve", i); }

const std::array<const char*, gf::kEquationCount> kEquationNames = {
    "GB 50251 通用公式", "潘汉德尔A", "潘汉德尔B", "威莫斯", "斯皮兹格拉斯（高压）", "斯皮兹格拉斯（低压）",
    "奥利芬特", "弗里茨舍", "穆勒", "IGT", "AGA 完全紊流", "AGA 部分紊流", "等温流动通用方程"};

struct Unit {
    const char* name;
    double si;  // SI units per one of it
};
// A year of transmission counts 350 working days (GB 50251).
const std::vector<Unit> kFlowUnits = {{"m³/s", 1}, {"m³/h", 1.0 / 3600}, {"m³/d", 1.0 / 86400},
                                      {"10⁴m³/d", 1e4 / 86400}, {"10⁸m³/a", 1e8 / (350 * 86400.0)}};
const std::vector<Unit> kPressureUnits = {{"Pa", 1}, {"kPa", 1e3}, {"MPa", 1e6}, {"bar", 1e5}};
const std::vector<Unit> kLengthUnits = {{"m", 1}, {"km", 1e3}};
const std::vector<Unit> kDiameterUnits = {{"m", 1}, {"mm", 1e-3}};

std::vector<std::string> unitNames(const std::vector<Unit>& units) {
    std::vector<std::string> names;
    for (const Unit& u : units) names.push_back(u.name);
    return names;
}

// The unknowns in the order of their options Solve(0)…Solve(4).
// A unit list: its items and the one chosen when the window opens (and when none is chosen).
struct UnitList {
    const char* name;
    const std::vector<Unit>* units;
    int initial;
};
const UnitList kFlowUnitList{kFlowUnit, &kFlowUnits, 3};
const UnitList kPressureUnitList{kPressureUnit, &kPressureUnits, 2};
const UnitList kLengthUnitList{kLengthUnit, &kLengthUnits, 1};
const UnitList kDiameterUnitList{kDiameterUnit, &kDiameterUnits, 1};

struct UnknownDef {
    gf::Unknown unknown;
    const char* field;
    const UnitList* unitList;
    const char* name;
};
const std::array<UnknownDef, 5> kUnknowns = {{
    {gf::Unknown::Flow, kFlow, &kFlowUnitList, "输气量 Q"},
    {gf::Unknown::InletPressure, kInletPressure, &kPressureUnitList, "起点压力 P1"},
    {gf::Unknown::OutletPressure, kOutletPressure, &kPressureUnitList, "终点压力 P2"},
    {gf::Unknown::Length, kLength, &kLengthUnitList, "管道长度 L"},
    {gf::Unknown::Diameter, kDiameter, &kDiameterUnitList, "管道内径 D"},
}};

const Unit& chosenUnit(const Form& form, const UnitList& list) {
    const int index = form.selectedIndex(list.name);
    return (*list.units)[index >= 0 && index < static_cast<int>(list.units->size()) ? index : list.initial];
}
const Unit& flowUnit(const Form& f) { return chosenUnit(f, kFlowUnitList); }
const Unit& pressureUnit(const Form& f) { return chosenUnit(f, kPressureUnitList); }
const Unit& lengthUnit(const Form& f) { return chosenUnit(f, kLengthUnitList); }
const Unit& diameterUnit(const Form& f) { return chosenUnit(f, kDiameterUnitList); }

const UnknownDef& selectedUnknown(const Form& form) {
    for (std::size_t i = 0; i < kUnknowns.size(); ++i)
        if (form.checked(solveOption(static_cast<int>(i)))) return kUnknowns[i];
    return kUnknowns[0];
}

// ---- failures ----------------------------------------------------------------------------

// The engineer's words for why an equation gives no value: a whole sentence about the blamed
// field for the status line, a short cause for the comparison table.
struct Cause {
    FailureKind kind;
    std::string detail;  // finishes the sentence about the field
    std::string brief;   // the comparison table's cell
};

Cause causeOf(const gf::FlowFailure& f, const Form& form) {
    switch (f.fault()) {
    case gf::Fault::NotPositive:
        return {FailureKind::NoSolution, "应大于零", "输入有误"};
    case gf::Fault::PressureOrder:
        if (f.blame() == kOutletPressure)
            return {FailureKind::NoSolution, "不低于起点压力，气体不能由起点流向终点", "终点压力不低于起点压力"};
        return {FailureKind::NoSolution, "过高：高程修正后的终点压力不低于起点压力", "高差过大，无流动"};
    case gf::Fault::NoOutletPressure:
        return {FailureKind::NoSolution, "过大：终点压力的平方为负", "无解：终点压力的平方为负"};
    case gf::Fault::Choked:
        if (f.blame() == kOutletPressure) {
            const Unit& u = pressureUnit(form);
            const std::string critical = EngineeringText(f.limit() / u.si) + " " + u.name;
            return {FailureKind::NoSolution, "低于临界压力 " + critical + "：等温流动已壅塞",
                    "壅塞：终点压力低于临界压力 " + critical};
        }
        return {FailureKind::NoSolution, "过大：超过等温流动的临界（壅塞）流量", "壅塞：超过临界流量"};
    case gf::Fault::Laminar: {
        const std::string re = EngineeringText(f.limit());
        return {FailureKind::NoSolution, "使雷诺数 Re = " + re + " 处于层流区（Re < 2000），紊流公式不适用",
                "层流（Re = " + re + "），不适用"};
    }
    case gf::Fault::NoRoot:
        return {FailureKind::NoSolution, "与其他输入一起使方程无解", "无解"};
    case gf::Fault::ElevationRange:
        return {FailureKind::NoSolution, "使高程修正项 1 + αΔh/2 或 1 + αΔh 不为正：高差过大", "高差过大"};
    }
    return {FailureKind::Internal, "", "无解"};
}

// ---- the run -----------------------------------------------------------------------------

double read(const Form& form, const char* field, double factor = 1) { return FieldValue(form, field).value() * factor; }

gf::PipeCase readCase(const Form& form, const UnknownDef& unknown) {
    gf::PipeCase p;
    const auto given = [&](const char* field, double factor) {
        return unknown.field == std::string(field) ? 0.0 : read(form, field, factor);
    };
    p.flow = given(kFlow, flowUnit(form).si);
    p.inletPressure = given(kInletPressure, pressureUnit(form).si);
    p.outletPressure = given(kOutletPressure, pressureUnit(form).si);
    p.length = given(kLength, lengthUnit(form).si);
    p.diameter = given(kDiameter, diameterUnit(form).si);
    p.temperature = read(form, kTemperature);
    p.compressibility = read(form, kCompressibility);
    p.relativeDensity = read(form, kRelativeDensity);
    p.efficiency = read(form, kEfficiency);
    p.viscosity = read(form, kViscosity);
    p.roughness = read(form, kRoughness, 1e-3);
    p.standardTemperature = read(form, kStandardTemperature);
    p.standardPressure = read(form, kStandardPressure, 1e3);
    p.inletElevation = read(form, kInletElevation);
    p.outletElevation = read(form, kOutletElevation);
    if (!trimmed(form.text(kGivenFriction)).empty()) p.darcyFriction = read(form, kGivenFriction);
    p.dragFactor = read(form, kDragFactor);
    return p;
}

struct Outcome {
    std::optional<gf::Solution> solution;
    std::optional<gf::FlowFailure> failure;
};

Outcome solveOne(gf::Equation equation, const UnknownDef& unknown, const gf::PipeCase& pipe) {
    try {
        return {gf::solve(equation, unknown.unknown, pipe), std::nullopt};
    } catch (const gf::FlowFailure& f) {
        return {std::nullopt, f};
    }
}

// The values the formulas take, as this run used them, unrounded.
void noteValues(Form& form, const UnknownDef& unknown, gf::PipeCase pipe, const gf::Solution& s) {
    switch (unknown.unknown) {
    case gf::Unknown::Flow: break;
    case gf::Unknown::InletPressure: pipe.inletPressure = s.value; break;
    case gf::Unknown::OutletPressure: pipe.outletPressure = s.value; break;
    case gf::Unknown::Length: pipe.length = s.value; break;
    case gf::Unknown::Diameter: pipe.diameter = s.value; break;
    }
    const double kQ = flowUnit(form).si;
    form.noteQuantity(kFlowFactor, kQ);
    form.noteQuantity(kFlowSi, s.flow);
    form.noteQuantity(kFlowShown, s.flow / kQ);
    form.noteQuantity(kP1Si, pipe.inletPressure);
    form.noteQuantity(kP2Si, pipe.outletPressure);
    form.noteQuantity(kDiameterSi, pipe.diameter);
    form.noteQuantity(kEffectiveLength, s.effectiveLength);
    form.noteQuantity(kStandardPressureSi, pipe.standardPressure);
    form.noteQuantity(kP1Mpa, pipe.inletPressure / 1e6);
    form.noteQuantity(kP2Mpa, pipe.outletPressure / 1e6);
    form.noteQuantity(kDiameterCm, pipe.diameter * 100);
    form.noteQuantity(kLengthKm, pipe.length / 1000);
    if (s.darcyFriction) form.noteQuantity(kLambda, *s.darcyFriction);
    const bool level = pipe.inletElevation == pipe.outletElevation;
    form.noteQuantity(kLevelLine, level ? 1 : 0);
    form.noteQuantity(kSlopedLine, level ? 0 : 1);
}

// The low-pressure Spitzglass form holds up to a gauge pressure of 1 psi.
constexpr double kSpitzglassLowMostGauge = 6900;  // Pa
constexpr const char* kSpitzglassLowRange = "表压不大于 6.9 kPa 的低压管道";

void computeGasFlow(Form& form) {
    const int equationIndex = form.selectedIndex(kEquation);
    if (equationIndex < 0) throw RunFailure(FailureKind::MissingData, kEquation, "请选择输气流量公式");
    const auto equation = static_cast<gf::Equation>(equationIndex);
    const UnknownDef& unknown = selectedUnknown(form);

    for (const UnknownDef& u : kUnknowns) form.setBackground(u.field, Colour::white());
    form.setBackground(unknown.field, line::kSolvedHighlight);
    const gf::PipeCase pipe = readCase(form, unknown);
    const Unit& unit = chosenUnit(form, *unknown.unitList);
    const double shownUnit = unit.si;

    // Every equation for the same inputs: the comparison table, the chosen one's row included.
    form.setText(kCompareWhat, std::string("所求量：") + unknown.name);
    form.setText(kCompareUnit, unit.name);
    std::array<Outcome, gf::kEquationCount> outcomes;
    for (int i = 0; i < gf::kEquationCount; ++i) {
        outcomes[i] = solveOne(static_cast<gf::Equation>(i), unknown, pipe);
        form.setText(compareCell(i), outcomes[i].solution
                                         ? EngineeringText(outcomes[i].solution->value / shownUnit, 7, unknown.field)
                                         : causeOf(*outcomes[i].failure, form).brief);
    }

    if (const double gauge = pipe.inletPressure - pipe.standardPressure; gauge > kSpitzglassLowMostGauge)
        form.noteUncomputed(std::string("「斯皮兹格拉斯（低压）」式仅适用于") + kSpitzglassLowRange + "；本计算起点表压为 " +
                            engineeringValue(gauge / 1e6) + " MPa，超出其适用范围，比较表中该式的结果仅供比较。");
    const Outcome& chosen = outcomes[equationIndex];
    if (chosen.failure) {
        const Cause cause = causeOf(*chosen.failure, form);
        throw RunFailure(cause.kind, chosen.failure->blame(), cause.detail);
    }
    const gf::Solution& s = *chosen.solution;
    noteValues(form, unknown, pipe, s);
    form.setText(unknown.field, EngineeringText(s.value / shownUnit, 7, unknown.field));
    form.setText(kReynolds, EngineeringText(s.reynolds, 7, unknown.field));
    if (pipe.darcyFriction && (equation == gf::Equation::AgaFullyTurbulent || equation == gf::Equation::AgaPartiallyTurbulent))
        form.noteUncomputed("AGA 公式由输送系数 F 求 λ，未用给定的水力摩阻系数 λ");
    if (s.darcyFriction) {
        form.setText(kFriction, EngineeringText(*s.darcyFriction));
        form.setText(kTransmissionFactor, EngineeringText(2 / std::sqrt(*s.darcyFriction)));
    } else {
        form.setText(kFriction, " ");
        form.setText(kTransmissionFactor, " ");
        form.noteUncomputed("「" + std::string(kEquationNames[equationIndex]) +
                            "」为经验公式，摩阻已含在其常数中，不计水力摩阻系数 λ 与输送系数 F");
    }
}

// ---- units -------------------------------------------------------------------------------

// A unit list's change converts the numbers shown in its unit: an input keeps its digits
// (15 significant), a solved value and the comparison table their 7. Words stay as typed.
void convertShown(Form& form, const std::string& field, double factor, bool solved) {
    const auto value = parseStrictNumber(form.text(field));
    if (!value) return;
    const double converted = *value * factor;
    form.type(field, solved ? EngineeringText(converted) : NumberText(converted));
}

ChooseHandler unitConverter(const UnitList& list, std::vector<const char*> fields) {
    return [&list, fields](Form& form, int previous) {
        const int now = form.selectedIndex(list.name);
        if (previous < 0 || now < 0) return;
        const std::vector<Unit>& units = *list.units;
        const double factor = units[previous].si / units[now].si;
        const UnknownDef& unknown = selectedUnknown(form);
        for (const char* field : fields) convertShown(form, field, factor, unknown.field == std::string(field));
        if (unknown.unitList == &list) {
            for (int i = 0; i < gf::kEquationCount; ++i) convertShown(form, compareCell(i), factor, true);
            if (form.text(kCompareUnit) == units[previous].name) form.type(kCompareUnit, units[now].name);
        }
    };
}

// ---- formulas ----------------------------------------------------------------------------

std::string equationChosen(gf::Equation e) {
    return std::string(kEquation) + "=" + kEquationNames[static_cast<int>(e)];
}

Expr squared(const char* key) { return pow(q(key), c(2)); }
// p1² − p2²·e^s: the squared pressures with the outlet corrected for elevation.
const Expr kE = c(2.718281828459045, "e");
Expr squaredPressures() { return squared(kP1Si) - squared(kP2Si) * pow(kE, q(kElevationExponent)); }
Expr standardRatio() { return formula::group(q(kStandardTemperature) / q(kStandardPressureSi)); }

// Q = C·E·(Ts/ps)^a·[(p1² − p2²·e^s)/(Le·Δ^b·T·Z)]^c·D^d
Expr empirical(double C, const char* cText, double a, const char* aText, double b, const char* bText, double cExp,
               const char* cExpText, double d, const char* dText) {
    const Expr gas = b == 1 ? q(kRelativeDensity) : pow(q(kRelativeDensity), c(b, bText));
    return c(C, cText) * q(kEfficiency) * (a == 1 ? standardRatio() : pow(standardRatio(), c(a, aText))) *
           pow(squaredPressures() / (q(kEffectiveLength) * gas * q(kTemperature) * q(kCompressibility)),
               c(cExp, cExpText)) *
           pow(q(kDiameterSi), c(d, dText));
}

// Mueller and IGT divide by powers of Δ and μ outside the bracket.
Expr viscous(double C, const char* cText, double cExp, const char* cExpText, double d, const char* dText, double b,
             const char* bText, double m, const char* mText) {
    return c(C, cText) * q(kEfficiency) * standardRatio() *
           pow(squaredPressures() / (q(kEffectiveLength) * q(kTemperature) * q(kCompressibility)), c(cExp, cExpText)) *
           pow(q(kDiameterSi), c(d, dText)) /
           (pow(q(kRelativeDensity), c(b, bText)) * pow(q(kViscosity), c(m, mText)));
}

Expr spitzglass(const Expr& pressures) {
    const Expr diameterTerm = c(1) + c(0.09144) / q(kDiameterSi) + c(150.0 / 127, "150/127") * q(kDiameterSi);
    return c(125.1060, "125.1060") * q(kEfficiency) * standardRatio() * pow(q(kDiameterSi), c(2.5)) *
           formula::sqrt(pressures / (q(kEffectiveLength) * q(kRelativeDensity) * q(kCompressibility) *
                                      q(kTemperature) * formula::group(diameterTerm)));
}

const Expr kPi = formula::named(3.14159265358979, "π", "圆周率");
const Expr kAirConstant = formula::named(gf::kAirGasConstant, "R_a", "空气的气体常数，J/(kg·K)");

// The general flow equation: Q = (π/4)·√R_a·(Ts/ps)·√(D⁵·(p1² − p2²·e^s)/(λ·Z·Δ·T·Le)).
Expr generalFlow() {
    return kPi / c(4) * formula::sqrt(kAirConstant) * standardRatio() *
           formula::sqrt(pow(q(kDiameterSi), c(5)) * squaredPressures() /
                         (q(kLambda) * q(kCompressibility) * q(kRelativeDensity) * q(kTemperature) *
                          q(kEffectiveLength)));
}

Expr elevationLinear(double share) {
    const Expr term = q(kAlpha) * formula::group(q(kOutletElevation) - q(kInletElevation));
    return formula::group(c(1) + (share == 1 ? term : term / c(2)));
}

// GB 50251: q_v = 1051·√{[p1² − p2²(1 + αΔh)]·d⁵/[λ·Z·Δ·T·L·(1 + αΔh/2)]}.
Expr gb50251Flow() {
    return c(gf::kGb50251Constant) *
           formula::sqrt((squared(kP1Mpa) - squared(kP2Mpa) * elevationLinear(1)) * pow(q(kDiameterCm), c(5)) /
                         (q(kLambda) * q(kCompressibility) * q(kRelativeDensity) * q(kTemperature) * q(kLengthKm) *
                          elevationLinear(0.5)));
}

// One equation's law: the flow rate at standard conditions it gives (the daily flow for GB 50251).
struct FlowLaw {
    gf::Equation equation;
    const char* gives;
    Expr tree;
};

// The quantity under which an unknown (1 P1, 2 P2, 3 L, 4 D) enters a law: GB 50251 writes
// MPa, km and cm; the others Pa, the elevation-corrected length in m, and m.
const char* keyInLaw(gf::Equation e, int unknown) {
    const bool gb = e == gf::Equation::Gb50251;
    switch (unknown) {
    case 1: return gb ? kP1Mpa : kP1Si;
    case 2: return gb ? kP2Mpa : kP2Si;
    case 3: return gb ? kLengthKm : kEffectiveLength;
    default: return gb ? kDiameterCm : kDiameterSi;
    }
}

bool frictionFoundWithUnknown(gf::Equation e) {
    return e == gf::Equation::Gb50251 || e == gf::Equation::AgaFullyTurbulent ||
           e == gf::Equation::AgaPartiallyTurbulent || e == gf::Equation::IsothermalGeneral;
}

using IsChosen = std::function<bool(const std::string&)>;

int chosenIndex(const IsChosen& isChosen, int count, const std::function<std::string(int)>& name) {
    for (int i = 0; i < count; ++i)
        if (isChosen(name(i))) return i;
    return 0;
}

formula::Formula holdingWhile(std::function<bool(const IsChosen&)> holds, formula::Formula line) {
    line.applies = std::move(holds);
    return line;
}

// The laws as the 计算书 presents them. Solving for Q, each law gives the flow rate forward.
// Solving for P1, P2, L or D, the law is turned round where the unknown occurs once in it, so
// the unknown is derived from the given flow rate; where it occurs more than once (Spitzglass
// and Oliphant in D, the isothermal equation in P1, P2 and D) the run finds it by iteration and
// the law, computed forward with it, checks that it gives the flow rate given.
// Returns where each equation's law stands among the definition's formulas.
std::array<std::size_t, gf::kEquationCount> stateLaws(FormDefinition& def, FrameBuilder& picture,
                                                     const std::vector<FlowLaw>& laws) {
    std::map<std::pair<int, int>, Expr> turned;  // (equation, unknown) → the unknown's tree
    for (const FlowLaw& law : laws)
        for (int unknown = 1; unknown < static_cast<int>(kUnknowns.size()); ++unknown)
            if (auto tree = formula::solveFor(law.tree, keyInLaw(law.equation, unknown), q(law.gives)))
                turned.emplace(std::make_pair(static_cast<int>(law.equation), unknown), *tree);

    const auto equationOf = [](const IsChosen& isChosen) {
        return chosenIndex(isChosen, gf::kEquationCount, [](int i) { return equationChosen(static_cast<gf::Equation>(i)); });
    };
    const auto unknownOf = [](const IsChosen& isChosen) {
        return chosenIndex(isChosen, static_cast<int>(kUnknowns.size()), solveOption);
    };
    const auto derived = [=](const IsChosen& isChosen) {
        const int unknown = unknownOf(isChosen);
        return unknown != 0 && turned.count({equationOf(isChosen), unknown}) != 0;
    };
    const auto forward = [=](int equation) {
        return [=](const IsChosen& isChosen) { return equationOf(isChosen) == equation && !derived(isChosen); };
    };
    const auto backward = [=](int equation) {
        return [=](const IsChosen& isChosen) { return equationOf(isChosen) == equation && derived(isChosen); };
    };
    const auto solving = [=](int equation, int unknown) {
        return [=](const IsChosen& isChosen) {
            return equationOf(isChosen) == equation && unknownOf(isChosen) == unknown;
        };
    };

    const int gb = static_cast<int>(gf::Equation::Gb50251);
    const Expr dailyToStandard = q(kDailyFlow) * formula::group(q(kStandardTemperature) / c(293)) *
                                 formula::group(c(101.325) / q(kStandardPressure)) / c(86400);
    // The window's picture shows the GB 50251 law; the others are the 计算书's alone.
    std::array<std::size_t, gf::kEquationCount> lawAt{};
    for (const FlowLaw& law : laws) {
        lawAt[static_cast<int>(law.equation)] = def.formulas().size();
        formula::Formula line = holdingWhile(forward(static_cast<int>(law.equation)), {law.gives, law.tree});
        if (law.equation == gf::Equation::Gb50251) picture.formulas("Image1", {std::move(line)}, {0, 0});
        else def.formula(std::move(line));
    }
    def.formula(holdingWhile(forward(gb), {kFlowSi, dailyToStandard}));
    def.formula(holdingWhile([=](const IsChosen& isChosen) { return !derived(isChosen); },
                             {kFlowShown, q(kFlowSi) / q(kFlowFactor)}));

    // The way back, from the flow rate given to the unknown.
    def.formula(holdingWhile(derived, {kFlowSi, q(kFlow) * q(kFlowFactor)}));
    def.formula(holdingWhile(backward(gb), {kDailyFlow, *formula::solveFor(dailyToStandard, kDailyFlow, q(kFlowSi))}));
    for (const auto& [which, tree] : turned) {
        def.formula(holdingWhile(solving(which.first, which.second),
                                 {keyInLaw(static_cast<gf::Equation>(which.first), which.second), tree}));
    }
    // The length from the elevation-corrected length: L_e = L·(e^s − 1)/s, L_e = L on a level line.
    const auto lengthBack = [=](const char* line) {
        return [=](const IsChosen& isChosen) {
            return derived(isChosen) && unknownOf(isChosen) == 3 && equationOf(isChosen) != gb && isChosen(line);
        };
    };
    def.formula(holdingWhile(lengthBack(kSlopedLine),
                             {kLengthKm, q(kEffectiveLength) * q(kElevationExponent) /
                                             (formula::group(pow(kE, q(kElevationExponent)) - c(1)) * c(1000))}));
    def.formula(holdingWhile(lengthBack(kLevelLine), {kLengthKm, q(kEffectiveLength) / c(1000)}));

    // How the unknown was found, in words.
    const char* const unknownWords[][2] = {{"P_1", "起点压力"}, {"P_2", "终点压力"}, {"L", "管道长度"}, {"D", "管道内径"}};
    for (int unknown = 1; unknown < static_cast<int>(kUnknowns.size()); ++unknown) {
        const std::string symbol = unknownWords[unknown - 1][0];
        const std::string name = std::string("求") + unknownWords[unknown - 1][1] + " " + symbol + "：";
        for (int equation = 0; equation < gf::kEquationCount; ++equation) {
            const bool closed = turned.count({equation, unknown}) != 0;
            std::string words =
                closed ? name + "由所选公式解出 " + symbol + "，以给定的输气量 Q 代入"
                       : name + symbol + " 在所选公式中出现不止一次，不能单独解出：以给定的输气量 Q 迭代求得 " + symbol +
                             "，再以求得的 " + symbol + " 代入所选公式算出 Q，与给定值相同即为校核";
            if (closed && frictionFoundWithUnknown(static_cast<gf::Equation>(equation)))
                words += "；λ 随 " + symbol + " 变化，二者一并迭代，式中 λ 为收敛后的值";
            def.formula(holdingWhile(solving(equation, unknown), formula::words(words)));
        }
    }
    return lawAt;
}

// How an equation finds λ or F, which no tree shows: under the chosen equation's formula and
// beside its row of the comparison.
constexpr const char* kColebrookWords =
    "λ 未给定时：Re < 2000 取 λ = 64/Re，否则按 Colebrook 式 1/√λ = −2·lg(ε/(3.7·D) + 2.51/(Re·√λ)) 迭代求解";
constexpr const char* kAgaFullWords = "完全紊流输送系数 F = 4·lg(3.7·D/ε)，λ = (2/F)^2";
constexpr const char* kAgaPartialWords =
    "部分紊流输送系数 F = 4·D_f·lg(Re/(1.4125·F_t))，光滑管 F_t = 4·lg(Re/F_t) − 0.6；取其与 4·lg(3.7·D/ε) 中较小者，λ = (2/F)^2";

// Each row of the comparison: its equation's law, how it finds λ or F, and the range of
// validity the window holds it to (the runs refuse laminar flow to the turbulent fits and a
// choked isothermal flow, and warn of the low-pressure Spitzglass form above its pressure).
std::vector<RowFormula> comparisonRows(const std::array<std::size_t, gf::kEquationCount>& lawAt) {
    using gf::Equation;
    std::vector<RowFormula> rows;
    for (int i = 0; i < gf::kEquationCount; ++i) {
        const auto e = static_cast<Equation>(i);
        RowFormula row{lawAt[i], {}, {}};
        if (e == Equation::Gb50251) row.note = kColebrookWords;
        if (e == Equation::IsothermalGeneral) row.note = "λ 的求法同 GB 50251 通用公式";
        if (e == Equation::AgaFullyTurbulent) row.note = kAgaFullWords;
        if (e == Equation::AgaPartiallyTurbulent) row.note = kAgaPartialWords;
        std::vector<std::string> ranges;
        if (e == Equation::SpitzglassLow) ranges.push_back(kSpitzglassLowRange);
        if (gf::isTurbulentOnly(e)) ranges.push_back("紊流（Re ≥ " + engineeringValue(gf::kLaminarLimit) + "）");
        if (e == Equation::IsothermalGeneral) ranges.push_back("终点压力不低于临界压力（流动未壅塞）");
        for (const std::string& range : ranges) row.validity += (row.validity.empty() ? "" : "；") + range;
        rows.push_back(std::move(row));
    }
    return rows;
}

std::array<std::size_t, gf::kEquationCount> stateFormulas(FormDefinition& def, FrameBuilder& picture) {
    using gf::Equation;
    using formula::when;
    def.quantity(kDailyFlow, "q_v", "标准状况（293 K，101.325 kPa）下日输气量", "m³/d");
    def.quantity(kP1Mpa, "P_1", "起点压力（绝）", "MPa");
    def.quantity(kP2Mpa, "P_2", "终点压力（绝）", "MPa");
    def.quantity(kDiameterCm, "D", "管道内径", "cm");
    def.quantity(kLengthKm, "L", "管道长度", "km");
    def.quantity(kAlpha, "α", "高程修正系数", "1/m");
    def.formula({kAlpha, c(2) * formula::named(gf::kGravity, "g", "重力加速度，m/s²") * q(kRelativeDensity) /
                             (q(kCompressibility) * kAirConstant * q(kTemperature))});
    def.quantity(kElevationExponent, "s", "高程修正指数");
    def.formula({kElevationExponent, q(kAlpha) * formula::group(q(kOutletElevation) - q(kInletElevation))});
    def.quantity(kFlowFactor, "k_Q", "输气量单位换算系数（每显示单位的 m³/s）");
    def.quantity(kP1Si, "P_1", "起点压力（绝）", "Pa");
    def.quantity(kP2Si, "P_2", "终点压力（绝）", "Pa");
    def.quantity(kDiameterSi, "D", "管道内径", "m");
    def.quantity(kEffectiveLength, "L_e", "高程修正后的计算长度", "m");
    def.quantity(kStandardPressureSi, "P_s", "标准状况压力", "Pa");
    def.quantity(kLambda, "λ", "水力摩阻系数").shownIn = kFriction;
    def.quantity(kStandardDensity, "ρ_s", "标准状况下气体密度", "kg/m³");
    def.formula({kStandardDensity, q(kRelativeDensity) * q(kStandardPressureSi) / (kAirConstant * q(kStandardTemperature))});
    def.quantity(kFlowSi, "Q_s", "标准状况下输气量", "m³/s");
    QuantityDef& shown = def.quantity(kFlowShown, "Q", "输气量");
    shown.shownIn = kFlow;
    shown.meaning.unitList = kFlowUnit;

    // Each equation's own law: the flow rate at standard conditions (the daily flow for GB 50251).
    std::vector<FlowLaw> laws;
    const auto law = [&](Equation e, Expr tree, const char* gives = kFlowSi) {
        laws.push_back({e, gives, std::move(tree)});
    };
    law(Equation::Gb50251, gb50251Flow(), kDailyFlow);
    law(Equation::PanhandleA, empirical(158.0205328706957, "158.02053", 1.0788, "1.0788", 0.8539, "0.8539", 0.5394,
                                        "0.5394", 2.6182, "2.6182"));
    law(Equation::PanhandleB, empirical(152.8811634298055, "152.88116", 1.02, "1.02", 0.961, "0.961", 0.51, "0.51",
                                        2.53, "2.53"));
    law(Equation::Weymouth, empirical(137.3295809942513, "137.32958", 1, "1", 1, "1", 0.5, "0.5", 2.667, "2.667"));
    law(Equation::SpitzglassHigh, spitzglass(squaredPressures()));
    law(Equation::SpitzglassLow,
        spitzglass(c(2) * formula::group(q(kP1Si) - q(kP2Si) * pow(kE, q(kElevationExponent) / c(2))) *
                   formula::group(q(kStandardPressureSi) + c(1210))));
    law(Equation::Oliphant,
        c(84.58717613991857, "84.587176") *
            formula::group(pow(q(kDiameterSi), c(2.5)) +
                           c(0.20915193504605287, "0.20915194") * pow(q(kDiameterSi), c(3))) *
            standardRatio() *
            formula::sqrt(squaredPressures() / (q(kEffectiveLength) * q(kRelativeDensity) * q(kTemperature))));
    law(Equation::Fritzsche, empirical(93.50009798751128, "93.500098", 1, "1", 0.8587, "0.8587", 0.538, "0.538", 2.69,
                                       "2.69"));
    law(Equation::Mueller, viscous(15.77439908642077, "15.774399", 0.575, "0.575", 2.725, "2.725", 0.425, "0.425",
                                   0.15, "0.15"));
    law(Equation::Igt, viscous(24.62412451461407, "24.624125", 5.0 / 9, "5/9", 8.0 / 3, "8/3", 4.0 / 9, "4/9",
                               1.0 / 9, "1/9"));
    law(Equation::AgaFullyTurbulent, generalFlow());
    law(Equation::AgaPartiallyTurbulent, generalFlow());
    // ṁ² = A²·ρ1·(p1² − p2²·e^s)/(p1·(λ·Le/D + 2·ln(p1/p2))), ρ1 = p1·Δ/(Z·R_a·T); Q = ṁ/ρs.
    law(Equation::IsothermalGeneral,
        kPi / c(4) * pow(q(kDiameterSi), c(2)) *
            formula::sqrt(q(kRelativeDensity) * squaredPressures() /
                          (q(kCompressibility) * kAirConstant * q(kTemperature) *
                           formula::group(q(kLambda) * q(kEffectiveLength) / q(kDiameterSi) +
                                          c(2) * formula::fn("ln", q(kP1Si) / q(kP2Si))))) /
            q(kStandardDensity));
    const auto lawAt = stateLaws(def, picture, laws);
    def.formula({kReynolds, c(4) * q(kStandardDensity) * q(kFlowSi) / (kPi * q(kDiameterSi) * q(kViscosity))});
    for (Equation e : {Equation::Gb50251, Equation::AgaFullyTurbulent, Equation::AgaPartiallyTurbulent,
                       Equation::IsothermalGeneral})
        def.formula(when(equationChosen(e), {kTransmissionFactor, c(2) / formula::sqrt(q(kLambda))}));

    // What no tree can show: the implicit friction and the elevation length.
    for (Equation e : {Equation::Gb50251, Equation::IsothermalGeneral})
        def.formula(when(equationChosen(e),
                         formula::words(kColebrookWords)));
    def.formula(when(equationChosen(Equation::AgaFullyTurbulent), formula::words(kAgaFullWords)));
    def.formula(when(equationChosen(Equation::AgaPartiallyTurbulent), formula::words(kAgaPartialWords)));
    def.formula(formula::words("高程修正：s = 2·g·Δ·(H_2 − H_1)/(Z·R_a·T)，L_e = L·(e^s − 1)/s（s = 0 时 L_e = L）；"
                               "GB 50251 公式取其线性形式"));
    return lawAt;
}

// ---- the window --------------------------------------------------------------------------

FormDefinition makeGasFlowEquations() {
    FormDefinition def("输气流量公式", "输气管道流量公式计算");
    def.titleLabel("Label1", "输气管道流量公式计算");
    def.note("Label2",
             "【注意】压力均为绝对压力；输气量为标准状况（Ts、Ps）下的体积流量，年输气量按 350 d 计。"
             "求解的量以高亮显示，下表列出各公式对同一组输入的求解结果。"
             "斯皮兹格拉斯（低压）式仅适用于表压不大于 6.9 kPa 的低压管道。");
    def.basis({"《输气管道工程设计规范》GB 50251-2003 第3.3.2条 式(3.3.2)（通用公式）、第3.3.3条 式(3.3.3)（高程修正）"});

    auto picture = def.frame("FrameFormula", "GB 50251 通用公式", FrameRole::Formula, {0, 0});
    const auto lawAt = stateFormulas(def, picture);

    auto choice = def.frame("FrameChoice", "公式与所求量", FrameRole::Options, {0, 1});
    ControlDef& equations = choice.list(kEquation, "流量公式", {kEquationNames.begin(), kEquationNames.end()},
                                        {0, 0, 5, 1});
    equations.means("", "流量公式");
    equations.selectedItem = 0;
    for (std::size_t i = 0; i < kUnknowns.size(); ++i)
        line::solveForOption(choice, solveOption(static_cast<int>(i)), kUnknowns[i].name, static_cast<int>(i), i == 0)
            .place.column = 1;

    auto units = def.frame("FrameUnits", "单位", FrameRole::Options, {0, 2});
    const auto unitList = [&](const UnitList& list, const char* label, int column, const char* what,
                              std::vector<const char*> fields) {
        ControlDef& l = units.list(list.name, label, unitNames(*list.units), {0, column});
        l.means("", what);
        l.selectedItem = list.initial;
        def.onChoose(list.name, unitConverter(list, std::move(fields)));
    };
    unitList(kFlowUnitList, "Q", 0, "输气量单位", {kFlow});
    unitList(kPressureUnitList, "P", 1, "压力单位", {kInletPressure, kOutletPressure});
    unitList(kLengthUnitList, "L", 2, "长度单位", {kLength});
    unitList(kDiameterUnitList, "D", 3, "内径单位", {kDiameter});

    // A 1016 mm × 13 mm transmission line, 100 km between stations at 10 and 8 MPa (absolute).
    auto in = def.frame("FrameInputs", "输入参数", FrameRole::Input, {1, 0, 1, 3});
    // Q, P1, P2, L and D are given, except the one the chosen option solves for.
    const auto candidate = [&](int i, ControlDef& field) { line::solvedWhen(field, solveOption(i)); };
    candidate(0, in.field(kFlow, "输气量 Q", "4800", {0, 0}).means("Q", "输气量", "10⁴m³/d").positive().unitFrom(kFlowUnit));
    candidate(1, in.field(kInletPressure, "起点压力（绝）P1", "10", {1, 0})
                     .means("P_1", "起点压力（绝）", "MPa").positive()
                     .unitFrom(kPressureUnit));
    candidate(2, in.field(kOutletPressure, "终点压力（绝）P2", "8", {2, 0})
                     .means("P_2", "终点压力（绝）", "MPa").nonNegative()  // 0: discharge to vacuum
                     .unitFrom(kPressureUnit));
    candidate(3, in.field(kLength, "管道长度 L", "100", {3, 0}).means("L", "管道长度", "km").positive().unitFrom(kLengthUnit));
    candidate(4, in.field(kDiameter, "管道内径 D", "990", {4, 0})
                     .means("D", "管道内径", "mm")
                     .positive()
                     .unitFrom(kDiameterUnit));
    in.field(kTemperature, "平均温度 T (K)", "288", {5, 0}).means("T", "平均温度", "K").positive();
    in.field(kCompressibility, "压缩因子 Z", "0.9", {0, 1}).means("Z", "压缩因子").positive();
    in.field(kRelativeDensity, "相对密度 Δ", "0.6", {1, 1}).means("Δ", "相对密度").positive();
    in.field(kEfficiency, "效率系数 E", "0.92", {2, 1}).means("E", "效率系数").fraction();
    in.field(kViscosity, "动力粘度 μ (Pa·s)", "1.1E-05", {3, 1}).means("μ", "动力粘度", "Pa·s").positive();
    in.field(kRoughness, "当量粗糙度 ε (mm)", "0.05", {4, 1}).means("ε", "当量粗糙度", "mm").nonNegative();
    in.field(kGivenFriction, "水力摩阻系数 λ（空：计算）", "", {5, 1}).means("λ_0", "给定的水力摩阻系数").positive().meaning.whenBlank =
        "由公式计算";
    in.field(kStandardTemperature, "标准状况温度 Ts (K)", "293.15", {0, 2}).means("T_s", "标准状况温度", "K").positive();
    in.field(kStandardPressure, "标准状况压力 Ps (kPa)", "101.325", {1, 2}).means("P_s", "标准状况压力", "kPa").positive();
    in.field(kInletElevation, "起点高程 H1 (m)", "0", {2, 2}).means("H_1", "起点高程", "m").anySign();
    in.field(kOutletElevation, "终点高程 H2 (m)", "0", {3, 2}).means("H_2", "终点高程", "m").anySign();
    in.field(kDragFactor, "AGA 拖曳系数 Df", "0.96", {4, 2}).means("D_f", "AGA 拖曳系数").fraction();

    // The comparison first, its cells wide enough to read a reason whole ("无解：终点压力的平方
    // 为负"); the results beside it.
    auto out = def.frame("FrameResults", "计算结果", FrameRole::Results, {2, 2});
    out.result(kReynolds, "雷诺数 Re", {0, 0}).means("Re", "雷诺数");
    out.result(kFriction, "水力摩阻系数 λ", {1, 0}).means("λ", "水力摩阻系数");
    out.result(kTransmissionFactor, "输送系数 F", {2, 0}).means("F", "输送系数");

    auto compare = def.frame("FrameCompare", "各公式比较", FrameRole::Results, {2, 0, 1, 2});
    // What the cells hold stands before them, in a column of its own.
    compare.label(kCompareWhat, std::string("所求量：") + kUnknowns[0].name, {0, 0}).working();
    compare.label(kCompareUnit, kFlowUnits[3].name, {1, 0}).working();
    TableDef table{"各公式比较", "公式", {kEquationNames.begin(), kEquationNames.end()}, {}};
    TableColumn column;
    column.meaning.symbol = "x";
    column.meaning.name = "各公式求得的所求量（或不能求解的原因）";
    column.meaning.unitList = kCompareUnit;
    column.meaning.role = FieldRole::Result;
    std::vector<ControlDef*> cells;
    for (int i = 0; i < gf::kEquationCount; ++i) {  // each cell takes the column's meaning
        const int rows = (gf::kEquationCount + 2) / 3;  // three columns
        ControlDef& cell = compare.result(compareCell(i), kEquationNames[i], {i % rows, 1 + i / rows});
        cell.widthChars = 20;
        cells.push_back(&cell);
        column.cells.push_back(compareCell(i));
    }
    table.columns.push_back(std::move(column));
    table.rowFormulas = comparisonRows(lawAt);
    def.table(std::move(table));
    // Alone (a study's column, its legend and axis), each cell is named by its equation.
    for (int i = 0; i < gf::kEquationCount; ++i) cells[i]->meaning.name = std::string(kEquationNames[i]) + " 求得的所求量";

    def.runButton("Command1", "开始计算", computeGasFlow);
    def.printButton("Command2");
    return def;
}

const WindowRegistration registration("输气流量公式", "输气管道流量公式计算", makeGasFlowEquations);

}  // namespace
}  // namespace pylora
