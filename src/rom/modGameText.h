#pragma once

// The game's one-byte character encoding. Display text is UTF-8; game text is bytes ended by the
// terminator 0x50. Decoding knows the game's English font: letters, digits, blanks, punctuation, "é", "♂",
// "♀", "¥", "×", the letters joined to an apostrophe ("'s" is one byte) and the terminator; every other byte
// decodes to nothing. Encoding takes the longest match first, so each decoded character encodes back to its
// byte, and also knows the bracket and backslash escapes ("[PK]", "\h1F", "\n").

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace GameText {
constexpr std::uint8_t Terminator = 0x50;
// The blank of the game's font; 0x00 also decodes as a blank but is a control code to the game.
constexpr std::uint8_t Space = 0x7F;
// What a character no token knows becomes: "?", visible, and never a terminator or control code.
constexpr std::uint8_t Unknown = 0xE6;
} // namespace GameText

// One byte per token, no terminator added; the text "\" on its own is the terminator 0x50.
std::vector<std::uint8_t> EncodeText(std::string_view text);
// The text up to the first 0x50 (or the end).
std::string DecodeText(std::span<const std::uint8_t> bytes);
std::string DecodeText(const std::vector<std::uint8_t>& bytes);
// True for a non-empty text of the characters 0-9, A-F and a-f only.
bool IsHexDigits(std::string_view text);
