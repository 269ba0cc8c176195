#pragma once
// pylora-cli: the calculator windows without a display. The command line is parsed here, so
// that the program and the worked-example tests take the same path.
#include <functional>
#include <iosfwd>
#include <map>
#include <string>
#include <vector>

#include "core/form_definition.h"
#include "core/report.h"

namespace pylora {

enum ExitStatus { kExitDone = 0, kExitUsage = 2, kExitRunFailed = 3 };

// Writes a report as a document whose pages need the desktop libraries (PDF, DOCX); returns an
// empty text when written, else why not.
using ReportWriter = std::function<std::string(const Report&, const ProjectInfo&, const std::string& path)>;

// The report formats beyond HTML and JSON: writers by file extension ("pdf", "docx"), and for
// those without a writer here the program to hand the whole command to (its exit status).
struct ReportFormats {
    std::map<std::string, ReportWriter> writers;
    std::function<int(const std::vector<std::string>& args)> delegate;
};

// The formats `report` writes, by the extension of the file it is given.
inline const char* const kReportExtensions[] = {"pdf", "docx", "html", "htm", "json"};

// args without the program name: {"run", "壁厚计算", "--set", "Text5=0.5"}.
int runHeadless(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                const Services& services, const ReportFormats& formats = {});

// Where the database folder lies for a program at `executable`: share/pylora/database beside
// its bin folder, the same in the build tree as installed.
std::filesystem::path defaultDatabaseFolder(const std::filesystem::path& executable);

}  // namespace pylora
