// Case files: every window's calculation saved, opened on a fresh window and computed again
// gives the same inputs, choices, results and failures (the ground survey's records travel in
// the file); files that are damaged, foreign or too new are refused with a message naming the
// file and the fault, never a crash.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

#include "files/case_file.h"
#include "model/window_registry.h"
#include "damaged_case.h"
#include "full_disk.h"
#include "test_services.h"

namespace pylora {
namespace {

namespace fs = std::filesystem;

// Every run button pressed once, in order: each step of a window of successive steps, and the
// ground survey read where a window reads one.
void pressEveryStep(CalcForm& window) {
    for (const ControlDef& c : window.definition().controls())
        if (c.kind == ControlKind::Button && window.definition().handler(c.name)) window.press(c.name);
}

// A fresh window with every text and choice unlike the saved ones, so that only what the case
// restores can make the windows agree.
void scramble(CalcForm& window) {
    for (const ControlState& c : window.form().controls()) {
        const ControlDef* def = window.definition().findControl(c.name);
        if (c.kind == ControlKind::TextField && def && !def->readOnly) window.form().type(c.name, "999x");
        if (c.kind == ControlKind::CheckBox) window.form().setChecked(c.name, !c.checked);
        if (c.kind == ControlKind::OptionButton && !c.checked) window.form().select(c.name);
        if (c.kind == ControlKind::ListBox && !c.items.empty())
            window.form().setSelectedIndex(c.name, static_cast<int>(c.items.size()) - 1);
    }
}

struct Shown {
    std::string text;
    bool checked;
    int selected;
    bool operator==(const Shown&) const = default;
};

std::map<std::string, Shown> shownBy(const CalcForm& window) {
    std::map<std::string, Shown> shown;
    for (const ControlState& c : window.form().controls()) shown[c.name] = {c.text, c.checked, c.selectedIndex};
    return shown;
}

class EveryWindowRoundTrip : public testing::TestWithParam<const FormDefinition*> {};

TEST_P(EveryWindowRoundTrip, OpensWithTheSameInputsAndResults) {
    const FormDefinition& def = *GetParam();
    CalcForm saved(def, testServicesWithGroundFile());
    pressEveryStep(saved);
    const std::string text = caseText(captureCase(saved));
    const CaseFile file = parseCase(text, "round-trip.pylora");

    // Another machine: no ground data file at all, only the records in the case.
    Services elsewhere = testServicesWithGroundFile();
    elsewhere.groundDataFile = "/nonexistent/pylora/1.TXT";
    CalcForm opened(def, elsewhere);
    scramble(opened);
    const CaseGroundData ground(file);
    EXPECT_EQ(replayCase(opened, file, ground), std::vector<std::string>{});

    EXPECT_EQ(shownBy(opened), shownBy(saved));
    EXPECT_EQ(opened.form().dataFilesRead().size(), saved.form().dataFilesRead().size());
    EXPECT_EQ(caseText(captureCase(opened)), text) << "saved again, the case is the same file";
}

INSTANTIATE_TEST_SUITE_P(Windows, EveryWindowRoundTrip, testing::ValuesIn(allWindows()),
                         [](const testing::TestParamInfo<const FormDefinition*>& info) {
                             return "w" + std::to_string(info.index);  // form names are Chinese
                         });

TEST(CaseFile, KeepsTextsAsTypedStepsInOrderAndTheGroundRecords) {
    const FormDefinition& def = *findWindow("定向钻穿越地面数据");
    CalcForm window(def, testServicesWithGroundFile());
    window.form().type("Text41", " 565.50 ");
    window.press("Command1");
    window.press("Command3");
    const CaseFile file = captureCase(window);
    const auto typed = std::find(file.inputs.begin(), file.inputs.end(), std::pair<std::string, std::string>{"Text41", " 565.50 "});
    EXPECT_NE(typed, file.inputs.end()) << "the text exactly as typed, blanks and all";
    EXPECT_EQ(file.steps, (std::vector<std::string>{"Command1", "Command3"}));
    ASSERT_EQ(file.dataFiles.size(), 1u);
    EXPECT_EQ(file.dataFiles[0].path, (fs::path(PYLORA_DATABASE_DIR) / "1.TXT").string());
    EXPECT_TRUE(file.dataFiles[0].sample);
    EXPECT_FALSE(file.dataFiles[0].records.empty());
    EXPECT_FALSE(file.results.empty());

    // Opened elsewhere, the 计算书 names the file the records were first read from.
    Services elsewhere = testServicesWithGroundFile();
    elsewhere.groundDataFile = "/nonexistent/1.TXT";
    CalcForm opened(def, elsewhere);
    const CaseGroundData ground(file);
    EXPECT_TRUE(replayCase(opened, file, ground).empty());
    ASSERT_EQ(opened.form().dataFilesRead().size(), 1u);
    EXPECT_EQ(opened.form().dataFilesRead()[0].path, file.dataFiles[0].path);
    EXPECT_TRUE(opened.form().dataFilesRead()[0].sample);
}

TEST(CaseFile, InputsEditedAfterTheRunAreKeptWithoutItsResults) {
    CalcForm window(*findWindow("壁厚计算"), testServicesWithGroundFile());
    window.press(window.definition().defaultRunButton());
    window.form().type("Text5", "4.5");
    const CaseFile file = captureCase(window);
    EXPECT_TRUE(file.steps.empty());
    EXPECT_TRUE(file.results.empty());
    EXPECT_NE(std::find(file.inputs.begin(), file.inputs.end(), std::pair<std::string, std::string>{"Text5", "4.5"}),
              file.inputs.end());
}

TEST(CaseFile, AResultComputedOtherwiseNowIsNamedWithBothValues) {
    CalcForm window(*findWindow("壁厚计算"), testServicesWithGroundFile());
    window.press(window.definition().defaultRunButton());
    CaseFile file = captureCase(window);
    ASSERT_FALSE(file.results.empty());
    const std::string name = file.results.front().first;
    file.results.front().second = "12345";  // as an older program would have computed it
    CalcForm opened(window.definition(), testServicesWithGroundFile());
    const auto differences = replayCase(opened, parseCase(caseText(file), "old.pylora"), CaseGroundData(file));
    ASSERT_EQ(differences.size(), 1u);
    EXPECT_NE(differences[0].find("「" + controlCaption(window.definition(), name) + "」保存时为 12345，现在为 " +
                                  window.form().text(name)),
              std::string::npos)
        << differences[0];
}

const Damage kDamages[] = {
    {"Empty", [](const std::string&) { return std::string(); }, "文件为空"},
    {"NotJson", [](const std::string&) { return std::string("壁厚 9.8 mm"); }, "不是有效的 JSON"},
    {"ForeignJson", [](const std::string&) { return std::string(R"({"name": "a", "value": 1})"); }, "不是 Pylora 计算文件"},
    {"JsonArray", [](const std::string&) { return std::string("[1, 2]"); }, "不是 Pylora 计算文件"},
    {"NewerFormat", [](const std::string& g) { return replaced(g, "\"format_version\": 1", "\"format_version\": 2"); },
     "格式版本 2 比本程序能读的版本 1 新"},
    {"VersionAsText", [](const std::string& g) { return replaced(g, "\"format_version\": 1", "\"format_version\": \"1\""); },
     "「format_version」应为整数"},
    {"UnknownWindow", [](const std::string& g) { return replaced(g, "\"壁厚计算\"", "\"壁厚计算2\""); },
     "本程序没有计算窗口「壁厚计算2」"},
    {"NoForm", [](const std::string& g) { return replaced(g, "\"form\":", "\"forms\":"); }, "缺少「form」"},
    {"InputsAsList", [](const std::string& g) { return replaced(g, "\"inputs\": {", "\"inputs\": [], \"old\": {"); },
     "「inputs」应为对象"},
    {"InputAsNumber", [](const std::string& g) { return replaced(g, "\"Text5\": \"", "\"Text5\": 1, \"x\": \""); },
     "「inputs.Text5」应为文本"},
    {"UnknownControl", [](const std::string& g) { return replaced(g, "\"Text5\":", "\"Text99\":"); },
     "中没有控件 Text99"},
    {"ResultAsInput", [](const std::string& g) { return replaced(g, "\"inputs\": {", "\"inputs\": {\"Command1\": \"1\","); },
     "「inputs.Command1」不是可输入的文本框"},
    {"StepsAsText", [](const std::string& g) { return replaced(g, "\"steps\": [", "\"steps\": \"Command1\", \"x\": ["); },
     "「steps」应为文本的列表"},
    {"StepNotARunButton", [](const std::string& g) { return replaced(g, "\"steps\": [", "\"steps\": [\"Text5\","); },
     "Text5 不是计算按钮"},
    {"ResultAsNumber", [](const std::string& g) { return replaced(g, "\"results\": {", "\"results\": {\"Text6\": 9.8}, \"old\": {"); },
     "「results.Text6」应为文本"},
    {"NotUtf8", [](const std::string& g) { return replaced(g, "\"壁厚计算\"", "\"\xb1\xda\xba\xf1\""); }, "不是 UTF-8 文本"},
    {"Utf16", [](const std::string&) { return std::string("\xff\xfe{\0\"\0", 6); }, ""},
};

class DamagedCase : public testing::TestWithParam<Damage> {};

TEST_P(DamagedCase, IsRefusedNamingTheFileAndTheFault) { expectRefusedNamingTheFile(GetParam()); }

INSTANTIATE_TEST_SUITE_P(Faults, DamagedCase, testing::ValuesIn(kDamages), damageName);

TEST(CaseFile, TruncatedAnywhereIsRefusedAsIncomplete) {
    const std::string good = wallThicknessCase();
    for (std::size_t length = 1; length < good.size() - 2; length += 97) {
        try {
            parseCase(good.substr(0, length), "cut.pylora");
            ADD_FAILURE() << "cut at " << length << " read as a case";
        } catch (const CaseFileError& e) {
            EXPECT_NE(std::string(e.what()).find("cut.pylora："), std::string::npos);
        }
    }
}

class CaseFileOnDisk : public testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() / ("pylora-case-test-" + std::to_string(::getpid()));
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }
    fs::path folder_;
};

