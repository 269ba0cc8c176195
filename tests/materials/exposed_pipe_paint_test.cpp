// 露空管道防腐: each check box chooses whether its paint system is computed. A cleared box
// leaves its system's fields blank, also where an earlier run had filled them, and changes
// nothing in the other systems.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "model/calc_form.h"
#include "model/window_registry.h"

namespace pylora {
namespace {

struct PaintSystemCase {
    const char* check;
    std::set<std::string> fields;
};

void PrintTo(const PaintSystemCase& c, std::ostream* os) { *os << c.check; }

class ExposedPipePaintOptionTest : public testing::TestWithParam<PaintSystemCase> {};

std::map<std::string, std::string> resultTexts(const Form& form, const std::vector<std::string>& fields) {
    std::map<std::string, std::string> texts;
    for (const std::string& field : fields) texts[field] = form.text(field);
    return texts;
}

TEST_P(ExposedPipePaintOptionTest, ClearedBoxBlanksOnlyItsSystem) {
    const PaintSystemCase& cleared = GetParam();
    CalcForm window{*findWindow("露空管道防腐"), Services{}};
    ASSERT_FALSE(window.press("OKButton"));
    const std::vector<std::string> allResults = window.form().written();
    const auto before = resultTexts(window.form(), allResults);

    window.form().setChecked(cleared.check, false);
    window.form().clearWritten();
    ASSERT_FALSE(window.press("OKButton"));

    for (const std::string& field : allResults) {
        if (cleared.fields.count(field)) {
            EXPECT_EQ(window.form().text(field), " ") << field;
        } else {
            EXPECT_EQ(window.form().text(field), before.at(field)) << field;
        }
    }
    for (const std::string& field : cleared.fields)
        EXPECT_TRUE(std::count(allResults.begin(), allResults.end(), field)) << field << " is not a result";
}

INSTANTIATE_TEST_SUITE_P(
    EachSystem, ExposedPipePaintOptionTest,
    testing::Values(
        PaintSystemCase{"Check1(0)", {"Text38", "Text3", "Text39", "Text5", "Text41", "Text4", "Text40", "Text6"}},
        PaintSystemCase{"Check2(0)", {"Text48", "Text42", "Text46", "Text45", "Text49"}},
        PaintSystemCase{"Check3(0)", {"Text30", "Text31", "Text32", "Text33", "Text34", "Text35", "Text36", "Text37"}},
        PaintSystemCase{"Check3(1)", {"Text7", "Text8", "Text9"}}));

}  // namespace
}  // namespace pylora
