#pragma once
// The transmission (水力计算) and gathering (采集水力计算) windows solve flow equations of one
// shape, in which the squared pressures drop in proportion to the length and to a flow term:
//     P1² − P2² = L·F(Q)·Y/K
// K is the capacity of the pipe, Y the gas term and F the flow term; each window gives its own.
// The four quantities live in the same fields in both windows: P1 Text5, Q Text13, P2 Text14,
// L Text15, picked by Option1(0) to Option1(3).
#include "core/calc.h"

namespace pylora::line {

struct SquaredPressureTerms {
    Num capacity;  // K
    Num gas;       // Y
};

struct SquaredPressureEquation {
    SquaredPressureTerms (*terms)(const Form& form);  // K and Y from the pipe and gas fields
    Num (*flowTerm)(const Num& flowRate);             // F(Q), Q as entered in 10⁴ m³/d
    Num (*flowRateOf)(const Num& flowTerm);           // the flow rate Q whose flow term is given
};

// Whitens the four quantity fields, works out K and Y, then solves the equation for the
// quantity picked under "计算选项" into its highlighted field.
void solveSquaredPressureEquation(Form& form, const SquaredPressureEquation& equation);

}  // namespace pylora::line
