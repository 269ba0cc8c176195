#include "line/gas_flow_equations_math.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace pylora::line::gas_flow {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kRelativeTolerance = 1e-13;  // the roots are found to this in ln x, well inside 1e-10 of x
constexpr int kMostIterations = 200;

bool isIsothermal(Equation e) { return e == Equation::IsothermalGeneral; }
bool isAga(Equation e) { return e == Equation::AgaFullyTurbulent || e == Equation::AgaPartiallyTurbulent; }

// The elevation correction as factors on the outlet pressure and the length: the outlet
// pressure enters as P2' = P2·f_p, the length as L_e = L·f_L.
struct Elevation {
    double pressureFactor = 1;
    double lengthFactor = 1;
};

Elevation elevation(Equation equation, const PipeCase& pipe) {
    const double s = elevationExponent(pipe);
    if (equation == Equation::Gb50251) {
        // GB 50251, one segment: p2² becomes p2²(1 + αΔh), L becomes L(1 + αΔh/2).
        if (1 + s <= 0 || 1 + s / 2 <= 0) throw FlowFailure(Fault::ElevationRange, "H2");
        return {std::sqrt(1 + s), 1 + s / 2};
    }
    // P2² multiplied by e^s, L replaced by L·(e^s − 1)/s (→ L as s → 0).
    const double lengthFactor = std::abs(s) < 1e-12 ? 1 + s / 2 : std::expm1(s) / s;
    return {std::exp(s / 2), lengthFactor};
}

// Q = K·(Π/L_e)^c, with Π = P1² − P2'² (or 2·(P1 − P2')·(Ps + 1210) for low-pressure Spitzglass).
struct PowerLaw {
    double factor = 0;  // K
    double exponent = 0.5;  // c
    bool linear = false;
};

double spitzglassDiameterTerm(double d) { return 1 + 0.09144 / d + (150.0 / 127.0) * d; }

PowerLaw powerLaw(Equation equation, const PipeCase& p, double d, double lambda) {
    const double r = p.standardTemperature / p.standardPressure;
    const double gas = p.temperature * p.compressibility;
    // The empirical form: C·E·(Ts/Ps)^a·[1/(SG^b·T·Z)]^c·D^d.
    const auto empirical = [&](double C, double a, double b, double c, double dExp) {
        return PowerLaw{C * p.efficiency * std::pow(r, a) * std::pow(1 / (std::pow(p.relativeDensity, b) * gas), c) *
                            std::pow(d, dExp),
                        c};
    };
    switch (equation) {
    case Equation::Gb50251:
        // q (m³/d at 293 K, 101.325 kPa) = 1051·√(Π·d⁵/(λ·Z·Δ·T·L)) in MPa, cm, km; in SI the
        // root takes 1e-12·1e10·1e3 = 10, and the volume is taken to (Ts, Ps).
        return {kGb50251Constant / 86400 * (p.standardTemperature / 293) * (101325 / p.standardPressure) *
                    std::sqrt(10 * std::pow(d, 5) / (lambda * gas * p.relativeDensity)),
                0.5};
    case Equation::PanhandleA: return empirical(158.0205328706957, 1.0788, 0.8539, 0.5394, 2.6182);
    case Equation::PanhandleB: return empirical(152.8811634298055, 1.02, 0.961, 0.51, 2.53);
    case Equation::Weymouth: return empirical(137.3295809942513, 1, 1, 0.5, 2.667);
    case Equation::Fritzsche: return empirical(93.50009798751128, 1, 0.8587, 0.538, 2.69);
    case Equation::Mueller:
        return {15.77439908642077 * p.efficiency * r * std::pow(1 / gas, 0.575) * std::pow(d, 2.725) /
                    (std::pow(p.relativeDensity, 0.425) * std::pow(p.viscosity, 0.15)),
                0.575};
    case Equation::Igt:
        return {24.62412451461407 * p.efficiency * r * std::pow(1 / gas, 5.0 / 9) * std::pow(d, 8.0 / 3) /
                    (std::pow(p.relativeDensity, 4.0 / 9) * std::pow(p.viscosity, 1.0 / 9)),
                5.0 / 9};
    case Equation::SpitzglassHigh:
    case Equation::SpitzglassLow:
        return {125.1060 * p.efficiency * r * std::pow(d, 2.5) /
                    std::sqrt(p.relativeDensity * gas * spitzglassDiameterTerm(d)),
                0.5, equation == Equation::SpitzglassLow};
    case Equation::Oliphant:
        return {84.58717613991857 * (std::pow(d, 2.5) + 0.20915193504605287 * std::pow(d, 3)) * r /
                    std::sqrt(p.relativeDensity * p.temperature),
                0.5};
    case Equation::AgaFullyTurbulent:
    case Equation::AgaPartiallyTurbulent:
    case Equation::IsothermalGeneral:
        // The general flow equation: the isothermal balance without its kinetic term.
        return {kPi / 4 * std::sqrt(kAirGasConstant) * r *
                    std::sqrt(std::pow(d, 5) / (lambda * gas * p.relativeDensity)),
                0.5};
    }
    return {};
}

