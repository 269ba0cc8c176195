#pragma once
// The values an input may take as the physical quantity it is: a pressure or a length is
// positive, a design factor a fraction, a count whole, an angle within its range, an elevation
// or a temperature in °C of any sign. Stated once with the input's meaning; a run that reads a
// value outside it is refused before anything is computed from it.
#include <optional>
#include <string>

namespace pylora {

struct Domain {
    bool stated = false;            // false: the definition has not said (every input is held to say)
    std::optional<double> lowest;   // none: unbounded below
    bool lowestIncluded = true;
    std::optional<double> highest;  // none: unbounded above
    bool highestIncluded = true;
    bool whole = false;  // a count

    static Domain anySign();
    static Domain positive();      // > 0: lengths, diameters, pressures, thicknesses, strengths
    static Domain nonNegative();   // ≥ 0: a depth of cover, an allowance that may be nil
    static Domain fraction();      // 0 < x ≤ 1: a design factor, an efficiency
    static Domain count();         // 1, 2, 3 …
    static Domain countFromZero(); // 0, 1, 2 …
    static Domain between(double lowest, double highest);  // both ends included: an angle range
};

// Whether `value` lies in the domain; an unstated domain holds every value.
bool holds(const Domain& domain, double value);

// What the domain asks of a value, as a failure states it after the field's caption:
// "应大于 0", "应不小于 0", "应大于 0 且不大于 1", "应为正整数", "应在 −90° 与 90° 之间".
// `unit` "°" is written after the bounds.
std::string domainRequirement(const Domain& domain, const std::string& unit = {});

}  // namespace pylora
