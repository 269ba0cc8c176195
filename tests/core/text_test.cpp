#include "core/text.h"

#include <gtest/gtest.h>

namespace pylora {
namespace {

TEST(TextTest, TrimsTheChosenBlanksOnly) {
    struct Case {
        std::string_view text, blanks, expected;
    } const cases[] = {
        {"  φ57 ", kSpaces, "φ57"},
        {"\tφ57 ", kSpaces, "\tφ57"},  // a database key keeps its tab
        {"\t 3.5 \t", kSpacesAndTabs, "3.5"},
        {"3.5\r\n", kSpacesAndTabs, "3.5\r\n"},
        {" 3.5\r\n", kWhitespace, "3.5"},
        {" \t\r\n", kWhitespace, ""},
        {"", kWhitespace, ""},
        {"a b", kWhitespace, "a b"},  // blanks inside stay
    };
    for (const Case& c : cases) EXPECT_EQ(trimmed(c.text, c.blanks), c.expected) << '"' << c.text << '"';
}

TEST(TextTest, TellsWellFormedUtf8) {
    struct Case {
        std::string text;
        bool valid;
        const char* what;
    } const cases[] = {
        {"壁厚 φ57 ℃ 𝑥", true, "one to four bytes"},
        {"", true, "empty"},
        {"\x80", false, "stray continuation byte"},
        {"\xC0\xAF", false, "overlong slash"},
        {"\xE0\x80\xAF", false, "overlong three-byte form"},
        {"\xED\xA0\x80", false, "surrogate"},
        {"\xF4\x90\x80\x80", false, "beyond U+10FFFF"},
        {"\xE5\xA3", false, "cut at the end"},
        {"\xE5" "a\xA3", false, "continuation missing"},
        {"\xFF", false, "never a lead byte"},
    };
    for (const Case& c : cases) EXPECT_EQ(isValidUtf8(c.text), c.valid) << c.what;
}

TEST(TextTest, CountsAndCutsWholeCharacters) {
    EXPECT_EQ(characterCount("φ159"), 4u);
    EXPECT_EQ(characterCount("壁厚计算"), 4u);
    EXPECT_EQ(lastCharacters("φ57 ", 3), "57 ");
    EXPECT_EQ(lastCharacters("DN φ57", 3), "φ57");
    EXPECT_EQ(lastCharacters("φ5", 9), "φ5");
    EXPECT_EQ(characterEnd("φ5", 0), 2u);
    EXPECT_EQ(characterEnd("φ5", 2), 3u);
}

TEST(TextTest, DecodesCharactersInTurn) {
    const std::string text = "a℃𝑥";
    std::size_t at = 0;
    EXPECT_EQ(decodeCharacter(text, at), U'a');
    EXPECT_EQ(decodeCharacter(text, at), U'℃');
    EXPECT_EQ(decodeCharacter(text, at), U'𝑥');
    EXPECT_EQ(at, text.size());
    const std::string cut = "\xE2\x84";  // ℃ without its last byte: ends at the text's end
    at = 0;
    decodeCharacter(cut, at);
    EXPECT_EQ(at, cut.size());
}

}  // namespace
}  // namespace pylora
