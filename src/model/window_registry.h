#pragma once
// Every calculator window known to the program. A window's source file registers its
// definition with a WindowRegistration; nothing else needs to know the window exists.
// A definition is built when first asked for, so that a program using one window (the
// runner's run, report, sweep) does not pay for all of them at start.
#include <string>
#include <string_view>
#include <vector>

#include "model/form_definition.h"

namespace pylora {

using WindowFactory = FormDefinition (*)();

struct WindowRegistration {
    // The form name and title the factory's definition has: the window is found and listed by
    // them without being built.
    WindowRegistration(const char* formName, const char* title, WindowFactory factory);
};

// All definitions, in menu order (windows the menu does not show come last).
const std::vector<const FormDefinition*>& allWindows();
const FormDefinition* findWindow(const std::string& formName);

// Every window's form name and title in the order of allWindows(), without building them.
struct WindowTitle {
    std::string formName;
    std::string title;
};
std::vector<WindowTitle> windowTitles();

}  // namespace pylora