double pressureTerm(const PowerLaw& law, const PipeCase& p, double p1, double p2corrected) {
    if (law.linear) return 2 * (p1 - p2corrected) * (p.standardPressure + 1210);
    return p1 * p1 - p2corrected * p2corrected;
}

double reynolds(const PipeCase& p, double flow, double d) {
    return 4 * standardDensity(p) * flow / (kPi * d * p.viscosity);
}

void requireTurbulent(Equation equation, double re) {
    if (isTurbulentOnly(equation) && re < kLaminarLimit) throw FlowFailure(Fault::Laminar, "Q", re);
}

// λ the equation takes at Re for a pipe of inner diameter d; none for the empirical equations.
std::optional<double> friction(Equation equation, const PipeCase& p, double d, double re) {
    switch (equation) {
    case Equation::Gb50251:
    case Equation::IsothermalGeneral:
        if (p.darcyFriction) return *p.darcyFriction;
        return darcyFriction(re, p.roughness / d);
    case Equation::AgaFullyTurbulent: {
        const double f = agaFullyTurbulentFactor(p.roughness / d);
        return 4 / (f * f);
    }
    case Equation::AgaPartiallyTurbulent: {
        requireTurbulent(equation, re);
        double f = agaPartiallyTurbulentFactor(re, p.dragFactor);
        if (p.roughness > 0) f = std::min(f, agaFullyTurbulentFactor(p.roughness / d));
        return 4 / (f * f);
    }
    default: return std::nullopt;
    }
}

bool frictionFollowsFlow(Equation equation, const PipeCase& p) {
    if (equation == Equation::AgaPartiallyTurbulent) return true;
    return (equation == Equation::Gb50251 || isIsothermal(equation)) && !p.darcyFriction;
}

// The isothermal balance with its kinetic term: ṁ² = A²·ρ1·(P1² − P2'²)/(P1·(λ·L_e/D + 2·ln(P1/P2))),
// ρ1 = P1·SG/(Z·R_a·T). Beyond the critical state the flow stays the choked flow.
struct IsothermalFlow {
    double flow = 0;  // m³/s at (Ts, Ps)
    bool choked = false;
    double criticalPressure = 0;  // Pa
};

IsothermalFlow isothermalFlow(const PipeCase& p, double p1, double p2, double d, double lambda,
                              const Elevation& e, double lengthM) {
    const double k = lambda * lengthM * e.lengthFactor / d;
    IsothermalFlow out;
    out.criticalPressure = isothermalCriticalRatio(k) * p1;
    if (p2 < out.criticalPressure) {
        out.choked = true;
        p2 = out.criticalPressure;
    }
    const double p2c = p2 * e.pressureFactor;
    const double squares = p1 * p1 - p2c * p2c;
    if (squares <= 0 || p2 <= 0) return out;
    const double resistance = k + 2 * std::log(p1 / p2);
    if (resistance <= 0) return out;
    const double area = kPi * d * d / 4;
    const double massSquared =
        area * area * p.relativeDensity / (p.compressibility * kAirGasConstant * p.temperature) * squares / resistance;
    out.flow = std::sqrt(massSquared) / standardDensity(p);
    return out;
}

// λ of a flow that sets its own Re: λ → Q(λ) → Re → λ until it no longer changes.
template <typename FlowOf>
double selfConsistentFriction(Equation equation, const PipeCase& p, double d, FlowOf flowOf) {
    double lambda = 0.01;
    for (int i = 0; i < kMostIterations; ++i) {
        const double next = *friction(equation, p, d, reynolds(p, flowOf(lambda), d));
        if (std::abs(next - lambda) <= 1e-15 * next) return next;
        lambda = next;
    }
    throw FlowFailure(Fault::NoRoot, "Q");
}

