// The seven quota take-off windows side by side: what every quota window must do whatever its
// rate table, and the published cost rates checked against one another.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "model/calc_form.h"
#include "model/field_access.h"
#include "model/number_text.h"
#include "model/quantity_values.h"
#include "model/window_registry.h"

namespace pylora {
namespace {

struct QuotaWindowCase {
    const char* name;  // for the test's name
    const char* form;
    std::vector<std::vector<const char*>> variants;  // options to select for each rate column
    // Labour, materials, machinery and base price, where the window shows all four.
    std::vector<const char*> costs;
    std::vector<double> baseAboveCosts;  // yuan per quota unit, for each rate column
};

void PrintTo(const QuotaWindowCase& c, std::ostream* os) { *os << c.name; }

const std::vector<QuotaWindowCase> kWindows{
    {"brick_wall", "一般砖墙",
     {{"Option1(0)"}, {"Option1(1)"}, {"Option1(2)"}},
     {"Text5", "Text3(2)", "Text3(0)", "Text1"},
     {0, 0, 0}},
    {"stone_retaining_wall", "石挡土墙",
     {{"Option1(0)", "Option1(7)"}, {"Option1(0)", "Option1(6)"}, {"Option1(1)", "Option1(7)"}, {"Option1(1)", "Option1(6)"}},
     {"Text5", "Text3(2)", "Text3(0)", "Text1"},
     {0, 0, 0, 0}},
    {"concrete_coating", "混凝土连续覆盖层", {{}}, {}, {}},
    {"marker_posts", "砼标志桩及支座预制", {{}}, {}, {}},
    {"wire_gabions", "铁丝石笼稳管", {{"Option1(0)"}, {"Option1(1)"}}, {}, {}},
    {"anchor_sign", "禁止抛锚牌制作安装", {{"Option1(0)"}, {"Option1(1)"}}, {}, {}},
    // The saddle block's published base price stands 40 yuan above its three costs.
    {"weight_blocks", "加重块稳管",
     {{"Option1(0)"}, {"Option1(1)"}},
     {"Text3(7)", "Text3(6)", "Text7", "Text9"},
     {0, 40}},
};

class QuotaWindowTest : public testing::TestWithParam<QuotaWindowCase> {
protected:
    QuotaWindowTest() : window_(*findWindow(GetParam().form), Services{}) {}

    std::vector<std::string> outputs() const {
        std::vector<std::string> names;
        for (const ControlDef& c : window_.definition().controls())
            if (c.frame == "Frame1" && c.kind == ControlKind::TextField) names.push_back(c.name);
        return names;
    }

    void select(const std::vector<const char*>& options) {
        for (const char* option : options) window_.form().select(option);
    }

    CalcForm window_;
};

TEST_P(QuotaWindowTest, ZeroAmountWritesDotIntoEveryOutput) {
    window_.form().type("Text6", "0");
    for (const auto& variant : GetParam().variants) {
        select(variant);
        ASSERT_FALSE(window_.press("Command1"));
        for (const std::string& output : outputs()) EXPECT_EQ(window_.form().text(output), ".") << output;
    }
}

// Switching the quota item and running again overwrites every output, those with rate 0 too.
TEST_P(QuotaWindowTest, EveryRunRewritesEveryOutput) {
    for (const auto& variant : GetParam().variants) {
        for (const std::string& output : outputs()) window_.form().type(output, "old");
        select(variant);
        ASSERT_FALSE(window_.press("Command1"));
        EXPECT_EQ(window_.form().written().size(), outputs().size());
        for (const std::string& output : outputs()) EXPECT_NE(window_.form().text(output), "old") << output;
    }
}

TEST_P(QuotaWindowTest, AmountBeyondDoublePrecisionFailsOnTheAmount) {
    window_.form().type("Text6", "1e308");
    const auto failure = window_.press("Command1");
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->kind(), FailureKind::TooLarge);
    EXPECT_EQ(failure->control(), "Text6");
    for (const std::string& output : outputs()) {
        EXPECT_EQ(window_.form().text(output).find("inf"), std::string::npos) << output;
        EXPECT_EQ(window_.form().text(output).find("nan"), std::string::npos) << output;
    }
}

// At 100000 quota units the cost fields show the rates in yuan; the base price must be the sum
// of labour, materials and machinery as the quota book prints them, except where it differs.
TEST_P(QuotaWindowTest, BasePriceMatchesTheCostRates) {
    const QuotaWindowCase& c = GetParam();
    if (c.costs.empty()) GTEST_SKIP() << "the window shows the base price only, no costs to add up";
    window_.form().type("Text6", "100000");
    for (std::size_t v = 0; v < c.variants.size(); ++v) {
        select(c.variants[v]);
        ASSERT_FALSE(window_.press("Command1"));
        auto shown = [&](int i) { return FieldValue(window_.form(), c.costs[i]).value(); };
        EXPECT_NEAR(shown(3) - (shown(0) + shown(1) + shown(2)), c.baseAboveCosts[v], 1e-6) << "column " << v;
    }
}

// Each output's formula, with the rate of the quota item the options choose, gives the very text
// the window writes, for every item (the check of all windows covers the default choice only).
TEST_P(QuotaWindowTest, FormulaOfEachOutputFollowsTheChosenItem) {
    // A count of work (gabions, signs) is whole; a volume need not be.
    const bool counted = window_.definition().findControl("Text6")->meaning.domain.whole;
    window_.form().type("Text6", counted ? "7" : "7.3");
    for (const auto& variant : GetParam().variants) {
        select(variant);
        ASSERT_FALSE(window_.press("Command1"));
        const QuantityValues values(window_.form());
        for (const std::string& output : outputs()) {
            // A cost is computed to the 分 behind its field, which shows it to 0.001 万元.
            std::string computedKey = output;
            for (const QuantityDef& quantity : window_.definition().quantities())
                if (quantity.shownIn == output) computedKey = quantity.key;
            const formula::Formula* line = values.formulaFor(computedKey);
            ASSERT_TRUE(line) << output;
            const Num computed = formula::evaluate(line->expression, [&](const std::string& key) { return values.value(key); });
            const Meaning& meaning = *window_.definition().meaningOf(output);
            const std::string pattern = "#." + std::string(meaning.unit == "万元" ? 3 : meaning.decimals, '#');
            EXPECT_EQ(FormatNumber(computed.value(), pattern), window_.form().text(output)) << output;
        }
    }
}

// The unit each output states is the one its caption shows, in the caption's own words.
TEST_P(QuotaWindowTest, StatedUnitsAreTheCaptions) {
    const std::vector<std::pair<std::string, std::string>> captionUnits{
        {"Kg", "kg"}, {"方", "m³"}, {"平方米", "m²"}, {"t", "t"}, {"千匹", "千匹"}, {"根", "根"}, {"万元", "万元"}};
    for (const std::string& output : outputs()) {
        const ControlDef& c = *window_.definition().findControl(output);
        for (const auto& [caption, unit] : captionUnits) {
            const bool shown = c.label.find("(" + caption) != std::string::npos || c.label.find("（" + caption) != std::string::npos;
            if (shown) {
                EXPECT_EQ(c.meaning.unit, unit) << output << " " << c.label;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(QuotaWindows, QuotaWindowTest, testing::ValuesIn(kWindows),
                         [](const testing::TestParamInfo<QuotaWindowCase>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
}  // namespace pylora
