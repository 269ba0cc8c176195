#pragma once
// The two city gas distribution windows (GB 50028-93): low pressure (低压燃气管道计算) and
// high/medium pressure (高中压燃气计算). They share layout, fields and the course of a run: the
// friction factor of the pipe material, the line coefficient, then the quantity picked under
// "计算选项". Each window gives its own texts, defaults, coefficient c0 and pressure law.
#include "model/calc.h"

namespace pylora::line {

// One window's pressure law: P(P1) − P(P2) = L·Q²·C/d⁵ with the line coefficient
// C = c0·λ·ρ·Td/Tm; P(p) is p where the pressure drops linearly, p² where its square drops.
struct CityGasLaw {
    double c0;
    const char* c0Text;  // as the formula writes it: "6.26×10^7"
    Num (*pressureTerm)(const Num& pressure);  // P(p)
    Num (*pressureOf)(const Num& term);        // the pressure p whose term is given
    // The same two as formula trees.
    formula::Expr (*pressureTermFormula)(const formula::Expr& pressure);
    formula::Expr (*pressureOfFormula)(const formula::Expr& term);
    // P(P1) − P(P2), the left side of the code's formula: as the picture writes it
    // ("P_1 − P_2"), its name and unit.
    const char* dropSymbol;
    const char* dropName;
    const char* dropUnit;
    const char* outletTermName;  // P(P2) in words: "终点压力", "终点压力的平方"
};

struct CityGasWindow {
    const char* formName;
    const char* title;
    const char* heading;  // the title label Label1
    const char* note;
    const char* basis;    // the code and formula the note names
    const char* formulaCaption;
    const char* inletDefault;
    const char* outletDefault;
    const char* lengthDefault;
    CityGasLaw law;
};

FormDefinition makeCityGasWindow(const CityGasWindow& window);

}  // namespace pylora::line
