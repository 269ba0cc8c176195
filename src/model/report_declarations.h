#pragma once
// What a window's 计算书 states beyond its fields' meanings, declared beside the window's
// registration by its form name.
//
// The checks a window shows in four fields: a value, a sign field ("<", ">"), its limit and a
// verdict field. The 计算书 writes each as one sentence with its values:
// σ_l = 41.2 kN/m² < [σ] = 144117.647 kN/m²，满足强度要求.
#include <string>
#include <vector>

namespace pylora {

struct Comparison {
    std::string value;    // keys of fields
    std::string sign;
    std::string limit;
    std::string verdict;
    bool magnitude = false;  // the window compares the value's magnitude: written |σ| = 908557.813
};

struct ComparisonRegistration {
    ComparisonRegistration(const char* formName, std::vector<Comparison> checks);
};

// The checks of the window with this form name; none when it declares none.
const std::vector<Comparison>& comparisonsOf(const std::string& formName);

// A result table whose columns add up: the 计算书 closes it with a 合计 row, the sum of the
// values as printed, so that the parts add up to the total a checker reads.
struct TotalsRegistration {
    TotalsRegistration(const char* formName, std::string tableCaption, std::vector<std::string> columnSymbols);
};

// The symbols of the columns of `tableCaption` that are summed; none when none are.
std::vector<std::string> summedColumns(const std::string& formName, const std::string& tableCaption);

}  // namespace pylora
