// The calculation report of the open-cut profile with its sketch: building the report from the
// computed window, and writing it as HTML with the sketch inline (aim: well under 10 ms). The
// whole PDF, a process of its own, is timed with /usr/bin/time (see the README).
#include "documents/report.h"
#include "window_bench.h"

namespace pylora::bench {
namespace {

CalcForm computedProfile() {
    CalcForm window(*findWindow("穿越断面"), benchServices());
    window.press(window.definition().defaultRunButton());
    return window;
}

void BM_ReportOfOpenCutProfile(benchmark::State& state) {
    const CalcForm window = computedProfile();
    for (auto _ : state) benchmark::DoNotOptimize(buildReport(window));
}
BENCHMARK(BM_ReportOfOpenCutProfile);

void BM_ReportHtmlOfOpenCutProfile(benchmark::State& state) {
    const CalcForm window = computedProfile();
    const ProjectInfo project{"西部管道二期工程", "XB-2026-015", "施工图设计", "李工", "王工", "赵工", "2026年12月10日"};
    for (auto _ : state) benchmark::DoNotOptimize(reportHtml(buildReport(window), project));
}
BENCHMARK(BM_ReportHtmlOfOpenCutProfile)->Unit(benchmark::kMillisecond);

// The wall-thickness window, whose formulas are trees: each one drawn twice (symbols, values).
void BM_ReportHtmlOfWallThickness(benchmark::State& state) {
    CalcForm window(*findWindow("壁厚计算"), benchServices());
    window.press(window.definition().defaultRunButton());
    for (auto _ : state) benchmark::DoNotOptimize(reportHtml(buildReport(window), {}));
}
BENCHMARK(BM_ReportHtmlOfWallThickness)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace pylora::bench
