#pragma once
// Domains bounded where a window's quantity is bounded, beyond the common ones of Domain: a
// factor of safety at least 1, a bend radius ratio above 0.5, an angle strictly inside a range.
#include <optional>

#include "model/input_domain.h"

namespace pylora {

inline Domain atLeast(double lowest) { return Domain{true, lowest, true, std::nullopt, true, false}; }

inline Domain above(double lowest) { return Domain{true, lowest, false, std::nullopt, true, false}; }

inline Domain strictlyBetween(double lowest, double highest) {
    return Domain{true, lowest, false, highest, false, false};
}

}  // namespace pylora
