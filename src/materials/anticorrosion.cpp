// 防腐材料: coating materials of a buried line under four systems. Petroleum asphalt per km comes
// from the field-applied and the prefabricated coating tables; epoxy coal tar, polyethylene tape
// and three-layer PE are computed from the pipe's outer surface with fixed rates.
#include <span>
#include <string>
#include <string_view>
#include <utility>

#include "model/calc.h"
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

// Inputs and the hidden working texts of the lookup.
constexpr auto kLength = "Text24";
constexpr auto kDiameterList = "List1";
constexpr auto kGrade = "List2";
constexpr auto kCriterionStart = "Text28";  // "管径='"
constexpr auto kCriterionEnd = "Text29";    // "' "
constexpr auto kCriterion = "Text25";
constexpr auto kAsphaltField = "Text27";  // the asphalt field of the grade

constexpr auto kAsphaltCheck = "Check1(0)";
constexpr auto kThreeLayerPeCheck = "Check2(0)";
constexpr auto kEpoxyCheck = "Check3(0)";
constexpr auto kTapeCheck = "Check5";

// Section 一: petroleum asphalt.
constexpr auto kGlassClothPerKm = "Text14";  // its row also shows the cloth's width
constexpr auto kGlassClothWidth = "Text13";
constexpr auto kSleeveType = "Text18";
constexpr auto kSleeves = "Text19";
// Section 二: epoxy coal tar.
constexpr auto kEpoxyCoalTar = "Text22";
constexpr auto kEpoxyGlassCloth = "Text26";
// Section 三: polyethylene tape.
constexpr auto kPrimerModel = "Text38";
constexpr auto kOuterTapeModel = "Text39";
constexpr auto kJointTapeModel = "Text40";
constexpr auto kInnerTapeModel = "Text41";
constexpr auto kPrimerRate = "Text42";
constexpr auto kJointTapeRate = "Text43";
constexpr auto kOuterTapeRate = "Text44";
constexpr auto kInnerTapeRate = "Text45";
constexpr auto kPrimerTotal = "Text46";
constexpr auto kJointTapeTotal = "Text47";
constexpr auto kOuterTapeTotal = "Text48";
constexpr auto kInnerTapeTotal = "Text49";
constexpr auto kJointTapeWidth = "Text50";
constexpr auto kInnerTapeWidth = "Text51";
constexpr auto kOuterTapeWidth = "Text52";
// Section 四: three-layer PE.
constexpr auto kEpoxyPowder = "Text20";
constexpr auto kAdhesive = "Text21";
constexpr auto kPolyethylene = "Text23";

// Quantities the run computes without a field of their own.
constexpr auto kDiameter = "D";           // from the end of the chosen diameter item
constexpr auto kSurface = "A";            // outer surface of the line
constexpr auto kPolyethyleneRate = "f";   // by grade
constexpr auto kEpoxyRate = "e";          // by grade
constexpr auto kClothRate = "c_g";        // by grade

using formula::c;
using formula::q;

// A material of section 一: its quantity per km of line in both tables, and the totals.
struct AsphaltMaterial {
    const char* caption;      // the row's caption
    const char* fieldPrefix;  // database field without the grade, and the material's name
    const char* letter;       // subscript of its symbols: q_{a1} per km, Q_{a1} total
    const char* perKmCaption;  // "(T/Km)", right of the field
    const char* totalCaption;  // "(T)"
    const char* perKmUnit;
    const char* totalUnit;
    const char* fieldPerKm;
    const char* fieldTotal;
    const char* prefabricatedPerKm;
    const char* prefabricatedTotal;
};

const AsphaltMaterial kAsphaltMaterials[] = {
    {"防腐沥青（吨）", "防腐沥青", "a", "(T/Km)", "(T)", "t/km", "t", "Text1", "Text2", "Text3", "Text4"},
    {" 汽油(Kg)", "汽油", "g", "(Kg/Km)", "(Kg)", "kg/km", "kg", "Text5", "Text6", "Text7", "Text8"},
    {"聚氯乙烯塑料布布宽300mm,(Km)", "聚氯乙烯塑料布", "p", "(Km/Km)", "(Km)", "km/km", "km", "Text9", "Text10",
     "Text11", "Text12"},
    {"玻璃布 ", "玻璃布", "c", "(Km/Km)", "(Km)", "km/km", "km", kGlassClothPerKm, "Text15", "Text16", "Text17"},
};

