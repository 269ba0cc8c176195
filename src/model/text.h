#pragma once
// Texts as the program holds them: UTF-8 in std::string. Trimming, checking and decoding them,
// making outside texts safe to show, and counting characters the way the engineer counts them,
// live here once.
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace pylora {

// What counts as blank at either end of a text. Callers choose: a database key keeps its tabs,
// a line read from a file drops its carriage return.
inline constexpr std::string_view kSpaces = " ";
inline constexpr std::string_view kSpacesAndTabs = " \t";
inline constexpr std::string_view kWhitespace = " \t\r\n";

// The text without the given blanks at either end (a view into `text`).
std::string_view trimmed(std::string_view text, std::string_view blanks = kWhitespace);
// The same as an owned text, for a caller that keeps what it trims. A name of its own, not an
// overload: `std::string_view t = trimmed(s)` must never bind to a temporary.
std::string trimmedString(std::string_view text, std::string_view blanks = kWhitespace);

// A byte that continues a UTF-8 sequence begun by an earlier byte.
constexpr bool isContinuationByte(char byte) { return (static_cast<unsigned char>(byte) & 0xC0) == 0x80; }

// Well-formed UTF-8: no stray continuation bytes, overlong forms, surrogates or values beyond
// U+10FFFF.
bool isValidUtf8(std::string_view text);

// Texts that reach a document or a message from outside the window's own fields (a survey file,
// a project field, a path) are made safe to show:
// the text with every byte that is not part of well-formed UTF-8 shown as U+FFFD;
std::string validUtf8(std::string_view text);
// validUtf8, and control characters shown visibly: C0 controls and DEL as their control
// pictures (U+2400…U+2421), C1 controls as U+FFFD. Line ends and tabs stay;
std::string visibleText(std::string_view text);
// a text as it goes into HTML or XML: visible (as above), with & < > " escaped.
std::string markupText(std::string_view text);

// Where the character that starts at `at` ends: past its continuation bytes.
std::size_t characterEnd(std::string_view text, std::size_t at);

// The code point that starts at `at`; `at` moves past it. Program texts are well-formed; a cut
// sequence at the end yields what its bytes hold and never reads past the text.
char32_t decodeCharacter(std::string_view text, std::size_t& at);

// The length of a text as the engineer counts it: characters, not bytes.
std::size_t characterCount(std::string_view text);

// The last `count` characters of a text, whole (all of it when it is shorter).
std::string lastCharacters(std::string_view text, std::size_t count);

// A path as UTF-8, as messages show it and SQLite opens it, whatever the system's code page.
std::string pathText(const std::filesystem::path& path);

}  // namespace pylora
