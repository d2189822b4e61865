#include "rom/modGameText.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using ByteList = std::vector<std::uint8_t>;

namespace {

// What the game's font shows for a byte in a name; "" for bytes that are control codes or pictures.
std::string fontCharacter(int byte)
{
    if (byte == 0x00 || byte == 0x7F) {
        return " ";
    }
    if (byte >= 0x80 && byte <= 0x99) {
        return std::string(1, static_cast<char>('A' + (byte - 0x80)));
    }
    if (byte >= 0xA0 && byte <= 0xB9) {
        return std::string(1, static_cast<char>('a' + (byte - 0xA0)));
    }
    if (byte >= 0xF6 && byte <= 0xFF) {
        return std::string(1, static_cast<char>('0' + (byte - 0xF6)));
    }
    switch (byte) {
    case 0xBA:
        return "é";
    case 0xE6:
        return "?";
    case 0xE7:
        return "!";
    case 0xE8:
        return ".";
    case 0xF4:
        return ",";
    default:
        return "";
    }
}

struct EncodeCase
{
    const char* text;
    ByteList bytes;
};

void expectEncodings(const std::vector<EncodeCase>& cases)
{
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("text: ") + c.text);
        EXPECT_EQ(EncodeText(c.text), c.bytes);
    }
}

} // namespace

