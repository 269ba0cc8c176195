// 稳定计算: the bending-load option, and which results the friction coefficient reaches.
#include <gtest/gtest.h>

#include <map>

#include "check_window_fixture.h"

namespace pylora {
namespace {

using testing_support::CheckWindow;

const char* const kResults[] = {"Text10", "Text8", "Text9", "Text15", "Text7",
                                "Text6",  "Text14", "Text23", "Text24", "Text13"};

std::map<std::string, std::string> resultsAfter(const std::vector<std::string>& settings) {
    CheckWindow window("稳定计算");
    EXPECT_FALSE(window.run(settings));
    std::map<std::string, std::string> texts;
    for (const char* field : kResults) texts[field] = window.text(field);
    return texts;
}

struct BendingCase {
    const char* name;
    std::vector<std::string> settings;
    const char* bendingLoad;  // Text7
    const char* ballast;      // Text6
    const char* stoneWeight;  // Text24
};

void PrintTo(const BendingCase& c, std::ostream* os) { *os << c.name; }

const BendingCase kBending[] = {
    // Without bending the field gets the text "0", which reads back as 0 for the stone weight.
    {"without_bending", {}, "0", "29.496", "264.719"},
    {"with_bending", {"Option1(0)"}, ".027", "29.523", "264.714"},
    // The load grows with the rise and falls with the fourth power of the length.
    {"with_bending_double_rise", {"Option1(0)", "Text4=196"}, ".055", "29.551", "264.711"},
    {"with_bending_half_length", {"Option1(0)", "Text22=150"}, ".436", "29.932", "264.644"},
    // Switching back to no bending ignores the bending inputs altogether.
    {"without_bending_ignores_its_inputs", {"Text5=", "Text22=0"}, "0", "29.496", "264.719"},
};

class UnderwaterStabilityBendingTest : public testing::TestWithParam<BendingCase> {};

TEST_P(UnderwaterStabilityBendingTest, AddsTheBendingLoadOnlyWhenChosen) {
    const BendingCase& c = GetParam();
    const auto texts = resultsAfter(c.settings);
    EXPECT_EQ(texts.at("Text7"), c.bendingLoad);
    EXPECT_EQ(texts.at("Text6"), c.ballast);
    EXPECT_EQ(texts.at("Text24"), c.stoneWeight);
    EXPECT_EQ(texts.at("Text10"), "62.79");  // the river's forces do not depend on the option
    EXPECT_EQ(texts.at("Text9"), "21.138");
}

INSTANTIATE_TEST_SUITE_P(Options, UnderwaterStabilityBendingTest, testing::ValuesIn(kBending),
                         [](const auto& info) { return std::string(info.param.name); });

// Friction acts only on the remaining thrust and what is built on it: stone weight and cover.
TEST(UnderwaterStabilityTest, FrictionChangesOnlyTheThrustAndTheStone) {
    for (const std::vector<std::string>& option : {std::vector<std::string>{}, std::vector<std::string>{"Option1(0)"}}) {
        auto rougher = option;
        rougher.push_back("Text11=0.7");
        const auto base = resultsAfter(option), changed = resultsAfter(rougher);
        for (const char* field : kResults) {
            const bool reached = std::string(field) == "Text23" || std::string(field) == "Text24" ||
                                 std::string(field) == "Text13";
            EXPECT_EQ(base.at(field) != changed.at(field), reached) << field;
        }
    }
}

}  // namespace
}  // namespace pylora
