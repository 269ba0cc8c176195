#pragma once
// Benchmarks of calculator windows through their forms, as the program and the runner use them.
#include <benchmark/benchmark.h>

#include "model/calc_form.h"
#include "model/window_registry.h"

namespace pylora::bench {

// Services for benchmarks: the database folder of the build tree.
inline Services benchServices() {
    Services services;
    services.databaseFolder = PYLORA_DATABASE_DIR;
    return services;
}

// One press of the window's run button (or `button`) from the default texts.
inline void runDefaults(benchmark::State& state, const char* formName, const char* button = nullptr) {
    const FormDefinition* definition = findWindow(formName);
    if (!definition) {
        state.SkipWithError("window not registered");
        return;
    }
    CalcForm window(*definition, benchServices());
    const std::string pressed = button ? button : definition->defaultRunButton();
    for (auto _ : state) {
        auto failure = window.press(pressed);
        if (failure) state.SkipWithError(failure->what());
        benchmark::DoNotOptimize(failure);
    }
}

// Creating a window with its default texts, as its first menu choice does.
inline void createWindow(benchmark::State& state, const char* formName) {
    const FormDefinition* definition = findWindow(formName);
    if (!definition) {
        state.SkipWithError("window not registered");
        return;
    }
    for (auto _ : state) {
        CalcForm window(*definition, benchServices());
        benchmark::DoNotOptimize(window.form().controls().data());
    }
}

}  // namespace pylora::bench
