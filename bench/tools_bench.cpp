#include <utility>

#include "window_bench.h"

using pylora::bench::createWindow;
using pylora::bench::runDefaults;

namespace {

// A sum keyed in full from a cleared calculator: 12.5 + 3 * 2 = (nine key presses).
void calculatorKeySequence(benchmark::State& state) {
    pylora::CalcForm window(*pylora::findWindow("计算器"), pylora::bench::benchServices());
    const char* keys[] = {"Command1(16)", "Command1(1)", "Command1(2)", "Command1(10)", "Command1(5)",
                          "Command1(12)", "Command1(3)", "Command1(14)", "Command1(2)", "Command1(11)"};
    for (auto _ : state)
        for (const char* key : keys) benchmark::DoNotOptimize(window.press(key));
}

// Every row to the right from the defaults, then every row back to the left.
void unitConversionThereAndBack(benchmark::State& state) {
    pylora::CalcForm window(*pylora::findWindow("单位转换"), pylora::bench::benchServices());
    for (auto _ : state) {
        auto failure = window.press("Command1");
        if (!failure) failure = window.press("Command2");
        if (failure) state.SkipWithError(failure->what());
        benchmark::DoNotOptimize(failure);
    }
}

// The default run of 坐标转换 ends where its circles for D do not meet; it is measured as it is.
void coordinateDefaults(benchmark::State& state) {
    pylora::CalcForm window(*pylora::findWindow("坐标转换"), pylora::bench::benchServices());
    for (auto _ : state) benchmark::DoNotOptimize(window.press("Command1"));
}

// All three points from the default A and B, with distances for D that fit AB.
void coordinateAllPoints(benchmark::State& state) {
    pylora::CalcForm window(*pylora::findWindow("坐标转换"), pylora::bench::benchServices());
    pylora::Form& form = window.form();
    for (auto [field, text] : {std::pair{"Text3", "500"}, {"Text4", "600"}, {"Text7", "501.5"}, {"Text8", "599"},
                               {"Text9", "10002"}, {"Text10", "10003"}, {"Text17", "1"}, {"Text18", "1"}})
        form.type(field, text);
    form.setChecked("Check1", true);
    for (auto _ : state) {
        auto failure = window.press("Command1");
        if (failure) state.SkipWithError(failure->what());
        benchmark::DoNotOptimize(failure);
    }
}

}  // namespace

BENCHMARK_CAPTURE(runDefaults, calculator, "计算器");
BENCHMARK_CAPTURE(createWindow, calculator, "计算器");
BENCHMARK(calculatorKeySequence);
BENCHMARK_CAPTURE(runDefaults, unit_conversion, "单位转换");
BENCHMARK(unitConversionThereAndBack);
BENCHMARK(coordinateDefaults);
BENCHMARK(coordinateAllPoints);
