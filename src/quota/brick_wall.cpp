// 一般砖墙: ordinary brick wall laid in cement mortar, per 10 m³ of wall, for three mortar
// grades (provincial building works quota SGD1-2000).
#include "quota/quota_form.h"

namespace pylora {
namespace {

// Columns: M5, M7.5, M10. The base price is the quota's own rate, not the sum of the costs.
const QuotaWindow kBrickWall{
    .formName = "一般砖墙",
    .titleLabel = "",
    .note = " 【工程内容】1、调、运、铺砂浆； 2、安放木砖、铁件，砌砖;      [摘录于四川省建筑工程计价定额(一)SGD1-2000]",
    .amountLabel = "一般砖墙（单位:方）",
    .amountDefault = "10",
    .optionFrames = {{"Frame6", "混凝土标号",
                      {{"Option1(0)", "Label14", "M5", true},
                       {"Option1(1)", "Label21", "M7.5"},
                       {"Option1(2)", "Label1", "M10"}}}},
    .tests = {{{"Option1(0)"}, 0}, {{"Option1(1)"}, 1}, {{}, 2}},
    .outputs = {
        {"Text3(5)", "硅酸盐水泥    425# (Kg)", {510.72, 669.76, 828.8}, 10, {0, 0}},
        {"Text3(7)", "红(青)砖 (千匹)", {5.31, 5.31, 5.31}, 10, {0, 1}},
        {"Text3(6)", "细砂(方)", {2.6, 2.6, 2.6}, 10, {0, 2}},
        {"Text3(1)", "水（方）", {1.73, 1.73, 1.73}, 10, {1, 1}},
        {"Text2", "水泥砂浆 (方)", {2.24, 2.24, 2.24}, 10, {1, 0}},
        {"Text1", "基价(万元,含人工费、材料费及机械费)", {1355.44, 1403.15, 1450.86}, 100000, {1, 2}},
        {"Text5", "人工费(万元)", {370.37, 370.37, 370.37}, 100000, {2, 0}},
        {"Text3(2)", "材料费(万元)", {979.38, 1027.09, 1074.8}, 100000, {2, 1}},
        {"Text3(0)", "机械费(万元)", {5.69, 5.69, 5.69}, 100000, {2, 2}},
    },
};

FormDefinition makeBrickWall() { return makeQuotaForm(kBrickWall); }

const WindowRegistration registration(makeBrickWall);

}  // namespace
}  // namespace pylora
