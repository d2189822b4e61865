// The game text codec in both directions, on arbitrary input: no crash, no sanitizer report, and the
// invariants the editor relies on when it shows names from a ROM and writes names back into it.

#include "FuzzCheck.h"
#include "rom/DisplayText.h"
#include "rom/modGameText.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr char32_t Replacement = 0xFFFD;

bool isValidUtf8(const std::string& text)
{
    const std::vector<char32_t> codePoints = toCodePoints(text);
    return std::find(codePoints.begin(), codePoints.end(), Replacement) == codePoints.end() &&
           fromCodePoints(codePoints) == text;
}

// Arbitrary bytes read from a ROM as a name.
void decodeArbitraryBytes(const std::vector<std::uint8_t>& bytes)
{
    const std::string decoded = DecodeText(bytes);
    // The lists show it as UTF-8, one character per byte at most, and nothing past the terminator.
    FUZZ_CHECK(isValidUtf8(decoded));
    const auto terminator = std::find(bytes.begin(), bytes.end(), GameText::Terminator);
    FUZZ_CHECK(characterCount(decoded) <= static_cast<std::size_t>(terminator - bytes.begin()));
    // A decoded name only holds characters the codec maps both ways, so saving it unchanged stores
    // text that reads back the same, and never a terminator that would split the game's name table.
    const std::vector<std::uint8_t> reencoded = EncodeText(decoded);
    FUZZ_CHECK(reencoded.size() == characterCount(decoded));
    FUZZ_CHECK(std::find(reencoded.begin(), reencoded.end(), GameText::Terminator) == reencoded.end());
    FUZZ_CHECK(DecodeText(reencoded) == decoded);
}

// Arbitrary text typed into a name box.
void encodeArbitraryText(std::string_view text)
{
    const std::vector<std::uint8_t> encoded = EncodeText(text);
    FUZZ_CHECK(encoded.size() <= toCodePoints(text).size());
    FUZZ_CHECK(isValidUtf8(DecodeText(encoded)));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    decodeArbitraryBytes(std::vector<std::uint8_t>(data, data + size));
    encodeArbitraryText(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
