#pragma once
// Num: a double that remembers the field it was read from, and whose arithmetic ends the run
// with a RunFailure instead of producing inf or NaN. So a zero divisor names the field that
// made it zero ("弯头的曲率半径R为几倍DN" for a bend factor 4n - 2 = 0) without each formula
// having to say so.
#include <cstdint>
#include <initializer_list>
#include <string>

namespace pylora {

class Num {
public:
    Num(double value = 0.0) : value_(value) {}  // NOLINT: plain numbers mix freely in formulas
    Num(double value, std::string source) : value_(value), source_(std::move(source)) {}

    double value() const { return value_; }
    // The control this value (or the first operand that had one) was read from.
    const std::string& source() const { return source_; }

    Num operator-() const { return Num(-value_, source_); }
    Num& operator+=(const Num& other);
    Num& operator-=(const Num& other);
    Num& operator*=(const Num& other);
    Num& operator/=(const Num& other);

private:
    double value_;
    std::string source_;
};

Num operator+(const Num& a, const Num& b);
Num operator-(const Num& a, const Num& b);
Num operator*(const Num& a, const Num& b);
Num operator/(const Num& a, const Num& b);  // zero divisor: DivisionByZero

inline bool operator<(const Num& a, const Num& b) { return a.value() < b.value(); }
inline bool operator>(const Num& a, const Num& b) { return a.value() > b.value(); }
inline bool operator<=(const Num& a, const Num& b) { return a.value() <= b.value(); }
inline bool operator>=(const Num& a, const Num& b) { return a.value() >= b.value(); }
inline bool operator==(const Num& a, const Num& b) { return a.value() == b.value(); }
inline bool operator!=(const Num& a, const Num& b) { return a.value() != b.value(); }

// Checked functions: an argument outside the domain ends the run (OutsideDomain), a result
// beyond double precision too (TooLarge).
Num sqrt(const Num& x);
Num pow(const Num& base, const Num& exponent);
Num log(const Num& x);    // natural logarithm
Num log10(const Num& x);
Num exp(const Num& x);
Num sin(const Num& x);
Num cos(const Num& x);
Num tan(const Num& x);
Num atan(const Num& x);
Num asin(const Num& x);
Num acos(const Num& x);
Num abs(const Num& x);

// A product or quotient of fields that comes out negative where a root or a fractional power
// follows: the value then names the factor that is negative, not the first field of the formula.
Num blamingNegativeFactor(const Num& value, std::initializer_list<Num> factors);

// The integer part as the greatest whole number not above the value (-2.5 -> -3).
Num integerPart(const Num& x);
// Rounded to a whole number, halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
Num roundHalfEven(const Num& x);
// Rounded half-even and kept in 16 bits: outside -32768..32767 the run fails (TooLarge).
std::int16_t roundToInt16(const Num& x);

}  // namespace pylora
