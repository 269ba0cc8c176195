// 跨越段热变形计算: the elongation on either side of the installation temperature.
#include <gtest/gtest.h>

#include <string>

#include "model/calc_form.h"
#include "model/window_registry.h"

namespace pylora {
namespace {

struct TemperatureCase {
    const char* name;
    const char* medium;        // t2, typed into Text4
    const char* installation;  // t1, typed into Text2
    const char* elongation;    // ΔL in mm as displayed
};

void PrintTo(const TemperatureCase& c, std::ostream* os) { *os << c.name; }

// L 450 m, α 0.000012 per °C: 5.4 mm per degree.
const TemperatureCase kCases[] = {
    {"defaults", "50", "10", "216."},
    {"no_rise", "10", "10", "."},            // zero shows as the bare point
    {"same_below_zero", "-5", "-5", "."},
    {"cooling", "10", "50", "-216."},         // a shortening
    {"fraction_of_a_degree", "10.5", "10", "2.7"},
    {"frost_to_summer", "35", "-20", "297."},
};

class ThermalElongationTest : public testing::TestWithParam<TemperatureCase> {};

TEST_P(ThermalElongationTest, ElongationFromTheTemperatureRise) {
    CalcForm window(*findWindow("跨越段热变形计算"), Services{});
    window.form().type("Text4", GetParam().medium);
    window.form().type("Text2", GetParam().installation);
    ASSERT_FALSE(window.press("Command1"));
    EXPECT_EQ(window.form().text("Text6"), GetParam().elongation);
}

INSTANTIATE_TEST_SUITE_P(Temperatures, ThermalElongationTest, testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace pylora
