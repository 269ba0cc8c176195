// Of several fields a run cannot read, the run names the one its formula takes first: in a
// product, in a difference of two points, in the arguments of a helper and in a later step
// that reads the earlier step's inputs again.
#include <gtest/gtest.h>

#include <vector>

#include "model/calc_form.h"
#include "model/window_registry.h"
#include "model/window_settings.h"

namespace pylora {
namespace {

struct Case {
    const char* formName;
    std::vector<const char*> runFirst;  // steps pressed before the bad texts are typed
    std::vector<const char*> settings;  // the bad texts, in the short form of the tests
    const char* step;                   // the run that must fail
    const char* named;                  // the field it names
};

const Case kCases[] = {
    // [σ] = F·φ·σs
    {"钢管许用应力", {}, {"Text1=", "Text3=x"}, "Command1", "Text3"},
    // δ = P·D/(2·σs·F·t): the pressure before the diameter and the temperature factor
    {"壁厚计算", {}, {"Text8=.", "Text1=x", "Text2=y"}, "Command1", "Text2"},
    // A segment's rise |H2 − H1| before its run, the later point first
    {"穿越断面", {}, {"Text21=x", "Text22=x"}, "Command1", "Text22"},
    // F4 = G2·l·f4 of the rope, F5 from f5 and the rollers' radius R
    {"管架发送道相关计算", {}, {"Text23=x", "Text26=x", "Text27=x"}, "Command1", "Text27"},
    {"管架发送道相关计算", {}, {"Text24=x", "Text22=x"}, "Command1", "Text22"},
    // x_P from x12, x1, z12, z1
    {"定向钻穿越", {}, {"Text2(1)=x", "Text1(1)=x", "Text1(12)=x"}, "Command1", "Text1(12)"},
    // z2 = z1 − (x2 − x1)·tan α1 in the second step, the angle changed after the first
    {"定向钻穿越", {"Command1"}, {"Text36=x", "Text1(2)=x"}, "Command3", "Text1(2)"},
    // z2 = z1 − (x2 − x1)·tan θ1 and z10 = z11 − (x11 − x10)·tan θ2
    {"弹性敷设参数计算", {"Command1"}, {"Text29=x", "Text1(2)=x"}, "Command3", "Text1(2)"},
    // The stations are read in table order first: their order along the line decides each one's part.
    {"弹性敷设参数计算", {"Command1"}, {"Text44=x", "Text1(10)=x", "Text1(11)=x"}, "Command3", "Text1(10)"},
};

TEST(FirstUnreadableFieldTest, TheFieldTheFormulaTakesFirstIsNamed) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(std::string(c.formName) + " " + c.step + " named " + c.named);
        const FormDefinition* definition = findWindow(c.formName);
        ASSERT_NE(definition, nullptr);
        CalcForm window(*definition, Services{});
        for (const char* step : c.runFirst) ASSERT_FALSE(window.press(step)) << step << " failed on the defaults";
        for (const char* setting : c.settings) applyShortSetting(window.form(), setting);
        const std::optional<RunFailure> failure = window.press(c.step);
        ASSERT_TRUE(failure);
        EXPECT_EQ(failure->control(), c.named) << failure->what();
        EXPECT_EQ(failure->kind(), FailureKind::NotANumber) << failure->what();
    }
}

}  // namespace
}  // namespace pylora
