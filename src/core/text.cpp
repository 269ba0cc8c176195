#include "core/text.h"

namespace pylora {

std::string_view trimmed(std::string_view text, std::string_view blanks) {
    const auto first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

bool isValidUtf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        int length;
        char32_t codePoint;
        if (lead < 0x80) {
            ++i;
            continue;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2, codePoint = lead & 0x1F;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3, codePoint = lead & 0x0F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4, codePoint = lead & 0x07;
        } else {
            return false;
        }
        if (i + length > text.size()) return false;
        for (int k = 1; k < length; ++k) {
            if (!isContinuationByte(text[i + k])) return false;
            codePoint = (codePoint << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        }
        const char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
        if (codePoint < smallest[length] || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF))
            return false;
        i += length;
    }
    return true;
}

std::size_t characterEnd(std::string_view text, std::size_t at) {
    std::size_t end = at + 1;
    while (end < text.size() && isContinuationByte(text[end])) ++end;
    return end;
}

char32_t decodeCharacter(std::string_view text, std::size_t& at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    int extra = lead < 0x80 ? 0 : lead < 0xE0 ? 1 : lead < 0xF0 ? 2 : 3;
    char32_t codePoint = extra == 0 ? lead : extra == 1 ? (lead & 0x1F) : extra == 2 ? (lead & 0x0F) : (lead & 0x07);
    ++at;
    while (extra-- > 0 && at < text.size()) codePoint = (codePoint << 6) | (static_cast<unsigned char>(text[at++]) & 0x3F);
    return codePoint;
}

std::size_t characterCount(std::string_view text) {
    std::size_t count = 0;
    for (char byte : text)
        if (!isContinuationByte(byte)) ++count;
    return count;
}

std::string lastCharacters(std::string_view text, std::size_t count) {
    std::size_t start = text.size();
    while (count > 0 && start > 0) {
        --start;
        if (!isContinuationByte(text[start])) --count;
    }
    return std::string(text.substr(start));
}

std::string pathText(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

}  // namespace pylora
