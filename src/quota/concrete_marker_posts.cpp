// 砼标志桩及支座预制: prefabricated concrete marker posts and post bases, per 1 m³
// (petroleum construction installation budget quota, volume 5).
#include "quota/quota_form.h"

namespace pylora {
namespace {

// Rates in data/quota/砼标志桩及支座预制.csv.
const QuotaWindow kConcreteMarkerPosts{
    .formName = "砼标志桩及支座预制",
    .titleLabel = "",
    .note = " 【工程内容】1、砼桩、金属桩、玻璃钢桩基座预制、模板安拆、砼预制养护、预埋件安装；"
            "摘录于《石油建设安装工程预算定额》中第五册（长距离输送管道工程）2000年7月出版",
    .basis = {"《石油建设安装工程预算定额》第五册（长距离输送管道工程）2000年7月出版"},
    .work = {"砼标志桩及支座预制     （方）", "1", "砼标志桩及支座预制方量", "m³", 1, Domain::nonNegative()},
    .optionFrames = {},
    .tests = {},
    .outputs = {
        {"Text1", "模板板方材(方)", "模板", "模板板方材", "m³", {0, 0}},
        {"Text3(0)", "铁钉(Kg)", "铁钉", "铁钉", "kg", {0, 1}},
        {"Text3(5)", "硅酸盐水泥    425# (Kg)", "水泥", "硅酸盐水泥425#", "kg", {0, 2}},
        {"Text2", "砼地模 (平方米)", "地模", "砼地模", "m²", {1, 0}},
        {"Text3(1)", "隔离剂 (Kg)", "隔离剂", "隔离剂", "kg", {1, 1}},
        {"Text3(6)", "镀锌铁丝8-12#(Kg)", "铁丝", "镀锌铁丝8-12#", "kg", {1, 2}},
        {"Text5", "粗砂 (方)", "粗砂", "粗砂", "m³", {2, 0}},
        {"Text3(2)", "草袋子(平方米)", "草袋", "草袋子", "m²", {2, 1}},
        {"Text3(7)", "碎石15(方)", "碎石", "碎石15", "m³", {2, 2}},
        {"Text4", "水（方）", "水", "水", "m³", {3, 0}},
        // The base price sits at the right of the bottom row, its long caption across the middle.
        basePrice("Text3(8)", {3, 1, 1, 2}),
    },
};

FormDefinition makeConcreteMarkerPosts() { return makeQuotaForm(kConcreteMarkerPosts); }

const WindowRegistration registration("砼标志桩及支座预制", "砼标志桩及支座预制", makeConcreteMarkerPosts);

}  // namespace
}  // namespace pylora
