// 土建材料: cement, sand and stone for a volume of gravel concrete and of crushed-stone concrete,
// with medium and with fine sand, from the concrete mix tables, 15 % losses added.
#include <array>

#include "model/calc.h"
#include "materials/material_window.h"

namespace pylora {
namespace {

struct ConcreteTables {
    std::shared_ptr<MaterialTable> gravel, crushedStone;  // Data1, Data2
};

std::any openConcreteTables(Form&, const Services& services) {
    auto tables = openMaterialTables(services.databaseFolder, "土建材料97.sqlite", {"砾石混凝土", "碎石混凝土"});
    return ConcreteTables{tables[0], tables[1]};
}

constexpr auto kVolume = "Text1";
constexpr auto kAggregateSize = "List1";
constexpr auto kGrade = "List2";

using SectionQuantities = std::array<UnitAndTotal, 8>;

// Per m³ of concrete and for the whole volume with losses; the row is the subscript's second
// figure: 1 gravel with medium sand, 2 gravel with fine sand, 3 and 4 crushed stone.
const SectionQuantities kGravelQuantities{{
    {"#300水泥（中砂）", "Text3", "Text2", "砾石混凝土（中砂）#300水泥", "c_{300,1}", "C_{300,1}", "kg/m³", "kg", 1},
    {"#400水泥（中砂）", "Text4", "Text6", "砾石混凝土（中砂）#400水泥", "c_{400,1}", "C_{400,1}", "kg/m³", "kg", 1},
    {"砂（中砂）", "Text7", "Text8", "砾石混凝土（中砂）砂", "s_{1}", "S_{1}", "m³/m³", "m³", 3},
    {"石（中砂）", "Text9", "Text5", "砾石混凝土（中砂）石", "g_{1}", "G_{1}", "m³/m³", "m³", 3},
    {"#300水泥（细砂）", "Text10", "Text16", "砾石混凝土（细砂）#300水泥", "c_{300,2}", "C_{300,2}", "kg/m³", "kg", 1},
    {"#400水泥（细砂）", "Text15", "Text14", "砾石混凝土（细砂）#400水泥", "c_{400,2}", "C_{400,2}", "kg/m³", "kg", 1},
    {"砂（细砂）", "Text13", "Text12", "砾石混凝土（细砂）砂", "s_{2}", "S_{2}", "m³/m³", "m³", 3},
    {"石（细砂）", "Text11", "Text17", "砾石混凝土（细砂）石", "g_{2}", "G_{2}", "m³/m³", "m³", 3},
}};
const SectionQuantities kCrushedStoneQuantities{{
    {"#300水泥（中砂）", "Text20", "Text21", "碎石混凝土（中砂）#300水泥", "c_{300,3}", "C_{300,3}", "kg/m³", "kg", 1},
    {"#400水泥（中砂）", "Text22", "Text19", "碎石混凝土（中砂）#400水泥", "c_{400,3}", "C_{400,3}", "kg/m³", "kg", 1},
    {"砂（中砂）", "Text18", "Text24", "碎石混凝土（中砂）砂", "s_{3}", "S_{3}", "m³/m³", "m³", 3},
    {"石（中砂）", "Text33", "Text30", "碎石混凝土（中砂）石", "g_{3}", "G_{3}", "m³/m³", "m³", 3},
    {"#300水泥（细砂）", "Text29", "Text28", "碎石混凝土（细砂）#300水泥", "c_{300,4}", "C_{300,4}", "kg/m³", "kg", 1},
    {"#400水泥（细砂）", "Text27", "Text26", "碎石混凝土（细砂）#400水泥", "c_{400,4}", "C_{400,4}", "kg/m³", "kg", 1},
    {"砂（细砂）", "Text25", "Text23", "碎石混凝土（细砂）砂", "s_{4}", "S_{4}", "m³/m³", "m³", 3},
    {"石（细砂）", "Text32", "Text31", "碎石混凝土（细砂）石", "g_{4}", "G_{4}", "m³/m³", "m³", 3},
}};

constexpr double kLossAllowance = 1.15;

// The record is found in two moves: the first record of the aggregate size, then the next
// record after it of the concrete grade. So it depends on the table's stored order: the first
// record of a size is never the one used.
void computeSection(Form& form, MaterialTable& table, const std::string& sizeField, const SectionQuantities& quantities) {
    table.findFirst(sizeField + "='" + requireSelection(form, kAggregateSize) + "'", kAggregateSize);
    table.findNext("混凝土标号='" + requireSelection(form, kGrade) + "'", kGrade);
    writeUnitsAndTotals(form, table, quantities, kVolume, kLossAllowance);
}

void computeConcrete(RunContext& run) {
    ConcreteTables& tables = openedTables<ConcreteTables>(run);
    computeSection(run.form, *tables.gravel, "砾石粒径", kGravelQuantities);
    computeSection(run.form, *tables.crushedStone, "碎石粒径", kCrushedStoneQuantities);
}

void addSectionRows(FrameBuilder& results, int firstRow, const char* heading, const SectionQuantities& quantities) {
    results.label("", heading, {firstRow, 0});
    const char* sands[] = {"1.中砂", "2.细砂"};
    for (int row = 0; row < 2; ++row) {
        results.label("", sands[row], {firstRow + 1 + row, 0});
        for (int i = 0; i < 4; ++i) {
            const UnitAndTotal& q = quantities[static_cast<std::size_t>(row * 4 + i)];
            meansUnitQuantity(results.cell(q.unit, " ", {firstRow + 1 + row, 1 + 2 * i}), q);
            meansTotalQuantity(results.cell(q.total, " ", {firstRow + 1 + row, 2 + 2 * i}), q);
        }
    }
}

FormDefinition makeConcrete() {
    FormDefinition def("土建材料", "土建材料");
    def.titleLabel("Label1", "土建材料(混凝土)计算");

    auto inputs = def.frame("输入区", "输入参数", FrameRole::Input, {0, 0});
    inputs.field(kVolume, "混凝土体积(方)", "10", {0, 0}).means("V", "混凝土体积", "m³").positive();
    inputs.list(kAggregateSize, "粒径(mm)", {"10mm", "20mm", "40mm", "80mm"}, {0, 1}).means("", "骨料粒径");
    // "#200" stands first and again sixth.
    inputs.list(kGrade, "混凝土标号", {"#200", "#50", "#75", "#100", "#150", "#200", "#300"}, {0, 2})
        .means("", "混凝土标号");

    auto results = def.frame("Frame1", "输出结果", FrameRole::Results, {1, 0});
    const char* heads[] = {"#300水泥(Kg)", "总量(Kg)", "#400水泥(Kg)", "总量(Kg)", "砂(方)", "总量(方)", "石(方)", "总量(方)"};
    for (int i = 0; i < 8; ++i) results.label("", heads[i], {0, 1 + i});
    addSectionRows(results, 1, "一、砾石混凝土：", kGravelQuantities);
    addSectionRows(results, 4, "二、碎石混凝土：", kCrushedStoneQuantities);
    results.label("Label14", "注：以上各项材料用量均为混凝土用量总数加15%损耗量后计算结果。", {7, 0, 1, 9});
    // Totals with 15 % losses: unit quantity · V · 1.15.
    addTotalFormulas(def, kGravelQuantities, kVolume, kLossAllowance);
    addTotalFormulas(def, kCrushedStoneQuantities, kVolume, kLossAllowance);

    def.onCreate(openConcreteTables);
    def.runButton("OKButton", "开始计算", computeConcrete);
    def.printButton("Command1");
    return def;
}

const WindowRegistration registration("土建材料", "土建材料", makeConcrete);

}  // namespace
}  // namespace pylora
