// 线路初设常用材料: the rough quantities of a preliminary line design from the route's horizontal
// lengths by terrain: real pipe length, straight-pipe mass, 90° bends and the plate to press
// them, line structures, and the trench excavation split into earth and rock.
#include <array>
#include <span>

#include "core/calc.h"

namespace pylora {
namespace {

constexpr double kPi = 3.1416;  // this window's value of π
constexpr double kSteelDensity = 7850;  // kg/m³

// A terrain class: how much longer the pipe is than the route, how many 90° bends a kilometre
// of route needs, and the volume of line structures per kilometre.
struct Terrain {
    const char* horizontalLength;  // km, input
    double lengthFactor;
    const char* realLength;  // km, result
    int bendsPerKm;
    const char* bends;  // result
    const char* structuresPerKm;  // input
};

const std::array<Terrain, 4> kTerrains{{
    {"Text18", 1.005, "Text10", 2, "Text35", "Text14"},   // plain
    {"Text5", 1.015, "Text8", 6, "Text26", "Text15"},     // shallow hills
    {"Text13", 1.035, "Text7", 13, "Text25", "Text4"},    // deep hills
    {"Text19", 1.06, "Text9", 20, "Text23", "Text3"},     // mountains and steep slopes
}};

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
    write(form, "Text33", realLength);

    // Straight pipe: steel cross-section times density; the total mass (t) from the total
    // length as displayed (km).
    const Num diameter = FieldValue(form, "Text11");
    const Num wall = FieldValue(form, "Text6");
    const Num outerMetres = diameter / 1000, innerMetres = (diameter - 2 * wall) / 1000;
    const Num outer = kPi * (outerMetres * outerMetres) / 4;
    const Num inner = kPi * (innerMetres * innerMetres) / 4;
    const Num massPerMetre = (outer - inner) * kSteelDensity;
    write(form, "Text28", massPerMetre);
    write(form, "Text27", FieldValue(form, "Text33") * massPerMetre);

    // Bends, counted as 90° bends, per kilometre of horizontal length, plus the plane turns.
    Num bends = 0;
    for (std::size_t i = 0; i < kTerrains.size(); ++i) {
        const Num count = kTerrains[i].bendsPerKm * horizontal[i];
        write(form, kTerrains[i].bends, count);
        bends += count;
    }
    bends += FieldValue(form, "Text39");
    write(form, "Text31", bends);

    // Plate (mm) for one half of a hot-pressed 90° bend of radius n·D, one millimetre thicker
    // than the pipe wall. The half bend is shown in kilograms, as its label says; the total
    // plate in tonnes.
    const Num radiusFactor = FieldValue(form, "Text12");
    const Num plateLength = (kPi * diameter / 4 + radiusFactor * diameter) * 1.414 + 200;
    const Num plateWidth = 1.34 * diameter + 0.293 * radiusFactor * diameter + 200;
    const Num plateThickness = wall + 1;
    const Num halfBendKilograms = (plateLength / 1000) * (plateWidth / 1000) * (plateThickness / 1000) * kSteelDensity;
    write(form, "Text30", halfBendKilograms);
    write(form, "Text29", bends * (halfBendKilograms / 1000));
    write(form, "Text22", plateLength);
    write(form, "Text32", plateWidth);
    write(form, "Text34", plateThickness);

    Num structures = 0;
    for (std::size_t i = 0; i < kTerrains.size(); ++i)
        structures += horizontal[i] * FieldValue(form, kTerrains[i].structuresPerKm);
    write(form, "Text24", structures);

