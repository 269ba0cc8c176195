#pragma once
// The flow equations of a gas transmission line, each solved for whichever quantity is unknown:
// the general formula of GB 50251, the empirical equations (Panhandle A and B, Weymouth,
// Spitzglass for high and low pressure, Oliphant, Fritzsche, Mueller, IGT), the AGA fully and
// partially turbulent transmission factors and the isothermal general equation with its
// kinetic term. SI throughout, plain doubles, no window: the 输气流量公式 window converts its
// units and names its fields, the tests and the benchmark call it directly.
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>

namespace pylora::line::gas_flow {

enum class Equation {
    Gb50251,
    PanhandleA,
    PanhandleB,
    Weymouth,
    SpitzglassHigh,
    SpitzglassLow,
    Oliphant,
    Fritzsche,
    Mueller,
    Igt,
    AgaFullyTurbulent,
    AgaPartiallyTurbulent,
    IsothermalGeneral,
};
inline constexpr int kEquationCount = 13;

// The general equations (GB 50251, the isothermal one) hold for laminar flow too (λ = 64/Re);
// the others are fits to turbulent flow.
bool isTurbulentOnly(Equation e);

enum class Unknown { Flow, InletPressure, OutletPressure, Length, Diameter };

inline constexpr double kAirGasConstant = 287.1;  // R_a, J/(kg·K)
inline constexpr double kGravity = 9.81;          // g, m/s²
inline constexpr double kLaminarLimit = 2000;     // Re below it: laminar, λ = 64/Re

// One line and its gas, in SI. The unknown's own member is ignored.
struct PipeCase {
    double flow = 0;               // Q, m³/s at (Ts, Ps)
    double inletPressure = 0;      // P1, Pa (absolute)
    double outletPressure = 0;     // P2, Pa (absolute)
    double length = 0;             // L, m
    double diameter = 0;           // D, inner, m
    double temperature = 288;      // T, average, K
    double compressibility = 1;    // Z
    double relativeDensity = 0.6;  // SG (Δ), to air
    double efficiency = 1;         // E
    double viscosity = 1.1e-5;     // μ, Pa·s
    double roughness = 0;          // ε, m
    double standardTemperature = 293.15;  // Ts, K
    double standardPressure = 101325;     // Ps, Pa
    double inletElevation = 0;     // H1, m
    double outletElevation = 0;    // H2, m
    std::optional<double> darcyFriction;  // λ given; none: from Re and ε/D
    double dragFactor = 0.96;      // Df of the AGA partially turbulent factor
};

// Why an equation gives no value, and the input to blame, by the window's field name
// ("Q", "P1", "P2", "L", "D", "T", "Z", "SG", "E", "Mu", "Roughness", "Ts", "Ps", "H2", "Fd", "Df").
enum class Fault {
    NotPositive,     // the input must be greater than zero (not negative, for P2, ε and Fd)
    PressureOrder,   // P2 (corrected for elevation) not below P1: no flow from P1 to P2
    NoOutletPressure,  // the flow needs more pressure drop than P1 has: P2² would be negative
    Choked,          // isothermal flow at or beyond its critical state
    Laminar,         // Re in the laminar range for an equation made for turbulent flow
    NoRoot,          // no value of the unknown satisfies the equation (nor converges)
    ElevationRange,  // the linearised elevation terms of GB 50251 turn non-positive
};

class FlowFailure : public std::runtime_error {
public:
    FlowFailure(Fault fault, std::string blame, double limit = 0);
    Fault fault() const { return fault_; }
    const std::string& blame() const { return blame_; }
    // Choked: the critical outlet pressure (Pa) or the largest flow (m³/s); Laminar: Re.
    double limit() const { return limit_; }

private:
    Fault fault_;
    std::string blame_;
    double limit_;
};

struct Solution {
    double value = 0;        // the unknown, SI
    double flow = 0;         // Q, m³/s at (Ts, Ps): given or solved
    double reynolds = 0;     // Re = 4·ρs·Q/(π·D·μ)
    std::optional<double> darcyFriction;  // λ the equation used (GB 50251, AGA, isothermal)
    double effectiveLength = 0;           // L_e, m: the length the elevation correction gives
};

// Solves `equation` for `unknown`. Throws FlowFailure.
Solution solve(Equation equation, Unknown unknown, const PipeCase& pipe);

// Whether the equation takes λ (else its friction is built into its constants).
bool usesFriction(Equation equation);
// Whether the equation takes the efficiency E.
bool usesEfficiency(Equation equation);

// ρs = SG·Ps/(R_a·Ts): the gas density at standard conditions, kg/m³.
double standardDensity(const PipeCase& pipe);
// s = 2·g·SG·(H2 − H1)/(Z·R_a·T): the elevation exponent (α·Δh of GB 50251).
double elevationExponent(const PipeCase& pipe);

// Colebrook: 1/√λ = −2·lg(ε/(3.7·D) + 2.51/(Re·√λ)), ε/D = 0 for a smooth pipe.
double colebrook(double reynolds, double relativeRoughness);
// λ = 64/Re below kLaminarLimit, Colebrook above.
double darcyFriction(double reynolds, double relativeRoughness);
// AGA fully turbulent: F = 4·lg(3.7·D/ε).
double agaFullyTurbulentFactor(double relativeRoughness);
// AGA partially turbulent: F = 4·Df·lg(Re/(1.4125·Ft)), smooth-pipe Ft = 4·lg(Re/Ft) − 0.6.
double agaPartiallyTurbulentFactor(double reynolds, double dragFactor);
// P2/P1 at which isothermal flow chokes, for K = λ·L/D: u = (P2/P1)² solves u·(K + 1 − ln u) = 1.
double isothermalCriticalRatio(double frictionLengthRatio);

// The constant of GB 50251's general formula derived from the isothermal energy balance
// (see the source), for q in m³/d at 101.325 kPa and 293 K, p in MPa, d in cm, L in km.
double gb50251DerivedConstant();
inline constexpr double kGb50251Constant = 1051;

// Root of a continuous f on [a, b] where f(a) and f(b) differ in sign (Brent's method), to
// `tolerance` in x. Throws FlowFailure(NoRoot, blame) when they do not.
double findRoot(const std::function<double(double)>& f, double a, double b, double tolerance, const std::string& blame);

}  // namespace pylora::line::gas_flow
