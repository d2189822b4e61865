#include "rom/modGameText.h"

#include "rom/DisplayText.h"
#include "rom/cStringBuilder.h"

#include <array>
#include <optional>

namespace {

struct Token
{
    std::u32string_view text;
    std::uint8_t byte;
};

// Control and picture tokens of the game's text engine.
constexpr std::array<Token, 11> FourCharacterTokens{{
    {U"[Lv]", 0x34},
    {U"[PK]", 0x53},
    {U"[MN]", 0x54},
    {U"[PO]", 0x55},
    {U"[Ke]", 0x56},
    {U"[BL]", 0x57},
    {U"[OC]", 0x58},
    {U"[Po]", 0x5E},
    {U"[Ké]", 0x5F},
    {U"[ME]", 0x60},
    {U"[LL]", 0x61},
}};

constexpr std::array<Token, 18> ThreeCharacterTokens{{
    {U"[K]", 0x59},
    {U"[A]", 0x62},
    {U"[E]", 0x63},
    {U"[U]", 0x79},
    {U"[D]", 0x7A},
    {U"[L]", 0x7B},
    {U"[R]", 0x7C},
    {U"[.]", 0xB0},
    {U"[\"]", 0xB1},
    {U"[']", 0xB3},
    {U"[m]", 0xB5},
    {U"[f]", 0xB6},
    {U"[$]", 0xB7},
    {U"[x]", 0xB9},
    {U"[>]", 0xEF},
    {U"[u]", 0xF7},
    {U"[d]", 0xF8},
    {U"[l]", 0xF9},
}};

// The control codes, and the letters the font joins to an apostrophe: "'s" is one byte, not "'" and "s".
constexpr std::array<Token, 13> TwoCharacterTokens{{
    {U"'d", 0xBB},
    {U"'l", 0xBC},
    {U"'s", 0xBD},
    {U"'t", 0xBE},
    {U"'v", 0xBF},
    {U"'r", 0xE4},
    {U"'m", 0xE5},
    {U"\\l", 0xFA},
    {U"\\p", 0xFB},
    {U"\\c", 0xFC},
    {U"\\v", 0xFD},
    {U"\\n", 0xFE},
    {U"\\x", 0xFF},
}};

bool isHexDigit(char32_t c)
{
    return (c >= U'0' && c <= U'9') || (c >= U'A' && c <= U'F') || (c >= U'a' && c <= U'f');
}

std::uint8_t hexValue(char32_t c)
{
    if (c <= U'9') {
        return static_cast<std::uint8_t>(c - U'0');
    }
    return static_cast<std::uint8_t>((c | 0x20U) - U'a' + 10);
}

template <std::size_t N>
std::optional<std::uint8_t> matchToken(const std::array<Token, N>& tokens, std::u32string_view candidate)
{
    for (const Token& token : tokens) {
        if (token.text == candidate) {
            return token.byte;
        }
    }
    return std::nullopt;
}

std::uint8_t singleCharacterByte(char32_t c)
{
    if (c >= U'A' && c <= U'Z') {
        return static_cast<std::uint8_t>(0x80 + (c - U'A'));
    }
    if (c >= U'a' && c <= U'z') {
        return static_cast<std::uint8_t>(0xA0 + (c - U'a'));
    }
    if (c >= U'0' && c <= U'9') {
        return static_cast<std::uint8_t>(0xF6 + (c - U'0'));
    }
    switch (c) {
    case U'\\':
        return GameText::Terminator;
    case U' ':
        return GameText::Space;
    case U',':
        return 0xF4;
    case U'!':
        return 0xE7;
    case U'?':
        return 0xE6;
    case U'.':
        return 0xE8;
    case U'é':
        return 0xBA;
    case U'(':
        return 0x9A;
    case U')':
        return 0x9B;
    case U':':
        return 0x9C;
    case U';':
        return 0x9D;
    case U'[':
        return 0x9E;
    case U']':
        return 0x9F;
    case U'\'':
        return 0xE0;
    case U'-':
        return 0xE3;
    case U'♂':
        return 0xEF;
    case U'¥':
        return 0xF0;
    case U'×':
        return 0xF1;
    case U'/':
        return 0xF3;
    case U'♀':
        return 0xF5;
    default:
        return GameText::Unknown;
    }
}

// The byte of the token at the front of rest, and how many characters it took.
std::pair<std::uint8_t, std::size_t> nextToken(std::u32string_view rest)
{
    if (rest.size() >= 4) {
        if (const auto byte = matchToken(FourCharacterTokens, rest.substr(0, 4))) {
            return {*byte, 4};
        }
        if (rest[0] == U'\\' && rest[1] == U'h' && isHexDigit(rest[2]) && isHexDigit(rest[3])) {
            return {static_cast<std::uint8_t>(hexValue(rest[2]) * 16 + hexValue(rest[3])), 4};
        }
    }
    if (rest.size() >= 3) {
        if (const auto byte = matchToken(ThreeCharacterTokens, rest.substr(0, 3))) {
            return {*byte, 3};
        }
    }
    if (rest.size() >= 2) {
        if (const auto byte = matchToken(TwoCharacterTokens, rest.substr(0, 2))) {
            return {*byte, 2};
        }
    }
    return {singleCharacterByte(rest[0]), 1};
}

// The text of each byte; empty for the bytes that decode to nothing.
constexpr std::array<std::string_view, 256> DecodeTable = [] {
    constexpr std::string_view Upper = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    constexpr std::string_view Lower = "abcdefghijklmnopqrstuvwxyz";
    constexpr std::string_view Digits = "0123456789";
    std::array<std::string_view, 256> table{};
    for (std::size_t k = 0; k < 26; ++k) {
        table[0x80 + k] = Upper.substr(k, 1);
        table[0xA0 + k] = Lower.substr(k, 1);
    }
    for (std::size_t k = 0; k < 10; ++k) {
        table[0xF6 + k] = Digits.substr(k, 1);
    }
    table[0x00] = table[0x7F] = " ";
    constexpr std::string_view Punctuation[] = {"(", ")", ":", ";", "[", "]"};
    constexpr std::string_view Contractions[] = {"'d", "'l", "'s", "'t", "'v"};
    for (std::size_t k = 0; k < std::size(Punctuation); ++k) {
        table[0x9A + k] = Punctuation[k];
    }
    for (std::size_t k = 0; k < std::size(Contractions); ++k) {
        table[0xBB + k] = Contractions[k];
    }
    table[0xBA] = "é";
    table[0xE0] = "'";
    table[0xE3] = "-";
    table[0xE4] = "'r";
    table[0xE5] = "'m";
    table[0xE6] = "?";
    table[0xE7] = "!";
    table[0xE8] = ".";
    table[0xEF] = "♂";
    table[0xF0] = "¥";
    table[0xF1] = "×";
    table[0xF3] = "/";
    table[0xF4] = ",";
    table[0xF5] = "♀";
    return table;
}();

} // namespace

std::vector<std::uint8_t> EncodeText(std::string_view text)
{
    const std::vector<char32_t> codePoints = toCodePoints(text);
    const std::u32string_view all(codePoints.data(), codePoints.size());
    std::vector<std::uint8_t> bytes;
    bytes.reserve(codePoints.size());
    std::size_t i = 0;
    while (i < all.size()) {
        const auto [byte, length] = nextToken(all.substr(i));
        bytes.push_back(byte);
        i += length;
    }
    return bytes;
}

std::string DecodeText(const std::vector<std::uint8_t>& bytes)
{
    return DecodeText(std::span<const std::uint8_t>(bytes));
}

std::string DecodeText(std::span<const std::uint8_t> bytes)
{
    cStringBuilder text;
    for (const std::uint8_t byte : bytes) {
        if (byte == GameText::Terminator) {
            break;
        }
        text.Append(DecodeTable[byte]);
    }
    return text.ToString();
}

bool IsHexDigits(std::string_view text)
{
    if (text.empty()) {
        return false;
    }
    for (const char c : text) {
        if (!isHexDigit(static_cast<unsigned char>(c))) {
            return false;
        }
    }
    return true;
}
