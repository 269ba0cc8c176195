// 焊接材料: electrode type and, per girth weld and for the whole line, the electrodes, calcium
// carbide and oxygen for a pipe diameter and wall thickness, from the welding material tables.
#include "model/calc.h"
#include "materials/material_window.h"

namespace pylora {
namespace {

// Data1 … Data4 of the window, all in the welding material file.
struct WeldingTables {
    std::shared_ptr<MaterialTable> electrodes, carbide, oxygen, electrodeTypes;
};

std::any openWeldingTables(Form&, const Services& services) {
    auto tables = openMaterialTables(services.databaseFolder, "焊接材料.sqlite", {"电焊条", "电石", "氧气", "焊条类型"});
    return WeldingTables{tables[0], tables[1], tables[2], tables[3]};
}

constexpr auto kDiameter = "List1";
constexpr auto kWall = "List2";
constexpr auto kLength = "Text1";
constexpr auto kWeldSpacing = "Text2";
constexpr auto kElectrodeType = "Text3";
constexpr auto kElectrodesPerWeld = "Text4";
constexpr auto kElectrodesTotal = "Text5";
constexpr auto kCarbidePerWeld = "Text6";
constexpr auto kCarbideTotal = "Text7";
constexpr auto kOxygenPerWeld = "Text8";
constexpr auto kOxygenTotal = "Text9";
constexpr auto kWelds = "n";  // computed, not shown

using formula::c;
using formula::q;

void computeWeldingMaterials(RunContext& run) {
    Form& form = run.form;
    WeldingTables& tables = openedTables<WeldingTables>(run);
    // Each table has one field per diameter item, named like the item, and one record per wall.
    const std::string diameter = requireSelection(form, kDiameter);
    const std::string criterion = "壁厚='" + requireSelection(form, kWall) + "'";

    tables.electrodes->findFirst(criterion, kWall);
    const Num electrodes = tables.electrodes->number(diameter, kDiameter);
    tables.carbide->findFirst(criterion, kWall);
    const Num carbide = tables.carbide->number(diameter, kDiameter);
    tables.oxygen->findFirst(criterion, kWall);
    const Num oxygen = tables.oxygen->number(diameter, kDiameter);
    tables.electrodeTypes->findFirst(criterion, kWall);
    form.setText(kElectrodeType, tables.electrodeTypes->text(diameter, kDiameter));

    form.setText(kElectrodesPerWeld, NumberText(electrodes));
    form.setText(kCarbidePerWeld, NumberText(carbide));
    form.setText(kOxygenPerWeld, NumberText(oxygen));

    // Totals over 1000·L/s welds, from the values read rather than the texts shown. L·(1000·e)
    // is the same product as 1000·e·L; with L first a total too large names the line length.
    const auto [length, spacing] = FieldValues(form, kLength, kWeldSpacing);
    form.setText(kElectrodesTotal, NumberText(length * (1000 * electrodes) / spacing));
    form.setText(kCarbideTotal, NumberText(length * (1000 * carbide) / spacing));
    form.setText(kOxygenTotal, NumberText(length * (1000 * oxygen) / spacing));
}

FormDefinition makeWeldingMaterials() {
    FormDefinition def("焊接材料", "焊接材料");
    def.titleLabel("Label1", "焊接材料计算");

    auto inputs = def.frame("输入区", "输入参数", FrameRole::Input, {0, 0});
    inputs.list(kDiameter, "管线外径(mm)",
                {"φ57", "φ60", "φ76", "φ89", "φ108", "φ114", "φ159", "φ168", "φ219", "φ245", "φ273", "φ299",
                 "φ325", "φ351", "φ377", "φ426", "φ478", "φ529", "φ630", "φ720", "φ820"},
                {0, 0, 2, 1})
        .means("", "管线外径");
    inputs.list(kWall, "壁    厚(mm)", {"4mm", "6mm", "8mm", "10mm"}, {0, 1}).means("", "管道壁厚");
    inputs.field(kLength, "管线长度(Km)", "10", {1, 1}).means("L", "管线长度", "km").positive();
    inputs.field(kWeldSpacing, "焊口平均间距（米）", "8", {2, 1}).means("s", "焊口平均间距", "m").positive();

    auto results = def.frame("Frame1", "输出结果", FrameRole::Results, {1, 0});
    results.label("", "一、焊条类型：", {0, 0});
    results.result(kElectrodeType, "焊条类型", {1, 0, 1, 3}).means("T", "焊条类型").widthChars = 48;
    results.label("", "二、焊接材料消耗量：", {2, 0});
    results.label("", "每个焊口材料消耗指标", {3, 1});
    results.label("", "总消耗量", {3, 2});
    const struct {
        const char* caption;
        const char* perWeld;
        const char* perWeldCaption;
        const char* total;
        const char* totalCaption;
        const char* material;
        const char* perWeldSymbol;
        const char* totalSymbol;
        const char* unit;
    } rows[] = {
        {"电焊条(Kg)", kElectrodesPerWeld, "(Kg/每个焊口)", kElectrodesTotal, "(Kg)", "电焊条", "e", "E", "kg"},
        {"电  石(Kg)", kCarbidePerWeld, "(Kg/每个焊口)", kCarbideTotal, "(Kg)", "电石", "c", "C", "kg"},
        {"氧气（方）", kOxygenPerWeld, "(方/每个焊口)", kOxygenTotal, "（方）", "氧气", "o", "O", "m³"},
    };
    // Welds over the line length, L in km and s in m.
    def.quantity(kWelds, "n", "焊口数量", "个", 2);
    def.formula({kWelds, c(1000) * q(kLength) / q(kWeldSpacing)});
    int row = 4;
    for (const auto& r : rows) {
        const std::string material = r.material;
        results.label("", r.caption, {row, 0});
        unitResult(results, r.perWeld, r.perWeldCaption, {row, 1})
            .means(r.perWeldSymbol, material + "每个焊口消耗量", r.unit + std::string("/个"), 3);
        unitResult(results, r.total, r.totalCaption, {row, 2}).means(r.totalSymbol, material + "总消耗量", r.unit, 2);
        // Totals over the welds, from the values read from the tables (shown in full).
        def.formula({r.total, q(r.perWeld) * q(kWelds)});
        ++row;
    }

    def.onCreate(openWeldingTables);
    def.runButton("OKButton", "开始计算", computeWeldingMaterials);
    def.printButton("Command1", "打印输出 ");
    return def;
}

const WindowRegistration registration("焊接材料", "焊接材料", makeWeldingMaterials);

}  // namespace
}  // namespace pylora
