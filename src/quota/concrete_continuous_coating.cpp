// 混凝土连续覆盖层: continuous concrete coating cast on a pipeline to weigh it down, per
// 10 m³ of coating (petroleum construction installation budget quota, volume 5).
#include "quota/quota_form.h"

namespace pylora {
namespace {

const QuotaWindow kConcreteContinuousCoating{
    .formName = "混凝土连续覆盖层",
    .titleLabel = "",
    .note = " 【工程内容】场内外运输、模板制作、安装、拆除、清理模内粘结物、刷隔离剂、整理堆放、定位块制作、安装、"
            "混凝土搅拌、捣固、养护；摘录于《石油建设安装工程预算定额》中第五册（长距离输送管道工程）2000年7月出版",
    .amountLabel = "混凝土连续覆盖层方量      （方）",
    .amountDefault = "10",
    .optionFrames = {},
    .tests = {},
    .outputs = {
        {"Text1", "钢模板   (Kg)", {241.3}, 10, {0, 0}},
        {"Text2", "零星卡具 (Kg)", {31.5}, 10, {1, 0}},
        {"Text5", "支撑系统 (Kg)", {6.52}, 10, {2, 0}},
        {"Text4", "隔离剂   (Kg)", {10.65}, 10, {3, 0}},
        {"Text7", "草袋子(平方米)", {107}, 10, {4, 0}},
        {"Text3(0)", "镀锌铁丝8-12# (Kg)", {0.57}, 10, {0, 1}},
        {"Text3(1)", "石油沥青10#（Kg）", {40.1}, 10, {1, 1}},
        {"Text3(2)", "麻丝 (Kg)", {10.2}, 10, {2, 1}},
        {"Text3(3)", "木材 (Kg)", {18.32}, 10, {3, 1}},
        {"Text3(5)", "硅酸盐水泥    425# (Kg)", {4913}, 10, {0, 2}},
        {"Text3(6)", "细砂(方)", {4.16}, 10, {1, 2}},
        {"Text3(7)", "碎石15(方)", {7.82}, 10, {2, 2}},
        {"Text3(8)", "水（方）", {34.78}, 10, {3, 2}},
        {"Text3(9)", "基价(万元,含人工费、材料费及机械费)", {6476.79}, 100000, {4, 2}},
    },
};

FormDefinition makeConcreteContinuousCoating() { return makeQuotaForm(kConcreteContinuousCoating); }

const WindowRegistration registration(makeConcreteContinuousCoating);

}  // namespace
}  // namespace pylora
