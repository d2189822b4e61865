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

// Letters, digits and the few signs the game's font has: each one byte, and back unchanged.
void roundTripPlainText(const std::uint8_t* data, std::size_t size)
{
    static constexpr std::string_view Plain = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789 ?!.,";
    std::string text;
    for (std::size_t i = 0; i < size; ++i) {
        // One value in 256 stands for the one plain letter outside ASCII.
        if (data[i] == 0xFF) {
            text += "é";
        } else {
            text += Plain[data[i] % Plain.size()];
        }
    }
    const std::vector<std::uint8_t> encoded = EncodeText(text);
    FUZZ_CHECK(encoded.size() == characterCount(text));
    FUZZ_CHECK(std::find(encoded.begin(), encoded.end(), GameText::Terminator) == encoded.end());
    FUZZ_CHECK(DecodeText(encoded) == text);
}

// "\hXY" stands for the byte XY whatever it is, in either letter case, wherever it stands.
void hexEscape(std::uint8_t byte, bool upper)
{
    static constexpr std::string_view Lower = "0123456789abcdef";
    static constexpr std::string_view Upper = "0123456789ABCDEF";
    const std::string_view digits = upper ? Upper : Lower;
    const std::string escape{'\\', 'h', digits[byte >> 4], digits[byte & 0x0F]};
    FUZZ_CHECK(EncodeText(escape) == std::vector<std::uint8_t>{byte});
    FUZZ_CHECK(EncodeText("A" + escape + "z") == (std::vector<std::uint8_t>{0x80, byte, 0xB9}));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    decodeArbitraryBytes(std::vector<std::uint8_t>(data, data + size));
    encodeArbitraryText(std::string_view(reinterpret_cast<const char*>(data), size));
    roundTripPlainText(data, size);
    if (size >= 2) {
        hexEscape(data[0], (data[1] & 1) != 0);
    }
    return 0;
}
