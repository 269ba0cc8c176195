// 加重块稳管: concrete weight blocks that hold a pipeline down, prefabricated and installed,
// per 10 m³ of blocks, assembled or saddle type (petroleum construction installation budget
// quota, volume 5, items 5-3010 to 5-3013).
#include "quota/quota_form.h"

namespace pylora {
namespace {

constexpr auto kAssembledBlock = "Option1(0)";
constexpr auto kSaddleBlock = "Option1(1)";

// Columns: assembled block, saddle block. The base price is the quota's own figure: for the
// saddle block it stands 40 yuan above the sum of its three costs, and is kept as published.
// The medium sand's caption gives kg, and its unit is stated so, though the rate reads like m³.
const QuotaWindow kWeightBlockStabilisation{
    .formName = "加重块稳管",
    .titleLabel = "装配式、马鞍型混凝土加重块稳管",
    .note = " 【工程内容】1、场内运输、钢模板制作、安装、拆除、混凝土浇筑、成品堆放、成品运至现场、吊装定位、紧固、"
            "紧固件防腐；摘录于《石油建设安装工程预算定额》中第五册（长距离输送管道工程）2000年7月出版",
    .basis = {"《石油建设安装工程预算定额》第五册（长距离输送管道工程）2000年7月出版，定额编号5-3010、5-3011、5-3012、5-3013"},
    .work = {"加重块预制及安装体积（方）", "10", "加重块预制及安装体积", "m³", 10},
    .optionFrames = {{"Frame6", "混凝土加重块类型及定额编号", "混凝土加重块类型",
                      {{kAssembledBlock, "", "装配式加重块(算5-3010、3012) ", true},
                       {kSaddleBlock, "", "马鞍型加重块(算5-3011、3013) "}}}},
    .tests = {{{kAssembledBlock}, 0}, {{}, 1}},
    .outputs = {
        {"Text1", "水泥425#     (Kg)", "水泥", "水泥425#", "kg", {6185, 453.29}, {0, 0}, "#.##"},
        {"Text3(0)", "重晶石(t)", "重晶石", "重晶石", "t", {9.486, 0}, {0, 1}},
        {"Text3(1)", "重晶砂（t）", "重晶砂", "重晶砂", "t", {12.823, 0}, {0, 2}},
        {"Text2", "中砂 (Kg)", "中砂", "中砂", "kg", {0, 4.89}, {1, 0}},
        {"Text3(3)", "碎石(稳管用)     （方）", "碎石", "碎石(稳管用)", "m³", {0, 7.91}, {1, 1}},
        {"Text3(2)", "水（方）", "水", "水", "m³", {3.38, 2}, {1, 2}},
        {"Text4", "钢模板(Kg)", "钢模板", "钢模板", "kg", {223.245, 150}, {2, 0}},
        {"Text3(5)", "粗制六角带帽螺栓>M12(Kg)", "螺栓", "粗制六角带帽螺栓>M12", "kg", {101.79, 0}, {2, 1}},
        {"Text3(4)", "改性沥青   (Kg)", "沥青", "改性沥青", "kg", {290.26, 0}, {2, 2}},
        {"Text5", "  玻璃布  (平方米)", "玻璃布", "玻璃布", "m²", {161.89, 0}, {3, 0}},
        labourCost("Text3(7)", {2683.37, 2290.31}, {3, 1}),
        materialCost("Text3(6)", {13720.08, 1296.76}, {3, 2}),
        machineryCost("Text7", {1564.01, 1399.31}, {4, 0}),
        basePrice("Text9", {17967.46, 5026.38}, {4, 2}),
    },
};

FormDefinition makeWeightBlockStabilisation() { return makeQuotaForm(kWeightBlockStabilisation); }

const WindowRegistration registration(makeWeightBlockStabilisation);

}  // namespace
}  // namespace pylora
