#pragma once
// The values of a window's quantities as its runs used them: a field's text read back as the
// engineer sees it, a quantity without a field of its own from the formula that gives it. The
// 计算书 substitutes these into the formulas, and the consistency test checks every formula's
// value against the field that shows its result.
#include <string>
#include <vector>

#include "model/form.h"
#include "model/formula.h"

namespace pylora {

class QuantityValues {
public:
    explicit QuantityValues(const Form& form) : form_(form) {}

    // The value of a key; a field that holds no number, a zero divisor on the way … throw RunFailure.
    Num value(const std::string& key) const;
    // Whether a formula holds for the choices the window shows.
    bool applies(const formula::Formula& line) const;
    // The formula that gives a key and holds for the current choices; nullptr if none.
    const formula::Formula* formulaFor(const std::string& key) const;

private:
    Num value(const std::string& key, int depth) const;
    const Form& form_;
};

}  // namespace pylora
