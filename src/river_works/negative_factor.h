#pragma once
// A quotient or product of fields that comes out negative under a square root or a fractional
// power: the failure names the field that is negative, not the first field of the formula.
#include <initializer_list>

#include "core/num.h"

namespace pylora {

inline Num blamingNegativeFactor(const Num& value, std::initializer_list<Num> factors) {
    if (value.value() >= 0) return value;
    for (const Num& factor : factors)
        if (factor.value() < 0 && !factor.source().empty()) return Num(value.value(), factor.source());
    return value;
}

}  // namespace pylora
