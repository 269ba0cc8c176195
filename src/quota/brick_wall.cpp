// 一般砖墙: ordinary brick wall laid in cement mortar, per 10 m³ of wall, for three mortar
// grades (provincial building works quota SGD1-2000).
#include "quota/quota_form.h"

namespace pylora {
namespace {

constexpr auto kM5 = "Option1(0)";
constexpr auto kM75 = "Option1(1)";
constexpr auto kM10 = "Option1(2)";

// Rates in data/quota/一般砖墙.csv, one column per mortar grade M5, M7.5, M10 (the variants).
const QuotaWindow kBrickWall{
    .formName = "一般砖墙",
    .titleLabel = "",
    .note = " 【工程内容】1、调、运、铺砂浆； 2、安放木砖、铁件，砌砖;      [摘录于四川省建筑工程计价定额(一)SGD1-2000]",
    .basis = {"四川省建筑工程计价定额(一)SGD1-2000"},
    .work = {"一般砖墙（单位:方）", "10", "一般砖墙体积", "m³", 10, Domain::nonNegative()},
    .optionFrames = {{"Frame6", "混凝土标号", "砂浆标号",
                      {{kM5, "Label14", "M5", true}, {kM75, "Label21", "M7.5"}, {kM10, "Label1", "M10"}}}},
    .tests = {{{kM5}, 0}, {{kM75}, 1}, {{}, 2}},
    .outputs = {
        {"Text3(5)", "硅酸盐水泥    425# (Kg)", "水泥", "硅酸盐水泥425#", "kg", {0, 0}},
        {"Text3(7)", "红(青)砖 (千匹)", "砖", "红(青)砖", "千匹", {0, 1}},
        {"Text3(6)", "细砂(方)", "细砂", "细砂", "m³", {0, 2}},
        {"Text3(1)", "水（方）", "水", "水", "m³", {1, 1}},
        {"Text2", "水泥砂浆 (方)", "砂浆", "水泥砂浆", "m³", {1, 0}},
        basePrice("Text1", {1, 2}),
        labourCost("Text5", {2, 0}),
        materialCost("Text3(2)", {2, 1}),
        machineryCost("Text3(0)", {2, 2}),
    },
};

FormDefinition makeBrickWall() { return makeQuotaForm(kBrickWall); }

const WindowRegistration registration("一般砖墙", "一般砖墙", makeBrickWall);

}  // namespace
}  // namespace pylora
