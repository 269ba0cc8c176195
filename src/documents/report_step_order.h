#pragma once
// The order in which a 计算书 writes a window's formulas: as the window states them, except that
// a formula comes after the formulas that compute what it uses (R = D/2 before the moment that
// uses R), so that a checker reading down the page meets every value before it is put in.
#include <functional>
#include <string>
#include <vector>

#include "model/formula.h"

namespace pylora {

// Indices into `formulas` of those `included`, in reading order. `sameQuantity` maps a key to
// the one a formula computing the quantity gives (a field and the unrounded value behind it
// are one quantity).
std::vector<std::size_t> readingOrder(const std::vector<formula::Formula>& formulas,
                                      const std::function<bool(const formula::Formula&)>& included,
                                      const std::function<std::string(const std::string&)>& sameQuantity);

}  // namespace pylora
