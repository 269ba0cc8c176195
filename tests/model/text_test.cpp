#include "model/text.h"

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

TEST(TextTest, MakesOutsideTextsSafeToShow) {
    struct Case {
        std::string text;
        std::string valid, visible, markup;
        const char* what;
    } const cases[] = {
        {"壁厚 φ57", "壁厚 φ57", "壁厚 φ57", "壁厚 φ57", "well-formed text stays"},
        {"a\xC9" "b", "a\uFFFDb", "a\uFFFDb", "a\uFFFDb", "a GBK byte becomes U+FFFD"},
        {"\xE5\xA3", "\uFFFD\uFFFD", "\uFFFD\uFFFD", "\uFFFD\uFFFD", "a cut sequence, byte by byte"},
        {"\xED\xA0\x80", "\uFFFD\uFFFD\uFFFD", "\uFFFD\uFFFD\uFFFD", "\uFFFD\uFFFD\uFFFD", "a surrogate"},
        {"1\t2\n3", "1\t2\n3", "1\t2\n3", "1\t2\n3", "tabs and line ends stay"},
        {std::string("\0\x1B\r\x7F", 4), std::string("\0\x1B\r\x7F", 4), "\u2400\u241B\u240D\u2421",
         "\u2400\u241B\u240D\u2421", "C0 controls and DEL as their pictures"},
        {"\xC2\x85", "\xC2\x85", "\uFFFD", "\uFFFD", "a C1 control"},
        {"<b a=\"1\">&", "<b a=\"1\">&", "<b a=\"1\">&", "&lt;b a=&quot;1&quot;&gt;&amp;", "markup escaped"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(validUtf8(c.text), c.valid) << c.what;
        EXPECT_EQ(visibleText(c.text), c.visible) << c.what;
        EXPECT_EQ(markupText(c.text), c.markup) << c.what;
        EXPECT_TRUE(isValidUtf8(visibleText(c.text))) << c.what;
    }
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
