// 输气流量公式: one run of the window with its comparison table (every equation solved for the
// unknown from the same inputs), from the default texts and with the diameter as the unknown,
// the slowest case (a root search per equation).
#include "window_bench.h"

namespace pylora::bench {
namespace {

void gasFlowDefaults(benchmark::State& state) { runDefaults(state, "输气流量公式"); }
BENCHMARK(gasFlowDefaults)->Unit(benchmark::kMicrosecond);

void gasFlowDiameter(benchmark::State& state) {
    const FormDefinition* definition = findWindow("输气流量公式");
    if (!definition) {
        state.SkipWithError("window not registered");
        return;
    }
    CalcForm window(*definition, benchServices());
    window.form().select("Solve(4)");
    for (auto _ : state) {
        auto failure = window.press(definition->defaultRunButton());
        if (failure) state.SkipWithError(failure->what());
        benchmark::DoNotOptimize(failure);
    }
}
BENCHMARK(gasFlowDiameter)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace pylora::bench
