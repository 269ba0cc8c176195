#pragma once
// pylora-cli: the calculator windows without a display. The command line is parsed here, so
// that the program and the worked-example tests take the same path.
#include <iosfwd>
#include <string>
#include <vector>

#include "core/form_definition.h"

namespace pylora {

enum ExitStatus { kExitDone = 0, kExitUsage = 2, kExitRunFailed = 3 };

// args without the program name: {"run", "壁厚计算", "--set", "Text5=0.5"}.
int runHeadless(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                const Services& services);

// Where the database folder lies for a program at `executable`: share/pylora/database beside
// its bin folder, the same in the build tree as installed.
std::filesystem::path defaultDatabaseFolder(const std::filesystem::path& executable);

}  // namespace pylora
