#include "model/num.h"

#include <cmath>

#include "model/run_failure.h"

namespace pylora {
namespace {

const std::string& blame(const Num& a, const Num& b) {
    return a.source().empty() ? b.source() : a.source();
}

Num checked(double result, const std::string& source) {
    if (std::isnan(result)) throw RunFailure(FailureKind::OutsideDomain, source);
    if (std::isinf(result)) throw RunFailure(FailureKind::TooLarge, source);
    return Num(result, source);
}

}  // namespace

Num operator+(const Num& a, const Num& b) { return checked(a.value() + b.value(), blame(a, b)); }
Num operator-(const Num& a, const Num& b) { return checked(a.value() - b.value(), blame(a, b)); }
// A product that comes out zero carries the field of its zero factor, so that a divisor built
// from it names the field that made it zero (a compressibility of 0, say), not the first field
// of the formula.
Num operator*(const Num& a, const Num& b) {
    if (b.value() == 0 && a.value() != 0 && !b.source().empty()) return Num(a.value() * b.value(), b.source());
    return checked(a.value() * b.value(), blame(a, b));
}

Num operator/(const Num& a, const Num& b) {
    if (b.value() == 0) throw RunFailure(FailureKind::DivisionByZero, blame(b, a));
    return checked(a.value() / b.value(), blame(a, b));
}

Num& Num::operator+=(const Num& other) { return *this = *this + other; }
Num& Num::operator-=(const Num& other) { return *this = *this - other; }
Num& Num::operator*=(const Num& other) { return *this = *this * other; }
Num& Num::operator/=(const Num& other) { return *this = *this / other; }

Num sqrt(const Num& x) {
    if (x.value() < 0) throw RunFailure(FailureKind::OutsideDomain, x.source());
    return Num(std::sqrt(x.value()), x.source());
}

Num pow(const Num& base, const Num& exponent) {
    const double b = base.value(), e = exponent.value();
    const std::string& source = blame(base, exponent);
    if (b < 0 && e != std::floor(e)) throw RunFailure(FailureKind::OutsideDomain, source);
    if (b == 0 && e < 0) throw RunFailure(FailureKind::DivisionByZero, source);
    return checked(std::pow(b, e), source);
}

Num log(const Num& x) {
    if (x.value() <= 0) throw RunFailure(FailureKind::OutsideDomain, x.source());
    return Num(std::log(x.value()), x.source());
}

Num log10(const Num& x) {
    if (x.value() <= 0) throw RunFailure(FailureKind::OutsideDomain, x.source());
    return Num(std::log10(x.value()), x.source());
}

Num exp(const Num& x) { return checked(std::exp(x.value()), x.source()); }
Num sin(const Num& x) { return checked(std::sin(x.value()), x.source()); }
Num cos(const Num& x) { return checked(std::cos(x.value()), x.source()); }
Num tan(const Num& x) { return checked(std::tan(x.value()), x.source()); }
Num atan(const Num& x) { return checked(std::atan(x.value()), x.source()); }

Num asin(const Num& x) {
    if (x.value() < -1 || x.value() > 1) throw RunFailure(FailureKind::OutsideDomain, x.source());
    return Num(std::asin(x.value()), x.source());
}

Num acos(const Num& x) {
    if (x.value() < -1 || x.value() > 1) throw RunFailure(FailureKind::OutsideDomain, x.source());
    return Num(std::acos(x.value()), x.source());
}

Num abs(const Num& x) { return Num(std::fabs(x.value()), x.source()); }
Num integerPart(const Num& x) { return Num(std::floor(x.value()), x.source()); }
Num roundHalfEven(const Num& x) { return Num(std::nearbyint(x.value()), x.source()); }

std::int16_t roundToInt16(const Num& x) {
    const double whole = std::nearbyint(x.value());
    if (whole < -32768 || whole > 32767) throw RunFailure(FailureKind::TooLarge, x.source());
    return static_cast<std::int16_t>(whole);
}

Num blamingNegativeFactor(const Num& value, std::initializer_list<Num> factors) {
    if (value.value() >= 0) return value;
    for (const Num& factor : factors)
        if (factor.value() < 0 && !factor.source().empty()) return Num(value.value(), factor.source());
    return value;
}

}  // namespace pylora
