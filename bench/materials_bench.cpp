// The material windows from their default texts. Their lists start with nothing selected, so a
// run first chooses the items it needs; the lookups go to the database files of the build.
#include <utility>
#include <vector>

#include "window_bench.h"

namespace {

using Choices = std::vector<std::pair<const char*, const char*>>;

void runWithChoices(benchmark::State& state, const char* formName, Choices choices) {
    const pylora::FormDefinition* definition = pylora::findWindow(formName);
    if (!definition) {
        state.SkipWithError("window not registered");
        return;
    }
    pylora::CalcForm window(*definition, pylora::bench::benchServices());
    for (const auto& [list, item] : choices) window.form().choose(list, item);
    const std::string run = definition->defaultRunButton();
    for (auto _ : state) {
        auto failure = window.press(run);
        if (failure) state.SkipWithError(failure->what());
        benchmark::DoNotOptimize(failure);
    }
}

}  // namespace

using pylora::bench::createWindow;

BENCHMARK_CAPTURE(runWithChoices, anticorrosion, "防腐材料", Choices{{"List1", "φ159"}, {"List2", "（加强）"}});
BENCHMARK_CAPTURE(runWithChoices, welding_materials, "焊接材料", Choices{{"List1", "φ720"}, {"List2", "10mm"}});
BENCHMARK_CAPTURE(runWithChoices, concrete, "土建材料", Choices{{"List1", "40mm"}, {"List2", "#200"}});
BENCHMARK_CAPTURE(runWithChoices, masonry, "土建材料二", Choices{{"List1", "#25砂浆砌毛石"}});
BENCHMARK_CAPTURE(runWithChoices, casing_supports, "套管支架选型及计算", Choices{{"List1", "φ159"}});

// Creating a window opens its database tables.
BENCHMARK_CAPTURE(createWindow, anticorrosion, "防腐材料");
BENCHMARK_CAPTURE(createWindow, welding_materials, "焊接材料");
BENCHMARK_CAPTURE(createWindow, casing_supports, "套管支架选型及计算");
