// 套管支架选型及计算: the spacer ring a catalogue recommends for the carrier pipe inside a
// protective casing, the number of ring components for the casing length, a runner height
// that fits between pipe and casing, and whether the chosen casing is too small or too large.
#include "core/calc.h"
#include "materials/material_window.h"

namespace pylora {
namespace {

struct CasingTables {
    std::shared_ptr<MaterialTable> catalogue;  // Data1
};

std::any openCatalogue(Form&, const Services& services) {
    return CasingTables{openMaterialTable(services.databaseFolder, "套管支架97.sqlite", "RACI意大利生产锐支厂家")};
}

// Runner height in mm for the model and the room g between pipe and casing; 0: none fits.
// An "F/G" ring offers 41 and 60 mm runners; every g above 41 mm takes the 41 mm one.
double runnerHeight(const std::string& model, const Num& room) {
    if (model == "S/T") return 20;
    if (model == "F/G") return room > 41 ? 41 : 0;
    return 25;
}

void judgeClearance(Form& form, const Num& clearance) {
    if (clearance <= 15) {
        form.setText("Text15", "小于");
        form.setText("Text3(5)", "警告:输入参数中所选套管偏小,请重新选择较大的套管重新计算");
    } else if (clearance <= 150) {
        form.setText("Text15", "大于");
        form.setText("Text3(5)", "输入参数中所选套管合适");
    } else {
        form.setText("Text15", "远大于");
        form.setText("Text3(5)", "输入参数中所选套管偏大,请重新复核");
    }
}

void computeCasingSupports(RunContext& run) {
    Form& form = run.form;
    // Only the first maker has a catalogue; for the second the run changes nothing.
    if (form.checked("Option1(1)")) return;

    MaterialTable& catalogue = *openedTables<CasingTables>(run).catalogue;
    const std::string item = requireSelection(form, "List1");
    catalogue.findFirst("主管外径='" + item + "'", "List1");

    const std::string model = catalogue.text("推荐选型", "Text1");
    const Num perRing1 = catalogue.number("推荐选型1数量", "Text2");
    const Num perRing2 = catalogue.number("推荐选型2数量", "Text8");
    const Num spacing = catalogue.number("支架间距", "Text3(1)");
    const Num casingLength = FieldValue(form, "Text6");
    // Rings over the casing length, three more for the ends. The rings stand first in the
    // products (the same value either way round) so that a count too large names the length.
    const Num rings = casingLength / spacing + 3;
    const Num components1 = rings * perRing1;
    const Num components2 = rings * perRing2;

    form.setText("Text1", model);
    form.setText("Text9", catalogue.text("推荐选型1", "Text9"));
    form.setText("Text2", NumberText(components1));
    form.setText("Text7", catalogue.text("推荐选型2", "Text7"));
    form.setText("Text8", NumberText(components2));
    form.setText("Text3(0)", catalogue.text("支脚长度", "Text3(0)"));
    form.setText("Text3(1)", catalogue.text("支架间距", "Text3(1)"));
    form.setText("Text17", catalogue.text("单圈费用", "Text17"));

    // "φ57" -> "57", "φ159" -> "159".
    const Num pipe = LeadingValueOfText(lastCharacters(item, characterCount(item) == 3 ? 2 : 3), "List1");
    const Num casingBore = FieldValue(form, "Text4");
    const Num room = (casingBore - pipe - 10) / 2;
    const double runner = runnerHeight(model, room);
    if (runner == 0) {
        form.setText("Text3(5)", "严重警告:输入参数中所选套管偏小,无合适套管支架");
        return;
    }
    form.setText("Text16", NumberText(runner));
    const Num clearance = casingBore - 2 * runner - pipe;
    form.setText("Text5", NumberText(clearance));
    judgeClearance(form, clearance);
}

// The two result lines of one maker's frame.
void addMakerResults(FrameBuilder frame, const char* model, const char* runner, const char* height,
                     const char* spacing, const char* type1, const char* count1, const char* type2,
                     const char* count2) {
    frame.result(model, "推荐型号", {0, 0});
    frame.result(runner, "肢脚高度(mm)", {0, 1});
    frame.result(height, "中", {0, 2});
    frame.label("", "mm;", {0, 3});
    frame.result(spacing, "支架间距（m）", {0, 4});
    frame.result(type1, "组件数量   其中：", {1, 0});
    frame.result(count1, "型", {1, 1});
    frame.result(type2, "只；", {1, 2});
    frame.result(count2, "型", {1, 3});
    frame.label("", "只；", {1, 4});
}

FormDefinition makeCasingSupports() {
    FormDefinition def("套管支架选型及计算", "套管支架选型及计算");
    def.titleLabel("Label1", "套管支架选型及计算");
    def.note("Label2",
             " 【工程内容】在许多国家，天然气管道穿越公路、铁路、河流或与其并铺的管线都需要用套管保护，套管支架用于隔离主管"
             "和套管；（选型按厂家样本的推荐型号进行选型计算）");

    auto inputs = def.frame("Frame2(1)", "输入参数", FrameRole::Input, {0, 0});
    inputs.field("Text6", "套管长度（米）", "60", {0, 0});
    inputs.list("List1", "输气管外径（mm）",
                {"φ57", "φ89", "φ108", "φ133", "φ159", "φ219", "φ273", "φ325", "φ377", "φ426", "φ529", "φ630",
                 "φ720"},
                {1, 0});
    inputs.field("Text4", "套管内径（mm）", "200", {2, 0});

    auto makers = def.frame("Frame6", "套管支架生产厂家", FrameRole::Options, {0, 1});
    makers.option("Option1(0)", "", {0, 0}, true).label = "锐支 RACI         (意大利) ";
    makers.option("Option1(1)", "", {1, 0}).label = "MD建筑控股股份公司（德国）";

    addMakerResults(def.frame("Frame1", "输出结果1（Italy RACI spacers）", FrameRole::Results, {1, 0, 1, 2}),
                    "Text1", "Text3(0)", "Text16", "Text3(1)", "Text9", "Text2", "Text7", "Text8");
    addMakerResults(def.frame("Frame3", "输出结果2（MD建筑控股股份公司）", FrameRole::Results, {2, 0, 1, 2}),
                    "Text14", "Text3(2)", "Text18", "Text3(3)", "Text10", "Text13", "Text12", "Text11");

    auto verdict = def.frame("Frame4", "输出结果3", FrameRole::Results, {3, 0, 1, 2});
    verdict.result("Text5", "主管与套管空隙（mm）", {0, 0});
    unitResult(verdict, "Text15", "15（mm）", {0, 1});
    verdict.result("Text17", "所选套管支架总费用", {0, 2});
    verdict.label("", "元", {0, 3});
    verdict.result("Text3(5)", "建议：套管尺寸", {1, 0, 1, 4}).widthChars = 60;

    def.onCreate(openCatalogue);
    def.runButton("Command1", "开始计算", computeCasingSupports);
    def.printButton("Command2");
    return def;
}

const WindowRegistration registration(makeCasingSupports);

}  // namespace
}  // namespace pylora
