// 铁丝石笼稳管: wire gabions filled with pebbles, loaded on a boat and dropped onto the pipe to
// hold it down, per 10 gabions of two sizes (petroleum construction installation budget quota,
// volume 5, items 5-3006 and 5-3007).
#include "quota/quota_form.h"

namespace pylora {
namespace {

constexpr auto kFourMetres = "Option1(0)";
constexpr auto kSixMetres = "Option1(1)";

// Rates in data/quota/铁丝石笼稳管.csv: φ0.6 × 4 m, φ0.6 × 6 m.
const QuotaWindow kWireGabionStabilisation{
    .formName = "铁丝石笼稳管",
    .titleLabel = "铁丝石笼稳管",
    .note = " 【工程内容】铁丝、钢筋下料编笼、人工抬运卵石、装笼、封口、装船、抛石笼；"
            "摘录于《石油建设安装工程预算定额》中第五册（长距离输送管道工程）2000年7月出版",
    .basis = {"《石油建设安装工程预算定额》第五册（长距离输送管道工程）2000年7月出版，定额编号5-3006、5-3007"},
    .work = {"石笼制作与装船个数", "10", "石笼制作与装船个数", "个", 10, Domain::countFromZero()},
    .optionFrames = {{"Frame6", "石笼类型及定额编号", "石笼类型",
                      {{kFourMetres, "", "φ0.6x4m(算5-3006) "}, {kSixMetres, "", "φ0.6x6m(算5-3007)", true}}}},
    .tests = {{{kFourMetres}, 0}, {{kSixMetres}, 1}},
    .outputs = {
        {"Text1", "镀锌铁丝8#   (Kg)", "铁丝", "镀锌铁丝8#", "kg", {0, 0}},
        {"Text2", "圆钢φ6-12   (Kg)", "圆钢", "圆钢φ6-12", "kg", {1, 0}},
        {"Text3(0)", "卵石  (方)", "卵石", "卵石", "m³", {0, 1}},
        basePrice("Text3(1)", {1, 1}),
    },
};

FormDefinition makeWireGabionStabilisation() { return makeQuotaForm(kWireGabionStabilisation); }

const WindowRegistration registration("铁丝石笼稳管", "铁丝石笼稳管", makeWireGabionStabilisation);

}  // namespace
}  // namespace pylora