// Section 一: asphalt, gasoline, PVC film and glass cloth per km from both tables, then totals.
void computeAsphalt(RunContext& run) {
    Form& form = run.form;
    AsphaltTables& tables = openedTables<AsphaltTables>(run);
    requireSelection(form, kDiameterList);
    const std::string grade = requireSelection(form, kGrade);
    const std::string criterion = form.text(kCriterion);
    tables.fieldApplied->findFirst(criterion, kDiameterList);
    tables.prefabricated->findFirst(criterion, kDiameterList);

    // The asphalt field of the field-applied table is named by the working text.
    MaterialTable& field = *tables.fieldApplied;
    const AsphaltMaterial& asphalt = kAsphaltMaterials[0];
    form.setText(asphalt.fieldPerKm, field.text(form.text(kAsphaltField), asphalt.fieldPerKm));
    for (const AsphaltMaterial& m : std::span(kAsphaltMaterials).subspan(1))
        form.setText(m.fieldPerKm, field.text(m.fieldPrefix + grade, m.fieldPerKm));
    form.setText(kSleeveType, field.text("热缩套", kSleeveType));
    form.setText(kGlassClothWidth, field.text("玻璃布宽", kGlassClothWidth));
    MaterialTable& prefabricated = *tables.prefabricated;
    for (const AsphaltMaterial& m : kAsphaltMaterials)
        form.setText(m.prefabricatedPerKm, prefabricated.text(m.fieldPrefix + grade, m.prefabricatedPerKm));

    // Length first: a total too large for a number names the line length.
    for (const AsphaltMaterial& m : kAsphaltMaterials) {
        const std::pair<const char*, const char*> perKmAndTotal[] = {{m.fieldPerKm, m.fieldTotal},
                                                                     {m.prefabricatedPerKm, m.prefabricatedTotal}};
        for (const auto& [perKm, total] : perKmAndTotal) {
            const Num length = FieldValue(form, kLength);
            form.setText(total, NumberText(length * FieldValue(form, perKm)));
        }
    }
    // One heat-shrink sleeve per 7 m of line.
    form.setText(kSleeves, NumberText(integerPart(1000 * FieldValue(form, kLength) / 7)));
}

// The diameter from the end of the list item: "φ57 " -> "57 ", "φ60" -> "60", "φ159" -> "159".
Num pipeDiameter(const Form& form) {
    const std::string item = requireSelection(form, kDiameterList);
    return LeadingValueOfText(lastCharacters(item, characterCount(item) == 4 ? 3 : 2), kDiameterList);
}

// Section 四: three-layer PE.
void computeThreeLayerPe(Form& form, const Num& surface) {
    const Num polyethyleneRate = requireSelection(form, kGrade) == kOrdinary ? 2.0 : 2.2;
    form.noteQuantity(kPolyethyleneRate, polyethyleneRate.value());
    form.setText(kEpoxyPowder, FormatNumber(0.18 * surface, "#.##"));
    form.setText(kAdhesive, FormatNumber(0.3 * surface, "#.##"));
    form.setText(kPolyethylene, FormatNumber(polyethyleneRate * surface, "#.##"));
}

// Section 二: epoxy coal tar and its glass cloth, by grade.
void computeEpoxyCoalTar(Form& form, const Num& surface) {
    const std::string grade = requireSelection(form, kGrade);
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
    form.noteQuantity(kEpoxyRate, epoxy);
    form.setText(kEpoxyCoalTar, FormatNumber(epoxy * surface, "#.##"));
    form.setText(kEpoxyGlassCloth, FormatNumber(cloth * surface, "#.##"));
}