void requirePositive(double value, const char* field, bool zeroAllowed = false) {
    if (!(zeroAllowed ? value >= 0 : value > 0)) throw FlowFailure(Fault::NotPositive, field);
}

void requireSound(Equation equation, Unknown unknown, const PipeCase& p) {
    if (unknown != Unknown::Flow) requirePositive(p.flow, "Q");
    if (unknown != Unknown::InletPressure) requirePositive(p.inletPressure, "P1");
    if (unknown != Unknown::OutletPressure) requirePositive(p.outletPressure, "P2", !isIsothermal(equation));
    if (unknown != Unknown::Length) requirePositive(p.length, "L");
    if (unknown != Unknown::Diameter) requirePositive(p.diameter, "D");
    requirePositive(p.temperature, "T");
    requirePositive(p.compressibility, "Z");
    requirePositive(p.relativeDensity, "SG");
    if (usesEfficiency(equation)) requirePositive(p.efficiency, "E");
    requirePositive(p.viscosity, "Mu");
    requirePositive(p.roughness, "Roughness", equation != Equation::AgaFullyTurbulent);
    requirePositive(p.standardTemperature, "Ts");
    requirePositive(p.standardPressure, "Ps");
    if (p.darcyFriction && (equation == Equation::Gb50251 || isIsothermal(equation)))
        requirePositive(*p.darcyFriction, "Fd");
    if (equation == Equation::AgaPartiallyTurbulent) requirePositive(p.dragFactor, "Df");
    const bool bothPressures = unknown != Unknown::InletPressure && unknown != Unknown::OutletPressure;
    if (bothPressures && p.outletPressure >= p.inletPressure) throw FlowFailure(Fault::PressureOrder, "P2");
}

// The flow through the line at diameter d, λ taken at the Re of the flow given (the unknown
// is P1, P2, L or D, so Q is known).
double flowAtKnownReynolds(Equation equation, const PipeCase& p, double d, const Elevation& e, bool* choked) {
    const auto lambda = friction(equation, p, d, reynolds(p, p.flow, d));
    if (isIsothermal(equation)) {
        const IsothermalFlow f = isothermalFlow(p, p.inletPressure, p.outletPressure, d, *lambda, e, p.length);
        if (choked) *choked = f.choked;
        return f.flow;
    }
    const PowerLaw law = powerLaw(equation, p, d, lambda.value_or(0));
    const double term = pressureTerm(law, p, p.inletPressure, p.outletPressure * e.pressureFactor);
    return law.factor * std::pow(term / (p.length * e.lengthFactor), law.exponent);
}

Solution solveFlow(Equation equation, const PipeCase& p, const Elevation& e) {
    Solution s;
    s.effectiveLength = p.length * e.lengthFactor;
    if (isIsothermal(equation)) {
        const auto flowOf = [&](double lambda) {
            return isothermalFlow(p, p.inletPressure, p.outletPressure, p.diameter, lambda, e, p.length).flow;
        };
        const double lambda = frictionFollowsFlow(equation, p) ? selfConsistentFriction(equation, p, p.diameter, flowOf)
                                                               : *p.darcyFriction;
        const IsothermalFlow f = isothermalFlow(p, p.inletPressure, p.outletPressure, p.diameter, lambda, e, p.length);
        if (f.choked) throw FlowFailure(Fault::Choked, "P2", f.criticalPressure);
        if (f.flow <= 0) throw FlowFailure(Fault::PressureOrder, "H2");
        s.flow = f.flow;
        s.darcyFriction = lambda;
    } else {
        const PowerLaw probe = powerLaw(equation, p, p.diameter, 1);
        const double term = pressureTerm(probe, p, p.inletPressure, p.outletPressure * e.pressureFactor);
        if (term <= 0) throw FlowFailure(Fault::PressureOrder, "H2");
        const auto flowOf = [&](double lambda) {
            const PowerLaw law = powerLaw(equation, p, p.diameter, lambda);
            return law.factor * std::pow(term / s.effectiveLength, law.exponent);
        };
        if (frictionFollowsFlow(equation, p)) {
            s.darcyFriction = selfConsistentFriction(equation, p, p.diameter, flowOf);
        } else {
            s.darcyFriction = friction(equation, p, p.diameter, 0);
        }
        s.flow = flowOf(s.darcyFriction.value_or(0));
    }
    s.value = s.flow;
    return s;
}

