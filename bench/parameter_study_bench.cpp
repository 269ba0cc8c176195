// Parameter studies of the wall thickness window: the cost of one point (restore, type, press,
// read back) on one thread, and whole studies through the worker threads.
#include <benchmark/benchmark.h>

#include "studies/parameter_study.h"
#include "window_bench.h"

namespace pylora::bench {
namespace {

StudyRequest pressureStudy(std::size_t points) {
    return {{{"Text2", rangeValues({.from = 0.1, .to = 10, .points = static_cast<int>(points)})}},
            {"Text6", "Text7", "Text10"},
            {}};
}

// Points per second on one thread: the study's overhead around each run of the window.
void studyPointOneThread(benchmark::State& state) {
    CalcForm start(*findWindow("壁厚计算"), benchServices());
    const StudyRequest request = pressureStudy(1000);
    StudyOptions options;
    options.jobs = 1;
    std::size_t delivered = 0;
    options.onPoint = [&delivered](std::size_t, const StudyPoint& point) {
        benchmark::DoNotOptimize(point.results.data());
        ++delivered;
    };
    for (auto _ : state) runStudy(start, request, options);
    state.SetItemsProcessed(static_cast<int64_t>(delivered));
}
BENCHMARK(studyPointOneThread)->Unit(benchmark::kMicrosecond);

// A whole study on `jobs` threads, rows delivered in order and dropped.
void studyOnThreads(benchmark::State& state) {
    CalcForm start(*findWindow("壁厚计算"), benchServices());
    const StudyRequest request = pressureStudy(static_cast<std::size_t>(state.range(1)));
    StudyOptions options;
    options.jobs = static_cast<int>(state.range(0));
    options.onPoint = [](std::size_t, const StudyPoint& point) { benchmark::DoNotOptimize(point.results.data()); };
    for (auto _ : state) runStudy(start, request, options);
    state.SetItemsProcessed(state.iterations() * state.range(1));
}
BENCHMARK(studyOnThreads)->Args({1, 10000})->Args({2, 10000})->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace pylora::bench
