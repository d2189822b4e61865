// The game text codec in both directions, on arbitrary input: no crash, no sanitizer report, and the
// invariants the editor relies on when it shows names from a ROM and writes names back into it.

#include "FuzzCheck.h"
#include "rom/DisplayText.h"
#include "rom/modGameText.h"

#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // Arbitrary bytes read from a ROM as a name: UTF-8, two characters per byte at most, nothing past the
    // terminator, and only characters the codec maps both ways, so that storing the name as shown gives text
    // that reads back the same and never a terminator that would split the game's name table. (Brackets
    // around a token's letters, "[PK]", are that token once typed.)
    const auto isValidUtf8 = [](const std::string& text) {
        const std::vector<char32_t> codePoints = toCodePoints(text);
        return std::count(codePoints.begin(), codePoints.end(), 0xFFFD) == 0;
    };
    const std::vector<std::uint8_t> bytes(data, data + size);
    const std::string decoded = DecodeText(bytes);
    FUZZ_CHECK(isValidUtf8(decoded));
    const auto terminator = std::find(bytes.begin(), bytes.end(), GameText::Terminator);
    FUZZ_CHECK(characterCount(decoded) <= 2 * static_cast<std::size_t>(terminator - bytes.begin()));
    const std::vector<std::uint8_t> reencoded = EncodeText(decoded);
    FUZZ_CHECK(reencoded.size() <= characterCount(decoded));
    FUZZ_CHECK(decoded.find('[') != std::string::npos || DecodeText(reencoded) == decoded);
    FUZZ_CHECK(std::count(reencoded.begin(), reencoded.end(), GameText::Terminator) == 0);
    // Arbitrary text typed into a name box: one byte per token at most, and it reads back as UTF-8.
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::vector<std::uint8_t> encoded = EncodeText(text);
    FUZZ_CHECK(encoded.size() <= toCodePoints(text).size() && isValidUtf8(DecodeText(encoded)));
    return 0;
}
