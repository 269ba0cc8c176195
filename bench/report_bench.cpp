// The calculation report of the largest window, the open-cut profile with its sketch: building
// the report from the computed window, and writing it as HTML with the sketch inline.
#include "core/report.h"
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
    const ProjectInfo project{"西部管道二期工程", "XB-2026-015", "李工", "王工", "赵工", "2026年12月10日"};
    for (auto _ : state) benchmark::DoNotOptimize(reportHtml(buildReport(window), project));
}
BENCHMARK(BM_ReportHtmlOfOpenCutProfile);

}  // namespace
}  // namespace pylora::bench