// P1, P2 or L of an equation of power-law form, from the Π/L_e its known flow needs.
Solution solvePressureOrLength(Equation equation, Unknown unknown, const PipeCase& p, const Elevation& e) {
    Solution s;
    s.flow = p.flow;
    s.darcyFriction = friction(equation, p, p.diameter, reynolds(p, p.flow, p.diameter));
    const PowerLaw law = powerLaw(equation, p, p.diameter, s.darcyFriction.value_or(0));
    const double needed = std::pow(p.flow / law.factor, 1 / law.exponent);  // Π/L_e
    const double linearScale = 2 * (p.standardPressure + 1210);
    if (unknown == Unknown::Length) {
        const double term = pressureTerm(law, p, p.inletPressure, p.outletPressure * e.pressureFactor);
        if (term <= 0) throw FlowFailure(Fault::PressureOrder, "H2");
        s.effectiveLength = term / needed;
        s.value = s.effectiveLength / e.lengthFactor;
        return s;
    }
    s.effectiveLength = p.length * e.lengthFactor;
    const double term = needed * s.effectiveLength;
    if (unknown == Unknown::InletPressure) {
        const double p2c = p.outletPressure * e.pressureFactor;
        s.value = law.linear ? p2c + term / linearScale : std::sqrt(term + p2c * p2c);
        return s;
    }
    const double p1 = p.inletPressure;
    const double p2c = law.linear ? p1 - term / linearScale : std::sqrt(std::max(p1 * p1 - term, 0.0));
    if ((law.linear ? p2c : p1 * p1 - term) < 0) throw FlowFailure(Fault::NoOutletPressure, "Q");
    s.value = p2c / e.pressureFactor;
    return s;
}

Solution solveIsothermal(Equation equation, Unknown unknown, const PipeCase& p, const Elevation& e) {
    Solution s;
    s.flow = p.flow;
    const double lambda = *friction(equation, p, p.diameter, reynolds(p, p.flow, p.diameter));
    s.darcyFriction = lambda;
    s.effectiveLength = p.length * e.lengthFactor;
    const auto flowAt = [&](double p1, double p2) {
        return isothermalFlow(p, p1, p2, p.diameter, lambda, e, p.length);
    };
    if (unknown == Unknown::InletPressure) {
        // The flow rises with P1 (choked beyond P2/x_c): bracket upward from just above P2.
        const auto f = [&](double t) { return std::log(std::max(flowAt(std::exp(t), p.outletPressure).flow, 1e-300) / p.flow); };
        double lo = std::log(p.outletPressure) + 1e-12, hi = lo + 0.5;
        for (int i = 0; i < 200 && f(hi) < 0; ++i) lo = hi, hi += 1;
        s.value = std::exp(findRoot(f, lo, hi, kRelativeTolerance, "Q"));
        if (flowAt(s.value, p.outletPressure).choked) throw FlowFailure(Fault::Choked, "Q");
    } else if (unknown == Unknown::OutletPressure) {
        const IsothermalFlow largest = flowAt(p.inletPressure, 0);
        if (p.flow > largest.flow * (1 + 1e-12)) throw FlowFailure(Fault::Choked, "Q", largest.flow);
        // The flow falls to nothing where P2' reaches P1 (above P1 on a falling line).
        const auto f = [&](double p2) { return flowAt(p.inletPressure, p2).flow - p.flow; };
        const double noFlow = p.inletPressure / std::min(e.pressureFactor, 1.0);
        s.value = findRoot(f, largest.criticalPressure, noFlow, kRelativeTolerance * p.inletPressure, "Q");
    } else {  // Length: λ·L_e/D = A²·ρ1·Π/(P1·ṁ²) − 2·ln(P1/P2)
        const double p1 = p.inletPressure, p2 = p.outletPressure, p2c = p2 * e.pressureFactor;
        if (p1 * p1 - p2c * p2c <= 0) throw FlowFailure(Fault::PressureOrder, "H2");
        const double area = kPi * p.diameter * p.diameter / 4;
        const double mass = p.flow * standardDensity(p);
        const double k = area * area * p.relativeDensity / (p.compressibility * kAirGasConstant * p.temperature) *
                             (p1 * p1 - p2c * p2c) / (mass * mass) -
                         2 * std::log(p1 / p2);
        if (k <= 0 || p2 < isothermalCriticalRatio(k) * p1) throw FlowFailure(Fault::Choked, "Q");
        s.effectiveLength = k * p.diameter / lambda;
        s.value = s.effectiveLength / e.lengthFactor;
    }
    return s;
}

