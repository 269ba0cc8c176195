// 穿越管线壁厚稳定校核: the cube root of the load term n·H/(10·m), whose sign decides whether the
// run goes through and, when it does not, which field the engineer is sent to.
#include <gtest/gtest.h>

#include "check_window_fixture.h"

namespace pylora {
namespace {

using testing_support::CheckWindow;

struct LoadTermCase {
    const char* name;
    std::vector<std::string> settings;
    const char* wall;           // Text6 after the run, " " when the run fails first
    const char* failedControl;  // empty: the run goes through
    FailureKind kind = FailureKind::OutsideDomain;
};

void PrintTo(const LoadTermCase& c, std::ostream* os) { *os << c.name; }

const LoadTermCase kLoadTerms[] = {
    {"defaults", {}, "6.71", ""},
    {"dry_crossing", {"Text4=0"}, ".", ""},
    // A negative depth or factor is refused as read, before any root is taken: two of them no
    // longer make a positive load term and a negative wall.
    {"negative_depth", {"Text4=-10"}, " ", "Text4", FailureKind::InputOutsideDomain},
    {"negative_overload_factor", {"Text2=-1.1"}, " ", "Text2", FailureKind::InputOutsideDomain},
    {"negative_working_factor", {"Text3=-0.65"}, " ", "Text3", FailureKind::InputOutsideDomain},
    {"negative_depth_and_overload", {"Text4=-10", "Text2=-1.1"}, " ", "Text4", FailureKind::InputOutsideDomain},
    {"negative_depth_and_working_factor", {"Text4=-10", "Text3=-0.65"}, " ", "Text4", FailureKind::InputOutsideDomain},
    {"zero_working_factor", {"Text3=0"}, " ", "Text3", FailureKind::InputOutsideDomain},
    {"zero_diameter", {"Text1=0"}, " ", "Text1", FailureKind::InputOutsideDomain},
};

class BucklingWallLoadTermTest : public testing::TestWithParam<LoadTermCase> {};

TEST_P(BucklingWallLoadTermTest, TakesTheCubeRootOfPositiveLoadTermsOnly) {
    const LoadTermCase& c = GetParam();
    CheckWindow window("穿越管线壁厚稳定校核");
    const auto failure = window.run(c.settings);
    EXPECT_EQ(window.text("Text6"), c.wall);
    if (std::string(c.failedControl).empty()) {
        EXPECT_FALSE(failure);
    } else {
        ASSERT_TRUE(failure);
        EXPECT_EQ(failure->control(), c.failedControl);
        EXPECT_EQ(failure->kind(), c.kind);
    }
}

INSTANTIATE_TEST_SUITE_P(Boundaries, BucklingWallLoadTermTest, testing::ValuesIn(kLoadTerms),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace pylora
