#pragma once
// What a shell command prints on its standard output, for tests that read a file back with an
// independent program (unzip, pdftotext, LibreOffice).
#include <array>
#include <cstdio>
#include <string>

namespace pylora {

inline std::string commandOutput(const std::string& command) {
    std::string text;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) return text;
    std::array<char, 4096> buffer{};
    while (const std::size_t n = std::fread(buffer.data(), 1, buffer.size(), pipe)) text.append(buffer.data(), n);
    ::pclose(pipe);
    return text;
}

}  // namespace pylora