Solution solveDiameter(Equation equation, const PipeCase& given, const Elevation& e) {
    PipeCase p = given;
    const auto residual = [&](double t) {
        return std::log(std::max(flowAtKnownReynolds(equation, p, std::exp(t), e, nullptr), 1e-300) / p.flow);
    };
    // The flow rises with D: step by doublings from 1 m to a change of sign.
    double lo = 0, hi = 0;
    const double step = std::log(2.0);
    if (residual(0) < 0) {
        for (int i = 0; i < 40 && residual(hi) < 0; ++i) lo = hi, hi += step;
    } else {
        for (int i = 0; i < 40 && residual(lo) >= 0; ++i) hi = lo, lo -= step;
    }
    p.diameter = std::exp(findRoot(residual, lo, hi, kRelativeTolerance, "Q"));
    bool choked = false;
    flowAtKnownReynolds(equation, p, p.diameter, e, &choked);
    if (choked) throw FlowFailure(Fault::Choked, "Q");
    Solution s;
    s.value = p.diameter;
    s.flow = p.flow;
    s.darcyFriction = friction(equation, p, p.diameter, reynolds(p, p.flow, p.diameter));
    s.effectiveLength = p.length * e.lengthFactor;
    return s;
}

}  // namespace

bool isTurbulentOnly(Equation e) { return e != Equation::Gb50251 && !isIsothermal(e); }

FlowFailure::FlowFailure(Fault fault, std::string blame, double limit)
    : std::runtime_error("gas flow: " + blame), fault_(fault), blame_(std::move(blame)), limit_(limit) {}

bool usesFriction(Equation e) { return e == Equation::Gb50251 || isAga(e) || isIsothermal(e); }

bool usesEfficiency(Equation e) {
    return !usesFriction(e) && e != Equation::Oliphant;
}

double standardDensity(const PipeCase& p) {
    return p.relativeDensity * p.standardPressure / (kAirGasConstant * p.standardTemperature);
}

double elevationExponent(const PipeCase& p) {
    return 2 * kGravity * p.relativeDensity * (p.outletElevation - p.inletElevation) /
           (p.compressibility * kAirGasConstant * p.temperature);
}

double colebrook(double re, double relativeRoughness) {
    // Newton on x = 1/√λ: x + 2·lg(a + b·x) = 0, increasing and concave, so the steps close in
    // from below after the first.
    const double a = relativeRoughness / 3.7, b = 2.51 / re;
    double x = 8;
    for (int i = 0; i < kMostIterations; ++i) {
        const double inner = a + b * x;
        const double f = x + 2 * std::log10(inner);
        const double slope = 1 + 2 * b / (inner * std::log(10.0));
        const double next = x - f / slope;
        if (std::abs(next - x) <= 1e-15 * next) {
            x = next;
            break;
        }
        x = next > 0 ? next : x / 2;
    }
    return 1 / (x * x);
}

double darcyFriction(double re, double relativeRoughness) {
    if (re < kLaminarLimit) return 64 / re;
    return colebrook(re, relativeRoughness);
}

double agaFullyTurbulentFactor(double relativeRoughness) { return 4 * std::log10(3.7 / relativeRoughness); }

double agaPartiallyTurbulentFactor(double re, double dragFactor) {
    // Ft + 4·lg(Ft) = 4·lg(Re) − 0.6: increasing in Ft, so Newton from 10 settles in a few steps.
    const double right = 4 * std::log10(re) - 0.6;
    double ft = 10;
    for (int i = 0; i < kMostIterations; ++i) {
        const double next = ft - (ft + 4 * std::log10(ft) - right) / (1 + 4 / (ft * std::log(10.0)));
        const bool settled = std::abs(next - ft) <= 1e-15 * next;
        ft = next > 0 ? next : ft / 2;
        if (settled) break;
    }
    return 4 * dragFactor * std::log10(re / (1.4125 * ft));
}

