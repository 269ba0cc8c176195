// 露空管道防腐: paint for an above-ground pipe and for metal structures (guardrails, towers,
// supports) under four paint systems, with the cost of the aliphatic polyurethane system. All
// rates are the window's own; each check box chooses whether its system is computed.
#include <initializer_list>
#include <span>
#include <string>

#include "model/calc.h"
#include "materials/material_window.h"

namespace pylora {
namespace {

constexpr auto kLength = "Text24";
constexpr auto kDiameter = "Text2";
constexpr auto kStructureSurface = "Text1";
constexpr auto kPipeSurface = "A";   // computed, not shown
constexpr auto kTotalSurface = "A_t";  // pipe and structures, computed, not shown

constexpr auto kPolyurethaneCheck = "Check1(0)";
constexpr auto kAlkydCheck = "Check2(0)";
constexpr auto kPrimerAndTopCoatCheck = "Check3(0)";
constexpr auto kFluorocarbonCheck = "Check3(1)";

// Section 二's fields.
constexpr auto kRustPaint = "Text48";
constexpr auto kAlkydPutty = "Text42";
constexpr auto kRedLeadPrimer = "Text46";
constexpr auto kPipeEnamel = "Text45";
constexpr auto kStructureEnamel = "Text49";

using formula::c;
using formula::q;

// A paint of the pipe: `coats` coats of `ratePerCoat` kg/m² each over the pipe surface.
struct PipePaint {
    const char* product;
    const char* field;
    const char* symbol;
    int coats;
    double ratePerCoat;
};

// The paint's rate as the formulas write it: "0.08", "2·0.2".
formula::Expr pipePaintRate(const PipePaint& paint) {
    return paint.coats == 1 ? c(paint.ratePerCoat) : c(paint.coats) * c(paint.ratePerCoat);
}

// Section 三: rust-preventive primers, ready-mixed paints and chlorosulphonated polyethylene
// top coats, three products to a line.
const PipePaint kPrimerAndTopCoat[] = {
    {"氯磺化聚乙烯防锈漆", "Text30", "m_{10}", 1, 0.08},  {"铁红酚醛防锈漆", "Text31", "m_{11}", 1, 0.06},
    {"调和漆(黑色)", "Text32", "m_{12}", 1, 0.08},        {"调和漆(红色)", "Text33", "m_{13}", 1, 0.36},
    {"调和漆(黄色)", "Text34", "m_{14}", 1, 0.36},        {"氯磺化聚乙烯面漆(黑)", "Text35", "m_{15}", 1, 0.08},
    {"氯磺化聚乙烯面漆(红)", "Text36", "m_{16}", 1, 0.24}, {"氯磺化聚乙烯面漆(黄)", "Text37", "m_{17}", 1, 0.26},
};

// Section 一: each coat 0.2 kg/m²; the cost is the displayed quantity times the price per kg.
struct PricedPaint {
    PipePaint paint;
    const char* cost;
    const char* costSymbol;
    double pricePerKg;
};

const PricedPaint kPolyurethane[] = {
    {{"铁红渗透型底漆", "Text38", "m_{1}", 2, 0.2}, "Text3", "F_{1}", 42},
    {{"原子灰（腻子一层）", "Text39", "m_{2}", 1, 0.2}, "Text5", "F_{2}", 24},
    {{"脂肪族聚氨脂面漆", "Text41", "m_{3}", 3, 0.2}, "Text4", "F_{3}", 80},
    {{"脂肪族聚氨脂清漆", "Text40", "m_{4}", 1, 0.2}, "Text6", "F_{4}", 75},
};

// Section 四: two coats of 0.36 kg/m² each.
const PipePaint kFluorocarbon[] = {
    {"环氧富锌底漆ZB-06-2", "Text7", "m_{18}", 2, 0.36},
    {"环氧云铁防锈漆ZB-06-3", "Text8", "m_{19}", 2, 0.36},
    {"钢结构氟碳漆ZB-04-400", "Text9", "m_{20}", 2, 0.36},
};

// Section 二, in the order the run writes it: putty and primers cover pipe and structures; the
// yellow enamel is for the pipe and the grey aluminium-zinc enamel for the structures only,
// three coats each.
struct AlkydPaint {
    const char* product;
    const char* field;
    const char* symbol;
    const char* remark;
    formula::Expr quantity;
};

const AlkydPaint kAlkyd[] = {
    {"带锈防腐涂料", kRustPaint, "m_{5}", nullptr, c(0.36) * q(kTotalSurface)},
    {"C07-5黄色醇酸腻子", kAlkydPutty, "m_{6}", nullptr, c(0.36) * q(kTotalSurface)},
    {"C06-32红丹醇酸烘干底漆", kRedLeadPrimer, "m_{7}", nullptr, c(2) * c(0.36) * q(kTotalSurface)},
    {"C04-42黄色醇酸磁漆", kPipeEnamel, "m_{8}", "备注：主要用于钢质管道防腐", c(3) * c(0.36) * q(kPipeSurface)},
    {"C04-45灰铝锌醇酸磁漆", kStructureEnamel, "m_{9}", "备注：主要用于护栏、铁塔、支架等金属构件涂色防腐",
     q(kStructureSurface) * c(0.36) * c(3)},
};

void writeQuantity(Form& form, const char* field, const Num& kilograms) {
    form.setText(field, FormatNumber(kilograms, "#.##"));
}

void writePipePaint(Form& form, const PipePaint& paint, const Num& surface) {
    writeQuantity(form, paint.field, paint.coats * (paint.ratePerCoat * surface));
}

void computePrimerAndTopCoat(Form& form, const Num& surface) {
    for (const PipePaint& paint : kPrimerAndTopCoat) writePipePaint(form, paint, surface);
}

void computePolyurethane(Form& form, const Num& surface) {
    for (const PricedPaint& priced : kPolyurethane) {
        writePipePaint(form, priced.paint, surface);
        // The cost is priced from the quantity as displayed.
        writeQuantity(form, priced.cost, FieldValue(form, priced.paint.field) * priced.pricePerKg);
    }
}

void computeFluorocarbon(Form& form, const Num& surface) {
    // The rate of both coats first: 2 · 0.36 kg/m².
    for (const PipePaint& paint : kFluorocarbon)
        writeQuantity(form, paint.field, paint.coats * paint.ratePerCoat * surface);
}

void computeAlkyd(Form& form, const Num& surface) {
    const Num structures = FieldValue(form, kStructureSurface);
    const Num total = structures + surface;
    writeQuantity(form, kRustPaint, 0.36 * total);
    writeQuantity(form, kAlkydPutty, 0.36 * total);
    writeQuantity(form, kRedLeadPrimer, 2 * (0.36 * total));
    writeQuantity(form, kPipeEnamel, 3 * (0.36 * surface));
    writeQuantity(form, kStructureEnamel, structures * 0.36 * 3);
}

// The four paint systems in the order the run computes them, each with its check box and the
// fields it fills.
struct PaintSystem {
    const char* check;
    void (*compute)(Form&, const Num& surface);
    std::initializer_list<const char*> fields;
};

const PaintSystem kSystems[] = {
    {kPrimerAndTopCoatCheck, computePrimerAndTopCoat,
     {"Text30", "Text31", "Text32", "Text33", "Text34", "Text35", "Text36", "Text37"}},
    {kPolyurethaneCheck, computePolyurethane,
     {"Text38", "Text3", "Text39", "Text5", "Text41", "Text4", "Text40", "Text6"}},
    {kFluorocarbonCheck, computeFluorocarbon, {"Text7", "Text8", "Text9"}},
    {kAlkydCheck, computeAlkyd, {kRustPaint, kAlkydPutty, kRedLeadPrimer, kPipeEnamel, kStructureEnamel}},
};

void computeExposedPipePaint(Form& form) {
    bool anyChosen = false;
    for (const PaintSystem& system : kSystems) anyChosen = anyChosen || form.checked(system.check);
    Num surface;
    // Pipe surface in m² with L in m and D in mm.
    if (anyChosen) {
        const auto [length, diameter] = FieldValues(form, kLength, kDiameter);
        surface = length * diameter * kLegacyPi / 1000;
    }
    // A system that is not chosen shows blank fields, so the printout lists only the chosen ones.
    for (const PaintSystem& system : kSystems) {
        if (form.checked(system.check)) {
            system.compute(form, surface);
        } else {
            for (const char* field : system.fields) form.setText(field, " ");
        }
    }
}

// The formulas of the chosen systems, in the order the run computes them.
void addFormulas(FormDefinition& def) {
    def.quantity(kPipeSurface, "A", "管道外表面积", "m²", 3);
    def.formula({kPipeSurface, q(kLength) * q(kDiameter) * c(kLegacyPi) / c(1000)});
    for (const PipePaint& paint : kPrimerAndTopCoat)
        def.formula(formula::when(kPrimerAndTopCoatCheck, {paint.field, pipePaintRate(paint) * q(kPipeSurface)}));
    for (const PricedPaint& priced : kPolyurethane) {
        const PipePaint& paint = priced.paint;
        def.formula(formula::when(kPolyurethaneCheck, {paint.field, pipePaintRate(paint) * q(kPipeSurface)}));
        def.formula(formula::when(kPolyurethaneCheck, {priced.cost, q(paint.field) * c(priced.pricePerKg)}));
    }
    for (const PipePaint& paint : kFluorocarbon)
        def.formula(formula::when(kFluorocarbonCheck, {paint.field, pipePaintRate(paint) * q(kPipeSurface)}));
    def.quantity(kTotalSurface, "A_t", "管道与金属构件总表面积", "m²", 3);
    def.formula(formula::when(kAlkydCheck, {kTotalSurface, q(kStructureSurface) + q(kPipeSurface)}));
    for (const AlkydPaint& paint : kAlkyd) def.formula(formula::when(kAlkydCheck, {paint.field, paint.quantity}));
}

// A paint quantity in kilograms: the product names the field, its unit stands to the right.
void addQuantity(FrameBuilder& results, const char* field, const char* symbol, const char* product, int row,
                 int column) {
    results.result(field, product, {row, column}).means(symbol, std::string(product) + "用量", "kg", 2);
    results.label("", "(Kg)", {row, column + 1});
}

void addPolyurethaneSection(FrameBuilder& results, int& row) {
    results.label("", "一、脂肪族聚氨脂防腐（人工除锈→渗透型带锈底漆→渗透型底漆两层→涂面漆三层→亮漆）",
                  {row++, 0, 1, 6});
    for (const PricedPaint& priced : kPolyurethane) {
        addQuantity(results, priced.paint.field, priced.paint.symbol, priced.paint.product, row, 0);
        results.result(priced.cost, "费用(元)", {row, 2})
            .means(priced.costSymbol, std::string(priced.paint.product) + "费用", "元", 2);
        ++row;
    }
}

void addAlkydSection(FrameBuilder& results, int& row) {
    results.label("", "二、醇酸磁漆防腐：（带锈防腐涂料→腻子一层→底漆两层→面漆三层）", {row++, 0, 1, 6});
    for (const AlkydPaint& paint : kAlkyd) {
        addQuantity(results, paint.field, paint.symbol, paint.product, row, 0);
        if (paint.remark) results.label("", paint.remark, {row, 2, 1, 4});
        ++row;
    }
}

// Products side by side, three to a line.
void addPipePaintSection(FrameBuilder& results, int& row, const char* heading, std::span<const PipePaint> paints) {
    results.label("", heading, {row++, 0, 1, 6});
    for (std::size_t i = 0; i < paints.size(); ++i) {
        addQuantity(results, paints[i].field, paints[i].symbol, paints[i].product, row, 2 * static_cast<int>(i % 3));
        if (i % 3 == 2 || i + 1 == paints.size()) ++row;
    }
}

FormDefinition makeExposedPipePaint() {
    FormDefinition def("露空管道防腐", "露空管道防腐");
    def.titleLabel("Label4", "露空管道防腐材料计算");

    auto inputs = def.frame("输入区", "输入参数", FrameRole::Input, {0, 0, 1, 2});
    inputs.field(kLength, "管线长度(m)", "50", {0, 0}).means("L", "管线长度", "m").positive();
    inputs.field(kDiameter, "管线外径(mm)", "426", {0, 1}).means("D", "管线外径", "mm").positive();
    inputs.field(kStructureSurface, "金属构件表面积(平方米)", "0", {0, 2}).means("A_s", "金属构件表面积", "m²").nonNegative();

    auto results = def.frame("Frame1", "输出结果", FrameRole::Results, {1, 0});
    int row = 0;
    addPolyurethaneSection(results, row);
    addAlkydSection(results, row);
    addPipePaintSection(results, row, "三、露空管线（防锈漆与调和漆）防腐：", kPrimerAndTopCoat);
    addPipePaintSection(results, row, "四、氟碳漆防腐：（底漆两道→中间漆二道→面漆两道）", kFluorocarbon);

    auto options = def.frame("Frame2(0)", "计算选项", FrameRole::Options, {1, 1});
    const SystemCheck checks[] = {
        {kPolyurethaneCheck, "采用脂肪族聚氨脂防腐", "是否计算脂肪族聚氨脂防腐材料"},
        {kAlkydCheck, "采用醇酸磁漆防腐", "是否计算醇酸磁漆防腐材料"},
        {kPrimerAndTopCoatCheck, "采用防锈漆与调和漆防腐", "是否计算防锈漆与调和漆防腐材料"},
        {kFluorocarbonCheck, "采用氟碳漆防腐", "是否计算氟碳漆防腐材料"},
    };
    addCheckedOptions(options, checks);
    addFormulas(def);

    def.runButton("OKButton", "开始计算", computeExposedPipePaint);
    def.printButton("Command1", "打印输出 ");
    return def;
}

const WindowRegistration registration("露空管道防腐", "露空管道防腐", makeExposedPipePaint);

}  // namespace
}  // namespace pylora
