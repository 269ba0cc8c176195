#include "documents/report_text.h"

namespace pylora {

std::vector<ScriptRun> scriptRuns(const std::string& markup) {
    std::vector<ScriptRun> runs;
    auto add = [&runs](std::string text, int level) {
        if (text.empty()) return;
        if (!runs.empty() && runs.back().level == level) {
            runs.back().text += text;
        } else {
            runs.push_back({std::move(text), level});
        }
    };
    std::string plain;
    for (std::size_t i = 0; i < markup.size(); ++i) {
        const char mark = markup[i];
        if ((mark != '_' && mark != '^') || i + 1 >= markup.size()) {
            plain += mark;
            continue;
        }
        add(std::move(plain), 0);
        plain.clear();
        const int level = mark == '_' ? -1 : 1;
        std::string script;
        if (markup[i + 1] == '{') {
            // Up to the matching brace: "^{(a+b)}" raises "(a+b)".
            int depth = 0;
            std::size_t j = i + 1;
            for (; j < markup.size(); ++j) {
                if (markup[j] == '{') ++depth;
                if (markup[j] == '}' && --depth == 0) break;
            }
            script = markup.substr(i + 2, j - i - 2);
            i = j;
        } else {
            // One character, whole: a UTF-8 sequence is not split.
            std::size_t length = 1;
            while (i + 1 + length < markup.size() && (static_cast<unsigned char>(markup[i + 1 + length]) & 0xC0) == 0x80)
                ++length;
            script = markup.substr(i + 1, length);
            i += length;
        }
        add(std::move(script), level);
    }
    add(std::move(plain), 0);
    return runs;
}

std::string cssColour(Colour colour) {
    switch (colour.role()) {
        case Colour::Role::WindowText: return "#000000";
        case Colour::Role::ButtonFace: return "#f0f0f0";
        case Colour::Role::Rgb: break;
    }
    return colour.name();
}

std::string chineseNumeral(int n) {
    static const char* const numerals[] = {"零", "一", "二", "三", "四", "五", "六", "七", "八", "九", "十"};
    return n >= 0 && n <= 10 ? numerals[n] : std::to_string(n);
}

}  // namespace pylora