double isothermalCriticalRatio(double k) {
    // With t = ln u: K + 1 − t − e^(−t) = 0, decreasing in t; positive at t = −ln(2K + 4), −K ≤ 0 at t = 0.
    if (k <= 0) return 1;
    const auto f = [k](double t) { return k + 1 - t - std::exp(-t); };
    const double t = findRoot(f, -std::log(2 * k + 4), 0, 1e-16, "P2");
    return std::exp(t / 2);
}

// The isothermal balance of a horizontal line without its kinetic term:
//     P dP = −λ·G²·Z·R·T/(2D) dx,  G = ṁ/A,  R = R_a/Δ
// integrates to P1² − P2² = 16·λ·Z·R·T·L·ṁ²/(π²·D⁵). With ṁ = ρs·q, ρs = Δ·Ps/(R_a·Ts):
//     q = (π/4)·√R_a·(Ts/Ps)·√((P1² − P2²)·D⁵/(λ·Z·Δ·T·L))   (SI)
// In q m³/d, P MPa, D cm, L km at Ts = 293 K, Ps = 101325 Pa the constant becomes
//     86400·(π/4)·√287.1·(293/101325)·1e6·1e-5/√1000 = 1051.4
double gb50251DerivedConstant() {
    return 86400 * kPi / 4 * std::sqrt(kAirGasConstant) * (293.0 / 101325.0) * 1e6 * 1e-5 / std::sqrt(1000.0);
}

double findRoot(const std::function<double(double)>& f, double a, double b, double tolerance, const std::string& blame) {
    double fa = f(a), fb = f(b);
    if (fa == 0) return a;
    if (fb == 0) return b;
    if (!(fa * fb < 0)) throw FlowFailure(Fault::NoRoot, blame);
    double c = a, fc = fa, d = b - a, e = d;
    for (int i = 0; i < kMostIterations; ++i) {
        if ((fb > 0) == (fc > 0)) c = a, fc = fa, d = e = b - a;
        if (std::abs(fc) < std::abs(fb)) {
            a = b, b = c, c = a;
            fa = fb, fb = fc, fc = fa;
        }
        const double tol = 2 * std::numeric_limits<double>::epsilon() * std::abs(b) + tolerance / 2;
        const double m = (c - b) / 2;
        if (std::abs(m) <= tol || fb == 0) return b;
        if (std::abs(e) >= tol && std::abs(fa) > std::abs(fb)) {
            // Inverse quadratic interpolation (secant when only two points differ).
            double p, q;
            const double s = fb / fa;
            if (a == c) {
                p = 2 * m * s;
                q = 1 - s;
            } else {
                const double qa = fa / fc, r = fb / fc;
                p = s * (2 * m * qa * (qa - r) - (b - a) * (r - 1));
                q = (qa - 1) * (r - 1) * (s - 1);
            }
            if (p > 0) q = -q; else p = -p;
            if (2 * p < std::min(3 * m * q - std::abs(tol * q), std::abs(e * q))) {
                e = d;
                d = p / q;
            } else {
                d = m, e = m;
            }
        } else {
            d = m, e = m;
        }
        a = b, fa = fb;
        b += std::abs(d) > tol ? d : (m > 0 ? tol : -tol);
        fb = f(b);
    }
    throw FlowFailure(Fault::NoRoot, blame);
}

Solution solve(Equation equation, Unknown unknown, const PipeCase& pipe) {
    requireSound(equation, unknown, pipe);
    const Elevation e = elevation(equation, pipe);
    Solution s;
    if (unknown == Unknown::Flow) {
        s = solveFlow(equation, pipe, e);
    } else if (unknown == Unknown::Diameter) {
        s = solveDiameter(equation, pipe, e);
    } else if (isIsothermal(equation)) {
        s = solveIsothermal(equation, unknown, pipe, e);
    } else {
        s = solvePressureOrLength(equation, unknown, pipe, e);
    }
    const double d = unknown == Unknown::Diameter ? s.value : pipe.diameter;
    s.reynolds = reynolds(pipe, s.flow, d);
    requireTurbulent(equation, s.reynolds);
    if (!std::isfinite(s.value) || s.value <= 0) throw FlowFailure(Fault::NoRoot, "Q");
    return s;
}

}  // namespace pylora::line::gas_flow
