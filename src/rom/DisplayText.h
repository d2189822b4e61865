#pragma once

// Helpers for the decoded names shown in the lists. Texts are UTF-8 and lengths count characters
// (code points), so "é" is one character. A blank is the space character only.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

std::vector<char32_t> toCodePoints(std::string_view text);
std::size_t characterCount(std::string_view text);

// Cut after width characters, or pad on the right with blanks up to width.
std::string fitText(std::string_view text, std::size_t width);
// The first width characters.
std::string leftText(std::string_view text, std::size_t width);
// Blanks removed at both ends.
std::string trimBlanks(std::string_view text);
// A number in English digits grouped by thousands: 2975 gives "2,975", -1050 gives "-1,050".
std::string groupedNumber(long long number);
// An offset or a byte as the notes show it, in capital hex digits, zero-padded to digits: 0x3BBF6, 0x0B.
std::string hexNumber(long long number, int digits = 0);
