#include "model/comparisons.h"

#include <map>

namespace pylora {
namespace {

std::map<std::string, std::vector<Comparison>>& declared() {
    static std::map<std::string, std::vector<Comparison>> checks;
    return checks;
}

}  // namespace

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
