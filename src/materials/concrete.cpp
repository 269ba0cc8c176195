// 土建材料: cement, sand and stone for a volume of gravel concrete and of crushed-stone concrete,
// with medium and with fine sand, from the concrete mix tables, 15 % losses added.
#include <array>

#include "core/calc.h"
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

using SectionQuantities = std::array<UnitAndTotal, 8>;

const SectionQuantities kGravelQuantities{{
    {"#300水泥（中砂）", "Text3", "Text2"}, {"#400水泥（中砂）", "Text4", "Text6"},
    {"砂（中砂）", "Text7", "Text8"}, {"石（中砂）", "Text9", "Text5"},
    {"#300水泥（细砂）", "Text10", "Text16"}, {"#400水泥（细砂）", "Text15", "Text14"},
    {"砂（细砂）", "Text13", "Text12"}, {"石（细砂）", "Text11", "Text17"},
}};
const SectionQuantities kCrushedStoneQuantities{{
    {"#300水泥（中砂）", "Text20", "Text21"}, {"#400水泥（中砂）", "Text22", "Text19"},
    {"砂（中砂）", "Text18", "Text24"}, {"石（中砂）", "Text33", "Text30"},
    {"#300水泥（细砂）", "Text29", "Text28"}, {"#400水泥（细砂）", "Text27", "Text26"},
    {"砂（细砂）", "Text25", "Text23"}, {"石（细砂）", "Text32", "Text31"},
}};

constexpr double kLossAllowance = 1.15;

// The record is found in two moves: the first record of the aggregate size, then the next
// record after it of the concrete grade. So it depends on the table's stored order: the first
// record of a size is never the one used.
void computeSection(Form& form, MaterialTable& table, const std::string& sizeField, const SectionQuantities& quantities) {
    table.findFirst(sizeField + "='" + requireSelection(form, "List1") + "'", "List1");
    table.findNext("混凝土标号='" + requireSelection(form, "List2") + "'", "List2");
    writeUnitsAndTotals(form, table, quantities, "Text1", kLossAllowance);
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
            results.cell(q.unit, " ", {firstRow + 1 + row, 1 + 2 * i});
            results.cell(q.total, " ", {firstRow + 1 + row, 2 + 2 * i});
        }
    }
}

FormDefinition makeConcrete() {
    FormDefinition def("土建材料", "土建材料");
    def.titleLabel("Label1", "土建材料(混凝土)计算");

    auto inputs = def.frame("输入区", "输入参数", FrameRole::Input, {0, 0});
    inputs.field("Text1", "混凝土体积(方)", "10", {0, 0});
    inputs.list("List1", "粒径(mm)", {"10mm", "20mm", "40mm", "80mm"}, {0, 1});
    // "#200" stands first and again sixth.
    inputs.list("List2", "混凝土标号", {"#200", "#50", "#75", "#100", "#150", "#200", "#300"}, {0, 2});

    auto results = def.frame("Frame1", "输出结果", FrameRole::Results, {1, 0});
    const char* heads[] = {"#300水泥(Kg)", "总量(Kg)", "#400水泥(Kg)", "总量(Kg)", "砂(方)", "总量(方)", "石(方)", "总量(方)"};
    for (int i = 0; i < 8; ++i) results.label("", heads[i], {0, 1 + i});
    addSectionRows(results, 1, "一、砾石混凝土：", kGravelQuantities);
    addSectionRows(results, 4, "二、碎石混凝土：", kCrushedStoneQuantities);
    results.label("Label14", "注：以上各项材料用量均为混凝土用量总数加15%损耗量后计算结果。", {7, 0, 1, 9});

    def.onCreate(openConcreteTables);
    def.runButton("OKButton", "开始计算", computeConcrete);
    def.printButton("Command1");
    return def;
}

const WindowRegistration registration(makeConcrete);

}  // namespace
}  // namespace pylora
