// 坐标转换: a point carried from one plane coordinate system into another by the two reference
// points A and B known in both, and auxiliary stakes fixed from A and B: D by its distances to
// A and B, E by its distance to A and the angle at A. Coordinates follow the survey
// convention: X to the north, Y to the east; sides and senses are those seen on the map.
#include <numbers>

#include "model/calc.h"

namespace pylora {
namespace {

using formula::c;
using formula::Expr;
using formula::Formula;
using formula::q;
using formula::when;

// The window's fields: reference points A and B in the old and the new system, the point C to
// carry over, the stakes D and E fixed from A and B, and what the run gives.
constexpr auto kOldAX = "Text1";
constexpr auto kOldAY = "Text2";
constexpr auto kNewAX = "Text3";
constexpr auto kNewAY = "Text4";
constexpr auto kOldBX = "Text5";
constexpr auto kOldBY = "Text6";
constexpr auto kNewBX = "Text7";
constexpr auto kNewBY = "Text8";
constexpr auto kOldCX = "Text9";
constexpr auto kOldCY = "Text10";
constexpr auto kDistanceAD = "Text17";
constexpr auto kDistanceBD = "Text18";
constexpr auto kDistanceAE = "Text19";
constexpr auto kAngleEAB = "Text20";
constexpr auto kNewCX = "Text11";
constexpr auto kNewCY = "Text12";
constexpr auto kDX = "Text13";
constexpr auto kDY = "Text14";
constexpr auto kEX = "Text15";
constexpr auto kEY = "Text16";
// What to compute.
constexpr auto kComputeC = "Check1";
constexpr auto kComputeD = "Check3";
constexpr auto kComputeE = "Check2";
// Quantities without a field of their own.
constexpr auto kBaseLength = "AB";        // length of A→B in the old system
constexpr auto kAlongX = "ux";            // unit vector of A→B
constexpr auto kAlongY = "uy";
constexpr auto kScaleCos = "kc";          // scale times the cosine of the turn
constexpr auto kScaleSin = "ks";          // scale times its sine
constexpr auto kFoot = "s";               // D's foot on AB, measured from A
constexpr auto kOffset = "h";             // D's distance from AB

struct Point {
    Num x;  // north
    Num y;  // east
};

Point readPoint(const Form& form, const std::string& xField, const std::string& yField) {
    const Num x = FieldValue(form, xField);
    return {x, FieldValue(form, yField)};
}

void writePoint(Form& form, const Point& p, const std::string& xField, const std::string& yField) {
    form.setText(xField, FormatNumber(p.x, "#.###"));
    form.setText(yField, FormatNumber(p.y, "#.###"));
}

// The squared length of A→B; points that coincide give no direction and end the run, naming
// the field `blame` and saying `which` points coincide.
Num squaredBaseLength(const Point& a, const Point& b, const std::string& blame, const char* which) {
    const Num dx = b.x - a.x, dy = b.y - a.y;
    const Num squared = dx * dx + dy * dy;
    if (squared.value() == 0) throw RunFailure(FailureKind::DivisionByZero, blame, which);
    return squared;
}

// C: the plane similarity (shift, turn and scale) that takes A and B from their old to their
// new coordinates, applied to C. As complex numbers X + iY: C' = A' + (C - A)(B' - A')/(B - A).
void transformC(Form& form) {
    const Point aOld = readPoint(form, kOldAX, kOldAY);
    const Point aNew = readPoint(form, kNewAX, kNewAY);
    const Point bOld = readPoint(form, kOldBX, kOldBY);
    const Point bNew = readPoint(form, kNewBX, kNewBY);
    const Point c = readPoint(form, kOldCX, kOldCY);
    const Num squared = squaredBaseLength(aOld, bOld, kOldBX, "参考点A、B的原坐标重合");
    squaredBaseLength(aNew, bNew, kNewBX, "参考点A、B的新坐标重合");
    const Num dx = bOld.x - aOld.x, dy = bOld.y - aOld.y;
    const Num nx = bNew.x - aNew.x, ny = bNew.y - aNew.y;
    const Num p = (nx * dx + ny * dy) / squared;  // scale times the cosine of the turn
    const Num q = (ny * dx - nx * dy) / squared;  // scale times its sine
    const Num vx = c.x - aOld.x, vy = c.y - aOld.y;
    writePoint(form, {aNew.x + vx * p - vy * q, aNew.y + vx * q + vy * p}, kNewCX, kNewCY);
}

// The unit vector of A→B and the one a quarter turn to its left on the map (X north, Y east).
struct Base {
    Point a;
    Num length;
    Point along;
    Point left;
};

Base readBase(const Form& form) {
    const Point a = readPoint(form, kOldAX, kOldAY);
    const Point b = readPoint(form, kOldBX, kOldBY);
    const Num length = sqrt(squaredBaseLength(a, b, kOldBX, "参考点A、B的原坐标重合"));
    const Point along{(b.x - a.x) / length, (b.y - a.y) / length};
    return {a, length, along, {along.y, -along.x}};
}

// D: where the circle about A of radius AD meets the circle about B of radius BD; of the two
// meeting points the one to the left of A→B.
void intersectD(Form& form) {
    const Base base = readBase(form);
    const auto [ad, bd] = FieldValues(form, kDistanceAD, kDistanceBD);
    const Num foot = (ad * ad - bd * bd + base.length * base.length) / (2 * base.length);
    Num offsetSquared = ad * ad - foot * foot;
    // Circles that touch may miss by a rounding error; they meet in one point.
    if (offsetSquared.value() < 0 && offsetSquared.value() > -1e-12 * (ad * ad).value()) offsetSquared = 0;
    if (offsetSquared.value() < 0)
        throw RunFailure(FailureKind::OutsideDomain, kDistanceBD, "以A、B为圆心，AD、BD为半径的两圆不相交");
    const Num offset = sqrt(offsetSquared);
    const Point d{base.a.x + foot * base.along.x + offset * base.left.x,
                  base.a.y + foot * base.along.y + offset * base.left.y};
    writePoint(form, d, kDX, kDY);
}

// E: at distance AE from A, the direction A→B turned by ∠EAB counter-clockwise on the map.
void polarE(Form& form) {
    const Base base = readBase(form);
    const Num ae = FieldValue(form, kDistanceAE);
    const Num angle = FieldValue(form, kAngleEAB) * (std::numbers::pi / 180);
    const Num c = cos(angle), s = sin(angle);
    const Point direction{base.along.x * c + base.left.x * s, base.along.y * c + base.left.y * s};
    writePoint(form, {base.a.x + ae * direction.x, base.a.y + ae * direction.y}, kEX, kEY);
}

void computeCoordinates(Form& form) {
    if (form.checked(kComputeC)) transformC(form);
    if (form.checked(kComputeD)) intersectD(form);
    if (form.checked(kComputeE)) polarE(form);
}

Expr difference(const char* to, const char* from) { return q(to) - q(from); }

// C by the similarity of A and B: X′_C = X′_A + (X_C − X_A)·k_c − (Y_C − Y_A)·k_s and
// Y′_C = Y′_A + (X_C − X_A)·k_s + (Y_C − Y_A)·k_c.
void stateTransformOfC(FormDefinition& def) {
    const Expr squaredBase = pow(difference(kOldBX, kOldAX), c(2)) + pow(difference(kOldBY, kOldAY), c(2));
    const Expr dx = difference(kOldBX, kOldAX), dy = difference(kOldBY, kOldAY);
    const Expr nx = difference(kNewBX, kNewAX), ny = difference(kNewBY, kNewAY);
    def.quantity(kScaleCos, "k_c", "比例与旋转角余弦之积");
    def.formula({kScaleCos, (nx * dx + ny * dy) / squaredBase});
    def.quantity(kScaleSin, "k_s", "比例与旋转角正弦之积");
    def.formula({kScaleSin, (ny * dx - nx * dy) / squaredBase});
    const Expr vx = difference(kOldCX, kOldAX), vy = difference(kOldCY, kOldAY);
    def.formula(when(kComputeC, Formula{kNewCX, q(kNewAX) + vx * q(kScaleCos) - vy * q(kScaleSin)}));
    def.formula(when(kComputeC, Formula{kNewCY, q(kNewAY) + vx * q(kScaleSin) + vy * q(kScaleCos)}));
}

// The base A→B: its length and unit vector (u_x, u_y); its left on the map is (u_y, −u_x).
void stateBase(FormDefinition& def) {
    def.quantity(kBaseLength, "L_{AB}", "参考点A、B间的距离", "m");
    def.formula({kBaseLength, sqrt(pow(difference(kOldBX, kOldAX), c(2)) + pow(difference(kOldBY, kOldAY), c(2)))});
    def.quantity(kAlongX, "u_x", "A→B方向的单位向量X分量");
    def.formula({kAlongX, difference(kOldBX, kOldAX) / q(kBaseLength)});
    def.quantity(kAlongY, "u_y", "A→B方向的单位向量Y分量");
    def.formula({kAlongY, difference(kOldBY, kOldAY) / q(kBaseLength)});
}

// D: s along A→B and h to its left, from the two circles about A and B.
void stateIntersectionD(FormDefinition& def) {
    def.quantity(kFoot, "s", "D点在AB上的垂足至A点的距离", "m");
    def.formula({kFoot, (pow(q(kDistanceAD), c(2)) - pow(q(kDistanceBD), c(2)) + pow(q(kBaseLength), c(2))) /
                            (c(2) * q(kBaseLength))});
    def.quantity(kOffset, "h", "D点至AB的距离", "m");
    def.formula({kOffset, sqrt(pow(q(kDistanceAD), c(2)) - pow(q(kFoot), c(2)))});
    def.formula(when(kComputeD, Formula{kDX, q(kOldAX) + q(kFoot) * q(kAlongX) + q(kOffset) * q(kAlongY)}));
    def.formula(when(kComputeD, Formula{kDY, q(kOldAY) + q(kFoot) * q(kAlongY) - q(kOffset) * q(kAlongX)}));
}

// E: L_AE from A along A→B turned counter-clockwise on the map by β (in degrees).
void statePolarE(FormDefinition& def) {
    const Expr angle = q(kAngleEAB) * formula::named(std::numbers::pi, "π", "圆周率") / c(180);
    const Expr cosine = fn("cos", angle), sine = fn("sin", angle);
    def.formula(when(kComputeE, Formula{kEX, q(kOldAX) + q(kDistanceAE) * group(q(kAlongX) * cosine + q(kAlongY) * sine)}));
    def.formula(when(kComputeE, Formula{kEY, q(kOldAY) + q(kDistanceAE) * group(q(kAlongY) * cosine - q(kAlongX) * sine)}));
}

void stateFormulas(FormDefinition& def) {
    stateTransformOfC(def);
    stateBase(def);
    stateIntersectionD(def);
    statePolarE(def);
}

FormDefinition makeCoordinateTransform() {
    FormDefinition def("坐标转换", "坐标转换");
    def.titleLabel("Label1", "坐 标 转 换");
    def.note("Label2",
             " 【注意】在天然气长输管道工程中经常遇到线路平面图中出现两个坐标系之间互相转换以及在设计过程中添加附桩"
             "(图解桩),需计算出该点的坐标,均可采用以下方法。");

    auto inputs = def.frame("Frame1", "输入参数", FrameRole::Input, {0, 0});
    inputs.field(kOldAX, "参考点A(原X坐标)", "10000.00", {0, 0}).means("X_A", "参考点A原X坐标", "m").anySign();
    inputs.field(kOldAY, "参考点A(原Y坐标) ", "10000.00", {0, 1}).means("Y_A", "参考点A原Y坐标", "m").anySign();
    inputs.field(kNewAX, "参考点A(新X坐标)", "", {1, 0}).means("X′_A", "参考点A新X坐标", "m").anySign();
    inputs.field(kNewAY, "参考点A(新Y坐标)", "", {1, 1}).means("Y′_A", "参考点A新Y坐标", "m").anySign();
    inputs.field(kOldBX, "参考点B(原X坐标)", "10001.234", {2, 0}).means("X_B", "参考点B原X坐标", "m").anySign();
    inputs.field(kOldBY, "参考点B(原Y坐标)", "9998.783", {2, 1}).means("Y_B", "参考点B原Y坐标", "m").anySign();
    inputs.field(kNewBX, "参考点B(新X坐标)", "", {3, 0}).means("X′_B", "参考点B新X坐标", "m").anySign();
    inputs.field(kNewBY, "参考点B(新Y坐标)", "", {3, 1}).means("Y′_B", "参考点B新Y坐标", "m").anySign();
    inputs.field(kOldCX, "计算点C(原X坐标)", "", {4, 0}).means("X_C", "计算点C原X坐标", "m").anySign();
    inputs.field(kOldCY, "计算点C(原Y坐标)", "", {4, 1}).means("Y_C", "计算点C原Y坐标", "m").anySign();
    inputs.field(kDistanceAD, "计算点D(AD长度)", "156.33", {5, 0}).means("L_{AD}", "计算点D与参考点A的距离", "m").positive();
    inputs.field(kDistanceBD, "计算点D(BD长度)", "233.50", {5, 1}).means("L_{BD}", "计算点D与参考点B的距离", "m").positive();
    inputs.field(kDistanceAE, "计算点E(AE长度)", "156.33", {6, 0}).means("L_{AE}", "计算点E与参考点A的距离", "m").positive();
    inputs.field(kAngleEAB, "计算点E(∠EAB夹角)", "30", {6, 1}).means("β", "∠EAB夹角", "°").anySign();

    // The check boxes have no caption of their own; the label to their left names them.
    auto options = def.frame("Frame2", "计算选项", FrameRole::Options, {1, 0});
    options.check(kComputeC, "", {0, 0}).means("", "是否计算点C(坐标转换)").label = "计算点C(坐标转换)";
    options.check(kComputeD, "", {1, 0}, true).means("", "是否计算点D(已知D点与A、B点距离)").label =
        "计算点D(已知D点与A、B点距离)";
    options.check(kComputeE, "", {2, 0}, true).means("", "是否计算点E(已知E点与A点距离及夹角)").label =
        "计算点E(已知E点与A点距离及夹角)";
    options.label("Label3", "按平面图所见：X向北，Y向东；\nD点取在A→B方向的左侧；\n∠EAB自AB逆时针量至AE。",
                  {3, 0});

    auto results = def.frame("Frame3", "输出结果", FrameRole::Results, {2, 0});
    results.result(kNewCX, "计算点C(新X坐标)", {0, 0}).means("X′_C", "计算点C新X坐标", "m", 3).anySign();
    results.result(kNewCY, "计算点C(新Y坐标)", {0, 1}).means("Y′_C", "计算点C新Y坐标", "m", 3).anySign();
    results.result(kDX, "计算点D(原X坐标)", {1, 0}).means("X_D", "计算点D原X坐标", "m", 3).anySign();
    results.result(kDY, "计算点D(原Y坐标)", {1, 1}).means("Y_D", "计算点D原Y坐标", "m", 3).anySign();
    results.result(kEX, "计算点E(原X坐标)", {2, 0}).means("X_E", "计算点E原X坐标", "m", 3).anySign();
    results.result(kEY, "计算点E(原Y坐标)", {2, 1}).means("Y_E", "计算点E原Y坐标", "m", 3).anySign();
    stateFormulas(def);

    def.runButton("Command1", "开始计算", computeCoordinates);
    def.printButton("Command2");
    return def;
}

const WindowRegistration registration("坐标转换", "坐标转换", makeCoordinateTransform);

}  // namespace
}  // namespace pylora
