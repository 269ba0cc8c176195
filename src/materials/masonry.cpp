// 土建材料二: bricks, rubble, dressed stone, cement, lime and sand for a volume of masonry of a
// chosen kind, from the masonry table; no loss allowance is added.
#include <array>

#include "core/calc.h"
#include "materials/material_window.h"

namespace pylora {
namespace {

struct MasonryTables {
    std::shared_ptr<MaterialTable> masonry;  // Data1
};

std::any openMasonryTable(Form&, const Services& services) {
    return MasonryTables{openMaterialTable(services.databaseFolder, "土建材料97.sqlite", "砌石结构")};
}

// In the order the run writes them: bricks, rubble, dressed stone, cement, lime, sand.
const std::array<UnitAndTotal, 6> kQuantities{{
    {"砖(块)", "Text3", "Text2"},
    {"毛石(方)", "Text4", "Text6"},
    {"条石(方)", "Text7", "Text9"},
    {"#300水泥(Kg)", "Text20", "Text21"},
    {"石灰(Kg)", "Text22", "Text19"},
    {"砂(方)", "Text18", "Text33"},
}};

void computeMasonry(RunContext& run) {
    MaterialTable& table = *openedTables<MasonryTables>(run).masonry;
    table.findFirst("项目='" + requireSelection(run.form, "List1") + "'", "List1");
    writeUnitsAndTotals(run.form, table, kQuantities, "Text1");
}

FormDefinition makeMasonry() {
    FormDefinition def("土建材料二", "土建材料二");
    def.titleLabel("Label1", "土建材料（砌石结构）计算");

    auto inputs = def.frame("输入区", "输入参数", FrameRole::Input, {0, 0});
    inputs.field("Text1", "砌筑体积(方)", "10", {0, 0});
    inputs.list("List1", "砌石结构项目",
                {"#25水泥砂浆砌砖", "#50水泥砂浆砌砖", "#25砂浆砌毛石", "#50砂浆砌毛石", "#25水泥砂浆砌毛石",
                 "#50水泥砂浆砌毛石", "#25水泥砂浆砌毛条石基", "#25砂浆砌毛条石挡土墙", "#25砂浆砌清条石挡土墙",
                 "#50砂浆砌毛条石挡土墙", "#50砂浆砌清条石挡土墙", "1：2防水砂浆防潮层"},
                {0, 1});

    auto results = def.frame("Frame1", "输出结果", FrameRole::Results, {1, 0});
    results.label("", "一、砌石结构：", {0, 0});
    const struct {
        const char* unit;
        const char* unitLabel;
        const char* total;
        const char* totalLabel;
    } fields[] = {
        {"Text3", "砖（块）单位用量", "Text2", "总量(块)"},
        {"Text4", "毛石（方）单位用量", "Text6", "总量(方)"},
        {"Text7", "条石(方)单位用量", "Text9", "总量(方)"},
        {"Text20", "#300水泥单位用量", "Text21", "总量(Kg)"},
        {"Text22", "石灰（Kg）单位用量", "Text19", "总量(Kg)"},
        {"Text18", "砂（方）单位用量", "Text33", "总量（方）"},
    };
    for (int i = 0; i < 6; ++i) {
        const int row = 1 + i / 3, column = 2 * (i % 3);
        results.result(fields[i].unit, fields[i].unitLabel, {row, column}).labelPlacement = LabelPlacement::Above;
        results.result(fields[i].total, fields[i].totalLabel, {row, column + 1}).labelPlacement = LabelPlacement::Above;
    }

    def.onCreate(openMasonryTable);
    def.runButton("OKButton", "开始计算", computeMasonry);
    def.printButton("Command1");
    return def;
}

const WindowRegistration registration(makeMasonry);

}  // namespace
}  // namespace pylora
