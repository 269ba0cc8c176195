// The DXF drawing and the CSV table of a ground-file profile with 2,000 survey points.
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "cad/profile_csv.h"
#include "cad/profile_dxf.h"
#include "window_bench.h"

namespace {

namespace fs = std::filesystem;

// The default crossing after both steps, its ground read from a survey of 2,000 points.
struct SurveyedCrossing {
    fs::path file = fs::temp_directory_path() / ("pylora_bench_survey_" + std::to_string(getpid()) + ".TXT");
    std::optional<pylora::CalcForm> window;

    explicit SurveyedCrossing(benchmark::State& state) {
        {
            std::ofstream out(file);
            for (int k = 0; k < 2000; ++k) out << 260.0 * k / 1999 << ',' << 305 + (k % 13) * 0.4 << "\r\n";
        }
        pylora::Services services = pylora::bench::benchServices();
        services.groundDataFile = file;
        window.emplace(*pylora::findWindow("定向钻穿越地面数据"), services);
        for (const char* step : {"Command1", "Command3"})
            if (auto failure = window->press(step)) state.SkipWithError(failure->what());
    }
    ~SurveyedCrossing() { fs::remove(file); }
};

// From the calculation shown to the file's bytes: the profile model and the drawing.
void dxfOf2000SurveyPoints(benchmark::State& state) {
    SurveyedCrossing crossing(state);
    for (auto _ : state) {
        const auto drawing = pylora::profileDrawing(*crossing.window);
        if (!drawing) state.SkipWithError("no drawing");
        std::string bytes = pylora::profileDxf(*drawing, drawing->defaultExaggeration);
        benchmark::DoNotOptimize(bytes);
    }
}

void csvOf2000SurveyPoints(benchmark::State& state) {
    SurveyedCrossing crossing(state);
    for (auto _ : state) {
        const auto drawing = pylora::profileDrawing(*crossing.window);
        if (!drawing) state.SkipWithError("no drawing");
        std::string bytes = pylora::profileCsv(*drawing);
        benchmark::DoNotOptimize(bytes);
    }
}

}  // namespace

BENCHMARK(dxfOf2000SurveyPoints)->Unit(benchmark::kMillisecond);
BENCHMARK(csvOf2000SurveyPoints)->Unit(benchmark::kMicrosecond);
