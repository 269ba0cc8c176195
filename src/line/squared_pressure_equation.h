#pragma once
// The transmission (水力计算) and gathering (采集水力计算) windows solve flow equations of one
// shape, in which the squared pressures drop in proportion to the length and to a flow term:
//     P1² − P2² = L·F(Q)·Y/K
// K is the capacity of the pipe, Y the gas term and F the flow term; each window gives its own.
// The four quantities live in the same fields in both windows, picked by Option1(0) to Option1(3).
#include "model/calc.h"

namespace pylora::line::squared_pressure {

// The fields both windows share.
inline constexpr auto kOutsideDiameter = "Text1";
inline constexpr auto kWallThickness = "Text3";
inline constexpr auto kRelativeDensity = "Text2";
inline constexpr auto kTemperature = "Text4";
inline constexpr auto kCompressibility = "Text11";
inline constexpr auto kInletPressure = "Text5";
inline constexpr auto kFlowRate = "Text13";
inline constexpr auto kOutletPressure = "Text14";
inline constexpr auto kLength = "Text15";

// The options under "计算选项" that pick the quantity to solve for.
inline constexpr auto kSolveFlowRate = "Option1(0)";
inline constexpr auto kSolveLength = "Option1(1)";
inline constexpr auto kSolveInletPressure = "Option1(2)";
inline constexpr auto kSolveOutletPressure = "Option1(3)";

// Quantities the formulas use without a field of their own.
inline constexpr auto kInnerDiameter = "d";  // in cm
inline constexpr auto kCapacity = "K";
inline constexpr auto kGasTerm = "Y";
inline constexpr auto kSquaredPressureDrop = "S";
inline constexpr auto kDailyFlow = "q";  // the flow rate in m³/d, as the equation gives it

struct Terms {
    Num capacity;  // K
    Num gas;       // Y
};

struct Equation {
    Terms (*terms)(const Form& form);        // K and Y from the pipe and gas fields
    Num (*flowTerm)(const Num& flowRate);    // F(Q), Q as entered in 10⁴ m³/d
    Num (*flowRateOf)(const Num& flowTerm);  // the flow rate Q whose flow term is given
};

// Whitens the four quantity fields, works out K and Y, then solves the equation for the
// quantity picked under "计算选项" into its highlighted field.
void solve(Form& form, const Equation& equation);

// States the formulas both windows share: the inner diameter d = (D − δ/500)·100 in cm, the
// squared-pressure drop S = L·F(Q)·Y/K, and the equation solved for each quantity while its
// option is picked (the flow rate as the window's daily flow q in 10⁴ m³/d). `flowTerm` is F(Q)
// as a tree; the window declares K, Y and q with their formulas.
void stateSolvedForms(FormDefinition& def, const formula::Expr& flowTerm);

}  // namespace pylora::line::squared_pressure
