// 焊接材料: electrode type and, per girth weld and for the whole line, the electrodes, calcium
// carbide and oxygen for a pipe diameter and wall thickness, from the welding material tables.
#include "core/calc.h"
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

void computeWeldingMaterials(RunContext& run) {
    Form& form = run.form;
    WeldingTables& tables = openedTables<WeldingTables>(run);
    // Each table has one field per diameter item, named like the item, and one record per wall.
    const std::string diameter = requireSelection(form, "List1");
    const std::string criterion = "壁厚='" + requireSelection(form, "List2") + "'";

    tables.electrodes->findFirst(criterion, "List2");
    const Num electrodes = tables.electrodes->number(diameter, "List1");
    tables.carbide->findFirst(criterion, "List2");
    const Num carbide = tables.carbide->number(diameter, "List1");
    tables.oxygen->findFirst(criterion, "List2");
    const Num oxygen = tables.oxygen->number(diameter, "List1");
    tables.electrodeTypes->findFirst(criterion, "List2");
    form.setText("Text3", tables.electrodeTypes->text(diameter, "List1"));

    form.setText("Text4", NumberText(electrodes));
    form.setText("Text6", NumberText(carbide));
    form.setText("Text8", NumberText(oxygen));

    // Totals over 1000·L/s welds, from the values read rather than the texts shown. L·(1000·e)
    // is the same product as 1000·e·L; with L first a total too large names the line length.
    const Num length = FieldValue(form, "Text1");
    const Num spacing = FieldValue(form, "Text2");
    form.setText("Text5", NumberText(length * (1000 * electrodes) / spacing));
    form.setText("Text7", NumberText(length * (1000 * carbide) / spacing));
    form.setText("Text9", NumberText(length * (1000 * oxygen) / spacing));
}

FormDefinition makeWeldingMaterials() {
    FormDefinition def("焊接材料", "焊接材料");
    def.titleLabel("Label1", "焊接材料计算");

    auto inputs = def.frame("输入区", "输入参数", FrameRole::Input, {0, 0});
    inputs.list("List1", "管线外径(mm)",
                {"φ57", "φ60", "φ76", "φ89", "φ108", "φ114", "φ159", "φ168", "φ219", "φ245", "φ273", "φ299",
                 "φ325", "φ351", "φ377", "φ426", "φ478", "φ529", "φ630", "φ720", "φ820"},
                {0, 0, 2, 1});
    inputs.list("List2", "壁    厚(mm)", {"4mm", "6mm", "8mm", "10mm"}, {0, 1});
    inputs.field("Text1", "管线长度(Km)", "10", {1, 1});
    inputs.field("Text2", "焊口平均间距（米）", "8", {2, 1});

    auto results = def.frame("Frame1", "输出结果", FrameRole::Results, {1, 0});
    results.label("", "一、焊条类型：", {0, 0});
    results.result("Text3", "焊条类型", {1, 0, 1, 3}).widthChars = 48;
    results.label("", "二、焊接材料消耗量：", {2, 0});
    results.label("", "每个焊口材料消耗指标", {3, 1});
    results.label("", "总消耗量", {3, 2});
    const struct {
        const char* material;
        const char* perWeld;
        const char* perWeldUnit;
        const char* total;
        const char* totalUnit;
    } rows[] = {
        {"电焊条(Kg)", "Text4", "(Kg/每个焊口)", "Text5", "(Kg)"},
        {"电  石(Kg)", "Text6", "(Kg/每个焊口)", "Text7", "(Kg)"},
        {"氧气（方）", "Text8", "(方/每个焊口)", "Text9", "（方）"},
    };
    int row = 4;
    for (const auto& r : rows) {
        results.label("", r.material, {row, 0});
        unitResult(results, r.perWeld, r.perWeldUnit, {row, 1});
        unitResult(results, r.total, r.totalUnit, {row, 2});
        ++row;
    }

    def.onCreate(openWeldingTables);
    def.runButton("OKButton", "开始计算", computeWeldingMaterials);
    def.printButton("Command1", "打印输出 ");
    return def;
}

const WindowRegistration registration(makeWeldingMaterials);

}  // namespace
}  // namespace pylora
