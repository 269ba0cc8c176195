// 套管支架选型及计算: the spacer ring a catalogue recommends for the carrier pipe inside a
// protective casing, the number of ring components for the casing length, a runner height
// that fits between pipe and casing, whether the chosen casing is too small or too large, and
// what the rings for the whole casing cost.
#include <cmath>

#include "model/calc.h"
#include "materials/material_window.h"

namespace pylora {
namespace {

struct CasingTables {
    std::shared_ptr<MaterialTable> catalogue;  // Data1
};

std::any openCatalogue(Form&, const Services& services) {
    return CasingTables{openMaterialTable(services.databaseFolder, "套管支架97.sqlite", "RACI意大利生产锐支厂家")};
}

// Inputs.
constexpr auto kCasingLength = "Text6";
constexpr auto kDiameterList = "List1";
constexpr auto kCasingBore = "Text4";
constexpr auto kFirstMaker = "Option1(0)";
constexpr auto kSecondMaker = "Option1(1)";
// 输出结果1: the first maker's ring.
constexpr auto kModel = "Text1";
constexpr auto kRunnersOffered = "Text3(0)";
constexpr auto kRunner = "Text16";
constexpr auto kSpacing = "Text3(1)";
constexpr auto kType1 = "Text9";
constexpr auto kCount1 = "Text2";
constexpr auto kType2 = "Text7";
constexpr auto kCount2 = "Text8";
// 输出结果3: clearance and verdict.
constexpr auto kClearance = "Text5";
constexpr auto kClearanceWord = "Text15";
constexpr auto kRingCost = "Text17";
constexpr auto kAdvice = "Text3(5)";

// Quantities the run reads or computes without a field of their own.
constexpr auto kDiameter = "D";       // from the end of the chosen diameter item
constexpr auto kPerRing1 = "n_1";     // catalogue: components of the first type per ring
constexpr auto kPerRing2 = "n_2";     // catalogue: components of the second type per ring
constexpr auto kRoom = "g";           // room for the runners
constexpr auto kRings = "n";          // rings over the casing length
constexpr auto kCostPerRing = "C_r";  // catalogue: cost of one ring

using formula::c;
using formula::q;

// Pieces are counted whole: a part of one is one more.
Num wholeCount(const Num& count) { return Num(std::ceil(count.value()), count.source()); }

// Runner height in mm for the model and the room g between pipe and casing; 0: none fits.
// An "F/G" ring offers 41 and 60 mm runners; every g above 41 mm takes the 41 mm one.
double runnerHeight(const std::string& model, const Num& room) {
    if (model == "S/T") return 20;
    if (model == "F/G") return room > 41 ? 41 : 0;
    return 25;
}

// A warning stands in the warning colour, a casing without any support in red.
constexpr Colour kWarningColour = Colour::rgb(0xA0, 0x40, 0x00);

void judgeClearance(Form& form, const Num& clearance) {
    form.setForeground(kAdvice, clearance <= 15 ? kWarningColour : Colour::windowText());
    if (clearance <= 15) {
        form.setText(kClearanceWord, "小于");
        form.setText(kAdvice, "警告:输入参数中所选套管偏小,请重新选择较大的套管重新计算");
    } else if (clearance <= 150) {
        form.setText(kClearanceWord, "大于");
        form.setText(kAdvice, "输入参数中所选套管合适");
    } else {
        form.setText(kClearanceWord, "远大于");
        form.setText(kAdvice, "输入参数中所选套管偏大,请重新复核");
    }
}

void computeCasingSupports(RunContext& run) {
    Form& form = run.form;
    // Only the first maker has a catalogue: for the second the run says so and writes nothing.
    if (form.checked(kSecondMaker))
        throw RunFailure(FailureKind::MissingData, kSecondMaker,
                         "未安装MD建筑控股股份公司（德国）的套管支架样本，无法选型计算");

    MaterialTable& catalogue = *openedTables<CasingTables>(run).catalogue;
    const std::string item = requireSelection(form, kDiameterList);
    catalogue.findFirst("主管外径='" + item + "'", kDiameterList);

    const std::string model = catalogue.text("推荐选型", kModel);
    const Num perRing1 = catalogue.number("推荐选型1数量", kCount1);
    const Num perRing2 = catalogue.number("推荐选型2数量", kCount2);
    const Num spacing = catalogue.number("支架间距", kSpacing);
    const Num costPerRing = catalogue.number("单圈费用", kRingCost);
    const Num casingLength = FieldValue(form, kCasingLength);
    // Rings over the casing length, three more for the ends, in whole rings: a part of a ring is
    // a ring more. The rings stand first in the products (the same value either way round) so
    // that a count too large names the length.
    const Num rings = wholeCount(casingLength / spacing + 3);
    const Num components1 = rings * perRing1;
    const Num components2 = rings * perRing2;
    const Num totalCost = rings * costPerRing;
    form.noteQuantity(kPerRing1, perRing1.value());
    form.noteQuantity(kPerRing2, perRing2.value());
    form.noteQuantity(kCostPerRing, costPerRing.value());

    form.setText(kModel, model);
    form.setText(kType1, catalogue.text("推荐选型1", kType1));
    form.setText(kCount1, NumberText(components1));
    form.setText(kType2, catalogue.text("推荐选型2", kType2));
    form.setText(kCount2, NumberText(components2));
    form.setText(kRunnersOffered, catalogue.text("支脚长度", kRunnersOffered));
    form.setText(kSpacing, catalogue.text("支架间距", kSpacing));
    form.setText(kRingCost, NumberText(totalCost));

    // "φ57" -> "57", "φ159" -> "159".
    const Num pipe = LeadingValueOfText(lastCharacters(item, characterCount(item) == 3 ? 2 : 3), kDiameterList);
    form.noteQuantity(kDiameter, pipe.value());
    const Num casingBore = FieldValue(form, kCasingBore);
    const Num room = (casingBore - pipe - 10) / 2;
    const double runner = runnerHeight(model, room);
    if (runner == 0) {
        form.setForeground(kAdvice, Colour::red());
        form.setText(kAdvice, "严重警告:输入参数中所选套管偏小,无合适套管支架");
        return;
    }
    form.setText(kRunner, NumberText(runner));
    const Num clearance = casingBore - 2 * runner - pipe;
    form.setText(kClearance, NumberText(clearance));
    judgeClearance(form, clearance);
}

// The fields of one maker's frame, and the marks its names and symbols carry (none for the first).
struct MakerFields {
    const char* model;
    const char* runnersOffered;
    const char* runner;
    const char* spacing;
    const char* type1;
    const char* count1;
    const char* type2;
    const char* count2;
    const char* maker;  // appended to the names: "" or "（MD建筑控股股份公司）"
    const char* mark;   // appended to the symbols: "" or "'"
};

const MakerFields kFirstMakerFields{.model = kModel,
                                    .runnersOffered = kRunnersOffered,
                                    .runner = kRunner,
                                    .spacing = kSpacing,
                                    .type1 = kType1,
                                    .count1 = kCount1,
                                    .type2 = kType2,
                                    .count2 = kCount2,
                                    .maker = "",
                                    .mark = ""};
// The second maker's frame is never filled: there is no catalogue of its rings.
const MakerFields kSecondMakerFields{"Text14", "Text3(2)", "Text18", "Text3(3)", "Text10", "Text13", "Text12", "Text11",
                                     "（MD建筑控股股份公司）", "'"};

// The two result lines of one maker's frame. They read as lines of text with the fields between
// the words, so a field's caption is the word before it ("中", "型", "只；"); its name says
// what it holds.
void addMakerResults(FrameBuilder frame, const MakerFields& f) {
    const std::string maker = f.maker, mark = f.mark;
    auto means = [&](ControlDef& field, const std::string& symbol, const std::string& name, const char* unit,
                     int decimals) {
        field.means(symbol + mark, name + maker, unit, decimals);
    };
    means(frame.result(f.model, "推荐型号", {0, 0}), "M", "推荐型号", "", -1);
    means(frame.result(f.runnersOffered, "肢脚高度(mm)", {0, 1}), "h_0", "样本肢脚高度", "mm", -1);
    means(frame.result(f.runner, "中", {0, 2}), "h", "选用肢脚高度", "mm", 0);
    frame.label("", "mm;", {0, 3});
    means(frame.result(f.spacing, "支架间距（m）", {0, 4}), "s", "支架间距", "m", -1);
    means(frame.result(f.type1, "组件数量   其中：", {1, 0}), "M_1", "组件1型号", "", -1);
    means(frame.result(f.count1, "型", {1, 1}), "N_1", "组件1数量", "只", 0);
    means(frame.result(f.type2, "只；", {1, 2}), "M_2", "组件2型号", "", -1);
    means(frame.result(f.count2, "型", {1, 3}), "N_2", "组件2数量", "只", 0);
    frame.label("", "只；", {1, 4});
}

// The formulas of the first maker's ring; the runner height and the verdict are choices that
// words state.
void addFormulas(FormDefinition& def) {
    def.quantity(kDiameter, "D", "输气管外径", "mm");
    def.quantity(kPerRing1, "n_1", "每圈组件1数量", "只");
    def.quantity(kPerRing2, "n_2", "每圈组件2数量", "只");
    def.quantity(kRings, "n", "套管支架圈数", "圈");
    def.quantity(kCostPerRing, "C_r", "套管支架单圈费用", "元");
    // Rings over the casing length, three more for the ends; the components and the cost of them.
    def.formula(formula::when(kFirstMaker, {kRings, formula::fn("ceil", q(kCasingLength) / q(kSpacing) + c(3))}));
    def.formula(formula::when(kFirstMaker, {kCount1, q(kPerRing1) * q(kRings)}));
    def.formula(formula::when(kFirstMaker, {kCount2, q(kPerRing2) * q(kRings)}));
    def.formula(formula::when(kFirstMaker, {kRingCost, q(kRings) * q(kCostPerRing)}));
    def.quantity(kRoom, "g", "主管与套管间肢脚可用空间", "mm", 1);
    def.formula(formula::when(kFirstMaker, {kRoom, (q(kCasingBore) - q(kDiameter) - c(10)) / c(2)}));
    def.formula(formula::when(
        kFirstMaker,
        formula::words("h = 20（S/T）；h = 41（F/G，g > 41），F/G 且 g ≤ 41 时无合适套管支架；h = 25（其他型号）")));
    def.formula(formula::when(kFirstMaker, {kClearance, q(kCasingBore) - c(2) * q(kRunner) - q(kDiameter)}));
    def.formula(formula::when(kFirstMaker, formula::words("c ≤ 15：偏小；15 < c ≤ 150：合适；c > 150：偏大")));
}

FormDefinition makeCasingSupports() {
    FormDefinition def("套管支架选型及计算", "套管支架选型及计算");
    def.titleLabel("Label1", "套管支架选型及计算");
    def.note("Label2",
             " 【工程内容】在许多国家，天然气管道穿越公路、铁路、河流或与其并铺的管线都需要用套管保护，套管支架用于隔离主管"
             "和套管；（选型按厂家样本的推荐型号进行选型计算）");

    auto inputs = def.frame("Frame2(1)", "输入参数", FrameRole::Input, {0, 0});
    inputs.field(kCasingLength, "套管长度（米）", "60", {0, 0}).means("L_c", "套管长度", "m").positive();
    inputs.list(kDiameterList, "输气管外径（mm）",
                {"φ57", "φ89", "φ108", "φ133", "φ159", "φ219", "φ273", "φ325", "φ377", "φ426", "φ529", "φ630",
                 "φ720"},
                {1, 0})
        .means("", "输气管外径");
    inputs.field(kCasingBore, "套管内径（mm）", "200", {2, 0}).means("D_i", "套管内径", "mm").positive();

    auto makers = def.frame("Frame6", "套管支架生产厂家", FrameRole::Options, {0, 1});
    makers.option(kFirstMaker, "", {0, 0}, true).means("", "套管支架生产厂家").label = "锐支 RACI         (意大利) ";
    makers.option(kSecondMaker, "", {1, 0}).means("", "套管支架生产厂家").label = "MD建筑控股股份公司（德国）";

    addMakerResults(def.frame("Frame1", "输出结果1（Italy RACI spacers）", FrameRole::Results, {1, 0, 1, 2}),
                    kFirstMakerFields);
    addMakerResults(def.frame("Frame3", "输出结果2（MD建筑控股股份公司）", FrameRole::Results, {2, 0, 1, 2}),
                    kSecondMakerFields);

    auto verdict = def.frame("Frame4", "输出结果3", FrameRole::Results, {3, 0, 1, 2});
    // A casing too small for the pipe and its runners shows by how much: the clearance is negative
    // and the verdict beside it says 偏小.
    verdict.result(kClearance, "主管与套管空隙（mm）", {0, 0}).means("c", "主管与套管空隙", "mm", 1).anySign();
    // "小于", "大于" or "远大于" before the caption "15（mm）".
    unitResult(verdict, kClearanceWord, "15（mm）", {0, 1}).means("", "主管与套管空隙与15mm相比").verdict();
    verdict.result(kRingCost, "所选套管支架总费用", {0, 2}).means("C", "所选套管支架总费用", "元");
    verdict.label("", "元", {0, 3});
    verdict.result(kAdvice, "建议：套管尺寸", {1, 0, 1, 4}).means("", "套管尺寸建议").verdict().widthChars = 60;
    addFormulas(def);

    def.onCreate(openCatalogue);
    def.runButton("Command1", "开始计算", computeCasingSupports);
    def.printButton("Command2");
    return def;
}

const WindowRegistration registration("套管支架选型及计算", "套管支架选型及计算", makeCasingSupports);

}  // namespace
}  // namespace pylora
