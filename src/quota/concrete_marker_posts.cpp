// 砼标志桩及支座预制: prefabricated concrete marker posts and post bases, per 1 m³
// (petroleum construction installation budget quota, volume 5).
#include "quota/quota_form.h"

namespace pylora {
namespace {

const QuotaWindow kConcreteMarkerPosts{
    .formName = "砼标志桩及支座预制",
    .titleLabel = "",
    .note = " 【工程内容】1、砼桩、金属桩、玻璃钢桩基座预制、模板安拆、砼预制养护、预埋件安装；"
            "摘录于《石油建设安装工程预算定额》中第五册（长距离输送管道工程）2000年7月出版",
    .amountLabel = "砼标志桩及支座预制     （方）",
    .amountDefault = "1",
    .optionFrames = {},
    .tests = {},
    .outputs = {
        {"Text1", "模板板方材(方)", {0.191}, 1, {0, 0}},
        {"Text3(0)", "铁钉(Kg)", {3.47}, 1, {0, 1}},
        {"Text3(5)", "硅酸盐水泥    425# (Kg)", {354}, 1, {0, 2}},
        {"Text2", "砼地模 (平方米)", {0.38}, 1, {1, 0}},
        {"Text3(1)", "隔离剂 (Kg)", {4.98}, 1, {1, 1}},
        {"Text3(6)", "镀锌铁丝8-12#(Kg)", {0.1}, 1, {1, 2}},
        {"Text5", "粗砂 (方)", {0.48}, 1, {2, 0}},
        {"Text3(2)", "草袋子(平方米)", {1.22}, 1, {2, 1}},
        {"Text3(7)", "碎石15(方)", {0.77}, 1, {2, 2}},
        {"Text4", "水（方）", {1.93}, 1, {3, 0}},
        // The base price sits at the right of the bottom row, its long caption across the middle.
        {"Text3(8)", "基价(万元,含人工费、材料费及机械费)", {781.27}, 10000, {3, 1, 1, 2}},
    },
};

FormDefinition makeConcreteMarkerPosts() { return makeQuotaForm(kConcreteMarkerPosts); }

const WindowRegistration registration(makeConcreteMarkerPosts);

}  // namespace
}  // namespace pylora
