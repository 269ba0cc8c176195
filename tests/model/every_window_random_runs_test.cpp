// Every registered window, run many times with random and hostile texts, option choices, check
// boxes, list choices and repeated presses, as a careless or hostile engineer would. Each run
// either finishes or ends with a failure that names one of the window's controls; no result
// shows "nan" or "inf" unless that text was typed in; the database files stay byte-identical.
// The generator has a fixed seed per window, so a failure repeats with the same window and run.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <random>
#include <sstream>

#include <unistd.h>

#include "model/calc_form.h"
#include "model/window_registry.h"

namespace pylora {
namespace {

namespace fs = std::filesystem;

constexpr int kRunsPerWindow = 500;

const char* const kHostileTexts[] = {
    "", " ", ".", "-", "+", "0", "-0", "0.0", "1", "-1", "3.92", "720", "0.5", "1,000", " 12 ", "12m", "m12",
    "1e308", "-1e308", "1e-308", "4.94065645841247E-324", "1.79769313486232E+308", "1E+15", "99999999999999999",
    "0.0000001", "nan", "NaN", "inf", "-inf", "Infinity", "0x1p3", "１２", "３．９２", "十二", "。", "φ159",
    "1e", "e5", "--5", "5-", "1.2.3", "'", "\"", "管径='159'", "' OR 1=1 --", "\t", "\n3", "𝟓", "9.8\r",
};

std::string randomNumberText(std::mt19937& random) {
    std::uniform_real_distribution<double> mantissa(-10, 10);
    std::uniform_int_distribution<int> exponent(-12, 12);
    std::ostringstream text;
    text.precision(std::uniform_int_distribution<int>(1, 17)(random));
    text << mantissa(random) * std::pow(10.0, exponent(random));
    return text.str();
}

std::string randomText(std::mt19937& random) {
    switch (std::uniform_int_distribution<int>(0, 3)(random)) {
        case 0: return kHostileTexts[random() % std::size(kHostileTexts)];
        case 1: {
            std::string junk;  // printable ASCII of any kind
            for (int n = random() % 12; n > 0; --n) junk += static_cast<char>(' ' + random() % 95);
            return junk;
        }
        default: return randomNumberText(random);
    }
}

std::string lowered(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

// A seed from the form name, so that one window's runs do not change when windows are added.
std::uint32_t seedOf(const std::string& formName) {
    std::uint32_t hash = 2166136261u;
    for (unsigned char c : formName) hash = (hash ^ c) * 16777619u;
    return hash;
}

std::map<fs::path, std::string> fileContents(const fs::path& folder) {
    std::map<fs::path, std::string> contents;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        std::ifstream in(entry.path(), std::ios::binary);
        contents[entry.path().filename()] = std::string(std::istreambuf_iterator<char>(in), {});
    }
    return contents;
}

class RandomRuns {
public:
    RandomRuns(const FormDefinition& definition, const Services& services)
        : definition_(definition), services_(services), random_(seedOf(definition.formName())) {}

    void runAll() {
        for (int run = 0; run < kRunsPerWindow && problems_ < 5; ++run) runOnce(run);
    }

private:
    void runOnce(int run) {
        CalcForm window(definition_, services_);
        Form& form = window.form();
        std::vector<std::string> typed;
        std::string steps;  // what was done, to tell where a problem arose
        for (int press = std::uniform_int_distribution<int>(1, 3)(random_); press > 0; --press) {
            for (int change = random_() % 6; change > 0; --change) steps += change1(form, typed) + " ";
            const std::string button = pickButton();
            if (button.empty()) return;
            steps += "press " + button + " ";
            const std::optional<RunFailure> failure = window.press(button);
            checkRun(form, failure, typed, "run " + std::to_string(run) + ": " + steps);
        }
    }

    // One change the engineer can make on the screen; returns what it was.
    std::string change1(Form& form, std::vector<std::string>& typed) {
        std::vector<const ControlState*> editable;
        for (const ControlState& c : form.controls())
            if (c.visible && c.kind != ControlKind::Label && c.kind != ControlKind::Button &&
                c.kind != ControlKind::Picture && c.kind != ControlKind::Sketch &&
                !form.definition().findControl(c.name)->readOnly)
                editable.push_back(&c);
        if (editable.empty()) return {};
        const ControlState& c = *editable[random_() % editable.size()];
        switch (c.kind) {
            case ControlKind::TextField: {
                std::string text = randomText(random_);
                typed.push_back(lowered(text));
                form.type(c.name, text);
                return c.name + "=\"" + text + "\"";
            }
            case ControlKind::OptionButton:
                form.select(c.name);
                return "select " + c.name;
            case ControlKind::CheckBox:
                form.setChecked(c.name, !c.checked);
                return "toggle " + c.name;
            case ControlKind::ListBox: {
                const int index = static_cast<int>(random_() % (c.items.size() + 1)) - 1;  // -1: nothing chosen
                form.setSelectedIndex(c.name, index);
                return "choose " + c.name + "#" + std::to_string(index);
            }
            default:
                return {};
        }
    }

    std::string pickButton() {
        std::vector<std::string> buttons;
        for (const ControlDef& c : definition_.controls())
            if (c.kind == ControlKind::Button) buttons.push_back(c.name);
        return buttons.empty() ? std::string() : buttons[random_() % buttons.size()];
    }

    void checkRun(const Form& form, const std::optional<RunFailure>& failure, const std::vector<std::string>& typed,
                  const std::string& where) {
        if (failure && (failure->control().empty() || !definition_.findControl(failure->control())))
            report(where, std::string("the failure names no control of the window: ") + failure->what());
        for (const std::string& name : form.written()) {
            const std::string shown = lowered(form.text(name));
            for (const char* word : {"nan", "inf"}) {
                if (shown.find(word) == std::string::npos) continue;
                const bool typedIn = std::any_of(typed.begin(), typed.end(), [&](const std::string& t) {
                    return t.find(word) != std::string::npos && shown.find(t) != std::string::npos;
                });
                if (!typedIn) report(where, name + " shows \"" + form.text(name) + "\"");
            }
        }
    }

    void report(const std::string& where, const std::string& problem) {
        ++problems_;
        ADD_FAILURE() << definition_.formName() << ", " << where << "\n  " << problem;
    }

    const FormDefinition& definition_;
    const Services& services_;
    std::mt19937 random_;
    int problems_ = 0;
};

TEST(EveryWindowRandomRunsTest, RunsEndSoundlyAndLeaveTheDatabaseUntouched) {
    // A folder of this run's own: two test runs on one machine must not share the copy.
    const fs::path folder =
        fs::path(testing::TempDir()) / ("pylora-random-runs-database-" + std::to_string(::getpid()));
    fs::remove_all(folder);
    fs::copy(PYLORA_DATABASE_DIR, folder);
    const auto before = fileContents(PYLORA_DATABASE_DIR);
    Services services;
    services.databaseFolder = folder;

    ASSERT_FALSE(allWindows().empty());
    for (const FormDefinition* definition : allWindows()) RandomRuns(*definition, services).runAll();

    EXPECT_TRUE(fileContents(folder) == before) << "a database file changed";
    fs::remove_all(folder);
}

}  // namespace
}  // namespace pylora
