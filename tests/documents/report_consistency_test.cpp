// A checker reads each quantity of a 计算书 under one symbol and at one precision, finds every
// quantity a step uses given before it, and each result row's station beside it. Every window, in the runs of report_runs.h.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>

#include "documents/report.h"
#include "documents/report_runs.h"
#include "model/report_numbers.h"
#include "model/window_registry.h"

namespace pylora {
namespace {

// A quantity printed somewhere in the report outside a table: an input, a result, a value put
// into a formula or a formula's result.
struct Printed {
    std::string symbol;
    std::string name;
    std::string unit;
    std::string value;
};

std::vector<Printed> printedQuantities(const Report& report) {
    std::vector<Printed> printed;
    for (const auto* list : {&report.inputs, &report.results})
        for (const ReportQuantity& q : *list) printed.push_back({q.symbol, q.name, q.unit, q.value});
    for (const ReportStep& step : report.steps) {
        for (const ReportTerm& term : step.terms) printed.push_back({term.symbol, term.name, term.unit, term.value});
        if (!step.result.symbol.empty())
            printed.push_back({step.result.symbol, step.result.name, step.result.unit, step.result.value});
    }
    return printed;
}

// The symbol without a station's or a row's index and without a prime: Z_{11}, Z_{1} and
// Z_{左切点} are one quantity at three stations, p and p′ a value and its conversion.
std::string symbolFamily(std::string symbol) {
    for (const std::string prime : {"′"})
        for (auto at = symbol.find(prime); at != std::string::npos; at = symbol.find(prime)) symbol.erase(at, prime.size());
    const auto index = symbol.rfind('_');
    if (index == std::string::npos) return symbol;
    std::string tail = symbol.substr(index + 1);
    if (tail.size() > 2 && tail.front() == '{' && tail.back() == '}') tail = tail.substr(1, tail.size() - 2);
    const bool digits = !tail.empty() && tail.find_first_not_of("0123456789") == std::string::npos;
    const bool rowName = !tail.empty() && static_cast<unsigned char>(tail.front()) >= 0x80;
    return digits || rowName ? symbol.substr(0, index) : symbol;
}

// A quantity restated in another unit by a step of its own (V_w = V/10000, in 万m³) keeps the
// symbol it has in that unit.
void expectOneSymbolPerQuantity(const Report& report) {
    std::map<std::string, std::string> restated;  // symbol family -> the one it restates
    for (const ReportStep& step : report.steps)
        if (step.terms.size() == 1 && step.terms[0].name == step.result.name)
            restated[symbolFamily(step.result.symbol)] = symbolFamily(step.terms[0].symbol);
    std::map<std::string, std::set<std::string>> families;  // name -> symbol families
    std::map<std::string, std::set<std::string>> symbols;
    for (const Printed& p : printedQuantities(report)) {
        if (p.name.empty() || p.symbol.empty()) continue;
        std::string family = symbolFamily(p.symbol);
        if (const auto from = restated.find(family); from != restated.end()) family = from->second;
        families[p.name].insert(family);
        symbols[p.name].insert(p.symbol);
    }
    for (const auto& [name, ofName] : families) {
        std::string all;
        for (const std::string& symbol : symbols[name]) all += " " + symbol;
        EXPECT_EQ(ofName.size(), 1u) << name << " is printed under the symbols" << all;
    }
}

// One symbol printed as two numbers that are one value at two precisions (θ_1 = 1.203 and
// θ_1 = 1.20303).
void expectOnePrecisionPerSymbol(const Report& report) {
    std::map<std::pair<std::string, std::string>, std::set<std::string>> values;
    for (const Printed& p : printedQuantities(report))
        if (!p.value.empty()) values[{p.symbol, p.unit}].insert(p.value);
    for (const auto& [quantity, texts] : values)
        for (const std::string& a : texts)
            for (const std::string& b : texts) {
                const auto x = readPrintedNumber(a), y = readPrintedNumber(b);
                if (a >= b || !x || !y || x->value == y->value) continue;
                const double coarser = std::max(x->lastDigit, y->lastDigit);
                EXPECT_GT(std::abs(x->value - y->value), 0.5 * coarser * (1 + 1e-9))
                    << quantity.first << " is printed as " << a << " and as " << b;
            }
}

// A step puts in only what the inputs give or an earlier step computed.
void expectStepsFollowWhatTheyUse(const Report& report) {
    std::set<std::string> given;
    for (const ReportQuantity& q : report.inputs) given.insert(q.symbol);
    std::map<std::string, std::size_t> firstComputed;
    for (std::size_t i = 0; i < report.steps.size(); ++i)
        if (!report.steps[i].result.symbol.empty()) firstComputed.emplace(report.steps[i].result.symbol, i);
    for (std::size_t i = 0; i < report.steps.size(); ++i)
        for (const ReportTerm& term : report.steps[i].terms) {
            const auto computed = firstComputed.find(term.symbol);
            if (given.count(term.symbol) || computed == firstComputed.end()) continue;
            EXPECT_LT(computed->second, i) << report.steps[i].formulaText << " uses " << term.symbol
                                           << ", which a later step computes: "
                                           << report.steps[computed->second].formulaText;
        }
}

// Each row of a result table names its place in the first column (桩点里程), given or computed.
void expectResultRowsPlaced(const Report& report) {
    for (const ReportTable& table : report.resultTables)
        for (std::size_t row = 0; row < table.rows.size(); ++row)
            if (table.rows[row] != "合计" && !table.cells[row].empty()) {
                EXPECT_FALSE(table.cells[row].front().empty())
                    << table.caption << ": " << table.rows[row] << " without its " << table.columns.front().name;
            }
}

class EveryWindowsReportReads : public testing::TestWithParam<const FormDefinition*> {};

TEST_P(EveryWindowsReportReads, EachQuantityUnderOneSymbolAtOnePrecisionAfterWhatItUses) {
    for (const ReportRun& run : reportRuns(*GetParam())) {
        SCOPED_TRACE(GetParam()->formName() + " " + run.what);
        const Report report = buildReport(*run.window);
        expectOneSymbolPerQuantity(report);
        expectOnePrecisionPerSymbol(report);
        expectStepsFollowWhatTheyUse(report);
        expectResultRowsPlaced(report);
    }
}

INSTANTIATE_TEST_SUITE_P(Windows, EveryWindowsReportReads, testing::ValuesIn(allWindows()),
                         [](const testing::TestParamInfo<const FormDefinition*>& info) {
                             return "window" + std::to_string(info.index);
                         });

}  // namespace
}  // namespace pylora
