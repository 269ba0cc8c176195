#include "profiles/profile_parts.h"

namespace pylora {
namespace {

constexpr ProfilePart kParts[] = {ProfilePart::EntryStraight, ProfilePart::Arc, ProfilePart::ExitStraight};

// The condition a formula holds under: a quantity the run notes as 1 for the part it used.
std::string partKey(const std::string& elevationField, ProfilePart part) {
    const char* names[] = {"入土段直线", "弹性敷设段", "出土段直线"};
    return elevationField + "@" + names[static_cast<int>(part)];
}

std::string rowOf(const Form& form, const std::string& field) {
    const ControlDef* control = form.definition().findControl(field);
    return control && !control->description.empty() ? control->description : field;
}

}  // namespace

ProfilePart partAt(const Num& station, const Num& arcStart, const Num& arcEnd) {
    if (station <= arcStart) return ProfilePart::EntryStraight;
    if (station >= arcEnd) return ProfilePart::ExitStraight;
    return ProfilePart::Arc;
}

void requireChainageOrder(const Form& form, const std::vector<std::string>& stations) {
    for (std::size_t k = 1; k < stations.size(); ++k) {
        const auto [before, here] = FieldValues(form, stations[k - 1], stations[k]);
        if (here >= before) continue;
        // One wrong station is the one out of line: the earlier when it lies beyond the station
        // after this one as well, else this one.
        const bool earlierTooFar =
            k + 1 < stations.size() && before > FieldValue(form, stations[k + 1]) && here <= FieldValue(form, stations[k + 1]);
        const std::string& blamed = earlierTooFar ? stations[k - 1] : stations[k];
        const std::string relation = earlierTooFar ? "」大于「" + rowOf(form, stations[k])
                                                   : "」小于「" + rowOf(form, stations[k - 1]);
        throw RunFailure(FailureKind::OutsideDomain, blamed,
                         "「" + rowOf(form, blamed) + relation + "」：桩点应按里程从小到大排列");
    }
}

void notePart(Form& form, const std::string& elevationField, ProfilePart part) {
    for (ProfilePart each : kParts) form.noteQuantity(partKey(elevationField, each), each == part ? 1 : 0);
}

std::vector<formula::Formula> partFormulas(const std::string& elevationField, const formula::Expr& entry,
                                           const formula::Expr& arc, const formula::Expr& exit) {
    const formula::Expr expressions[] = {entry, arc, exit};
    std::vector<formula::Formula> lines;
    for (ProfilePart part : kParts)
        lines.push_back(formula::when(partKey(elevationField, part),
                                      {elevationField, expressions[static_cast<int>(part)]}));
    return lines;
}

}  // namespace pylora
