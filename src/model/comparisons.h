#pragma once
// The checks a window shows in four fields: a value, a sign field ("<", ">"), its limit and a
// verdict field. The 计算书 writes each as one sentence with its values:
// σ_l = 41.2 kN/m² < [σ] = 144117.647 kN/m²，满足强度要求.
// Declared beside the window's registration, by its form name.
#include <string>
#include <vector>

namespace pylora {

struct Comparison {
    std::string value;    // keys of fields
    std::string sign;
    std::string limit;
    std::string verdict;
};

struct ComparisonRegistration {
    ComparisonRegistration(const char* formName, std::vector<Comparison> checks);
};

// The checks of the window with this form name; none when it declares none.
const std::vector<Comparison>& comparisonsOf(const std::string& formName);

}  // namespace pylora
