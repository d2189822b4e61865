#include "TempRom.h"

using ByteList = std::vector<std::uint8_t>;

TEST(GameText, EveryByteDecodesToItsFontCharacterAndBackOrVanishes)
{
    ByteList all;
    for (int byte = 0; byte <= 0xFF; ++byte) {
        const auto b = static_cast<std::uint8_t>(byte);
        // What shows encodes back to its byte; a typed space becomes the font's blank, never the control 0x00.
        if (const std::string text = DecodeText({b}); !text.empty()) {
            EXPECT_EQ(EncodeText(text), ByteList{b == 0x00 ? GameText::Space : b}) << "byte " << byte;
        }
        if (b != GameText::Terminator) {
            all.push_back(b);
        }
    }
    // In byte order: 0x00 and 0x7F, A-Z, ():;[], a-z, é and the joined letters, the rest of the punctuation,
    // then 0-9. Every other byte vanishes; only the terminator ends the text.
    EXPECT_EQ(DecodeText(all),
              "  ABCDEFGHIJKLMNOPQRSTUVWXYZ():;[]abcdefghijklmnopqrstuvwxyzé'd'l's't'v'-'r'm?!.♂¥×/,♀0123456789");
    EXPECT_EQ(DecodeText({0x8C, 0x80, 0x91, 0x81, 0x8B, 0x84, 0x50, 0x8B, 0x8B}), "MARBLE");
    EXPECT_EQ(DecodeText({0x82, 0x80, 0x85, 0xBA, 0x7F, 0x81, 0x80, 0x34, 0x91}), "CAFé BAR");
    // Names the game tells apart by these characters, each stored back as it was.
    const std::pair<const char*, ByteList> names[] = {
        {"NIDORAN♂", {0x8D, 0x88, 0x83, 0x8E, 0x91, 0x80, 0x8D, 0xEF}},
        {"NIDORAN♀", {0x8D, 0x88, 0x83, 0x8E, 0x91, 0x80, 0x8D, 0xF5}},
        {"FARFETCH'D", {0x85, 0x80, 0x91, 0x85, 0x84, 0x93, 0x82, 0x87, 0xE0, 0x83}},
        {"SAND-ATTACK", {0x92, 0x80, 0x8D, 0x83, 0xE3, 0x80, 0x93, 0x93, 0x80, 0x82, 0x8A}},
        {"OAK's PARCEL", {0x8E, 0x80, 0x8A, 0xBD, 0x7F, 0x8F, 0x80, 0x91, 0x82, 0x84, 0x8B}}};
    for (const auto& [name, bytes] : names) {
        EXPECT_EQ(DecodeText(bytes), name);
        EXPECT_EQ(EncodeText(name), bytes) << name;
    }
    EXPECT_EQ(DecodeText({0x50}) + DecodeText(ByteList{}), "");
}

TEST(GameText, EveryTokenGivesItsOneByte)
{
    const std::vector<std::string> tokens = {
        "[Lv]", "[PK]", "[MN]", "[PO]", "[Ke]", "[BL]", "[OC]", "[Po]", "[Ké]",  "[ME]",  "[LL]",  "[K]",  "[A]", "[E]",
        "[U]",  "[D]",  "[L]",  "[R]",  "[.]",  "[\"]", "[']",  "[m]",  "[f]",   "[$]",   "[x]",   "[>]",  "[u]", "[d]",
        "[l]",  "\\l",  "\\p",  "\\c",  "\\v",  "\\n",  "\\x",  "\\",   "\\h00", "\\hff", "\\hAb", "\\h50"};
    const ByteList bytes = {0x34, 0x53, 0x54, 0x55, 0x56, 0x57, 0x58, 0x5E, 0x5F, 0x60, 0x61, 0x59, 0x62, 0x63,
                            0x79, 0x7A, 0x7B, 0x7C, 0xB0, 0xB1, 0xB3, 0xB5, 0xB6, 0xB7, 0xB9, 0xEF, 0xF7, 0xF8,
                            0xF9, 0xFA, 0xFB, 0xFC, 0xFD, 0xFE, 0xFF, 0x50, 0x00, 0xFF, 0xAB, 0x50};
    ASSERT_EQ(tokens.size(), bytes.size());
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        EXPECT_EQ(EncodeText(tokens[i]), ByteList{bytes[i]}) << tokens[i];
    }
}

TEST(GameText, EncodesLongestTokenFirstNeverPastTheEndAndUnknownsAsQuestionMarks)
{
    const std::pair<const char*, ByteList> cases[] = {{"STONE\\", {0x92, 0x93, 0x8E, 0x8D, 0x84, 0x50}},
                                                      {"a[A]b", {0xA0, 0x62, 0xA1}},
                                                      {"\\hG1", {0x50, 0xA7, 0x86, 0xF7}},
                                                      {"\\h41B", {0x41, 0x81}},
                                                      {"ab[K", {0xA0, 0xA1, 0x9E, 0x8A}},
                                                      {"x[Ké]y[Ké", {0xB7, 0x5F, 0xB8, 0x9E, 0x8A, 0xBA}},
                                                      {"[pk]", {0x9E, 0xAF, 0xAA, 0x9F}},
                                                      {"[']'s'S", {0xB3, 0xBD, 0xE0, 0x92}},
                                                      {"~ü😀\xFF\x80\x80\x80", ByteList(7, GameText::Unknown)}};
    for (const auto& [text, bytes] : cases) {
        EXPECT_EQ(EncodeText(text), bytes) << text;
    }
    EXPECT_TRUE(IsHexDigits("0123456789ABCDEFabcdef"));
    EXPECT_FALSE(IsHexDigits("7g") || IsHexDigits("") || IsHexDigits("é"));
}
