// Round trips through the solve-for-one hydraulics windows, driven as the engineer drives them:
// solve for the flow rate, then pick the outlet pressure and solve it back from the flow rate
// now on display. The pressure must come back within the rounding of the display, the flow
// field must keep its text as an input and lose its highlight to the outlet pressure.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "model/calc.h"

namespace pylora {
namespace {

constexpr Colour kHighlight = Colour::fromBgr(0xFFFF80);

struct RoundTrip {
    const char* name;  // a test name in plain ASCII
    const char* form;
    std::vector<std::pair<const char*, const char*>> typed;  // texts typed before the first run
    const char* material;  // the pipe material option, where the window has one
};

void PrintTo(const RoundTrip& trip, std::ostream* os) { *os << trip.name; }

class HydraulicsRoundTrip : public testing::TestWithParam<RoundTrip> {};

TEST_P(HydraulicsRoundTrip, OutletPressureComesBackFromTheDisplayedFlowRate) {
    const RoundTrip& trip = GetParam();
    const FormDefinition* definition = findWindow(trip.form);
    ASSERT_NE(definition, nullptr);
    CalcForm window(*definition, Services{});
    Form& form = window.form();
    for (const auto& [field, text] : trip.typed) form.type(field, text);
    if (trip.material) form.select(trip.material);
    const double outlet = FieldValue(form, "Text14").value();

    form.select("Option1(0)");
    ASSERT_FALSE(window.press("Command1"));
    const std::string flowShown = form.text("Text13");
    EXPECT_EQ(form.background("Text13"), kHighlight);
    EXPECT_EQ(form.background("Text14"), Colour::white());

    form.select("Option1(3)");
    ASSERT_FALSE(window.press("Command1"));
    EXPECT_NEAR(FieldValue(form, "Text14").value(), outlet, 0.001) << "flow rate shown: " << flowShown;
    EXPECT_EQ(form.background("Text14"), kHighlight);
    EXPECT_EQ(form.text("Text13"), flowShown);
    EXPECT_EQ(form.background("Text13"), Colour::white());
}

INSTANTIATE_TEST_SUITE_P(
    Windows, HydraulicsRoundTrip,
    testing::Values(RoundTrip{"TransmissionLine", "水力计算", {{"Text14", "2.5"}}, nullptr},
                    RoundTrip{"GatheringLine", "采集水力计算", {{"Text14", "1.2"}, {"Text1", "0.273"}}, nullptr},
                    RoundTrip{"LowPressureSteel", "低压燃气管道计算", {}, nullptr},
                    RoundTrip{"LowPressureCastIron", "低压燃气管道计算", {{"Text14", "3.1"}}, "Option1(6)"},
                    RoundTrip{"HighPressureSteel", "高中压燃气计算", {}, nullptr},
                    RoundTrip{"HighPressureLongLine", "高中压燃气计算", {{"Text15", "7.5"}, {"Text14", "20"}}, nullptr}),
    [](const testing::TestParamInfo<RoundTrip>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace pylora
