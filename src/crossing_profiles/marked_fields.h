#pragma once
// The two-step profile windows give every field a step writes a light-yellow background,
// which stays for the life of the window.
#include <string>

#include "model/calc.h"

namespace pylora {

inline void mark(Form& form, const std::string& field) { form.setBackground(field, Colour::lightYellow()); }

inline void markAndWrite(Form& form, const std::string& field, std::string text) {
    mark(form, field);
    form.setText(field, std::move(text));
}

}  // namespace pylora
