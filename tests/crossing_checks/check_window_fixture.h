#pragma once
// A crossing-check window opened with its default texts, driven as the engineer drives it:
// type into fields, choose an option, press "开始计算", read what the window shows.
#include <optional>
#include <string>
#include <vector>

#include "model/calc_form.h"
#include "model/window_registry.h"
#include "model/window_settings.h"

namespace pylora::testing_support {

class CheckWindow {
public:
    explicit CheckWindow(const std::string& formName) : window_(*findWindow(formName), Services{}) {}

    // Each setting is "Text1=3" (typed into a field) or "Option1(0)" (selected), as the runner
    // reads them; then the run.
    std::optional<RunFailure> run(const std::vector<std::string>& settings = {}) {
        for (const std::string& setting : settings) applyShortSetting(window_.form(), setting);
        return window_.press("Command1");
    }

    const std::string& text(const std::string& control) const { return window_.form().text(control); }
    Colour foreground(const std::string& control) const { return window_.form().foreground(control); }
    const Form& form() const { return window_.form(); }

private:
    CalcForm window_;
};

}  // namespace pylora::testing_support
