#pragma once
// The check both document readers are fuzzed with: any bytes are either refused with a message
// that names the file, or read as a document that, written again and read again, is the same
// document byte for byte.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace pylora::fuzz {

inline void require(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

// `parse(text, name)` reads a document or throws `Refusal`; `write(document)` gives its text;
// `prefix` is how a refusal of the file "fuzz" + `extension` begins.
template <class Refusal, class Parse, class Write>
void requireRefusedOrRoundTrip(std::string_view text, const std::string& extension, const std::string& prefix,
                               Parse parse, Write write) {
    std::string written;
    try {
        written = write(parse(text, "fuzz" + extension));
    } catch (const Refusal& e) {
        require(std::string_view(e.what()).starts_with(prefix + "fuzz" + extension + "："),
                "a refusal that does not name the file");
        return;
    }
    try {
        require(write(parse(written, "again" + extension)) == written, "written again, read otherwise");
    } catch (const Refusal&) {
        require(false, "a document read, written and refused");
    }
}

}  // namespace pylora::fuzz
