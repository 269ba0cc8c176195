// 线路初设常用材料: the rough quantities of a preliminary line design from the route's horizontal
// lengths by terrain: real pipe length, straight-pipe mass, 90° bends and the plate to press
// them, line structures, and the trench excavation split into earth and rock.
#include <array>
#include <span>
#include <string>

#include "model/calc.h"

namespace pylora {
namespace {

constexpr double kPi = kLegacyPi;  // this window's value of π
constexpr double kSteelDensity = 7850;  // kg/m³

// The window's fields.
constexpr auto kRouteLength = "Text1";   // for the record only
constexpr auto kBendWall = "Text2";      // for the record only
constexpr auto kDiameter = "Text11";
constexpr auto kWall = "Text6";
constexpr auto kBendRadiusRatio = "Text12";
constexpr auto kTrenchBottom = "Text17";
constexpr auto kSlope = "Text16";
constexpr auto kTrenchDepth = "Text20";
constexpr auto kRockShare = "Text21";
constexpr auto kPlaneTurnBends = "Text39";
constexpr auto kTotalLength = "Text33";
constexpr auto kStructures = "Text24";
constexpr auto kMassPerMetre = "Text28";
constexpr auto kPipeMass = "Text27";
constexpr auto kTotalBends = "Text31";
constexpr auto kHalfBendPlate = "Text30";
constexpr auto kBendPlate = "Text29";
constexpr auto kPlateLength = "Text22";
constexpr auto kPlateWidth = "Text32";
constexpr auto kPlateThickness = "Text34";
constexpr auto kExcavation = "Text36";
constexpr auto kEarth = "Text37";
constexpr auto kRock = "Text38";

// By terrain class: plain, shallow hills, deep hills, mountains and steep slopes.
constexpr auto kPlainLength = "Text18";
constexpr auto kShallowHillLength = "Text5";
constexpr auto kDeepHillLength = "Text13";
constexpr auto kMountainLength = "Text19";
constexpr auto kPlainStructures = "Text14";
constexpr auto kShallowHillStructures = "Text15";
constexpr auto kDeepHillStructures = "Text4";
constexpr auto kMountainStructures = "Text3";
constexpr auto kPlainRealLength = "Text10";
constexpr auto kShallowHillRealLength = "Text8";
constexpr auto kDeepHillRealLength = "Text7";
constexpr auto kMountainRealLength = "Text9";
constexpr auto kPlainBends = "Text35";
constexpr auto kShallowHillBends = "Text26";
constexpr auto kDeepHillBends = "Text25";
constexpr auto kMountainBends = "Text23";

// Quantities behind the fields (unrounded) and those without a field.
constexpr auto kLengthValue = "L";
constexpr auto kOuterSection = "A_o";
constexpr auto kInnerSection = "A_i";
constexpr auto kMassPerMetreValue = "w";
constexpr auto kBendsValue = "N";
constexpr auto kPlateLengthValue = "A";
constexpr auto kPlateWidthValue = "B";
constexpr auto kPlateThicknessValue = "t";
constexpr auto kHalfBendPlateValue = "p";
constexpr auto kTrenchSection = "F";
constexpr auto kExcavationValue = "V";
constexpr auto kRockValue = "R";
constexpr auto kEarthValue = "E";

// A terrain class: how much longer the pipe is than the route, how many 90° bends a kilometre
// of route needs, and the volume of line structures per kilometre.
struct Terrain {
    const char* name;    // "平原地区"
    const char* suffix;  // subscript of its symbols: H_p, L_p, N_p, S_p
    const char* horizontalLength;  // km, input
    double lengthFactor;
    const char* realLength;  // km, result
    int bendsPerKm;
    const char* bends;  // result
    const char* structuresPerKm;  // input
};

const std::array<Terrain, 4> kTerrains{{
    {"平原地区", "p", kPlainLength, 1.005, kPlainRealLength, 2, kPlainBends, kPlainStructures},
    {"浅丘地区", "q", kShallowHillLength, 1.015, kShallowHillRealLength, 6, kShallowHillBends, kShallowHillStructures},
    {"深丘地区", "s", kDeepHillLength, 1.035, kDeepHillRealLength, 13, kDeepHillBends, kDeepHillStructures},
    {"山地地区", "m", kMountainLength, 1.06, kMountainRealLength, 20, kMountainBends, kMountainStructures},
}};

std::string symbol(const char* letter, const Terrain& terrain) { return std::string(letter) + "_" + terrain.suffix; }

void write(Form& form, const char* field, const Num& value) { form.setText(field, FormatNumber(value, "#.##")); }

void computePreliminaryMaterials(Form& form) {
    // Real pipe length per terrain class and in total.
    std::array<Num, 4> horizontal;
    Num realLength = 0;
    for (std::size_t i = 0; i < kTerrains.size(); ++i) {
        horizontal[i] = FieldValue(form, kTerrains[i].horizontalLength);
        const Num length = horizontal[i] * kTerrains[i].lengthFactor;
        write(form, kTerrains[i].realLength, length);
        realLength += length;
    }
    write(form, kTotalLength, realLength);

    // Straight pipe: steel cross-section times density; the total mass (t) from the total
    // length as displayed (km).
    const auto [diameter, wall] = FieldValues(form, kDiameter, kWall);
    // A wall of half the diameter or more leaves no bore: the ring's area would count it twice.
    if (wall >= diameter / 2) throw RunFailure(FailureKind::NoSolution, kWall, "过大：不小于管线外径的一半");
    const Num outerMetres = diameter / 1000, innerMetres = (diameter - 2 * wall) / 1000;
    const Num outer = kPi * (outerMetres * outerMetres) / 4;
    const Num inner = kPi * (innerMetres * innerMetres) / 4;
    const Num massPerMetre = (outer - inner) * kSteelDensity;
    write(form, kMassPerMetre, massPerMetre);
    write(form, kPipeMass, FieldValue(form, kTotalLength) * massPerMetre);

    // Bends, counted as 90° bends, per kilometre of horizontal length, plus the plane turns.
    Num bends = 0;
    for (std::size_t i = 0; i < kTerrains.size(); ++i) {
        const Num count = kTerrains[i].bendsPerKm * horizontal[i];
        write(form, kTerrains[i].bends, count);
        bends += count;
    }
    bends += FieldValue(form, kPlaneTurnBends);
    write(form, kTotalBends, bends);

    // Plate (mm) for one half of a hot-pressed 90° bend of radius n·D, one millimetre thicker
    // than the pipe wall. The half bend is shown in kilograms, as its label says; the total
    // plate in tonnes.
    const Num radiusFactor = FieldValue(form, kBendRadiusRatio);
    const Num plateLength = (kPi * diameter / 4 + radiusFactor * diameter) * 1.414 + 200;
    const Num plateWidth = 1.34 * diameter + 0.293 * radiusFactor * diameter + 200;
    const Num plateThickness = wall + 1;
    const Num halfBendKilograms = (plateLength / 1000) * (plateWidth / 1000) * (plateThickness / 1000) * kSteelDensity;
    write(form, kHalfBendPlate, halfBendKilograms);
    write(form, kBendPlate, bends * (halfBendKilograms / 1000));
    write(form, kPlateLength, plateLength);
    write(form, kPlateWidth, plateWidth);
    write(form, kPlateThickness, plateThickness);

    Num structures = 0;
    for (std::size_t i = 0; i < kTerrains.size(); ++i)
        structures += horizontal[i] * FieldValue(form, kTerrains[i].structuresPerKm);
    write(form, kStructures, structures);

    // Trench of bottom width b, depth h and slope 1:m over the unrounded total length, in
    // units of 10 000 m³.
    const auto [depth, bottomWidth, slope] = FieldValues(form, kTrenchDepth, kTrenchBottom, kSlope);
    const Num section = depth * (bottomWidth + depth / slope);
    const Num excavation = 1000 * realLength * section;
    const Num rock = FieldValue(form, kRockShare) * excavation;
    write(form, kExcavation, excavation / 10000);
    write(form, kEarth, (excavation - rock) / 10000);
    write(form, kRock, rock / 10000);
}

// An unrounded value behind a field that shows it to two decimals.
void shownQuantity(FormDefinition& def, const std::string& key, const std::string& name, const std::string& unit,
                   const char* field) {
    def.quantity(key, key, name, unit, 4).shownIn = field;
}

// The formulas in the order the run applies them.
void addFormulas(FormDefinition& def) {
    using formula::c;
    using formula::q;
    formula::Expr totalLength = 0.0;
    for (const Terrain& terrain : kTerrains) {
        const std::string length = symbol("L", terrain);
        shownQuantity(def, length, std::string(terrain.name) + "管道实长", "km", terrain.realLength);
        def.formula({length, q(terrain.horizontalLength) * c(terrain.lengthFactor)});
        totalLength = &terrain == &kTerrains[0] ? q(length) : totalLength + q(length);
    }
    shownQuantity(def, kLengthValue, "管道直管段总实长", "km", kTotalLength);
    def.formula({kLengthValue, totalLength});

    def.quantity(kOuterSection, "A_o", "管道外截面积", "m²", 6);
    def.formula({kOuterSection, c(kPi) * formula::pow(formula::group(q(kDiameter) / c(1000)), c(2)) / c(4)});
    def.quantity(kInnerSection, "A_i", "管道内截面积", "m²", 6);
    def.formula({kInnerSection,
                 c(kPi) * formula::pow(formula::group((q(kDiameter) - c(2) * q(kWall)) / c(1000)), c(2)) / c(4)});
    shownQuantity(def, kMassPerMetreValue, "管道直管段单重", "kg/m", kMassPerMetre);
    def.formula({kMassPerMetreValue, (q(kOuterSection) - q(kInnerSection)) * c(kSteelDensity)});
    // The total mass takes the total length as displayed.
    def.formula({kPipeMass, q(kTotalLength) * q(kMassPerMetreValue)});

    formula::Expr totalBends = 0.0;
    for (const Terrain& terrain : kTerrains) {
        const std::string bends = symbol("N", terrain);
        shownQuantity(def, bends, std::string(terrain.name) + "弯头个数(90度)", "个", terrain.bends);
        def.formula({bends, c(terrain.bendsPerKm) * q(terrain.horizontalLength)});
        totalBends = &terrain == &kTerrains[0] ? q(bends) : totalBends + q(bends);
    }
    shownQuantity(def, kBendsValue, "线路折合90度弯头个数", "个", kTotalBends);
    def.formula({kBendsValue, totalBends + q(kPlaneTurnBends)});

    shownQuantity(def, kPlateLengthValue, "弯头制作板材尺寸A", "mm", kPlateLength);
    def.formula({kPlateLengthValue,
                 (c(kPi) * q(kDiameter) / c(4) + q(kBendRadiusRatio) * q(kDiameter)) * c(1.414) + c(200)});
    shownQuantity(def, kPlateWidthValue, "弯头制作板材尺寸B", "mm", kPlateWidth);
    def.formula({kPlateWidthValue,
                 c(1.34) * q(kDiameter) + c(0.293) * q(kBendRadiusRatio) * q(kDiameter) + c(200)});
    shownQuantity(def, kPlateThicknessValue, "弯头制作板材厚度", "mm", kPlateThickness);
    def.formula({kPlateThicknessValue, q(kWall) + c(1)});
    shownQuantity(def, kHalfBendPlateValue, "制作半个90度热冲压弯头板材重量", "kg/个", kHalfBendPlate);
    def.formula({kHalfBendPlateValue, q(kPlateLengthValue) / c(1000) * (q(kPlateWidthValue) / c(1000)) *
                                          (q(kPlateThicknessValue) / c(1000)) * c(kSteelDensity)});
    def.formula({kBendPlate, q(kBendsValue) * (q(kHalfBendPlateValue) / c(1000))});

    formula::Expr structures = 0.0;
    for (const Terrain& terrain : kTerrains) {
        const formula::Expr term = q(terrain.horizontalLength) * q(terrain.structuresPerKm);
        structures = &terrain == &kTerrains[0] ? term : structures + term;
    }
    def.formula({kStructures, structures});

    // The trench over the unrounded total length.
    def.quantity(kTrenchSection, "F", "管沟截面积", "m²", 3);
    def.formula({kTrenchSection, q(kTrenchDepth) * (q(kTrenchBottom) + q(kTrenchDepth) / q(kSlope))});
    def.quantity(kExcavationValue, "V", "线路管沟开挖量", "m³", 1);
    def.formula({kExcavationValue, c(1000) * q(kLengthValue) * q(kTrenchSection)});
    def.quantity(kRockValue, "R", "管沟石方量", "m³", 1);
    def.formula({kRockValue, q(kRockShare) * q(kExcavationValue)});
    def.quantity(kEarthValue, "E", "管沟土方量", "m³", 1);
    def.formula({kEarthValue, q(kExcavationValue) - q(kRockValue)});
    def.formula({kExcavation, q(kExcavationValue) / c(10000)});
    def.formula({kEarth, q(kEarthValue) / c(10000)});
    def.formula({kRock, q(kRockValue) / c(10000)});
}

struct Cell {
    const char* name;
    const char* label;
    const char* defaultText;
    const char* symbol;
    const char* meaning;
    const char* unit;
    Domain domain = {};  // inputs
};

// Rows of three fields, left to right; results are written to two decimals.
void addRows(FrameBuilder& frame, std::span<const std::array<Cell, 3>> rows, bool results) {
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        for (int c = 0; c < 3; ++c) {
            const Cell& cell = rows[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)];
            ControlDef& field = frame.field(cell.name, cell.label, cell.defaultText, {r, c});
            field.means(cell.symbol, cell.meaning, cell.unit, results ? 2 : -1).within(cell.domain);
            if (results) field.meaning.role = FieldRole::Result;
        }
    }
}

