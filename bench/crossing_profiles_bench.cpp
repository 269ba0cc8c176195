#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "window_bench.h"

using pylora::bench::runDefaults;

BENCHMARK_CAPTURE(runDefaults, elastic_laying_first_step, "弹性敷设参数计算", "Command1");
BENCHMARK_CAPTURE(runDefaults, drilling_typed_ground_first_step, "定向钻穿越", "Command1");
BENCHMARK_CAPTURE(runDefaults, drilling_survey_ground_first_step, "定向钻穿越地面数据", "Command1");
BENCHMARK_CAPTURE(runDefaults, open_cut_profile, "穿越断面");

namespace {

// The second step, pressed again and again after one first step, as the engineer redraws.
void runSecondStep(benchmark::State& state, const char* formName, const pylora::Services& services) {
    pylora::CalcForm window(*pylora::findWindow(formName), services);
    if (auto failure = window.press("Command1")) state.SkipWithError(failure->what());
    for (auto _ : state) {
        auto failure = window.press("Command3");
        if (failure) state.SkipWithError(failure->what());
        benchmark::DoNotOptimize(failure);
    }
}

void secondStepFromDefaults(benchmark::State& state, const char* formName) {
    pylora::Services services = pylora::bench::benchServices();
    services.groundDataFile = services.databaseFolder / "1.TXT";
    runSecondStep(state, formName, services);
}

// A survey of 300 points over the default crossing, read afresh at each run.
void surveyOf300Records(benchmark::State& state) {
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() / ("pylora_bench_ground_" + std::to_string(getpid()) + ".TXT");
    {
        std::ofstream out(file);
        for (int k = 0; k < 300; ++k) out << 260.0 * k / 299 << ',' << 305 + (k % 7) * 0.8 << "\r\n";
    }
    pylora::Services services = pylora::bench::benchServices();
    services.groundDataFile = file;
    runSecondStep(state, "定向钻穿越地面数据", services);
    std::filesystem::remove(file);
}

}  // namespace

BENCHMARK_CAPTURE(secondStepFromDefaults, elastic_laying_second_step, "弹性敷设参数计算");
BENCHMARK_CAPTURE(secondStepFromDefaults, drilling_typed_ground_second_step, "定向钻穿越");
BENCHMARK_CAPTURE(secondStepFromDefaults, drilling_sample_ground_second_step, "定向钻穿越地面数据");
BENCHMARK(surveyOf300Records)->Unit(benchmark::kMicrosecond);
