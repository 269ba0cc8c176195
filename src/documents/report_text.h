#pragma once
// Pieces of text the report's writers share: symbols with their sub- and superscripts, colours
// and the document's fixed words.
#include <string>
#include <vector>

#include "model/colour.h"

namespace pylora {

// A symbol's markup split into runs: "σ_s" -> {"σ", 0}, {"s", -1}; "K^{2}" -> {"K", 0}, {"2", +1}.
struct ScriptRun {
    std::string text;
    int level = 0;  // -1 lowered, 0 on the line, +1 raised
};
std::vector<ScriptRun> scriptRuns(const std::string& markup);

// A colour as a page shows it: the system roles as black text on the usual light window face.
std::string cssColour(Colour colour);

// "一", "二", … for the report's section numbers.
std::string chineseNumeral(int n);

}  // namespace pylora