FormDefinition makePreliminaryMaterials() {
    FormDefinition def("线路初设常用材料", "线路初设常用材料");
    def.titleLabel("Label1", "线路初设常用材料");

    // The route length and the bend wall are shown for the engineer's record; the calculation
    // does not use them. Structures per km of route are in m³ (the totals are in 方).
    const std::array<Cell, 3> inputs[] = {
        {{{kRouteLength, "管线水平长度，Km", "28.1", "H", "管线水平长度", "km", Domain::positive()},
          {kDiameter, "管线外径,mm", "219.1", "D", "管线外径", "mm", Domain::positive()},
          {kWall, "管道壁厚,mm", "5.6", "δ", "管道壁厚", "mm", Domain::positive()}}},
        {{{kBendWall, "弯头壁厚,mm", "500", "δ_b", "弯头壁厚", "mm", Domain::positive()},
          {kBendRadiusRatio, "弯头曲率半径几倍DN", "5.0", "n", "弯头曲率半径与DN之比", "", Domain::positive()},
          {kPlainLength, "平原地区水平长度,Km", "3", "H_p", "平原地区水平长度", "km", Domain::nonNegative()}}},
        {{{kShallowHillLength, "浅丘地区水平长度,Km", "15", "H_q", "浅丘地区水平长度", "km", Domain::nonNegative()},
          {kDeepHillLength, "深丘地区水平长度,Km ", "0", "H_s", "深丘地区水平长度", "km", Domain::nonNegative()},
          {kMountainLength, "山地陡坡地区长度,Km", "10.1", "H_m", "山地陡坡地区水平长度", "km", Domain::nonNegative()}}},
        {{{kPlainStructures, "平原地区单位长度构筑物,cm", "10", "S_p", "平原地区单位长度构筑物", "m³/km", Domain::nonNegative()},
          {kShallowHillStructures, "浅丘地区单位长度构筑物", "150", "S_q", "浅丘地区单位长度构筑物", "m³/km", Domain::nonNegative()},
          {kDeepHillStructures, "深丘地区单位长度构筑物", "300", "S_s", "深丘地区单位长度构筑物", "m³/km", Domain::nonNegative()}}},
        {{{kMountainStructures, "山地地区单位长度构筑物", "400", "S_m", "山地地区单位长度构筑物", "m³/km", Domain::nonNegative()},
          {kTrenchBottom, "管沟底宽,m", "0.8", "b", "管沟底宽", "m", Domain::positive()},
          {kSlope, "管沟边坡系数", "3", "m", "管沟边坡系数", "", Domain::nonNegative()}}},
        {{{kTrenchDepth, "管沟平均深度", "1.5", "h", "管沟平均深度", "m", Domain::positive()},
          {kRockShare, "管沟石方比例", "0.25", "r", "管沟石方比例", "", Domain::between(0, 1)},
          {kPlaneTurnBends, "平面转角弯头个数(90度)", "50", "N_t", "平面转角弯头个数(90度)", "个", Domain::countFromZero()}}},
    };
    auto inputFrame = def.frame("Frame1", "输入参数", FrameRole::Input, {0, 0});
    addRows(inputFrame, inputs, false);

    // Every result starts as a single blank.
    const std::array<Cell, 3> results[] = {
        {{{kPlainRealLength, "平原地区管道实长,Km", " ", "L_p", "平原地区管道实长", "km"},
          {kShallowHillRealLength, "浅丘地区管道实长,Km", " ", "L_q", "浅丘地区管道实长", "km"},
          {kDeepHillRealLength, "深丘地区管道实长,Km", " ", "L_s", "深丘地区管道实长", "km"}}},
        {{{kMountainRealLength, "山地地区管道实长,Km", " ", "L_m", "山地地区管道实长", "km"},
          {kTotalLength, "管道直管段总实长,Km", " ", "L", "管道直管段总实长", "km"},
          {kStructures, "线路构筑物总量(方)", " ", "S", "线路构筑物总量", "m³"}}},
        {{{kMassPerMetre, "管道直管段单重,Kg/m", " ", "w", "管道直管段单重", "kg/m"},
          {kPipeMass, "管道直管段总重量,T", " ", "W", "管道直管段总重量", "t"},
          {kPlainBends, "平原地区弯头个数(90度)", " ", "N_p", "平原地区弯头个数(90度)", "个"}}},
        {{{kShallowHillBends, "浅丘地区弯头个数(90度)", " ", "N_q", "浅丘地区弯头个数(90度)", "个"},
          {kDeepHillBends, "深丘地区弯头个数(90度)", " ", "N_s", "深丘地区弯头个数(90度)", "个"},
          {kMountainBends, "山地地区弯头个数(90度)", " ", "N_m", "山地地区弯头个数(90度)", "个"}}},
        {{{kTotalBends, "线路折合90度弯头(个)", " ", "N", "线路折合90度弯头个数", "个"},
          {kHalfBendPlate, "制作半个90度热冲压弯头板材重量,Kg/个", " ", "p", "制作半个90度热冲压弯头板材重量", "kg/个"},
          {kBendPlate, "制作弯头所需板材总重量,T", " ", "W_b", "制作弯头所需板材总重量", "t"}}},
        {{{kPlateLength, "弯头制作板材尺寸A(mm)", " ", "A", "弯头制作板材尺寸A", "mm"},
          {kPlateWidth, "弯头制作板材尺寸B(mm)", " ", "B", "弯头制作板材尺寸B", "mm"},
          {kPlateThickness, "弯头制作板材厚度h(mm)", " ", "t", "弯头制作板材厚度", "mm"}}},
        // The second of the two parts is the rock, and its label says so.
        {{{kExcavation, "线路管沟开挖量(万方)", " ", "V_w", "线路管沟开挖量", "万m³"},
          {kEarth, "其中土方量,(万方)", " ", "E_w", "管沟土方量", "万m³"},
          {kRock, "其中石方量,(万方)", " ", "R_w", "管沟石方量", "万m³"}}},
    };
    auto resultFrame = def.frame("Frame2", "输出结果", FrameRole::Results, {1, 0});
    addRows(resultFrame, results, true);
    addFormulas(def);

    def.runButton("Command1", "开始计算", computePreliminaryMaterials);
    def.printButton("Command2");
    return def;
}

const WindowRegistration registration("线路初设常用材料", "线路初设常用材料", makePreliminaryMaterials);

}  // namespace
}  // namespace pylora
