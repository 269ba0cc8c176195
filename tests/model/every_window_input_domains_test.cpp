// Every window states the domain of every number the engineer types, its defaults lie inside
// it, and a hostile value typed into any one input (−1, 0, 1e−9, 1e12) either ends the run with
// a failure that names a field, or gives results a pipeline engineer can stand behind: no NaN
// or inf, no negative thickness, length, weight, volume, count or cost (a result that may be
// negative, an elevation or an elongation, says so by its stated domain), and an outlet
// pressure no higher than the inlet's, a verdict's sign that agrees with the numbers it compares.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>

#include "model/calc_form.h"
#include "model/field_role.h"
#include "model/number_reading.h"
#include "model/text.h"
#include "model/window_registry.h"
#include "test_services.h"

namespace pylora {
namespace {

class EveryWindowInput : public testing::TestWithParam<const FormDefinition*> {};

std::string windowName(const testing::TestParamInfo<const FormDefinition*>& info) {
    return "window" + std::to_string(info.index);
}

// A number the engineer types: a field that is an input, or may be one (a solve-for quantity).
bool isTypedNumber(const FormDefinition& def, const ControlDef& c) {
    if (c.kind != ControlKind::TextField || c.readOnly) return false;
    return def.roleOf(c) == FieldRole::Input || !c.meaning.solvedWhen.empty();
}

std::vector<const ControlDef*> typedNumbers(const FormDefinition& def) {
    std::vector<const ControlDef*> inputs;
    for (const ControlDef& c : def.controls())
        if (isTypedNumber(def, c)) inputs.push_back(&c);
    return inputs;
}

TEST_P(EveryWindowInput, StatesTheDomainOfEveryTypedNumber) {
    const FormDefinition& def = *GetParam();
    SCOPED_TRACE(def.formName());
    for (const ControlDef* c : typedNumbers(def)) {
        EXPECT_TRUE(c->meaning.domain.stated) << c->name << " (" << c->meaning.name << "): no domain";
        const auto value = parseLeadingNumber(c->text);
        if (!value || trimmed(c->text, kSpacesAndTabs).empty()) continue;
        EXPECT_TRUE(holds(c->meaning.domain, *value))
            << c->name << " (" << c->meaning.name << "): the default \"" << c->text << "\" is outside its domain";
    }
}

// Results that cannot be negative, known by their unit: thicknesses, lengths, weights, volumes,
// areas, counts, costs.
const std::set<std::string> kMagnitudeUnits = {"mm", "cm", "m", "km", "kg", "t", "元", "万元", "个", "只", "m³",
                                               "万m³", "m²", "千匹"};

bool mayBeNegative(const Meaning& meaning) {
    return meaning.domain.stated && (!meaning.domain.lowest || *meaning.domain.lowest < 0);
}

std::optional<double> shownValue(const Form& form, const std::string& control) {
    const std::string_view text = trimmed(form.text(control), kSpacesAndTabs);
    if (text == "." || text == "-.") return 0.0;
    return parseStrictNumber(text);
}

std::optional<double> valueOfSymbol(const Form& form, const std::string& symbol) {
    for (const ControlDef& c : form.definition().controls())
        if (c.kind == ControlKind::TextField && c.meaning.symbol == symbol) return shownValue(form, c.name);
    return std::nullopt;
}

// The field at a place of a frame's grid, if any.
const ControlDef* fieldAt(const FormDefinition& def, const std::string& frame, int row, int column) {
    for (const ControlDef& c : def.controls())
        if (c.kind == ControlKind::TextField && c.frame == frame && c.place.row == row && c.place.column == column)
            return &c;
    return nullptr;
}

// A verdict's sign ("<" or ">") stands between the value checked and its limit, and must agree
// with the numbers they show: as signed values (a critical stress against the load) or as
// magnitudes (a stress of either sign against its allowable).
std::optional<std::string> signAgainstItsNumbers(const Form& form, const ControlDef& sign) {
    const std::string_view text = trimmed(form.text(sign.name), kSpacesAndTabs);
    if (text != "<" && text != ">") return std::nullopt;
    const FormDefinition& def = form.definition();
    const ControlDef* left = fieldAt(def, sign.frame, sign.place.row, sign.place.column - 1);
    const ControlDef* right = fieldAt(def, sign.frame, sign.place.row, sign.place.column + 1);
    if (!left || !right) return std::nullopt;
    const auto checked = shownValue(form, left->name), limit = shownValue(form, right->name);
    if (!checked || !limit) return std::nullopt;
    const auto agrees = [&](double a, double b) { return text == "<" ? a <= b : a >= b; };
    if (agrees(*checked, *limit) || agrees(std::abs(*checked), std::abs(*limit))) return std::nullopt;
    return sign.meaning.name + " shows " + std::string(text) + " between " + form.text(left->name) + " and " +
           form.text(right->name);
}

// What a completed run shows, held to the physics; returns what is wrong, empty when nothing.
std::vector<std::string> nonsenseShown(const Form& form) {
    const FormDefinition& def = form.definition();
    std::vector<std::string> problems;
    for (const std::string& name : form.written()) {
        std::string text = form.text(name);
        std::transform(text.begin(), text.end(), text.begin(), [](unsigned char ch) { return std::tolower(ch); });
        if (text.find("nan") != std::string::npos || text.find("inf") != std::string::npos)
            problems.push_back(name + " shows \"" + form.text(name) + "\"");
        const ControlDef* c = def.findControl(name);
        if (!c || c->kind != ControlKind::TextField) continue;
        if (def.roleOf(*c) == FieldRole::Verdict)
            if (auto disagreement = signAgainstItsNumbers(form, *c)) problems.push_back(*disagreement);
        if (roleIn(form, *c) != FieldRole::Result) continue;
        if (!kMagnitudeUnits.count(c->meaning.unit) || mayBeNegative(c->meaning)) continue;
        if (const auto value = shownValue(form, name); value && *value < 0)
            problems.push_back(name + " (" + c->meaning.name + ") is negative: " + form.text(name));
    }
    const auto inlet = valueOfSymbol(form, "P_1"), outlet = valueOfSymbol(form, "P_2");
    if (inlet && outlet && *outlet > *inlet)
        problems.push_back("the outlet pressure " + std::to_string(*outlet) + " is above the inlet's " +
                           std::to_string(*inlet));
    return problems;
}

const char* const kHostileValues[] = {"-1", "0", "1e-9", "1e12"};

// The window as the engineer fills it before a run: a list with nothing chosen gets its first
// item, so that the run goes on to the numbers.
void chooseEveryList(Form& form) {
    for (const ControlState& c : form.controls())
        if (c.kind == ControlKind::ListBox && c.selectedIndex < 0 && !c.items.empty()) form.setSelectedIndex(c.name, 0);
}

TEST_P(EveryWindowInput, AHostileInputIsRefusedOrGivesSoundResults) {
    const FormDefinition& def = *GetParam();
    for (const ControlDef* input : typedNumbers(def)) {
        for (const char* value : kHostileValues) {
            SCOPED_TRACE(def.formName() + ": " + input->name + " (" + input->meaning.name + ") = " + value);
            CalcForm window(def, testServices());
            chooseEveryList(window.form());
            window.form().type(input->name, value);
            for (const ControlDef& button : def.controls()) {
                if (button.kind != ControlKind::Button || button.action != ButtonAction::Run) continue;
                const std::optional<RunFailure> failure = window.press(button.name);
                if (failure) {
                    EXPECT_FALSE(failure->control().empty()) << failureMessage(*failure, def);
                    if (failure->kind() == FailureKind::InputOutsideDomain) {
                        EXPECT_EQ(failure->control(), input->name) << "the defaults lie inside their domains";
                        EXPECT_FALSE(holds(input->meaning.domain, *parseStrictNumber(value)));
                    }
                    break;
                }
                for (const std::string& problem : nonsenseShown(window.form())) ADD_FAILURE() << problem;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Windows, EveryWindowInput, testing::ValuesIn(allWindows()), windowName);

}  // namespace
}  // namespace pylora
