#pragma once
// Runs of any window that the every-window tests share: every run button pressed in order, and
// every typed input moved off its default.
#include <sstream>

#include "model/calc_form.h"
#include "model/number_reading.h"

namespace pylora {

inline void pressEveryStep(CalcForm& window) {
    for (const ControlDef& c : window.definition().controls())
        if (c.kind == ControlKind::Button && c.action == ButtonAction::Run) window.press(c.name);
}

// Every number the engineer types, raised by a tenth: inputs unlike the defaults, still sensible.
inline void typeInputsRaisedByATenth(CalcForm& window) {
    const FormDefinition& def = window.definition();
    for (const ControlDef& c : def.controls()) {
        if (def.roleOf(c) != FieldRole::Input || c.kind != ControlKind::TextField || c.readOnly) continue;
        if (const auto value = parseStrictNumber(c.text)) {
            std::ostringstream text;
            text.precision(12);
            text << *value * 1.1;
            window.form().type(c.name, text.str());
        }
    }
}

}  // namespace pylora