    // Trench of bottom width b, depth h and slope 1:m over the unrounded total length, in
    // units of 10 000 m³. One read per statement keeps the formula's order: depth, bottom
    // width, slope.
    const Num depth = FieldValue(form, "Text20");
    const Num bottomWidth = FieldValue(form, "Text17");
    const Num section = depth * (bottomWidth + depth / FieldValue(form, "Text16"));
    const Num excavation = 1000 * realLength * section;
    const Num rock = FieldValue(form, "Text21") * excavation;
    write(form, "Text36", excavation / 10000);
    write(form, "Text37", (excavation - rock) / 10000);
    write(form, "Text38", rock / 10000);
}

struct Cell {
    const char* name;
    const char* label;
    const char* defaultText;
};

// Rows of three fields, left to right.
void addRows(FrameBuilder& frame, std::span<const std::array<Cell, 3>> rows) {
    for (int r = 0; r < static_cast<int>(rows.size()); ++r)
        for (int c = 0; c < 3; ++c) frame.field(rows[r][c].name, rows[r][c].label, rows[r][c].defaultText, {r, c});
}

FormDefinition makePreliminaryMaterials() {
    FormDefinition def("线路初设常用材料", "线路初设常用材料");
    def.titleLabel("Label1", "线路初设常用材料");

    // Text1 and Text2 are shown for the engineer's record; the calculation does not use them.
    const std::array<Cell, 3> inputs[] = {
        {{{"Text1", "管线水平长度，Km", "28.1"}, {"Text11", "管线外径,mm", "219.1"}, {"Text6", "管道壁厚,mm", "5.6"}}},
        {{{"Text2", "弯头壁厚,mm", "500"},
          {"Text12", "弯头曲率半径几倍DN", "5.0"},
          {"Text18", "平原地区水平长度,Km", "3"}}},
        {{{"Text5", "浅丘地区水平长度,Km", "15"},
          {"Text13", "深丘地区水平长度,Km ", "0"},
          {"Text19", "山地陡坡地区长度,Km", "10.1"}}},
        {{{"Text14", "平原地区单位长度构筑物,cm", "10"},
          {"Text15", "浅丘地区单位长度构筑物", "150"},
          {"Text4", "深丘地区单位长度构筑物", "300"}}},
        {{{"Text3", "山地地区单位长度构筑物", "400"}, {"Text17", "管沟底宽,m", "0.8"}, {"Text16", "管沟边坡系数", "3"}}},
        {{{"Text20", "管沟平均深度", "1.5"},
          {"Text21", "管沟石方比例", "0.25"},
          {"Text39", "平面转角弯头个数(90度)", "50"}}},
    };
    auto inputFrame = def.frame("Frame1", "输入参数", FrameRole::Input, {0, 0});
    addRows(inputFrame, inputs);

    // Every result starts as a single blank.
    const std::array<Cell, 3> results[] = {
        {{{"Text10", "平原地区管道实长,Km", " "},
          {"Text8", "浅丘地区管道实长,Km", " "},
          {"Text7", "深丘地区管道实长,Km", " "}}},
        {{{"Text9", "山地地区管道实长,Km", " "},
          {"Text33", "管道直管段总实长,Km", " "},
          {"Text24", "线路构筑物总量(方)", " "}}},
        {{{"Text28", "管道直管段单重,Kg/m", " "},
          {"Text27", "管道直管段总重量,T", " "},
          {"Text35", "平原地区弯头个数(90度)", " "}}},
        {{{"Text26", "浅丘地区弯头个数(90度)", " "},
          {"Text25", "深丘地区弯头个数(90度)", " "},
          {"Text23", "山地地区弯头个数(90度)", " "}}},
        {{{"Text31", "线路折合90度弯头(个)", " "},
          {"Text30", "制作半个90度热冲压弯头板材重量,Kg/个", " "},
          {"Text29", "制作弯头所需板材总重量,T", " "}}},
        {{{"Text22", "弯头制作板材尺寸A(mm)", " "},
          {"Text32", "弯头制作板材尺寸B(mm)", " "},
          {"Text34", "弯头制作板材厚度h(mm)", " "}}},
        // The second of the two parts is the rock, and its label says so.
        {{{"Text36", "线路管沟开挖量(万方)", " "},
          {"Text37", "其中土方量,(万方)", " "},
          {"Text38", "其中石方量,(万方)", " "}}},
    };
    auto resultFrame = def.frame("Frame2", "输出结果", FrameRole::Results, {1, 0});
    addRows(resultFrame, results);

    def.runButton("Command1", "开始计算", computePreliminaryMaterials);
    def.printButton("Command2");
    return def;
}

const WindowRegistration registration(makePreliminaryMaterials);

}  // namespace
}  // namespace pylora
