// What a senior checker reads in a 计算书 of the real windows: an unfinished or failed
// calculation says so on page 1 and offers no signature; a check reads as a sentence with its
// values; the window's notes and warnings are carried over; constants stand with their values.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <string>

#include "documents/book_document.h"
#include "documents/report.h"
#include "model/calc_form.h"
#include "model/report_numbers.h"
#include "model/window_registry.h"
#include "test_services.h"

namespace pylora {
namespace {

CalcForm windowNamed(const std::string& formName) {
    const FormDefinition* def = findWindow(formName);
    if (!def) throw std::logic_error("no window " + formName);
    return CalcForm(*def, testServices());
}

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

const ReportVerdict* verdictOf(const Report& report, const std::string& key) {
    for (const ReportVerdict& v : report.verdicts)
        if (v.key == key) return &v;
    return nullptr;
}

TEST(CheckerReads, AFailedRunIsStatedOnPageOneAndOffersNoSignature) {
    CalcForm window = windowNamed("壁厚计算");
    const ControlDef& first = *std::find_if(window.definition().controls().begin(), window.definition().controls().end(),
                                            [&](const ControlDef& c) {
                                                return window.definition().roleOf(c) == FieldRole::Input &&
                                                       c.kind == ControlKind::TextField;
                                            });
    window.form().type(first.name, "x");
    window.press(window.definition().defaultRunButton());
    const Report report = buildReport(window);
    ASSERT_EQ(report.state, ReportState::Failed);
    EXPECT_FALSE(signable(report));
    const std::string html = reportHtml(report, {});
    const auto banner = html.find(pageOneBanner(report));
    ASSERT_NE(banner, std::string::npos);
    EXPECT_LT(banner, html.find("一、计算依据")) << "the failure stands before the first section";
    EXPECT_FALSE(contains(html, "<th width=\"8%\">校核</th>")) << "no signature block under a failed calculation";

    CalcForm computed = windowNamed("壁厚计算");
    computed.press(computed.definition().defaultRunButton());
    const Report good = buildReport(computed);
    EXPECT_TRUE(signable(good));
    EXPECT_TRUE(contains(reportHtml(good, {}), "<th width=\"8%\">校核</th>"));
}

TEST(CheckerReads, ADrillingCrossingWithItsFirstStepOnlySaysTheSecondWasNotRun) {
    CalcForm window = windowNamed("定向钻穿越");
    window.press("Command1");
    Report report = buildReport(window);
    ASSERT_EQ(report.state, ReportState::Computed);
    ASSERT_EQ(report.stepsNotRun, std::vector<std::string>{"第二步计算"});
    EXPECT_TRUE(contains(pageOneBanner(report), "「第二步计算」未运行"));
    EXPECT_FALSE(signable(report));
    const std::vector<BookVerdictRow> summary = bookSummary({"书", {}, {{"定向钻穿越", "第1章 定向钻穿越", report}}});
    EXPECT_TRUE(std::any_of(summary.begin(), summary.end(),
                            [](const BookVerdictRow& row) { return contains(row.text, "第二步计算"); }));

    window.press("Command3");
    report = buildReport(window);
    EXPECT_TRUE(report.stepsNotRun.empty());
    EXPECT_TRUE(signable(report));
}

TEST(CheckerReads, AnAlternativeStepIsNoUnfinishedCalculation) {
    CalcForm window = windowNamed("单位转换");
    window.press(window.definition().defaultRunButton());
    EXPECT_TRUE(buildReport(window).stepsNotRun.empty());
}

TEST(CheckerReads, AStrengthCheckReadsAsASentenceWithItsValues) {
    CalcForm window = windowNamed("公路穿越强度校核");
    window.press(window.definition().defaultRunButton());
    Report report = buildReport(window);
    const ReportVerdict* tensile = verdictOf(report, "Text15");
    ASSERT_TRUE(tensile);
    // The window holds |σ_l| to [σ]: the sentence writes the magnitude, so that it reads true.
    EXPECT_TRUE(contains(tensile->text, "|σ_l| = 1179.788 kN/m²")) << tensile->text;
    EXPECT_TRUE(contains(tensile->text, " < [σ] = ")) << tensile->text;
    EXPECT_TRUE(contains(tensile->text, "kN/m²，满足强度要求")) << tensile->text;
    for (const ReportVerdict& v : report.verdicts) EXPECT_NE(v.text, "<") << "a bare sign is no verdict";
    const std::vector<BookVerdictRow> summary = bookSummary({"书", {}, {{"公路", "第1章", report}}});
    for (const BookVerdictRow& row : summary) EXPECT_NE(row.text, "<");

    // A wall too thin: the stress exceeds its limit, and the verdict says so in red.
    window.form().type("Text8", "0.004");
    window.form().type("Text1", "300");
    window.press(window.definition().defaultRunButton());
    report = buildReport(window);
    bool notMet = false;
    for (const ReportVerdict& v : report.verdicts)
        if (contains(v.text, "不满足强度要求")) {
            notMet = true;
            EXPECT_TRUE(contains(v.text, " > [σ] = ")) << v.text;
            EXPECT_FALSE(contains(v.text, "= -")) << "a negative stress printed greater than its limit: " << v.text;
            EXPECT_EQ(v.colour, Colour::red()) << v.text;
        }
    EXPECT_TRUE(notMet);
}

TEST(CheckerReads, ACasingWarningStandsInTheWarningColour) {
    CalcForm window = windowNamed("套管支架选型及计算");
    const FormDefinition& def = window.definition();
    // Each pipe with the smallest casing bore that still takes a support: a warning at some item.
    bool warned = false;
    for (int item = 0; item < 12 && !warned; ++item) {
        for (const ControlState& c : window.form().controls())
            if (c.kind == ControlKind::ListBox && !c.items.empty())
                window.form().setSelectedIndex(c.name, std::min<int>(item, static_cast<int>(c.items.size()) - 1));
        window.press(def.defaultRunButton());
        const Report report = buildReport(window);
        for (const ReportVerdict& v : report.verdicts)
            if (contains(v.text, "警告")) {
                warned = true;
                EXPECT_NE(v.colour, Colour::windowText()) << v.text;
            }
    }
    if (!warned) GTEST_SKIP() << "no item gives a warning";
}

TEST(CheckerReads, TheWindowsNotesAreCarriedIntoTheBasis) {
    const struct {
        const char* window;
        const char* part;
    } cases[] = {{"水力计算", "200米"}, {"振动计算", "悬空长度"}, {"稳定计算", "全埋敷设"}};
    for (const auto& c : cases) {
        CalcForm window = windowNamed(c.window);
        window.press(window.definition().defaultRunButton());
        const Report report = buildReport(window);
        const bool found = std::any_of(report.notes.begin(), report.notes.end(),
                                       [&](const std::string& note) { return contains(note, c.part); });
        EXPECT_TRUE(found) << c.window;
        const std::string html = reportHtml(report, {});
        EXPECT_LT(html.find("一、计算依据"), html.find(c.part)) << c.window;
        EXPECT_LT(html.find(c.part), html.find("二、")) << c.window << ": under 一、计算依据";
        EXPECT_FALSE(contains(html, "【注意】")) << c.window;
    }
}

TEST(CheckerReads, ThePipeTakeoffClosesWithATotalOfItsPrintedParts) {
    CalcForm window = windowNamed("管材提料");
    window.press(window.definition().defaultRunButton());
    const Report report = buildReport(window);
    ASSERT_EQ(report.resultTables.size(), 1u);
    const ReportTable& table = report.resultTables[0];
    ASSERT_EQ(table.rows.back(), "合计");
    for (std::size_t column = 0; column < table.columns.size(); ++column) {
        const std::string& total = table.cells.back()[column];
        if (table.columns[column].symbol == "w" || table.columns[column].symbol == "D") {
            EXPECT_EQ(total, "") << "a weight per metre or a diameter does not add up";
            continue;
        }
        double sum = 0;
        for (std::size_t row = 0; row + 1 < table.rows.size(); ++row) sum += std::stod(table.cells[row][column]);
        EXPECT_NEAR(std::stod(total), sum, 1e-6 * std::abs(sum)) << table.columns[column].symbol;
    }
}

TEST(CheckerReads, SketchCaptionsWriteTheirNumbersInEngineeringForm) {
    const struct {
        const char* caption;
        const char* printed;
    } cases[] = {{"E=.2907", "E=0.2907"},
                 {"295.402378181622", "295.402"},
                 {"(128.6, 295.04)", "(128.6, 295.04)"},
                 {"桩点2 x=88", "桩点2 x=88"},
                 {"L1=20.", "L1=20"},
                 {"1.2.3", "1.2.3"}};
    for (const auto& c : cases) EXPECT_EQ(sketchCaption(c.caption), c.printed) << c.caption;
}

// The profile sketch of a 计算书 labels the arc's lowest point as computed (the circle's bottom
// (x_c, z_c − ρ), not the nearest of the window's hundred samples) and names the deflection by
// the report's symbol.
TEST(CheckerReads, ProfileSketchLabelsStateTheComputedQuantities) {
    const struct {
        const char* form;
        const char* label;
        const char* absent;
    } cases[] = {{"定向钻穿越", ">(129.15, 295.04)<", "( 128.6, 295.04)"},
                 {"弹性敷设参数计算", ">(93.93, 306.76)<", "( 94, 306.76)"},
                 {"弹性敷设参数计算", ">θ=3° 33′ 54″<", "α="},
                 {"弹性敷设参数计算", ">E=0.2907<", ">E=.2907<"}};
    for (const auto& c : cases) {
        CalcForm window = windowNamed(c.form);
        window.press("Command1");
        window.press("Command3");
        const Report report = buildReport(window);
        ASSERT_EQ(report.sketches.size(), 1u) << c.form;
        const std::string& svg = report.sketches.front().picture.svg;
        EXPECT_TRUE(contains(svg, c.label)) << c.form << " " << c.label;
        EXPECT_FALSE(contains(svg, c.absent)) << c.form << " " << c.absent;
    }
}

const ReportTable* resultTable(const Report& report, const std::string& caption) {
    for (const ReportTable& t : report.resultTables)
        if (t.caption == caption) return &t;
    return nullptr;
}

std::size_t columnIndex(const ReportTable& table, const std::string& name) {
    for (std::size_t i = 0; i < table.columns.size(); ++i)
        if (table.columns[i].name == name) return i;
    return table.columns.size();
}

double printed(const std::string& text) { return readPrintedNumber(text).value().value; }

// Where the window has ground elevations, typed or from the survey, each computed station of
// the point table stands with its ground and the depth of the pipe under it (ground less pipe
// bottom, as the profile drawing has it); a station between two survey points takes the ground
// on the straight line between them.
TEST(CheckerReads, ProfileStationsStandWithTheirGroundAndDepth) {
    const struct {
        const char* form;
        bool groundColumns;
    } cases[] = {{"定向钻穿越", true}, {"定向钻穿越地面数据", true}, {"弹性敷设参数计算", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.form);
        CalcForm window = windowNamed(c.form);
        window.press("Command1");
        window.press("Command3");
        const Report report = buildReport(window);
        const ReportTable* table = resultTable(report, "桩点数据");
        ASSERT_NE(table, nullptr);
        const std::size_t x = columnIndex(*table, "桩点里程"), z = columnIndex(*table, "管底标高"),
                          g = columnIndex(*table, "地面标高"), h = columnIndex(*table, "埋深");
        ASSERT_LT(z, table->columns.size());
        if (!c.groundColumns) {
            EXPECT_EQ(h, table->columns.size()) << "no ground, no depth";
            continue;
        }
        ASSERT_LT(g, table->columns.size());
        ASSERT_LT(h, table->columns.size());
        for (std::size_t row = 0; row < table->rows.size(); ++row) {
            const auto& cells = table->cells[row];
            ASSERT_FALSE(cells[h].empty()) << table->rows[row];
            EXPECT_NEAR(printed(cells[h]), printed(cells[g]) - printed(cells[z]), 0.011) << table->rows[row];
        }
        EXPECT_TRUE(std::any_of(report.notes.begin(), report.notes.end(),
                                [](const std::string& n) { return contains(n, "埋深 h = 地面标高 G − 管底标高 Z"); }));
        if (report.dataFiles.empty()) continue;
        // The arc's start lies between two survey points: its ground on the line between them.
        const auto start = std::find(table->rows.begin(), table->rows.end(), "弹性敷设起点") - table->rows.begin();
        ASSERT_LT(std::size_t(start), table->rows.size());
        const double station = printed(table->cells[start][x]);
        const auto& records = report.dataFiles.front().records;
        const auto after = std::find_if(records.begin(), records.end(),
                                        [&](const auto& r) { return std::stod(r[0]) > station; });
        ASSERT_TRUE(after != records.begin() && after != records.end());
        const auto& a = *(after - 1);
        const auto& b = *after;
        const double ground = std::stod(a[1]) + (std::stod(b[1]) - std::stod(a[1])) * (station - std::stod(a[0])) /
                                                    (std::stod(b[0]) - std::stod(a[0]));
        EXPECT_NEAR(printed(table->cells[start][g]), ground, 0.006);
        EXPECT_TRUE(std::any_of(report.notes.begin(), report.notes.end(),
                                [](const std::string& n) { return contains(n, "线性内插"); }));
    }
}

// The gas-flow window compares thirteen equations: the 计算书 names each, writes each formula
// once (the chosen one as its step, a shared one by the row that has it), states the range of
// validity the window holds each to, and warns where the run used one outside it.
TEST(CheckerReads, TheGasFlowComparisonWritesEachEquationOnceWithItsRange) {
    const struct {
        const char* what;
        std::vector<std::pair<const char*, const char*>> typed;
        bool spitzglassWarned;
    } cases[] = {{"a 10 MPa transmission line", {}, true},
                 {"a low-pressure line", {{"P1", "0.105"}, {"P2", "0.104"}, {"L", "1"}, {"D", "100"}}, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CalcForm window = windowNamed("输气流量公式");
        for (const auto& [field, text] : c.typed) window.form().type(field, text);
        window.press("Command1");
        const Report report = buildReport(window);
        const ReportTable* table = resultTable(report, "各公式比较");
        ASSERT_NE(table, nullptr);
        ASSERT_EQ(table->rowFormulas.size(), table->rows.size());
        std::map<std::string, int> written;  // formula -> how many rows write it out
        std::map<std::string, const ReportRowFormula*> byRow;
        for (std::size_t i = 0; i < table->rows.size(); ++i) {
            const ReportRowFormula& row = table->rowFormulas[i];
            EXPECT_EQ(row.row, table->rows[i]);
            byRow[row.row] = &row;
            const bool drawn = !row.formula.svg.empty();
            EXPECT_EQ(int(drawn) + int(row.step > 0) + int(!row.sameAs.empty()), 1) << row.row;
            if (drawn || row.step > 0) ++written[row.formulaText];
        }
        for (const auto& [formula, times] : written) EXPECT_EQ(times, 1) << formula;
        EXPECT_GT(byRow.at("GB 50251 通用公式")->step, 0) << "the chosen equation is the step that computes it";
        EXPECT_EQ(byRow.at("AGA 部分紊流")->sameAs, "AGA 完全紊流");
        EXPECT_TRUE(contains(byRow.at("斯皮兹格拉斯（低压）")->validity, "6.9 kPa"));
        EXPECT_TRUE(contains(byRow.at("潘汉德尔A")->validity, "Re ≥ 2000"));
        EXPECT_TRUE(contains(byRow.at("等温流动通用方程")->validity, "临界压力"));
        EXPECT_EQ(byRow.at("GB 50251 通用公式")->validity, "") << "the window states no range for it";
        EXPECT_FALSE(table->rowFormulaTerms.empty());

        const std::string html = reportHtml(report, {});
        const std::string heading = kRowFormulasHeading;
        const auto first = html.find(heading);
        ASSERT_NE(first, std::string::npos);
        EXPECT_EQ(html.find(heading, first + 1), std::string::npos) << "the formulas stand once, under the table";
        const bool warned = contains(html, "color:#a04000;\"><b>「斯皮兹格拉斯（低压）」式仅适用于");
        EXPECT_EQ(warned, c.spitzglassWarned);
    }
}

// The pipe's moment of inertia I and the scoured span l stand in the serif face in the 计算书's
// tables and 式中 lines: the sans-serif face draws the two letters alike.
TEST(CheckerReads, CapitalIAndLowerCaseLStandInASerifFace) {
    CalcForm window = windowNamed("振动计算");
    window.press(window.definition().defaultRunButton());
    const std::string html = reportHtml(buildReport(window), {});
    const std::string face = std::string("<span style=\"font-family: '") + kSerifFace + "'";
    for (const char* symbol : {"I", "l"}) {
        SCOPED_TRACE(symbol);
        const std::string inSerif = "\">" + std::string(symbol) + "</span>";
        const auto cell = html.find("<td align=\"center\">" + face);
        ASSERT_NE(cell, std::string::npos) << "no symbol cell in the serif face";
        EXPECT_TRUE(contains(html, "<td align=\"center\">" + face + ", '" + kOfficeSerifFace + "', serif;" + inSerif));
        EXPECT_TRUE(contains(html, "<p class=\"term\">" + face + ", '" + kOfficeSerifFace + "', serif;" + inSerif +
                                       " — "));
    }
}

const ReportQuantity* resultNamed(const Report& report, const std::string& name) {
    for (const ReportQuantity& r : report.results)
        if (r.name == name) return &r;
    return nullptr;
}

// A quota take-off prints its costs to the 分 (a machinery cost of 5.69 元 is not "0.001 万元"),
// the three parts add up to the printed base price, and every rate names its row of the quota table.
TEST(CheckerReads, QuotaCostsShowTheirValueAndRatesNameTheirTableRow) {
    for (const char* form : {"一般砖墙", "石挡土墙", "加重块稳管"}) {
        CalcForm window = windowNamed(form);
        window.press(window.definition().defaultRunButton());
        const Report report = buildReport(window);
        const ReportQuantity* total = resultNamed(report, "基价（含人工费、材料费及机械费）");
        ASSERT_TRUE(total) << form;
        double parts = 0;
        for (const char* part : {"人工费", "材料费", "机械费"}) {
            const ReportQuantity* cost = resultNamed(report, part);
            ASSERT_TRUE(cost) << form << " " << part;
            EXPECT_GT(std::stod(cost->value), 0) << form << " " << part << " shows its value";
            parts += std::stod(cost->value);
        }
        EXPECT_NEAR(parts, std::stod(total->value), 0.5e-6) << form;
        for (const ReportStep& step : report.steps) {
            if (!step.result.symbol.starts_with("q_") && !step.result.symbol.starts_with("c_")) continue;
            EXPECT_TRUE(contains(step.source, std::string(form) + "定额表「")) << form << " " << step.result.symbol;
        }
    }
    CalcForm brick = windowNamed("一般砖墙");
    brick.press(brick.definition().defaultRunButton());
    EXPECT_EQ(resultNamed(buildReport(brick), "机械费")->value, "0.000569");
}

TEST(CheckerReads, NamedConstantsAreSubstitutedWithTheirValues) {
    CalcForm window = windowNamed("振动计算");
    window.press(window.definition().defaultRunButton());
    const Report report = buildReport(window);
    bool constantSeen = false;
    for (const ReportStep& step : report.steps) {
        for (const ReportTerm& term : step.terms) {
            if (term.symbol != "C" && term.symbol != "K_h" && term.symbol != "K_f") continue;
            constantSeen = true;
            EXPECT_FALSE(term.value.empty()) << term.symbol << " is listed with its value";
            const std::string values = step.substituted.substr(step.substituted.find(" = ") + 3);
            EXPECT_FALSE(contains(values, term.symbol + "·") || contains(values, "·" + term.symbol))
                << step.substituted;
        }
    }
    EXPECT_TRUE(constantSeen);
}

}  // namespace
}  // namespace pylora