// Section 三: polyethylene tape system.
void computeTape(Form& form, const Num& surface, const Num& diameter) {
    form.setText(kPrimerModel, "P19");
    form.setText(kOuterTapeModel, "T-360");
    form.setText(kJointTapeModel, "T-240");
    form.setText(kInnerTapeModel, "T-140");
    form.setText(kPrimerRate, "80-110克/平方米");
    form.setText(kJointTapeRate, "0.64千克/平方米");
    form.setText(kOuterTapeRate, "0.41千克/平方米");
    form.setText(kInnerTapeRate, "0.42千克/平方米");
    form.setText(kPrimerTotal, FormatNumber(0.11 * surface, "#.##"));
    form.setText(kJointTapeTotal, FormatNumber(0.64 * surface, "#.##"));
    form.setText(kOuterTapeTotal, FormatNumber(0.41 * surface, "#.##"));
    form.setText(kInnerTapeTotal, FormatNumber(0.42 * surface, "#.##"));
    // Patch tape width; a diameter of exactly 50 or 110 mm leaves the field as it was.
    if (diameter < 50) {
        form.setText(kJointTapeWidth, "50mm");
    } else if (diameter > 50 && diameter < 110) {
        form.setText(kJointTapeWidth, "100mm");
    } else if (diameter > 110) {
        form.setText(kJointTapeWidth, "150mm");
    }
}

void computeAnticorrosion(RunContext& run) {
    Form& form = run.form;
    // The working texts: the asphalt field of the grade and the lookup criterion.
    const std::string grade = form.selectedItem(kGrade).value_or("");
    form.setText(kAsphaltField, "防腐沥青" + grade);
    form.setText(kCriterion,
                 form.text(kCriterionStart) + form.selectedItem(kDiameterList).value_or("") + form.text(kCriterionEnd));

    if (form.checked(kAsphaltCheck)) computeAsphalt(run);
    const bool threeLayerPe = form.checked(kThreeLayerPeCheck), epoxy = form.checked(kEpoxyCheck),
               tape = form.checked(kTapeCheck);
    if (!threeLayerPe && !epoxy && !tape) return;

    const Num diameter = pipeDiameter(form);
    form.noteQuantity(kDiameter, diameter.value());  // the 计算书 shows the D the item gave
    // Outer surface in m² with L in km and D in mm.
    const Num surface = FieldValue(form, kLength) * diameter * kLegacyPi;
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
    int row = 3;
    for (const AsphaltMaterial& m : kAsphaltMaterials) {
        if (m.fieldPerKm == std::string_view(kGlassClothPerKm)) {
            ControlDef& width = results.field(kGlassClothWidth, m.caption, " ", {row, 0, 1, 2});
            width.means("b_c", "玻璃布宽度").meaning.role = FieldRole::Result;  // a text with its unit, "250mm"
        } else {
            results.label("", m.caption, {row, 0, 1, 2});
        }
        // Field-applied (1) and prefabricated (2) coating: per km of line, then for the line.
        const struct {
            const char* field;
            bool total;
            const char* index;
            const char* coating;
        } cells[] = {{m.fieldPerKm, false, "1", "现场防腐绝缘"},
                     {m.fieldTotal, true, "1", "现场防腐绝缘"},
                     {m.prefabricatedPerKm, false, "2", "预制防腐绝缘"},
                     {m.prefabricatedTotal, true, "2", "预制防腐绝缘"}};
        int column = 2;
        for (const auto& cell : cells) {
            const std::string symbol = std::string(cell.total ? "Q_{" : "q_{") + m.letter + cell.index + "}";
            const std::string name =
                std::string(m.fieldPrefix) + (cell.total ? "总用量（" : "单位长度用量（") + cell.coating + "）";
            unitResult(results, cell.field, cell.total ? m.totalCaption : m.perKmCaption, {row, column++})
                .means(symbol, name, cell.total ? m.totalUnit : m.perKmUnit, 3);
        }
        ++row;
    }
    results.result(kSleeveType, "辐射交联热缩套型号规格", {7, 0, 1, 3}).means("M_s", "辐射交联热缩套型号规格");
    unitResult(results, kSleeves, "（个）", {7, 3}).means("n", "辐射交联热缩套数量", "个", 0);
}

