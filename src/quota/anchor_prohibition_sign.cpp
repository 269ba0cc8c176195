// 禁止抛锚牌制作安装: signs forbidding anchoring on the banks of a river crossing, made and
// erected, per sign, on a steel-section frame or on concrete poles (petroleum construction
// installation budget quota, volume 5, items 5-1983 and 5-1984).
#include "quota/quota_form.h"

namespace pylora {
namespace {

constexpr auto kSteelSection = "Option1(0)";
constexpr auto kConcretePole = "Option1(1)";

// Rates in data/quota/禁止抛锚牌制作安装.csv: steel-section type, concrete-pole type.
// Four captions name no unit: steel wire and galvanised wire are weighed in kg as the other
// steel is, base plates counted in 块 and bolts with their nuts in 套.
const QuotaWindow kAnchorProhibitionSign{
    .formName = "禁止抛锚牌制作安装",
    .titleLabel = "禁止抛锚牌制作安装",
    .note = " 【工程内容】1、挖基坑、浇筑砼（立电杆）、禁止抛锚牌制作安装、油漆；"
            "摘录于《石油建设安装工程预算定额》中第五册（长距离输送管道工程）2000年7月出版",
    .basis = {"《石油建设安装工程预算定额》第五册（长距离输送管道工程）2000年7月出版，定额编号5-1983、5-1984"},
    .work = {"禁止抛锚牌制作安装个数", "1", "禁止抛锚牌制作安装个数", "个", 1, Domain::countFromZero()},
    .optionFrames = {{"Frame6", "禁止抛锚牌类型及定额编号", "禁止抛锚牌类型",
                      {{kSteelSection, "", "型钢型(算5-1983) ", true}, {kConcretePole, "", "电杆型(算5-1984)"}}}},
    .tests = {{{kSteelSection}, 0}, {{}, 1}},
    .outputs = {
        {"Text1", "型钢  (Kg)", "型钢", "型钢", "kg", {0, 0}},
        {"Text3(0)", "镀锌铁皮(Kg)", "铁皮", "镀锌铁皮", "kg", {0, 1}},
        {"Text3(1)", "钢丝10#", "钢丝", "钢丝10#", "kg", {0, 2}},
        {"Text2", "钢管  (Kg)", "钢管", "钢管", "kg", {1, 0}},
        {"Text3(3)", "木板(平方米)", "木板", "木板", "m²", {1, 1}},
        {"Text3(2)", "镀锌铁丝  8-12#", "铁丝", "镀锌铁丝8-12#", "kg", {1, 2}},
        {"Text4", "水泥425#     (Kg)", "水泥", "水泥425#", "kg", {2, 0}},
        {"Text3(5)", "河砂(方)", "河砂", "河砂", "m³", {2, 1}},
        {"Text3(4)", "砾石(方)", "砾石", "砾石", "m³", {2, 2}},
        {"Text5", "碳钢电焊条   (Kg)", "焊条", "碳钢电焊条", "kg", {3, 0}},
        {"Text3(7)", "氧气 （方）", "氧气", "氧气", "m³", {3, 1}},
        {"Text3(6)", "乙炔气 (Kg)", "乙炔", "乙炔气", "kg", {3, 2}},
        {"Text7", "调合漆     (Kg)", "调合漆", "调合漆", "kg", {4, 0}},
        {"Text3(9)", "汽油  (Kg)", "汽油", "汽油", "kg", {4, 1}},
        {"Text3(8)", "砼底盘0.8X0.8)", "底盘", "砼底盘0.8×0.8", "块", {4, 2}},
        {"Text8", "水泥电杆 (根)", "电杆", "水泥电杆", "根", {5, 0}},
        {"Text3(11)", "带帽六角螺栓M16x70-100", "M16", "带帽六角螺栓M16×70-100", "套", {5, 1}},
        {"Text3(10)", "带帽螺栓M12-16x40-75", "M12", "带帽螺栓M12-16×40-75", "套", {5, 2}},
        // A seventh row of its own, the long caption across the row, the field at the right.
        basePrice("Text9", {6, 0, 1, 3}),
    },
};

FormDefinition makeAnchorProhibitionSign() { return makeQuotaForm(kAnchorProhibitionSign); }

const WindowRegistration registration("禁止抛锚牌制作安装", "禁止抛锚牌制作安装", makeAnchorProhibitionSign);

}  // namespace
}  // namespace pylora
