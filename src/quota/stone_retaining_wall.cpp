// 石挡土墙: stone retaining wall laid in cement mortar (rubble-stone slope protection or
// dressed-stone wall facing), per 10 m³ of wall (provincial building works quota SGD1-2000).
#include "quota/quota_form.h"

namespace pylora {
namespace {

constexpr auto kRubbleStone = "Option1(0)";
constexpr auto kDressedStone = "Option1(1)";
constexpr auto kM5 = "Option1(7)";
constexpr auto kM75 = "Option1(6)";

// Rates in data/quota/石挡土墙.csv: rubble M5, rubble M7.5, dressed M5, dressed M7.5.
const QuotaWindow kStoneRetainingWall{
    .formName = "石挡土墙",
    .titleLabel = "",
    .note = " 【工程内容】工程内容：1、打天地座，镶缝、逗缝，调、运、铺砂浆，运石、砌筑；2、露面加扁子缝，留自然荒包。"
            "                              [摘录于四川省建筑工程计价定额(一)SGD1-2000]",
    .basis = {"四川省建筑工程计价定额(一)SGD1-2000"},
    .work = {"石挡土墙(片石护坡或条石护壁)（单位:方）", "10", "石挡土墙体积", "m³", 10, Domain::nonNegative()},
    .optionFrames = {{"Frame6", "挡土墙类型", "挡土墙石料类型",
                      {{kRubbleStone, "Label14", "毛石(片石)", true}, {kDressedStone, "Label21", "毛条石(条石)"}}},
                     {"Frame3", "混凝土标号", "砂浆标号", {{kM5, "Label12", "M5", true}, {kM75, "Label10", "M7.5"}}}},
    // Stone type first, then the mortar grade within it.
    .tests = {{{kRubbleStone, kM5}, 0}, {{kRubbleStone}, 1}, {{kM5}, 2}, {{}, 3}},
    .outputs = {
        {"Text3(5)", "硅酸盐水泥    425# (Kg)", "水泥", "硅酸盐水泥425#", "kg", {0, 0}},
        {"Text3(7)", "毛石(毛条石) (方)", "石", "毛石(毛条石)", "m³", {0, 1}},
        {"Text3(6)", "细砂(方)", "细砂", "细砂", "m³", {0, 2}},
        {"Text3(1)", "水（方）", "水", "水", "m³", {1, 1}},
        {"Text2", "水泥砂浆 (方)", "砂浆", "水泥砂浆", "m³", {1, 0}},
        basePrice("Text1", {1, 2}),
        labourCost("Text5", {2, 0}),
        materialCost("Text3(2)", {2, 1}),
        machineryCost("Text3(0)", {2, 2}),
    },
};

FormDefinition makeStoneRetainingWall() { return makeQuotaForm(kStoneRetainingWall); }

const WindowRegistration registration("石挡土墙", "石挡土墙", makeStoneRetainingWall);

}  // namespace
}  // namespace pylora
