// Saving and opening a case file: the largest window that reads a ground survey, with its
// records in the file. Opening includes parsing, checking and computing every step again.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <unistd.h>

#include "files/case_file.h"
#include "model/window_registry.h"

namespace {

pylora::Services services() {
    pylora::Services s;
    s.databaseFolder = PYLORA_DATABASE_DIR;
    s.groundDataFile = std::filesystem::path(PYLORA_DATABASE_DIR) / "1.TXT";
    return s;
}

std::filesystem::path benchFile() {
    return std::filesystem::temp_directory_path() / ("pylora-bench-" + std::to_string(::getpid()) + ".pylora");
}

pylora::CaseFile drillingCase() {
    pylora::CalcForm window(*pylora::findWindow("定向钻穿越地面数据"), services());
    window.press("Command1");
    window.press("Command3");
    return pylora::captureCase(window);
}

void BM_SaveCase(benchmark::State& state) {
    pylora::CalcForm window(*pylora::findWindow("定向钻穿越地面数据"), services());
    window.press("Command1");
    window.press("Command3");
    for (auto _ : state) pylora::saveCase(pylora::captureCase(window), benchFile());
    std::filesystem::remove(benchFile());
}
BENCHMARK(BM_SaveCase)->Unit(benchmark::kMillisecond);

void BM_OpenCase(benchmark::State& state) {
    pylora::saveCase(drillingCase(), benchFile());
    for (auto _ : state) {
        const pylora::CaseFile file = pylora::loadCase(benchFile());
        pylora::CalcForm window(*pylora::findWindow(file.formName), services());
        const pylora::CaseGroundData ground(file);
        benchmark::DoNotOptimize(pylora::replayCase(window, file, ground));
    }
    std::filesystem::remove(benchFile());
}
BENCHMARK(BM_OpenCase)->Unit(benchmark::kMillisecond);

}  // namespace
