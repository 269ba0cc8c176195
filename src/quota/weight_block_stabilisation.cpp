// 加重块稳管: concrete weight blocks that hold a pipeline down, prefabricated and installed,
// per 10 m³ of blocks, assembled or saddle type (petroleum construction installation budget
// quota, volume 5, items 5-3010 to 5-3013).
#include "quota/quota_form.h"

namespace pylora {
namespace {

// Columns: assembled block, saddle block. The base price is the quota's own figure: for the
// saddle block it stands 40 yuan above the sum of its three costs, and is kept as published.
const QuotaWindow kWeightBlockStabilisation{
    .formName = "加重块稳管",
    .titleLabel = "装配式、马鞍型混凝土加重块稳管",
    .note = " 【工程内容】1、场内运输、钢模板制作、安装、拆除、混凝土浇筑、成品堆放、成品运至现场、吊装定位、紧固、"
            "紧固件防腐；摘录于《石油建设安装工程预算定额》中第五册（长距离输送管道工程）2000年7月出版",
    .amountLabel = "加重块预制及安装体积（方）",
    .amountDefault = "10",
    .optionFrames = {{"Frame6", "混凝土加重块类型及定额编号",
                      {{"Option1(0)", "", "装配式加重块(算5-3010、3012) ", true},
                       {"Option1(1)", "", "马鞍型加重块(算5-3011、3013) "}}}},
    .tests = {{{"Option1(0)"}, 0}, {{}, 1}},
    .outputs = {
        {"Text1", "水泥425#     (Kg)", {6185, 453.29}, 10, {0, 0}, "#.##"},
        {"Text3(0)", "重晶石(t)", {9.486, 0}, 10, {0, 1}},
        {"Text3(1)", "重晶砂（t）", {12.823, 0}, 10, {0, 2}},
        {"Text2", "中砂 (Kg)", {0, 4.89}, 10, {1, 0}},
        {"Text3(3)", "碎石(稳管用)     （方）", {0, 7.91}, 10, {1, 1}},
        {"Text3(2)", "水（方）", {3.38, 2}, 10, {1, 2}},
        {"Text4", "钢模板(Kg)", {223.245, 150}, 10, {2, 0}},
        {"Text3(5)", "粗制六角带帽螺栓>M12(Kg)", {101.79, 0}, 10, {2, 1}},
        {"Text3(4)", "改性沥青   (Kg)", {290.26, 0}, 10, {2, 2}},
        {"Text5", "  玻璃布  (平方米)", {161.89, 0}, 10, {3, 0}},
        {"Text3(7)", "人工费(万元)", {2683.37, 2290.31}, 100000, {3, 1}},
        {"Text3(6)", "材料费(万元)", {13720.08, 1296.76}, 100000, {3, 2}},
        {"Text7", "机械费(万元)", {1564.01, 1399.31}, 100000, {4, 0}},
        {"Text9", "基价(万元,含人工费、材料费及机械费)", {17967.46, 5026.38}, 100000, {4, 2}},
    },
};

FormDefinition makeWeightBlockStabilisation() { return makeQuotaForm(kWeightBlockStabilisation); }

const WindowRegistration registration(makeWeightBlockStabilisation);

}  // namespace
}  // namespace pylora
