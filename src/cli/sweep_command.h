#pragma once
// pylora-cli sweep: a parameter study of one window, written as a CSV table row by row.
#include <CLI/CLI.hpp>

#include <functional>
#include <iosfwd>
#include <map>
#include <string>

#include "model/form.h"

namespace pylora {

// Applies one setting of the command line (--set, --select, --check, --choose) to a window, as
// run does; a bad one ends the command as bad usage.
using SettingApplier = std::function<void(Form&, const std::string& option, const std::string& value)>;

class SweepCommand {
public:
    explicit SweepCommand(CLI::App& app);  // adds the command and its options

    bool chosen() const { return command_->parsed(); }
    // Runs the study and writes its table; throws CommandFault for bad usage or a failed write.
    // Notes (fewer threads than asked for) go to `err`.
    int run(Services services, std::ostream& out, std::ostream& err, const SettingApplier& apply) const;

private:
    CLI::App* command_;
    std::string form_;
    std::string output_;
    std::string groundFile_;
    int jobs_ = 0;
    std::map<std::string, CLI::Option*> ordered_;  // settings, presses and varied inputs, in order given
    CLI::Option* results_ = nullptr;
};

}  // namespace pylora
