#pragma once
// run … --dxf FILE [--exaggeration N] --csv FILE: the profile of a profile window written after
// the run, as a DXF drawing and as a CSV table.
#include <string>
#include <vector>

#include "model/calc_form.h"

namespace CLI {
class App;
}

namespace pylora {

struct ProfileExportOptions {
    std::string dxf, csv;
    double exaggeration = 0;  // 0: the window's default

    bool requested() const { return !dxf.empty() || !csv.empty(); }
};

void addProfileExportOptions(CLI::App& run, ProfileExportOptions& options);

// Before the run: no presses given (nor by a case) become every step up to the one that draws
// the profile. Empty when the export can follow the run, else why it is refused: the window
// draws no profile, or the last press is not the step that draws it.
std::string prepareProfileExport(const ProfileExportOptions& options, const FormDefinition& definition,
                                 std::vector<std::string>& presses);

// After a run that did not fail: writes the files asked for. Empty when written; else the
// message, and whether it is a write failure (exit 4) rather than a profile the run did not
// draw (exit 2).
struct ProfileExportFault {
    std::string message;
    bool writeFailed = false;
};
std::optional<ProfileExportFault> writeProfileExports(const ProfileExportOptions& options, const CalcForm& window);

}  // namespace pylora
