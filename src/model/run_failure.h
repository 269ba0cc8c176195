#pragma once
// A run that cannot go on: input that is no number or outside its quantity's domain, a zero divisor,
// an operation outside its domain, or data that is missing. The run ends where it is thrown.
#include <stdexcept>
#include <string>

namespace pylora {

enum class FailureKind {
    NotANumber,      // a field read as a number holds other text (empty and "." included)
    DivisionByZero,
    OutsideDomain,   // square root of a negative, log of zero, negative base to a broken power ...
    InputOutsideDomain,  // an input holds a value its quantity cannot take (a negative pressure): the
                         // detail says what it should be ("应大于 0"); the run computed nothing from it
    TooLarge,        // beyond double precision, or a whole number beyond its stated range
    NoSolution,      // the inputs admit no value of the quantity sought: the named input is too large
                     // or too small, the detail says so and why ("过大：终点压力的平方为负")
    MissingData,     // a database file, table, field or record, or a data file, is not there
    ZeroResult,      // a result that a later formula reads back is zero: blamed on the input that is zero
    StepNotRun,      // a step reads the results of an earlier step that has not run
    Internal,        // a fault of the program itself; reported, never a crash
};

// Stable token of a kind, as the headless runner prints it ("division_by_zero").
const char* failureToken(FailureKind kind);

class RunFailure : public std::runtime_error {
public:
    RunFailure(FailureKind kind, std::string control, std::string detail = {});

    FailureKind kind() const { return kind_; }
    // The control the failing value came from; empty where no field is to blame.
    const std::string& control() const { return control_; }
    // Extra words for the engineer, e.g. which database record is missing.
    const std::string& detail() const { return detail_; }

private:
    FailureKind kind_;
    std::string control_;
    std::string detail_;
};

}  // namespace pylora
