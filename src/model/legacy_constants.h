#pragma once
// Constants the windows compute with in the rounded form their forms and tables have always
// used. They are part of the results the engineers check against their earlier calculations
// (a window's 3.1416 is not π), so they are kept digit for digit and named once here. A formula
// picture shows such a constant by its value (c(kLegacyPi) draws "3.1416").
namespace pylora {

// π as most windows take it, also inside their degree–radian conversions: 弹性敷设参数计算,
// 定向钻穿越 (both windows), 大开挖穿越纵断面, 土壤荷载计算, 汽车荷载计算, 稳定计算, 一般牵引力计算,
// 埋地管道防腐, 露空管道防腐 and 线路初设常用材料. The formula pictures and the 计算书 show 3.1416.
inline constexpr double kLegacyPi = 3.1416;

// π to five decimals, as 放空损失计算 takes it for the pipe's volume (the unit converter's radian
// row, in data/units, uses the same 3.14159).
inline constexpr double kLegacyPiFiveDecimals = 3.14159;

// 20π as 振动计算 divides by it in its structural-mechanics coefficients C·K²/(20π).
inline constexpr double kLegacyTwentyPi = 62.8318;

// Newtons to kilograms-force, 1/9.80665 cut to six figures: 稳定计算's forces per metre (the unit
// converter's kgf rows, in data/units, use the same 0.101972).
inline constexpr double kNewtonsToKilogramsForce = 0.101972;

// 一般牵引力计算's least mass per metre: kN to kgf by 102, then divided by g taken as 9.8.
inline constexpr double kKilonewtonsToKilogramsForce = 102;
inline constexpr double kLegacyGravity = 9.8;

// Mass per metre of steel pipe in kg/m from D and δ in mm, (D − δ)·δ·0.0246615, as 管材提料 and
// the standard its note cites write it (π·7.85/1000 rounded).
inline constexpr double kSteelPipeMassFactor = 0.0246615;

}  // namespace pylora
