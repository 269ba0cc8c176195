// 加重块稳管: concrete weight blocks that hold a pipeline down, prefabricated and installed,
// per 10 m³ of blocks, assembled or saddle type (petroleum construction installation budget
// quota, volume 5, items 5-3010 to 5-3013).
#include "quota/quota_form.h"

namespace pylora {
namespace {

constexpr auto kAssembledBlock = "Option1(0)";
constexpr auto kSaddleBlock = "Option1(1)";

// Rates in data/quota/加重块稳管.csv: assembled block, saddle block. The medium sand's caption
// gives kg, and its unit is stated so, though the rate reads like m³.
const QuotaWindow kWeightBlockStabilisation{
    .formName = "加重块稳管",
    .titleLabel = "装配式、马鞍型混凝土加重块稳管",
    .note = " 【工程内容】1、场内运输、钢模板制作、安装、拆除、混凝土浇筑、成品堆放、成品运至现场、吊装定位、紧固、"
            "紧固件防腐；摘录于《石油建设安装工程预算定额》中第五册（长距离输送管道工程）2000年7月出版",
    .basis = {"《石油建设安装工程预算定额》第五册（长距离输送管道工程）2000年7月出版，定额编号5-3010、5-3011、5-3012、5-3013"},
    .work = {"加重块预制及安装体积（方）", "10", "加重块预制及安装体积", "m³", 10, Domain::nonNegative()},
    .optionFrames = {{"Frame6", "混凝土加重块类型及定额编号", "混凝土加重块类型",
                      {{kAssembledBlock, "", "装配式加重块(算5-3010、3012) ", true},
                       {kSaddleBlock, "", "马鞍型加重块(算5-3011、3013) "}}}},
    .tests = {{{kAssembledBlock}, 0}, {{}, 1}},
    .outputs = {
        {"Text1", "水泥425#     (Kg)", "水泥", "水泥425#", "kg", {0, 0}, "#.##"},
        {"Text3(0)", "重晶石(t)", "重晶石", "重晶石", "t", {0, 1}},
        {"Text3(1)", "重晶砂（t）", "重晶砂", "重晶砂", "t", {0, 2}},
        {"Text2", "中砂 (Kg)", "中砂", "中砂", "kg", {1, 0}},
        {"Text3(3)", "碎石(稳管用)     （方）", "碎石", "碎石(稳管用)", "m³", {1, 1}},
        {"Text3(2)", "水（方）", "水", "水", "m³", {1, 2}},
        {"Text4", "钢模板(Kg)", "钢模板", "钢模板", "kg", {2, 0}},
        {"Text3(5)", "粗制六角带帽螺栓>M12(Kg)", "螺栓", "粗制六角带帽螺栓>M12", "kg", {2, 1}},
        {"Text3(4)", "改性沥青   (Kg)", "沥青", "改性沥青", "kg", {2, 2}},
        {"Text5", "  玻璃布  (平方米)", "玻璃布", "玻璃布", "m²", {3, 0}},
        labourCost("Text3(7)", {3, 1}),
        materialCost("Text3(6)", {3, 2}),
        machineryCost("Text7", {4, 0}),
        basePrice("Text9", {4, 2}),
    },
};

FormDefinition makeWeightBlockStabilisation() { return makeQuotaForm(kWeightBlockStabilisation); }

const WindowRegistration registration("加重块稳管", "加重块稳管", makeWeightBlockStabilisation);

}  // namespace
}  // namespace pylora
