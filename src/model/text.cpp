#include "model/text.h"

namespace pylora {
namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

// The length of the well-formed UTF-8 sequence at text[i], 0 when there is none, and its value.
std::size_t sequenceAt(std::string_view text, std::size_t i, char32_t& codePoint) {
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t length;
    if (lead < 0x80) {
        codePoint = lead;
        return 1;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, codePoint = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, codePoint = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, codePoint = lead & 0x07;
    } else {
        return 0;
    }
    if (i + length > text.size()) return 0;
    for (std::size_t k = 1; k < length; ++k) {
        if (!isContinuationByte(text[i + k])) return 0;
        codePoint = (codePoint << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
    }
    const char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (codePoint < smallest[length] || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF))
        return 0;
    return length;
}

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

template <typename Show>
std::string rebuilt(std::string_view text, Show show) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        char32_t codePoint = 0;
        const std::size_t length = sequenceAt(text, i, codePoint);
        if (length == 0) {
            out += kReplacement;
            ++i;
            continue;
        }
        show(out, text.substr(i, length), codePoint);
        i += length;
    }
    return out;
}

}  // namespace

std::string_view trimmed(std::string_view text, std::string_view blanks) {
    const auto first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

std::string trimmedString(std::string_view text, std::string_view blanks) { return std::string(trimmed(text, blanks)); }

bool isValidUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        char32_t codePoint = 0;
        const std::size_t length = sequenceAt(text, i, codePoint);
        if (length == 0) return false;
        i += length;
    }
    return true;
}

std::string validUtf8(std::string_view text) {
    if (isValidUtf8(text)) return std::string(text);
    return rebuilt(text, [](std::string& out, std::string_view sequence, char32_t) { out += sequence; });
}

std::string visibleText(std::string_view text) {
    return rebuilt(text, [](std::string& out, std::string_view sequence, char32_t c) {
        if (c == '\n' || c == '\t') {
            out += sequence;
        } else if (c < 0x20) {
            appendUtf8(out, 0x2400 + c);  // ␀ … ␟
        } else if (c == 0x7F) {
            appendUtf8(out, 0x2421);  // ␡
        } else if (c >= 0x80 && c <= 0x9F) {
            out += kReplacement;
        } else {
            out += sequence;
        }
    });
}

std::string markupText(std::string_view given) {
    const std::string text = visibleText(given);
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            default: out += c;
        }
    }
    return out;
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
