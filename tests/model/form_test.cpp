#include <gtest/gtest.h>

#include "model/calc.h"

namespace pylora {
namespace {

FormDefinition sampleWindow() {
    FormDefinition def("样例", "样例窗口");
    def.titleLabel("Label1", "样例");
    auto inputs = def.frame("Frame1", "输入参数", FrameRole::Input, {0, 0});
    inputs.field("Text1", "长度（m）", "10", {0, 0});
    inputs.field("Text2", "宽度（m） ", "0", {1, 0});
    auto options = def.frame("Frame2", "计算选项", FrameRole::Options, {1, 0});
    options.option("Option1(0)", "甲", {0, 0}, true);
    options.option("Option1(1)", "乙", {0, 1});
    options.check("Check1", "含损耗", {1, 0});
    options.list("List1", "管径", {"φ57 ", "φ159", "φ159"}, {2, 0});
    auto results = def.frame("Frame3", "输出结果", FrameRole::Results, {2, 0});
    results.result("Text3", "比值", {0, 0});
    results.result("Text4", "乘积", {0, 1});
    def.runButton("Command1", "开始计算", [](Form& form) {
        const Num length = FieldValue(form, "Text1");
        form.setText("Text4", FormatNumber(length * 2, "#.##"));
        form.setText("Text3", FormatNumber(length / FieldValue(form, "Text2"), "#.##"));
    });
    def.printButton("Command2");
    return def;
}

TEST(FormTest, StartsFromTheDefaults) {
    const FormDefinition def = sampleWindow();
    Form form(def);
    EXPECT_EQ(form.text("Text1"), "10");
    EXPECT_EQ(form.text("Text3"), " ");
    EXPECT_EQ(form.selectedOption("Frame2"), "Option1(0)");
    EXPECT_FALSE(form.checked("Check1"));
    EXPECT_EQ(form.selectedItem("List1"), std::nullopt);
    EXPECT_EQ(form.background("Text1"), Colour::white());
    EXPECT_THROW(form.text("Text99"), std::out_of_range);
}

TEST(FormTest, OneOptionPerGroupAndListChoices) {
    const FormDefinition def = sampleWindow();
    Form form(def);
    form.select("Option1(1)");
    EXPECT_FALSE(form.checked("Option1(0)"));
    EXPECT_EQ(form.selectedOption("Frame2"), "Option1(1)");
    EXPECT_TRUE(form.choose("List1", "φ159"));
    EXPECT_EQ(form.selectedIndex("List1"), 1);  // the first of two equal items
    EXPECT_FALSE(form.choose("List1", "φ57"));   // the item keeps its trailing blank
    EXPECT_EQ(form.selectedIndex("List1"), 1);
}

TEST(CalcFormTest, FailureKeepsWhatTheRunWroteAndNamesTheField) {
    const FormDefinition def = sampleWindow();
    CalcForm window(def, Services{});
    window.form().setText("Text3", "old");
    const auto failure = window.press("Command1");
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->kind(), FailureKind::DivisionByZero);
    EXPECT_EQ(failure->control(), "Text2");
    EXPECT_EQ(window.form().text("Text4"), "20.");
    EXPECT_EQ(window.form().text("Text3"), "old");
    EXPECT_EQ(window.form().written(), std::vector<std::string>{"Text4"});
    EXPECT_EQ(failureMessage(*failure, def), "计算中止：由「宽度（m） 」得到的除数为零");
}

TEST(CalcFormTest, MessagesForEachKindOfFailure) {
    const FormDefinition def = sampleWindow();
    EXPECT_EQ(failureMessage(RunFailure(FailureKind::NotANumber, "Text1"), def), "计算中止：「长度（m）」不是有效数字");
    EXPECT_EQ(failureMessage(RunFailure(FailureKind::OutsideDomain, "Text1"), def),
              "计算中止：由「长度（m）」得到的运算超出定义域");
    EXPECT_EQ(failureMessage(RunFailure(FailureKind::MissingData, "List1", "数据库中没有 管径='φ57 ' 的记录"), def),
              "计算中止：数据库中没有 管径='φ57 ' 的记录");
    EXPECT_EQ(failureMessage(RunFailure(FailureKind::DivisionByZero, ""), def), "计算中止：除数为零");
}

TEST(CalcFormTest, PrintAndUnknownButtonsChangeNothing) {
    const FormDefinition def = sampleWindow();
    CalcForm window(def, Services{});
    EXPECT_EQ(window.action("Command2"), ButtonAction::Print);
    EXPECT_FALSE(window.press("Command2"));
    EXPECT_EQ(window.form().text("Text3"), " ");
}

TEST(CalcFormTest, AProgramFaultBecomesAFailureNotACrash) {
    FormDefinition def("故障", "故障");
    def.body().field("Text1", "甲", "1", {});
    def.runButton("Command1", "开始计算", [](Form& form) { form.text("Text404"); });
    CalcForm window(def, Services{});
    const auto failure = window.press("Command1");
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->kind(), FailureKind::Internal);
}

}  // namespace
}  // namespace pylora
