#include "model/run_failure.h"

namespace pylora {

const char* failureToken(FailureKind kind) {
    switch (kind) {
        case FailureKind::NotANumber: return "not_a_number";
        case FailureKind::DivisionByZero: return "division_by_zero";
        case FailureKind::OutsideDomain: return "outside_domain";
        case FailureKind::InputOutsideDomain: return "input_outside_domain";
        case FailureKind::TooLarge: return "too_large";
        case FailureKind::NoSolution: return "no_solution";
        case FailureKind::MissingData: return "missing_data";
        case FailureKind::ZeroResult: return "zero_result";
        case FailureKind::StepNotRun: return "step_not_run";
        case FailureKind::Internal: return "internal";
    }
    return "internal";
}

RunFailure::RunFailure(FailureKind kind, std::string control, std::string detail)
    : std::runtime_error(std::string(failureToken(kind)) + (control.empty() ? "" : " in " + control) +
                         (detail.empty() ? "" : ": " + detail)),
      kind_(kind),
      control_(std::move(control)),
      detail_(std::move(detail)) {}

}  // namespace pylora
