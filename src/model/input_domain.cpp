#include "model/input_domain.h"

#include <cmath>

#include "model/number_text.h"

namespace pylora {

Domain Domain::anySign() { return Domain{true, std::nullopt, true, std::nullopt, true, false}; }

Domain Domain::positive() { return Domain{true, 0.0, false, std::nullopt, true, false}; }

Domain Domain::nonNegative() { return Domain{true, 0.0, true, std::nullopt, true, false}; }

Domain Domain::fraction() { return Domain{true, 0.0, false, 1.0, true, false}; }

Domain Domain::count() { return Domain{true, 1.0, true, std::nullopt, true, true}; }

Domain Domain::countFromZero() { return Domain{true, 0.0, true, std::nullopt, true, true}; }

Domain Domain::between(double lowest, double highest) { return Domain{true, lowest, true, highest, true, false}; }

bool holds(const Domain& domain, double value) {
    if (!domain.stated) return true;
    if (std::isnan(value)) return false;
    if (domain.lowest && (domain.lowestIncluded ? value < *domain.lowest : value <= *domain.lowest)) return false;
    if (domain.highest && (domain.highestIncluded ? value > *domain.highest : value >= *domain.highest)) return false;
    return !domain.whole || std::floor(value) == value;
}

namespace {

// A bound as the engineer reads it: the true minus sign, and the degree sign of an angle.
std::string boundText(double bound, const std::string& unit) {
    std::string text = NumberText(bound);
    if (text.front() == '-') text = "\u2212" + text.substr(1);
    return unit == "°" ? text + "°" : text;
}

std::string lowerWords(const Domain& d, const std::string& unit) {
    return (d.lowestIncluded ? "不小于 " : "大于 ") + boundText(*d.lowest, unit);
}

std::string upperWords(const Domain& d, const std::string& unit) {
    return (d.highestIncluded ? "不大于 " : "小于 ") + boundText(*d.highest, unit);
}

}  // namespace

std::string domainRequirement(const Domain& d, const std::string& unit) {
    if (d.whole) {
        if (d.lowest && !d.highest && *d.lowest == 1 && d.lowestIncluded) return "应为正整数";
        std::string bounds;
        if (d.lowest && d.highest && d.lowestIncluded && d.highestIncluded)
            bounds = boundText(*d.lowest, unit) + " 与 " + boundText(*d.highest, unit) + " 之间的";
        else if (d.lowest)
            bounds = lowerWords(d, unit) + (d.highest ? " 且" + upperWords(d, unit) : "") + " 的";
        else if (d.highest)
            bounds = upperWords(d, unit) + " 的";
        return "应为" + bounds + "整数";
    }
    if (d.lowest && d.highest) {
        if (d.lowestIncluded && d.highestIncluded)
            return "应在 " + boundText(*d.lowest, unit) + " 与 " + boundText(*d.highest, unit) + " 之间";
        return "应" + lowerWords(d, unit) + " 且" + upperWords(d, unit);
    }
    if (d.lowest) return "应" + lowerWords(d, unit);
    if (d.highest) return "应" + upperWords(d, unit);
    return {};
}

}  // namespace pylora
