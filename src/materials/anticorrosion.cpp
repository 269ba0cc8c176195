// 防腐材料: coating materials of a buried line under four systems. Petroleum asphalt per km comes
// from the field-applied and the prefabricated coating tables; epoxy coal tar, polyethylene tape
// and three-layer PE are computed from the pipe's outer surface with fixed rates.
#include "core/calc.h"
#include "materials/material_window.h"

namespace pylora {
namespace {

struct AsphaltTables {
    std::shared_ptr<MaterialTable> fieldApplied;   // Data1
    std::shared_ptr<MaterialTable> prefabricated;  // Data2
};

std::any openAsphaltTables(Form&, const Services& services) {
    return AsphaltTables{openMaterialTable(services.databaseFolder, "现场防腐绝缘7.sqlite", "现场防腐绝缘材料"),
                         openMaterialTable(services.databaseFolder, "预制防腐绝缘7.sqlite", "预制绝缘防腐材料")};
}

const char* const kOrdinary = "（普通）";
const char* const kReinforced = "（加强）";
const char* const kExtraReinforced = "（特加强）";

// Section 一: asphalt, gasoline, PVC film and glass cloth per km from both tables, then totals.
void computeAsphalt(RunContext& run) {
    Form& form = run.form;
    AsphaltTables& tables = openedTables<AsphaltTables>(run);
    requireSelection(form, "List1");
    const std::string grade = requireSelection(form, "List2");
    const std::string criterion = form.text("Text25");
    tables.fieldApplied->findFirst(criterion, "List1");
    tables.prefabricated->findFirst(criterion, "List1");

    MaterialTable& field = *tables.fieldApplied;
    form.setText("Text1", field.text(form.text("Text27"), "Text1"));
    form.setText("Text5", field.text("汽油" + grade, "Text5"));
    form.setText("Text9", field.text("聚氯乙烯塑料布" + grade, "Text9"));
    form.setText("Text14", field.text("玻璃布" + grade, "Text14"));
    form.setText("Text18", field.text("热缩套", "Text18"));
    form.setText("Text13", field.text("玻璃布宽", "Text13"));
    MaterialTable& prefabricated = *tables.prefabricated;
    form.setText("Text3", prefabricated.text("防腐沥青" + grade, "Text3"));
    form.setText("Text7", prefabricated.text("汽油" + grade, "Text7"));
    form.setText("Text11", prefabricated.text("聚氯乙烯塑料布" + grade, "Text11"));
    form.setText("Text16", prefabricated.text("玻璃布" + grade, "Text16"));

    const std::pair<const char*, const char*> totals[] = {
        {"Text1", "Text2"}, {"Text3", "Text4"}, {"Text5", "Text6"}, {"Text7", "Text8"},
        {"Text9", "Text10"}, {"Text11", "Text12"}, {"Text14", "Text15"}, {"Text16", "Text17"},
    };
    // Length first: a total too large for a number names the line length.
    for (const auto& [perKm, total] : totals) {
        const Num length = FieldValue(form, "Text24");
        form.setText(total, NumberText(length * FieldValue(form, perKm)));
    }
    // One heat-shrink sleeve per 7 m of line.
    form.setText("Text19", NumberText(integerPart(1000 * FieldValue(form, "Text24") / 7)));
}

// The diameter from the end of the list item: "φ57 " -> "57 ", "φ60" -> "60", "φ159" -> "159".
Num pipeDiameter(const Form& form) {
    const std::string item = requireSelection(form, "List1");
    return LeadingValueOfText(lastCharacters(item, characterCount(item) == 4 ? 3 : 2), "List1");
}

// Section 四: three-layer PE.
void computeThreeLayerPe(Form& form, const Num& surface) {
    const Num polyethyleneRate = requireSelection(form, "List2") == kOrdinary ? 2.0 : 2.2;
    form.setText("Text20", FormatNumber(0.18 * surface, "#.##"));
    form.setText("Text21", FormatNumber(0.3 * surface, "#.##"));
    form.setText("Text23", FormatNumber(polyethyleneRate * surface, "#.##"));
}

// Section 二: epoxy coal tar and its glass cloth, by grade.
void computeEpoxyCoalTar(Form& form, const Num& surface) {
    const std::string grade = requireSelection(form, "List2");
    double epoxy = 0.0, cloth = 0.0;
    if (grade == kOrdinary) {
        epoxy = 0.6;
    } else if (grade == kReinforced) {
        epoxy = 0.8;
        cloth = 1.2;
    } else if (grade == kExtraReinforced) {
        epoxy = 1.0;
        cloth = 2.4;
    }
    form.setText("Text22", FormatNumber(epoxy * surface, "#.##"));
    form.setText("Text26", FormatNumber(cloth * surface, "#.##"));
}

// Section 三: polyethylene tape system.
void computeTape(Form& form, const Num& surface, const Num& diameter) {
    form.setText("Text38", "P19");
    form.setText("Text39", "T-360");
    form.setText("Text40", "T-240");
    form.setText("Text41", "T-140");
    form.setText("Text42", "80-110克/平方米");
    form.setText("Text43", "0.64千克/平方米");
    form.setText("Text44", "0.41千克/平方米");
    form.setText("Text45", "0.42千克/平方米");
    form.setText("Text46", FormatNumber(0.11 * surface, "#.##"));
    form.setText("Text47", FormatNumber(0.64 * surface, "#.##"));
    form.setText("Text48", FormatNumber(0.41 * surface, "#.##"));
    form.setText("Text49", FormatNumber(0.42 * surface, "#.##"));
    // Patch tape width; a diameter of exactly 50 or 110 mm leaves the field as it was.
    if (diameter < 50) {
        form.setText("Text50", "50mm");
    } else if (diameter > 50 && diameter < 110) {
        form.setText("Text50", "100mm");
    } else if (diameter > 110) {
        form.setText("Text50", "150mm");
    }
}

void computeAnticorrosion(RunContext& run) {
    Form& form = run.form;
    // The working texts: the asphalt field of the grade and the lookup criterion.
    const std::string grade = form.selectedItem("List2").value_or("");
    form.setText("Text27", "防腐沥青" + grade);
    form.setText("Text25", form.text("Text28") + form.selectedItem("List1").value_or("") + form.text("Text29"));

    if (form.checked("Check1(0)")) computeAsphalt(run);
    const bool threeLayerPe = form.checked("Check2(0)"), epoxy = form.checked("Check3(0)"), tape = form.checked("Check5");
    if (!threeLayerPe && !epoxy && !tape) return;

    const Num diameter = pipeDiameter(form);
    // Outer surface in m² with L in km and D in mm; the constant is 3.1416.
    const Num surface = FieldValue(form, "Text24") * diameter * 3.1416;
    if (threeLayerPe) computeThreeLayerPe(form, surface);
    if (epoxy) computeEpoxyCoalTar(form, surface);
    if (tape) computeTape(form, surface, diameter);
}

void addAsphaltSection(FrameBuilder& results) {
    results.label("", "一、石油沥青防腐：", {0, 0});
    results.label("", "现场防腐绝缘", {1, 2, 1, 2});
    results.label("", "预制防腐绝缘", {1, 4, 1, 2});
    const char* heads[] = {"单位长度用量", "总用量", "单位长度用量", "总用量"};
    for (int i = 0; i < 4; ++i) results.label("", heads[i], {2, 2 + i});
    const struct {
        const char* material;
        const char* fields[4];
        const char* perKmUnit;
        const char* totalUnit;
    } rows[] = {
        {"防腐沥青（吨）", {"Text1", "Text2", "Text3", "Text4"}, "(T/Km)", "(T)"},
        {" 汽油(Kg)", {"Text5", "Text6", "Text7", "Text8"}, "(Kg/Km)", "(Kg)"},
        {"聚氯乙烯塑料布布宽300mm,(Km)", {"Text9", "Text10", "Text11", "Text12"}, "(Km/Km)", "(Km)"},
        {"玻璃布 ", {"Text14", "Text15", "Text16", "Text17"}, "(Km/Km)", "(Km)"},
    };
    int row = 3;
    for (const auto& r : rows) {
        if (row == 6) {
            results.field("Text13", r.material, " ", {row, 0, 1, 2});  // glass cloth width
        } else {
            results.label("", r.material, {row, 0, 1, 2});
        }
        for (int i = 0; i < 4; ++i) unitResult(results, r.fields[i], i % 2 ? r.totalUnit : r.perKmUnit, {row, 2 + i});
        ++row;
    }
    results.result("Text18", "辐射交联热缩套型号规格", {7, 0, 1, 3});
    unitResult(results, "Text19", "（个）", {7, 3});
}

void addOtherSections(FrameBuilder& results) {
    results.label("", "二、环氧煤沥青防腐：", {8, 0});
    unitResult(results, "Text22", "(Kg)", {9, 1});
    results.label("", "环氧煤沥青", {9, 0});
    results.label("", "玻璃布用量", {9, 2});
    unitResult(results, "Text26", "(平方米)", {9, 3});

    results.label("", "三、复合型聚乙烯防腐胶带防腐：", {10, 0, 1, 2});
    const char* heads[] = {"型号", "单位用量", "总用量"};
    for (int i = 0; i < 3; ++i) results.label("", heads[i], {11, 1 + i});
    results.label("", "(Kg)", {11, 4});
    const struct {
        const char* product;
        const char* model;
        const char* rate;
        const char* total;
        const char* width;
        const char* widthLabel;
    } rows[] = {
        {"底涂漆", "Text38", "Text42", "Text46", nullptr, nullptr},
        {"防腐带", "Text41", "Text45", "Text49", "Text51", "防腐带宽度"},
        {"保护带", "Text39", "Text44", "Text48", "Text52", "保护带宽度"},
        {"补口带", "Text40", "Text43", "Text47", "Text50", "补口带宽度"},
    };
    int row = 12;
    for (const auto& r : rows) {
        results.label("", r.product, {row, 0});
        results.cell(r.model, " ", {row, 1});
        results.cell(r.rate, " ", {row, 2});
        results.cell(r.total, " ", {row, 3});
        if (r.width) results.result(r.width, r.widthLabel, {row, 4, 1, 2});
        ++row;
    }

    results.label("", "四、三层PE防腐：", {16, 0});
    const std::pair<const char*, const char*> layers[] = {
        {"高密度改性聚乙烯", "Text23"}, {"共聚物底胶", "Text21"}, {"熔结环氧粉末", "Text20"}};
    int column = 0;
    for (const auto& [material, name] : layers) {
        results.label("", material, {17, column});
        unitResult(results, name, "(Kg)", {17, column + 1});
        column += 2;
    }
}

FormDefinition makeAnticorrosion() {
    FormDefinition def("防腐材料", "埋地管道防腐");
    def.titleLabel("Label4", "埋地管道防腐材料计算");

    auto inputs = def.frame("输入区", "输入参数", FrameRole::Input, {0, 0, 1, 2});
    inputs.field("Text24", "管线长度(Km)", "10", {0, 0});
    inputs.list("List1", "管线外径(mm)",
                {"φ57 ", "φ60", "φ76", "φ89", "φ108", "φ133", "φ159", "φ219", "φ273", "φ325", "φ377", "φ426",
                 "φ529", "φ630", "φ720"},
                {0, 1});
    inputs.list("List2", "防腐等级", {kOrdinary, kReinforced, kExtraReinforced}, {0, 2});
    // Working texts of the lookup, never shown.
    inputs.cell("Text28", "管径='", {1, 0}).visible = false;
    inputs.cell("Text29", "' ", {1, 1}).visible = false;
    inputs.cell("Text25", " ", {1, 2}).visible = false;
    inputs.cell("Text27", " ", {1, 3}).visible = false;

    auto results = def.frame("Frame1", "输出结果", FrameRole::Results, {1, 0});
    addAsphaltSection(results);
    addOtherSections(results);

    auto options = def.frame("Frame2", "计算选项", FrameRole::Options, {1, 1});
    const std::pair<const char*, const char*> checks[] = {
        {"Check1(0)", "采用石油沥青防腐"},
        {"Check2(0)", "采用三层PE防腐"},
        {"Check3(0)", "采用环氧煤沥青防腐"},
        {"Check5", "采用聚乙烯防腐胶带防腐"},
    };
    addCheckedOptions(options, checks);

    def.onCreate(openAsphaltTables);
    def.runButton("OKButton", "开始计算", computeAnticorrosion);
    def.printButton("Command1", "打印输出 ");
    return def;
}

const WindowRegistration registration(makeAnticorrosion);

}  // namespace
}  // namespace pylora