void addOtherSections(FrameBuilder& results) {
    results.label("", "二、环氧煤沥青防腐：", {8, 0});
    unitResult(results, kEpoxyCoalTar, "(Kg)", {9, 1}).means("m_{EC}", "环氧煤沥青用量", "kg", 2);
    results.label("", "环氧煤沥青", {9, 0});
    results.label("", "玻璃布用量", {9, 2});
    unitResult(results, kEpoxyGlassCloth, "(平方米)", {9, 3}).means("A_c", "环氧煤沥青防腐玻璃布用量", "m²", 2);

    results.label("", "三、复合型聚乙烯防腐胶带防腐：", {10, 0, 1, 2});
    const char* heads[] = {"型号", "单位用量", "总用量"};
    for (int i = 0; i < 3; ++i) results.label("", heads[i], {11, 1 + i});
    results.label("", "(Kg)", {11, 4});
    const struct {
        const char* product;
        const char* letters;  // subscript of its symbols
        const char* model;
        const char* rate;
        const char* total;
        const char* width;
        const char* widthLabel;
    } rows[] = {
        {"底涂漆", "pr", kPrimerModel, kPrimerRate, kPrimerTotal, nullptr, nullptr},
        {"防腐带", "at", kInnerTapeModel, kInnerTapeRate, kInnerTapeTotal, kInnerTapeWidth, "防腐带宽度"},
        {"保护带", "ot", kOuterTapeModel, kOuterTapeRate, kOuterTapeTotal, kOuterTapeWidth, "保护带宽度"},
        {"补口带", "jt", kJointTapeModel, kJointTapeRate, kJointTapeTotal, kJointTapeWidth, "补口带宽度"},
    };
    int row = 12;
    for (const auto& r : rows) {
        const std::string product = r.product, letters = std::string("_{") + r.letters + "}";
        results.label("", r.product, {row, 0});
        // The model and the rate are texts that carry their own units ("0.64千克/平方米").
        ControlDef& model = results.cell(r.model, " ", {row, 1});
        model.means("M" + letters, product + "型号").meaning.role = FieldRole::Result;
        ControlDef& rate = results.cell(r.rate, " ", {row, 2});
        rate.means("q" + letters, product + "单位面积用量").meaning.role = FieldRole::Result;
        ControlDef& total = results.cell(r.total, " ", {row, 3});
        total.means("m" + letters, product + "总用量", "kg", 2).meaning.role = FieldRole::Result;
        if (r.width) results.result(r.width, r.widthLabel, {row, 4, 1, 2}).means("b" + letters, r.widthLabel);
        ++row;
    }

    results.label("", "四、三层PE防腐：", {16, 0});
    const struct {
        const char* material;
        const char* field;
        const char* symbol;
    } layers[] = {{"高密度改性聚乙烯", kPolyethylene, "m_{PE}"},
                  {"共聚物底胶", kAdhesive, "m_{AD}"},
                  {"熔结环氧粉末", kEpoxyPowder, "m_{EP}"}};
    int column = 0;
    for (const auto& layer : layers) {
        results.label("", layer.material, {17, column});
        unitResult(results, layer.field, "(Kg)", {17, column + 1})
            .means(layer.symbol, std::string(layer.material) + "用量", "kg", 2);
        column += 2;
    }
}

