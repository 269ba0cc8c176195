// 坐标转换: a point carried from one plane coordinate system into another by the two reference
// points A and B known in both, and auxiliary stakes fixed from A and B: D by its distances to
// A and B, E by its distance to A and the angle at A. Coordinates follow the survey
// convention: X to the north, Y to the east; sides and senses are those seen on the map.
#include <numbers>

#include "core/calc.h"

namespace pylora {
namespace {

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
    const Point aOld = readPoint(form, "Text1", "Text2");
    const Point aNew = readPoint(form, "Text3", "Text4");
    const Point bOld = readPoint(form, "Text5", "Text6");
    const Point bNew = readPoint(form, "Text7", "Text8");
    const Point c = readPoint(form, "Text9", "Text10");
    const Num squared = squaredBaseLength(aOld, bOld, "Text5", "参考点A、B的原坐标重合");
    squaredBaseLength(aNew, bNew, "Text7", "参考点A、B的新坐标重合");
    const Num dx = bOld.x - aOld.x, dy = bOld.y - aOld.y;
    const Num nx = bNew.x - aNew.x, ny = bNew.y - aNew.y;
    const Num p = (nx * dx + ny * dy) / squared;  // scale times the cosine of the turn
    const Num q = (ny * dx - nx * dy) / squared;  // scale times its sine
    const Num vx = c.x - aOld.x, vy = c.y - aOld.y;
    writePoint(form, {aNew.x + vx * p - vy * q, aNew.y + vx * q + vy * p}, "Text11", "Text12");
}

// The unit vector of A→B and the one a quarter turn to its left on the map (X north, Y east).
struct Base {
    Point a;
    Num length;
    Point along;
    Point left;
};

Base readBase(const Form& form) {
    const Point a = readPoint(form, "Text1", "Text2");
    const Point b = readPoint(form, "Text5", "Text6");
    const Num length = sqrt(squaredBaseLength(a, b, "Text5", "参考点A、B的原坐标重合"));
    const Point along{(b.x - a.x) / length, (b.y - a.y) / length};
    return {a, length, along, {along.y, -along.x}};
}

// D: where the circle about A of radius AD meets the circle about B of radius BD; of the two
// meeting points the one to the left of A→B.
void intersectD(Form& form) {
    const Base base = readBase(form);
    const Num ad = FieldValue(form, "Text17");
    const Num bd = FieldValue(form, "Text18");
    const Num foot = (ad * ad - bd * bd + base.length * base.length) / (2 * base.length);
    Num offsetSquared = ad * ad - foot * foot;
    // Circles that touch may miss by a rounding error; they meet in one point.
    if (offsetSquared.value() < 0 && offsetSquared.value() > -1e-12 * (ad * ad).value()) offsetSquared = 0;
    if (offsetSquared.value() < 0)
        throw RunFailure(FailureKind::OutsideDomain, "Text18", "以A、B为圆心，AD、BD为半径的两圆不相交");
    const Num offset = sqrt(offsetSquared);
    const Point d{base.a.x + foot * base.along.x + offset * base.left.x,
                  base.a.y + foot * base.along.y + offset * base.left.y};
    writePoint(form, d, "Text13", "Text14");
}

// E: at distance AE from A, the direction A→B turned by ∠EAB counter-clockwise on the map.
void polarE(Form& form) {
    const Base base = readBase(form);
    const Num ae = FieldValue(form, "Text19");
    const Num angle = FieldValue(form, "Text20") * (std::numbers::pi / 180);
    const Num c = cos(angle), s = sin(angle);
    const Point direction{base.along.x * c + base.left.x * s, base.along.y * c + base.left.y * s};
    writePoint(form, {base.a.x + ae * direction.x, base.a.y + ae * direction.y}, "Text15", "Text16");
}

void computeCoordinates(Form& form) {
    if (form.checked("Check1")) transformC(form);
    if (form.checked("Check3")) intersectD(form);
    if (form.checked("Check2")) polarE(form);
}

FormDefinition makeCoordinateTransform() {
    FormDefinition def("坐标转换", "坐标转换");
    def.titleLabel("Label1", "坐 标 转 换");
    def.note("Label2",
             " 【注意】在天然气长输管道工程中经常遇到线路平面图中出现两个坐标系之间互相转换以及在设计过程中添加附桩"
             "(图解桩),需计算出该点的坐标,均可采用以下方法。");

    auto inputs = def.frame("Frame1", "输入参数", FrameRole::Input, {0, 0});
    inputs.field("Text1", "参考点A(原X坐标)", "10000.00", {0, 0});
    inputs.field("Text2", "参考点A(原Y坐标) ", "10000.00", {0, 1});
    inputs.field("Text3", "参考点A(新X坐标)", "", {1, 0});
    inputs.field("Text4", "参考点A(新Y坐标)", "", {1, 1});
    inputs.field("Text5", "参考点B(原X坐标)", "10001.234", {2, 0});
    inputs.field("Text6", "参考点B(原Y坐标)", "9998.783", {2, 1});
    inputs.field("Text7", "参考点B(新X坐标)", "", {3, 0});
    inputs.field("Text8", "参考点B(新Y坐标)", "", {3, 1});
    inputs.field("Text9", "计算点C(原X坐标)", "", {4, 0});
    inputs.field("Text10", "计算点C(原Y坐标)", "", {4, 1});
    inputs.field("Text17", "计算点D(AD长度)", "156.33", {5, 0});
    inputs.field("Text18", "计算点D(BD长度)", "233.50", {5, 1});
    inputs.field("Text19", "计算点E(AE长度)", "156.33", {6, 0});
    inputs.field("Text20", "计算点E(∠EAB夹角)", "30", {6, 1});

    // The check boxes have no caption of their own; the label to their left names them.
    auto options = def.frame("Frame2", "计算选项", FrameRole::Options, {1, 0});
    options.check("Check1", "", {0, 0}).label = "计算点C(坐标转换)";
    options.check("Check3", "", {1, 0}, true).label = "计算点D(已知D点与A、B点距离)";
    options.check("Check2", "", {2, 0}, true).label = "计算点E(已知E点与A点距离及夹角)";
    options.label("Label3", "按平面图所见：X向北，Y向东；\nD点取在A→B方向的左侧；\n∠EAB自AB逆时针量至AE。",
                  {3, 0});

    auto results = def.frame("Frame3", "输出结果", FrameRole::Results, {2, 0});
    results.result("Text11", "计算点C(新X坐标)", {0, 0});
    results.result("Text12", "计算点C(新Y坐标)", {0, 1});
    results.result("Text13", "计算点D(原X坐标)", {1, 0});
    results.result("Text14", "计算点D(原Y坐标)", {1, 1});
    results.result("Text15", "计算点E(原X坐标)", {2, 0});
    results.result("Text16", "计算点E(原Y坐标)", {2, 1});

    def.runButton("Command1", "开始计算", computeCoordinates);
    def.printButton("Command2");
    return def;
}

const WindowRegistration registration(makeCoordinateTransform);

}  // namespace
}  // namespace pylora
