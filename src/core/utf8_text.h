#pragma once
// Texts that reach a document or a message from outside the window's own fields (a survey file,
// a project field, a path): checked as UTF-8 and made safe to show.
#include <string>
#include <string_view>

namespace pylora {

// (Whether a text is well-formed UTF-8: isValidUtf8 in core/text.h.)

// The text with every byte that is not part of well-formed UTF-8 shown as U+FFFD.
std::string validUtf8(std::string_view text);

// validUtf8, and control characters shown visibly: C0 controls and DEL as their control
// pictures (U+2400…U+2421), C1 controls as U+FFFD. Line ends and tabs stay.
std::string visibleText(std::string_view text);
// A text as it goes into HTML or XML: visible (as above), with & < > " escaped.
std::string markupText(std::string_view text);

}  // namespace pylora
