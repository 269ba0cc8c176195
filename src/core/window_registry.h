#pragma once
// Every calculator window known to the program. A window's source file registers its
// definition with a WindowRegistration; nothing else needs to know the window exists.
#include <vector>

#include "core/form_definition.h"

namespace pylora {

using WindowFactory = FormDefinition (*)();

struct WindowRegistration {
    explicit WindowRegistration(WindowFactory factory);
};

// All definitions, in menu order (windows the menu does not show come last).
const std::vector<const FormDefinition*>& allWindows();
const FormDefinition* findWindow(const std::string& formName);

}  // namespace pylora
