#include "cli/profile_export_options.h"

#include <CLI/CLI.hpp>

#include "cli/help_text.h"
#include "files/atomic_file.h"
#include "cad/profile_csv.h"
#include "cad/profile_dxf.h"

namespace pylora {

void addProfileExportOptions(CLI::App& run, ProfileExportOptions& options) {
    CLI::Option* dxf = run.add_option("--dxf", options.dxf, help::kDxf)->type_name("FILE");
    run.add_option("--csv", options.csv, help::kCsv)->type_name("FILE");
    run.add_option("--exaggeration", options.exaggeration, help::kExaggeration)
        ->type_name("N")
        ->check(CLI::Range(1e-3, kMaxExaggeration))
        ->needs(dxf);
}

namespace {

// The run buttons up to the one that draws the profile, in the window's order.
std::vector<std::string> stepsToProfile(const FormDefinition& definition) {
    std::vector<std::string> steps;
    for (const ControlDef& control : definition.controls()) {
        if (control.kind != ControlKind::Button || !definition.handler(control.name)) continue;
        steps.push_back(control.name);
        if (control.name == definition.profileStep()) break;
    }
    return steps;
}

}  // namespace

std::string prepareProfileExport(const ProfileExportOptions& options, const FormDefinition& definition,
                                 std::vector<std::string>& presses) {
    if (!options.requested()) return {};
    const std::string option = options.dxf.empty() ? "--csv" : "--dxf";
    if (!definition.hasProfile()) return option + ": " + definition.formName() + " draws no longitudinal profile";
    if (presses.empty()) presses = stepsToProfile(definition);
    if (presses.empty() || presses.back() != definition.profileStep())
        return option + ": the profile is drawn by " + definition.profileStep() + " (" +
               controlCaption(definition, definition.profileStep()) + "); press it last";
    return {};
}

namespace {

std::optional<ProfileExportFault> write(const std::string& path, const std::string& bytes) {
    if (const auto failure = writeFileAtomically(path, bytes))
        return ProfileExportFault{"cannot write " + path + ": " + failure->reason(), true};
    return std::nullopt;
}

}  // namespace

std::optional<ProfileExportFault> writeProfileExports(const ProfileExportOptions& options, const CalcForm& window) {
    if (!options.requested()) return std::nullopt;
    const std::optional<ProfileDrawing> drawing = profileDrawing(window);
    if (!drawing) return ProfileExportFault{window.definition().formName() + ": " + noProfileReason(window)};
    if (!options.dxf.empty()) {
        const double e = options.exaggeration > 0 ? options.exaggeration : drawing->defaultExaggeration;
        if (auto fault = write(options.dxf, profileDxf(*drawing, e))) return fault;
    }
    if (!options.csv.empty())
        if (auto fault = write(options.csv, profileCsv(*drawing))) return fault;
    return std::nullopt;
}

}  // namespace pylora
