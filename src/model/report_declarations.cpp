#include "model/report_declarations.h"

#include <map>

namespace pylora {
namespace {

std::map<std::string, std::vector<Comparison>>& declared() {
    static std::map<std::string, std::vector<Comparison>> checks;
    return checks;
}

std::map<std::pair<std::string, std::string>, std::vector<std::string>>& totals() {
    static std::map<std::pair<std::string, std::string>, std::vector<std::string>> columns;
    return columns;
}

}  // namespace

TotalsRegistration::TotalsRegistration(const char* formName, std::string tableCaption,
                                       std::vector<std::string> columnSymbols) {
    totals()[{formName, std::move(tableCaption)}] = std::move(columnSymbols);
}

std::vector<std::string> summedColumns(const std::string& formName, const std::string& tableCaption) {
    const auto found = totals().find({formName, tableCaption});
    return found == totals().end() ? std::vector<std::string>{} : found->second;
}

ComparisonRegistration::ComparisonRegistration(const char* formName, std::vector<Comparison> checks) {
    auto& mine = declared()[formName];
    mine.insert(mine.end(), checks.begin(), checks.end());
}

const std::vector<Comparison>& comparisonsOf(const std::string& formName) {
    static const std::vector<Comparison> none;
    const auto found = declared().find(formName);
    return found == declared().end() ? none : found->second;
}

}  // namespace pylora
