#pragma once
// pylora-cli book: a project book (.pylora-project), or a book bound from loose case files, as
// one PDF or DOCX 计算书.
#include <CLI/CLI.hpp>
#include <iosfwd>
#include <string>
#include <vector>

#include "cli/headless_runner.h"

namespace pylora {

class BookCommand {
public:
    explicit BookCommand(CLI::App& app);
    bool chosen() const { return command_->parsed(); }
    // args: the whole command line, handed on as it is where the format's writer is elsewhere.
    int run(const std::vector<std::string>& args, const Services& services, const ReportFormats& formats,
            std::ostream& err) const;

private:
    CLI::App* command_;
    std::string projectFile_;
    std::vector<std::string> cases_;
    std::string title_;
    ProjectInfo project_;
    std::vector<std::pair<const char*, std::string*>> projectOptions_;  // each option with its field
    std::string output_;
    std::string format_;
};

}  // namespace pylora
