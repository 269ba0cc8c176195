// 禁止抛锚牌制作安装: signs forbidding anchoring on the banks of a river crossing, made and
// erected, per sign, on a steel-section frame or on concrete poles (petroleum construction
// installation budget quota, volume 5, items 5-1983 and 5-1984).
#include "quota/quota_form.h"

namespace pylora {
namespace {

// Columns: steel-section type, concrete-pole type. A material the design does not use has rate 0.
const QuotaWindow kAnchorProhibitionSign{
    .formName = "禁止抛锚牌制作安装",
    .titleLabel = "禁止抛锚牌制作安装",
    .note = " 【工程内容】1、挖基坑、浇筑砼（立电杆）、禁止抛锚牌制作安装、油漆；"
            "摘录于《石油建设安装工程预算定额》中第五册（长距离输送管道工程）2000年7月出版",
    .amountLabel = "禁止抛锚牌制作安装个数",
    .amountDefault = "1",
    .optionFrames = {{"Frame6", "禁止抛锚牌类型及定额编号",
                      {{"Option1(0)", "", "型钢型(算5-1983) ", true}, {"Option1(1)", "", "电杆型(算5-1984)"}}}},
    .tests = {{{"Option1(0)"}, 0}, {{}, 1}},
    .outputs = {
        {"Text1", "型钢  (Kg)", {52.7, 66.75}, 1, {0, 0}},
        {"Text3(0)", "镀锌铁皮(Kg)", {178.9, 0}, 1, {0, 1}},
        {"Text3(1)", "钢丝10#", {39.75, 0}, 1, {0, 2}},
        {"Text2", "钢管  (Kg)", {160.25, 0}, 1, {1, 0}},
        {"Text3(3)", "木板(平方米)", {0.33, 0}, 1, {1, 1}},
        {"Text3(2)", "镀锌铁丝  8-12#", {3.88, 0}, 1, {1, 2}},
        {"Text4", "水泥425#     (Kg)", {423, 0}, 1, {2, 0}},
        {"Text3(5)", "河砂(方)", {0.71, 0}, 1, {2, 1}},
        {"Text3(4)", "砾石(方)", {1.32, 0}, 1, {2, 2}},
        {"Text5", "碳钢电焊条   (Kg)", {8.79, 1.29}, 1, {3, 0}},
        {"Text3(7)", "氧气 （方）", {3.22, 0.67}, 1, {3, 1}},
        {"Text3(6)", "乙炔气 (Kg)", {0.97, 0.2}, 1, {3, 2}},
        {"Text7", "调合漆     (Kg)", {15.6, 2.28}, 1, {4, 0}},
        {"Text3(9)", "汽油  (Kg)", {2.3, 0.46}, 1, {4, 1}},
        {"Text3(8)", "砼底盘0.8X0.8)", {0, 2}, 1, {4, 2}},
        {"Text8", "水泥电杆 (根)", {0, 2}, 1, {5, 0}},
        {"Text3(11)", "带帽六角螺栓M16x70-100", {0, 17}, 1, {5, 1}},
        {"Text3(10)", "带帽螺栓M12-16x40-75", {0, 4}, 1, {5, 2}},
        // A seventh row of its own, the long caption across the row, the field at the right.
        {"Text9", "基价(万元,含人工费、材料费及机械费)", {5045.38, 1656.3}, 10000, {6, 0, 1, 3}},
    },
};

FormDefinition makeAnchorProhibitionSign() { return makeQuotaForm(kAnchorProhibitionSign); }

const WindowRegistration registration(makeAnchorProhibitionSign);

}  // namespace
}  // namespace pylora
