#pragma once
// The runs of a window whose 计算书 the every-window report tests read: its defaults, every
// typed input raised by a tenth, and cases engineers met that the defaults do not reach (a thin
// pipe under a heavy load, a solve-for-one window solving for another unknown, a crest bend).
#include <memory>
#include <string>
#include <vector>

#include "model/calc_form.h"
#include "model/window_registry.h"
#include "model/window_settings.h"
#include "test_services.h"
#include "window_runs.h"

namespace pylora {

struct ReportRun {
    std::string what;
    std::unique_ptr<CalcForm> window;
};

// A setting: "Text8=0.004" types into a field, "Solve(3)" selects an option, "Equation=威莫斯"
// chooses a list item.
struct NamedCase {
    std::string formName;
    std::vector<std::string> settings;
};

inline const std::vector<NamedCase>& namedCases() {
    static const std::vector<NamedCase> cases = [] {
        std::vector<NamedCase> all = {
            {"公路穿越强度校核", {"Text8=0.004", "Text1=300"}},
            {"输气流量公式", {"Solve(1)"}},
            {"输气流量公式", {"Solve(3)", "H2=120"}},
            {"输气流量公式", {"Solve(4)", "Fd=0.01"}},
            // The second point above the first: a crest bend, the arc on the circle's upper half.
            {"弹性敷设参数计算", {"Text2(6)=311"}},
        };
        // Every flow equation solved for each unknown but the flow rate, on a line that climbs.
        for (const std::string& equation : findWindow("输气流量公式")->findControl("Equation")->items)
            for (const char* unknown : {"Solve(1)", "Solve(2)", "Solve(3)", "Solve(4)"})
                all.push_back({"输气流量公式", {"Equation=" + equation, unknown, "H2=120"}});
        return all;
    }();
    return cases;
}

inline std::vector<ReportRun> reportRuns(const FormDefinition& def) {
    const Services services = testServices();
    std::vector<ReportRun> runs;
    runs.push_back({"defaults", std::make_unique<CalcForm>(def, services)});
    pressEveryStep(*runs.back().window);
    runs.push_back({"inputs raised by a tenth", std::make_unique<CalcForm>(def, services)});
    typeInputsRaisedByATenth(*runs.back().window);
    pressEveryStep(*runs.back().window);
    for (const NamedCase& named : namedCases()) {
        if (def.formName() != named.formName) continue;
        auto window = std::make_unique<CalcForm>(def, services);
        std::string what;
        for (const std::string& setting : named.settings) {
            applyShortSetting(window->form(), setting);
            what += (what.empty() ? "" : " ") + setting;
        }
        pressEveryStep(*window);
        runs.push_back({what, std::move(window)});
    }
    return runs;
}

}  // namespace pylora