// The formulas of the chosen systems, in the order the run computes them. The rates that go
// with the grade and the diameter's digits are chosen by the run; words state the choice.
void addFormulas(FormDefinition& def) {
    for (const AsphaltMaterial& m : kAsphaltMaterials) {
        def.formula(formula::when(kAsphaltCheck, {m.fieldTotal, q(m.fieldPerKm) * q(kLength)}));
        def.formula(formula::when(kAsphaltCheck, {m.prefabricatedTotal, q(m.prefabricatedPerKm) * q(kLength)}));
    }
    def.formula(formula::when(kAsphaltCheck, {kSleeves, formula::fn("int", c(1000) * q(kLength) / c(7))}));

    def.quantity(kDiameter, "D", "管线外径", "mm");
    def.quantity(kSurface, "A", "管道外表面积", "m²", 3);
    def.formula({kSurface, q(kLength) * q(kDiameter) * c(kLegacyPi)});

    def.quantity(kPolyethyleneRate, "f", "高密度改性聚乙烯单位面积用量", "kg/m²");
    def.formula(formula::when(kThreeLayerPeCheck, formula::words("f = 2（普通），f = 2.2（加强、特加强）")));
    def.formula(formula::when(kThreeLayerPeCheck, {kEpoxyPowder, c(0.18) * q(kSurface)}));
    def.formula(formula::when(kThreeLayerPeCheck, {kAdhesive, c(0.3) * q(kSurface)}));
    def.formula(formula::when(kThreeLayerPeCheck, {kPolyethylene, q(kPolyethyleneRate) * q(kSurface)}));

    def.quantity(kEpoxyRate, "e", "环氧煤沥青单位面积用量", "kg/m²");
    def.quantity(kClothRate, "c_g", "玻璃布单位面积用量", "m²/m²");
    def.formula(formula::when(
        kEpoxyCheck, formula::words("e = 0.6，c_g = 0（普通）；e = 0.8，c_g = 1.2（加强）；e = 1，c_g = 2.4（特加强）")));
    def.formula(formula::when(kEpoxyCheck, {kEpoxyCoalTar, q(kEpoxyRate) * q(kSurface)}));
    def.formula(formula::when(kEpoxyCheck, {kEpoxyGlassCloth, q(kClothRate) * q(kSurface)}));

    def.formula(formula::when(kTapeCheck, {kPrimerTotal, c(0.11) * q(kSurface)}));
    def.formula(formula::when(kTapeCheck, {kJointTapeTotal, c(0.64) * q(kSurface)}));
    def.formula(formula::when(kTapeCheck, {kOuterTapeTotal, c(0.41) * q(kSurface)}));
    def.formula(formula::when(kTapeCheck, {kInnerTapeTotal, c(0.42) * q(kSurface)}));
    def.formula(formula::when(kTapeCheck,
                              formula::words("b_{jt} = 50mm（D < 50），100mm（50 < D < 110），150mm（D > 110）")));
}

FormDefinition makeAnticorrosion() {
    FormDefinition def("防腐材料", "埋地管道防腐");
    def.titleLabel("Label4", "埋地管道防腐材料计算");

    auto inputs = def.frame("输入区", "输入参数", FrameRole::Input, {0, 0, 1, 2});
    inputs.field(kLength, "管线长度(Km)", "10", {0, 0}).means("L", "管线长度", "km").positive();
    inputs.list(kDiameterList, "管线外径(mm)",
                {"φ57 ", "φ60", "φ76", "φ89", "φ108", "φ133", "φ159", "φ219", "φ273", "φ325", "φ377", "φ426",
                 "φ529", "φ630", "φ720"},
                {0, 1})
        .means("", "管线外径");
    inputs.list(kGrade, "防腐等级", {kOrdinary, kReinforced, kExtraReinforced}, {0, 2}).means("", "防腐等级");
    // Working texts of the lookup, never shown.
    inputs.cell(kCriterionStart, "管径='", {1, 0}).working().means("", "查找条件的开头").visible = false;
    inputs.cell(kCriterionEnd, "' ", {1, 1}).working().means("", "查找条件的结尾").visible = false;
    inputs.cell(kCriterion, " ", {1, 2}).working().means("", "管径查找条件").visible = false;
    inputs.cell(kAsphaltField, " ", {1, 3}).working().means("", "所选等级的防腐沥青字段").visible = false;

    auto results = def.frame("Frame1", "输出结果", FrameRole::Results, {1, 0});
    addAsphaltSection(results);
    addOtherSections(results);

    auto options = def.frame("Frame2", "计算选项", FrameRole::Options, {1, 1});
    const SystemCheck checks[] = {
        {kAsphaltCheck, "采用石油沥青防腐", "是否计算石油沥青防腐材料"},
        {kThreeLayerPeCheck, "采用三层PE防腐", "是否计算三层PE防腐材料"},
        {kEpoxyCheck, "采用环氧煤沥青防腐", "是否计算环氧煤沥青防腐材料"},
        {kTapeCheck, "采用聚乙烯防腐胶带防腐", "是否计算聚乙烯防腐胶带防腐材料"},
    };
    addCheckedOptions(options, checks);
    addFormulas(def);

    def.onCreate(openAsphaltTables);
    def.runButton("OKButton", "开始计算", computeAnticorrosion);
    def.printButton("Command1", "打印输出 ");
    return def;
}

const WindowRegistration registration("防腐材料", "埋地管道防腐", makeAnticorrosion);

}  // namespace
}  // namespace pylora
