#pragma once
// The two city gas distribution windows (GB 50028-93): low pressure (低压燃气管道计算) and
// high/medium pressure (高中压燃气计算). They share layout, fields and the course of a run: the
// friction factor of the pipe material, the line coefficient, then the quantity picked under
// "计算选项". Each window gives its own texts, defaults, coefficient c0 and pressure law.
#include "core/calc.h"

namespace pylora::line {

// One window's pressure law solved for each quantity. Each function reads the inputs of its
// case from the form; `coefficient` is the line coefficient C = c0·λ·ρ·Td/Tm (zero for PE pipe).
struct CityGasLaw {
    double c0;
    Num (*flowRate)(const Form& form, const Num& coefficient);        // Q into Text13
    Num (*length)(const Form& form, const Num& coefficient);          // L into Text15
    Num (*inletPressure)(const Form& form, const Num& coefficient);   // P1 into Text5
    Num (*outletPressure)(const Form& form, const Num& coefficient);  // P2 into Text14
};

struct CityGasWindow {
    const char* formName;
    const char* title;
    const char* heading;  // the title label Label1
    const char* note;
    const char* formulaCaption;
    const char* formulaPicture;  // the window's pressure law
    const char* inletDefault;
    const char* outletDefault;
    const char* lengthDefault;
    CityGasLaw law;
};

FormDefinition makeCityGasWindow(const CityGasWindow& window);

// The fields the pressure laws read.
inline constexpr const char* kInletPressure = "Text5";
inline constexpr const char* kOutletPressure = "Text14";
inline constexpr const char* kFlowRate = "Text13";
inline constexpr const char* kLength = "Text15";
inline constexpr const char* kInnerDiameter = "Text11";

}  // namespace pylora::line
