// 混凝土连续覆盖层: continuous concrete coating cast on a pipeline to weigh it down, per
// 10 m³ of coating (petroleum construction installation budget quota, volume 5).
#include "quota/quota_form.h"

namespace pylora {
namespace {

// Rates in data/quota/混凝土连续覆盖层.csv.
const QuotaWindow kConcreteContinuousCoating{
    .formName = "混凝土连续覆盖层",
    .titleLabel = "",
    .note = " 【工程内容】场内外运输、模板制作、安装、拆除、清理模内粘结物、刷隔离剂、整理堆放、定位块制作、安装、"
            "混凝土搅拌、捣固、养护；摘录于《石油建设安装工程预算定额》中第五册（长距离输送管道工程）2000年7月出版",
    .basis = {"《石油建设安装工程预算定额》第五册（长距离输送管道工程）2000年7月出版"},
    .work = {"混凝土连续覆盖层方量      （方）", "10", "混凝土连续覆盖层方量", "m³", 10, Domain::nonNegative()},
    .optionFrames = {},
    .tests = {},
    .outputs = {
        {"Text1", "钢模板   (Kg)", "钢模板", "钢模板", "kg", {0, 0}},
        {"Text2", "零星卡具 (Kg)", "卡具", "零星卡具", "kg", {1, 0}},
        {"Text5", "支撑系统 (Kg)", "支撑", "支撑系统", "kg", {2, 0}},
        {"Text4", "隔离剂   (Kg)", "隔离剂", "隔离剂", "kg", {3, 0}},
        {"Text7", "草袋子(平方米)", "草袋", "草袋子", "m²", {4, 0}},
        {"Text3(0)", "镀锌铁丝8-12# (Kg)", "铁丝", "镀锌铁丝8-12#", "kg", {0, 1}},
        {"Text3(1)", "石油沥青10#（Kg）", "沥青", "石油沥青10#", "kg", {1, 1}},
        {"Text3(2)", "麻丝 (Kg)", "麻丝", "麻丝", "kg", {2, 1}},
        {"Text3(3)", "木材 (Kg)", "木材", "木材", "kg", {3, 1}},
        {"Text3(5)", "硅酸盐水泥    425# (Kg)", "水泥", "硅酸盐水泥425#", "kg", {0, 2}},
        {"Text3(6)", "细砂(方)", "细砂", "细砂", "m³", {1, 2}},
        {"Text3(7)", "碎石15(方)", "碎石", "碎石15", "m³", {2, 2}},
        {"Text3(8)", "水（方）", "水", "水", "m³", {3, 2}},
        basePrice("Text3(9)", {4, 2}),
    },
};

FormDefinition makeConcreteContinuousCoating() { return makeQuotaForm(kConcreteContinuousCoating); }

const WindowRegistration registration("混凝土连续覆盖层", "混凝土连续覆盖层", makeConcreteContinuousCoating);

}  // namespace
}  // namespace pylora
