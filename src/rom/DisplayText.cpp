#include "rom/DisplayText.h"

#include <cstdio>

namespace {

constexpr char32_t Replacement = 0xFFFD;

// Length of the UTF-8 sequence a lead byte opens, 0 for a byte that cannot open one.
std::size_t sequenceLength(unsigned char lead)
{
    if (lead < 0x80) {
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        return 2;
    }
    if (lead >= 0xE0 && lead <= 0xEF) {
        return 3;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        return 4;
    }
    return 0;
}

// The bytes of the character at i: its UTF-8 sequence, or 1 for a byte that opens none.
std::size_t characterLength(std::string_view text, std::size_t i)
{
    const std::size_t length = sequenceLength(static_cast<unsigned char>(text[i]));
    if (length == 0 || i + length > text.size()) {
        return 1;
    }
    for (std::size_t k = 1; k < length; ++k) {
        if ((static_cast<unsigned char>(text[i + k]) & 0xC0U) != 0x80U) {
            return 1;
        }
    }
    return length;
}

} // namespace

std::vector<char32_t> toCodePoints(std::string_view text)
{
    std::vector<char32_t> result;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = characterLength(text, i);
        if (length == 1) {
            result.push_back(lead < 0x80 ? lead : Replacement);
        } else {
            char32_t codePoint = lead & (0x7FU >> length);
            for (std::size_t k = 1; k < length; ++k) {
                codePoint = (codePoint << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3FU);
            }
            result.push_back(codePoint);
        }
        i += length;
    }
    return result;
}

std::size_t characterCount(std::string_view text)
{
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size(); i += characterLength(text, i)) {
        ++count;
    }
    return count;
}

std::string fitText(std::string_view text, std::size_t width)
{
    std::string fitted = leftText(text, width);
    fitted.append(width - characterCount(fitted), ' ');
    return fitted;
}

std::string leftText(std::string_view text, std::size_t width)
{
    std::size_t end = 0;
    for (std::size_t count = 0; end < text.size() && count < width; ++count) {
        end += characterLength(text, end);
    }
    return std::string(text.substr(0, end));
}

std::string trimBlanks(std::string_view text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(' ');
    return std::string(text.substr(first, last - first + 1));
}

std::string groupedNumber(long long number)
{
    std::string digits = std::to_string(number < 0 ? -number : number);
    for (auto at = static_cast<std::ptrdiff_t>(digits.size()) - 3; at > 0; at -= 3) {
        digits.insert(static_cast<std::size_t>(at), 1, ',');
    }
    return (number < 0 ? "-" : "") + digits;
}

std::string hexNumber(long long number, int digits)
{
    char text[24];
    std::snprintf(text, sizeof text, "0x%0*llX", digits, static_cast<unsigned long long>(number));
    return text;
}