TEST(GameText, DecodesTheKnownExamples)
{
    const struct
    {
        ByteList bytes;
        std::string text;
    } cases[] = {
        {{0x8C, 0x80, 0x91, 0x81, 0x8B, 0x84, 0x50, 0x8B, 0x8B}, "MARBLE"},
        {{0x00, 0x7F}, "  "},
        {{0x50}, ""},
        {{}, ""},
        {{0x82, 0x80, 0x85, 0xBA, 0x7F, 0x81, 0x80, 0x91}, "CAFé BAR"},
        {{0x80, 0xE3, 0x81}, "AB"},
        {{0x50, 0x80, 0x81}, ""},
        {{0xF6, 0xFF, 0xE6, 0xE7, 0xE8, 0xF4}, "09?!.,"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("expected: " + c.text);
        EXPECT_EQ(DecodeText(c.bytes), c.text);
    }
}

TEST(GameText, EveryByteDecodesToItsFontCharacterOrVanishes)
{
    for (int byte = 0; byte <= 0xFF; ++byte) {
        SCOPED_TRACE("byte " + std::to_string(byte));
        const auto b = static_cast<std::uint8_t>(byte);
        if (b == 0x50) {
            EXPECT_EQ(DecodeText({0x80, b, 0x81}), "A");
            continue;
        }
        EXPECT_EQ(DecodeText({b}), fontCharacter(byte));
        // A byte that vanishes must not end the name: what follows it still shows.
        EXPECT_EQ(DecodeText({0x80, b, 0x81}), "A" + fontCharacter(byte) + "B");
    }
}

TEST(GameText, VisibleCharactersEncodeBackToTheirByte)
{
    for (int byte = 0; byte <= 0xFF; ++byte) {
        const std::string shown = fontCharacter(byte);
        if (shown.empty() || shown == " ") {
            continue;
        }
        SCOPED_TRACE("byte " + std::to_string(byte) + " shown as " + shown);
        EXPECT_EQ(EncodeText(shown), ByteList{static_cast<std::uint8_t>(byte)});
    }
    // Both blank bytes read as a space; a typed space becomes the font's blank, never the control code 0x00.
    EXPECT_EQ(EncodeText(" "), ByteList{0x7F});
    EXPECT_EQ(EncodeText(DecodeText({0x00})), ByteList{0x7F});

    const std::string text = "CAFé BAR, 42! Who? me. Zz";
    EXPECT_EQ(DecodeText(EncodeText(text)), text);
}

TEST(GameText, EncodesTheKnownExamples)
{
    expectEncodings({
        {"STONE\\", {0x92, 0x93, 0x8E, 0x8D, 0x84, 0x50}},
        {"DR.VOLT", {0x83, 0x91, 0xE8, 0x95, 0x8E, 0x8B, 0x93}},
        {"[PK][MN]", {0x53, 0x54}},
        {"\\h0a", {0x0A}},
        {"\\h1F", {0x1F}},
        {"\\hG1", {0x50, 0xA7, 0x86, 0xF7}},
        {"\\hZZ", {0x50, 0xA7, 0x99, 0x99}},
        {"[A", {0xE6, 0x80}},
        {"", {}},
    });
}

TEST(GameText, EveryEscapeGivesItsOneByte)
{
    expectEncodings({
        {"[Lv]", {0x34}},  {"[PK]", {0x53}},  {"[MN]", {0x54}},  {"[PO]", {0x55}},  {"[Ke]", {0x56}}, {"[BL]", {0x57}},
        {"[OC]", {0x58}},  {"[Po]", {0x5E}},  {"[Ké]", {0x5F}},  {"[ME]", {0x60}},  {"[LL]", {0x61}}, {"[K]", {0x59}},
        {"[A]", {0x62}},   {"[E]", {0x63}},   {"[U]", {0x79}},   {"[D]", {0x7A}},   {"[L]", {0x7B}},  {"[R]", {0x7C}},
        {"[.]", {0xB0}},   {"[\"]", {0xB1}},  {"[']", {0xB3}},   {"[m]", {0xB5}},   {"[f]", {0xB6}},  {"[$]", {0xB7}},
        {"[x]", {0xB9}},   {"[>]", {0xEF}},   {"[u]", {0xF7}},   {"[d]", {0xF8}},   {"[l]", {0xF9}},  {"\\l", {0xFA}},
        {"\\p", {0xFB}},   {"\\c", {0xFC}},   {"\\v", {0xFD}},   {"\\n", {0xFE}},   {"\\x", {0xFF}},  {"\\", {0x50}},
        {"\\h00", {0x00}}, {"\\hff", {0xFF}}, {"\\hAb", {0xAB}}, {"\\h50", {0x50}},
    });
}

TEST(GameText, LongerTokensWinAndNoTokenReachesPastTheEnd)
{
    expectEncodings({
        // A bracket token is taken whole, never as its characters.
        {"a[A]b", {0xA0, 0x62, 0xA1}},
        {"[K][Ke]", {0x59, 0x56}},
        // "\n" before "\" alone; "\h" with two digits before anything else starting with "\".
        {"\\n", {0xFE}},
        {"\\\\", {0x50, 0x50}},
        {"\\h0a", {0x0A}},
        {"\\hA", {0x50, 0xA7, 0x80}},
        {"\\h", {0x50, 0xA7}},
        // Too few characters left for the token that starts here.
        {"ab[K", {0xA0, 0xA1, 0xE6, 0x8A}},
        {"[Ké", {0xE6, 0x8A, 0xBA}},
        // "é" is one character of the token although it takes two bytes of UTF-8.
        {"[Ké]", {0x5F}},
        {"x[Ké]y", {0xB7, 0x5F, 0xB8}},
        // Exact letter case.
        {"[pk]", {0xE6, 0xAF, 0xAA, 0xE6}},
        {"[KE]", {0xE6, 0x8A, 0x84, 0xE6}},
    });
}

TEST(GameText, CharactersNoTokenKnowsBecomeAQuestionMark)
{
    for (const char* text : {"-", "[", "]", "~", "ü", "日", "\t", "\x01", "\xFF", "\xC3", "😀"}) {
        SCOPED_TRACE(std::string("text: ") + text);
        EXPECT_EQ(EncodeText(text), ByteList{GameText::Unknown});
    }
    EXPECT_EQ(EncodeText("A-B"), (ByteList{0x80, 0xE6, 0x81}));
    EXPECT_EQ(EncodeText("日本"), (ByteList{0xE6, 0xE6}));
}

TEST(GameText, IsHexDigits)
{
    const struct
    {
        const char* text;
        bool hex;
    } cases[] = {
        {"7f", true},
        {"0123456789ABCDEFabcdef", true},
        {"7g", false},
        {"", false},
        {" 7", false},
        {"G", false},
        {"é", false},
        {"0x1F", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("text: ") + c.text);
        EXPECT_EQ(IsHexDigits(c.text), c.hex);
    }
}
