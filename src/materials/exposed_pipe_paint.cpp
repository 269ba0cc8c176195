// 露空管道防腐: paint for an above-ground pipe and for metal structures (guardrails, towers,
// supports) under four paint systems, with the cost of the aliphatic polyurethane system. All
// rates are the window's own; each check box chooses whether its system is computed.
#include <initializer_list>
#include <span>
#include <utility>

#include "core/calc.h"
#include "materials/material_window.h"

namespace pylora {
namespace {

// A paint of the pipe: its quantity is `rate` kg/m² (all coats) times the pipe surface.
struct PipePaint {
    const char* product;
    const char* field;
    double rate;
};

// Section 三: rust-preventive primers, ready-mixed paints and chlorosulphonated polyethylene
// top coats, three products to a line.
const PipePaint kPrimerAndTopCoat[] = {
    {"氯磺化聚乙烯防锈漆", "Text30", 0.08},  {"铁红酚醛防锈漆", "Text31", 0.06},
    {"调和漆(黑色)", "Text32", 0.08},        {"调和漆(红色)", "Text33", 0.36},
    {"调和漆(黄色)", "Text34", 0.36},        {"氯磺化聚乙烯面漆(黑)", "Text35", 0.08},
    {"氯磺化聚乙烯面漆(红)", "Text36", 0.24}, {"氯磺化聚乙烯面漆(黄)", "Text37", 0.26},
};

// Section 一: each coat 0.2 kg/m²; the cost is the displayed quantity times the price per kg.
struct PricedPaint {
    const char* product;
    const char* field;
    int coats;
    const char* cost;
    double pricePerKg;
};

const PricedPaint kPolyurethane[] = {
    {"铁红渗透型底漆", "Text38", 2, "Text3", 42},
    {"原子灰（腻子一层）", "Text39", 1, "Text5", 24},
    {"脂肪族聚氨脂面漆", "Text41", 3, "Text4", 80},
    {"脂肪族聚氨脂清漆", "Text40", 1, "Text6", 75},
};

// Section 四: two coats of 0.36 kg/m² each.
const PipePaint kFluorocarbon[] = {
    {"环氧富锌底漆ZB-06-2", "Text7", 2 * 0.36},
    {"环氧云铁防锈漆ZB-06-3", "Text8", 2 * 0.36},
    {"钢结构氟碳漆ZB-04-400", "Text9", 2 * 0.36},
};

// Section 二, in the order the run writes it.
struct AlkydPaint {
    const char* product;
    const char* field;
    const char* remark;
};

const AlkydPaint kAlkyd[] = {
    {"带锈防腐涂料", "Text48", nullptr},
    {"C07-5黄色醇酸腻子", "Text42", nullptr},
    {"C06-32红丹醇酸烘干底漆", "Text46", nullptr},
    {"C04-42黄色醇酸磁漆", "Text45", "备注：主要用于钢质管道防腐"},
    {"C04-45灰铝锌醇酸磁漆", "Text49", "备注：主要用于护栏、铁塔、支架等金属构件涂色防腐"},
};

void writeQuantity(Form& form, const char* field, const Num& kilograms) {
    form.setText(field, FormatNumber(kilograms, "#.##"));
}

void computePrimerAndTopCoat(Form& form, const Num& surface) {
    for (const PipePaint& paint : kPrimerAndTopCoat) writeQuantity(form, paint.field, paint.rate * surface);
}

void computePolyurethane(Form& form, const Num& surface) {
    for (const PricedPaint& paint : kPolyurethane) {
        writeQuantity(form, paint.field, paint.coats * (0.2 * surface));
        // The cost is priced from the quantity as displayed.
        writeQuantity(form, paint.cost, FieldValue(form, paint.field) * paint.pricePerKg);
    }
}

void computeFluorocarbon(Form& form, const Num& surface) {
    for (const PipePaint& paint : kFluorocarbon) writeQuantity(form, paint.field, paint.rate * surface);
}

// Putty and primers cover pipe and structures; the yellow enamel is for the pipe and the grey
// aluminium-zinc enamel for the structures only, three coats each.
void computeAlkyd(Form& form, const Num& surface) {
    const Num structures = FieldValue(form, "Text1");
    const Num total = structures + surface;
    writeQuantity(form, "Text48", 0.36 * total);
    writeQuantity(form, "Text42", 0.36 * total);
    writeQuantity(form, "Text46", 2 * (0.36 * total));
    writeQuantity(form, "Text45", 3 * (0.36 * surface));
    writeQuantity(form, "Text49", structures * 0.36 * 3);
}

// The four paint systems in the order the run computes them, each with its check box and the
// fields it fills.
struct PaintSystem {
    const char* check;
    void (*compute)(Form&, const Num& surface);
    std::initializer_list<const char*> fields;
};

const PaintSystem kSystems[] = {
    {"Check3(0)", computePrimerAndTopCoat,
     {"Text30", "Text31", "Text32", "Text33", "Text34", "Text35", "Text36", "Text37"}},
    {"Check1(0)", computePolyurethane, {"Text38", "Text3", "Text39", "Text5", "Text41", "Text4", "Text40", "Text6"}},
    {"Check3(1)", computeFluorocarbon, {"Text7", "Text8", "Text9"}},
    {"Check2(0)", computeAlkyd, {"Text48", "Text42", "Text46", "Text45", "Text49"}},
};

void computeExposedPipePaint(Form& form) {
    bool anyChosen = false;
    for (const PaintSystem& system : kSystems) anyChosen = anyChosen || form.checked(system.check);
    Num surface;
    // Pipe surface in m² with L in m and D in mm; the constant is 3.1416. The length is read
    // before the diameter, so it is named first when both are wrong.
    if (anyChosen) {
        const Num length = FieldValue(form, "Text24");
        surface = length * FieldValue(form, "Text2") * 3.1416 / 1000;
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

// A paint quantity in kilograms: the product names the field, its unit stands to the right.
void addQuantity(FrameBuilder& results, const char* field, const char* product, int row, int column) {
    results.result(field, product, {row, column});
    results.label("", "(Kg)", {row, column + 1});
}

void addPolyurethaneSection(FrameBuilder& results, int& row) {
    results.label("", "一、脂肪族聚氨脂防腐（人工除锈→渗透型带锈底漆→渗透型底漆两层→涂面漆三层→亮漆）",
                  {row++, 0, 1, 6});
    for (const PricedPaint& paint : kPolyurethane) {
        addQuantity(results, paint.field, paint.product, row, 0);
        results.result(paint.cost, "费用(元)", {row, 2});
        ++row;
    }
}

void addAlkydSection(FrameBuilder& results, int& row) {
    results.label("", "二、醇酸磁漆防腐：（带锈防腐涂料→腻子一层→底漆两层→面漆三层）", {row++, 0, 1, 6});
    for (const AlkydPaint& paint : kAlkyd) {
        addQuantity(results, paint.field, paint.product, row, 0);
        if (paint.remark) results.label("", paint.remark, {row, 2, 1, 4});
        ++row;
    }
}

// Products side by side, three to a line.
void addPipePaintSection(FrameBuilder& results, int& row, const char* heading, std::span<const PipePaint> paints) {
    results.label("", heading, {row++, 0, 1, 6});
    for (std::size_t i = 0; i < paints.size(); ++i) {
        addQuantity(results, paints[i].field, paints[i].product, row, 2 * static_cast<int>(i % 3));
        if (i % 3 == 2 || i + 1 == paints.size()) ++row;
    }
}

FormDefinition makeExposedPipePaint() {
    FormDefinition def("露空管道防腐", "露空管道防腐");
    def.titleLabel("Label4", "露空管道防腐材料计算");

    auto inputs = def.frame("输入区", "输入参数", FrameRole::Input, {0, 0, 1, 2});
    inputs.field("Text24", "管线长度(m)", "50", {0, 0});
    inputs.field("Text2", "管线外径(mm)", "426", {0, 1});
    inputs.field("Text1", "金属构件表面积(平方米)", "0", {0, 2});

    auto results = def.frame("Frame1", "输出结果", FrameRole::Results, {1, 0});
    int row = 0;
    addPolyurethaneSection(results, row);
    addAlkydSection(results, row);
    addPipePaintSection(results, row, "三、露空管线（防锈漆与调和漆）防腐：", kPrimerAndTopCoat);
    addPipePaintSection(results, row, "四、氟碳漆防腐：（底漆两道→中间漆二道→面漆两道）", kFluorocarbon);

    auto options = def.frame("Frame2(0)", "计算选项", FrameRole::Options, {1, 1});
    const std::pair<const char*, const char*> checks[] = {
        {"Check1(0)", "采用脂肪族聚氨脂防腐"},
        {"Check2(0)", "采用醇酸磁漆防腐"},
        {"Check3(0)", "采用防锈漆与调和漆防腐"},
        {"Check3(1)", "采用氟碳漆防腐"},
    };
    addCheckedOptions(options, checks);

    def.runButton("OKButton", "开始计算", computeExposedPipePaint);
    def.printButton("Command1", "打印输出 ");
    return def;
}

const WindowRegistration registration(makeExposedPipePaint);

}  // namespace
}  // namespace pylora