TEST_F(CaseFileOnDisk, SaveReplacesTheFileWholeAndLeavesNothingElse) {
    const fs::path path = folder_ / "壁厚.pylora";
    std::ofstream(path) << "an older case";
    const CaseFile file = parseCase(wallThicknessCase(), "x");
    saveCase(file, path);
    EXPECT_EQ(caseText(loadCase(path)), caseText(file));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()), 1) << "no temporary left";
}

TEST_F(CaseFileOnDisk, AFailedSaveSaysWhereAndLeavesTheEarlierFile) {
    const CaseFile file = parseCase(wallThicknessCase(), "x");
    EXPECT_THROW(saveCase(file, folder_ / "no-such-folder" / "a.pylora"), CaseFileError);
    const fs::path blocked = folder_ / "a.pylora";
    fs::create_directory(blocked);  // a folder of that name: the rename cannot replace it
    try {
        saveCase(file, blocked);
        FAIL();
    } catch (const CaseFileError& e) {
        EXPECT_NE(std::string(e.what()).find("无法写入"), std::string::npos) << e.what();
    }
    EXPECT_TRUE(fs::is_directory(blocked));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()), 1) << "no temporary left";
}

TEST_F(CaseFileOnDisk, OpeningWhatIsNoCaseSaysSo) {
    EXPECT_THROW(loadCase(folder_ / "missing.pylora"), CaseFileError);
    EXPECT_THROW(loadCase(folder_), CaseFileError);
}

// The desktop program saves through saveCase too: on a full disk the earlier case stays whole
// and the message names the file and the reason.
TEST(CaseFileOnFullDisk, TheEarlierCaseIsKeptAndTheReasonNamed) {
    CalcForm window(*findWindow("定向钻穿越"), testServicesWithGroundFile());
    pressEveryStep(window);
    const CaseFile file = captureCase(window);
    ASSERT_GT(caseText(file).size(), 1024u) << "the case must not fit where the disk is full";
    const bool kept = testing_support::onFullDisk(
        [](const fs::path& folder) { std::ofstream(folder / "c.pylora") << "earlier case"; },
        [&file](const fs::path& folder) {
            std::string message;
            try {
                saveCase(file, folder / "c.pylora");
            } catch (const CaseFileError& e) {
                message = e.what();
            }
            std::ifstream old(folder / "c.pylora");
            std::string contents;
            std::getline(old, contents, '\0');
            const std::string named = "计算文件 " + (folder / "c.pylora").string() + "：无法写入（";
            return contents == "earlier case" && message.starts_with(named) && message.ends_with("）") &&
                   message.size() > named.size() + std::strlen("）");
        });
    EXPECT_TRUE(kept);
}

}  // namespace
}  // namespace pylora
