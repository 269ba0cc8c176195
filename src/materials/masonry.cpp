// 土建材料二: bricks, rubble, dressed stone, cement, lime and sand for a volume of masonry of a
// chosen kind, from the masonry table; no loss allowance is added.
#include <array>
#include <utility>

#include "model/calc.h"
#include "materials/material_window.h"

namespace pylora {
namespace {

struct MasonryTables {
    std::shared_ptr<MaterialTable> masonry;  // Data1
};

std::any openMasonryTable(Form&, const Services& services) {
    return MasonryTables{openMaterialTable(services.databaseFolder, "土建材料97.sqlite", "砌石结构")};
}

constexpr auto kVolume = "Text1";
constexpr auto kKind = "List1";

// Per m³ of masonry and for the whole volume, in the order the run writes them: bricks,
// rubble, dressed stone, cement, lime, sand.
const std::array<UnitAndTotal, 6> kQuantities{{
    {"砖(块)", "Text3", "Text2", "砖", "b", "B", "块/m³", "块", 0},
    {"毛石(方)", "Text4", "Text6", "毛石", "r", "R", "m³/m³", "m³", 3},
    {"条石(方)", "Text7", "Text9", "条石", "d", "D", "m³/m³", "m³", 3},
    {"#300水泥(Kg)", "Text20", "Text21", "#300水泥", "c", "C", "kg/m³", "kg", 1},
    {"石灰(Kg)", "Text22", "Text19", "石灰", "l", "L", "kg/m³", "kg", 1},
    {"砂(方)", "Text18", "Text33", "砂", "s", "S", "m³/m³", "m³", 3},
}};

void computeMasonry(RunContext& run) {
    MaterialTable& table = *openedTables<MasonryTables>(run).masonry;
    table.findFirst("项目='" + requireSelection(run.form, kKind) + "'", kKind);
    writeUnitsAndTotals(run.form, table, kQuantities, kVolume);
}

FormDefinition makeMasonry() {
    FormDefinition def("土建材料二", "土建材料二");
    def.titleLabel("Label1", "土建材料（砌石结构）计算");

    auto inputs = def.frame("输入区", "输入参数", FrameRole::Input, {0, 0});
    inputs.field(kVolume, "砌筑体积(方)", "10", {0, 0}).means("V", "砌筑体积", "m³").positive();
    inputs.list(kKind, "砌石结构项目",
                {"#25水泥砂浆砌砖", "#50水泥砂浆砌砖", "#25砂浆砌毛石", "#50砂浆砌毛石", "#25水泥砂浆砌毛石",
                 "#50水泥砂浆砌毛石", "#25水泥砂浆砌毛条石基", "#25砂浆砌毛条石挡土墙", "#25砂浆砌清条石挡土墙",
                 "#50砂浆砌毛条石挡土墙", "#50砂浆砌清条石挡土墙", "1：2防水砂浆防潮层"},
                {0, 1})
        .means("", "砌石结构项目");

    auto results = def.frame("Frame1", "输出结果", FrameRole::Results, {1, 0});
    results.label("", "一、砌石结构：", {0, 0});
    // The captions above the fields, in the order of kQuantities.
    const std::pair<const char*, const char*> captions[] = {
        {"砖（块）单位用量", "总量(块)"},   {"毛石（方）单位用量", "总量(方)"}, {"条石(方)单位用量", "总量(方)"},
        {"#300水泥单位用量", "总量(Kg)"}, {"石灰（Kg）单位用量", "总量(Kg)"}, {"砂（方）单位用量", "总量（方）"},
    };
    for (int i = 0; i < 6; ++i) {
        const int row = 1 + i / 3, column = 2 * (i % 3);
        const UnitAndTotal& quantity = kQuantities[static_cast<std::size_t>(i)];
        ControlDef& unit = results.result(quantity.unit, captions[i].first, {row, column});
        meansUnitQuantity(unit, quantity).labelPlacement = LabelPlacement::Above;
        ControlDef& total = results.result(quantity.total, captions[i].second, {row, column + 1});
        meansTotalQuantity(total, quantity).labelPlacement = LabelPlacement::Above;
    }
    addTotalFormulas(def, kQuantities, kVolume);

    def.onCreate(openMasonryTable);
    def.runButton("OKButton", "开始计算", computeMasonry);
    def.printButton("Command1");
    return def;
}

const WindowRegistration registration("土建材料二", "土建材料二", makeMasonry);

}  // namespace
}  // namespace pylora
