#include "rom/VersionProfile.h"

#include <algorithm>
#include <array>

namespace {

// Blue is Red with another name; only three prize positions differ, and those live in the trainer layout.
// clang-format off
constexpr std::array<VersionProfile, 3> Profiles{{
    {GameVersion::Red,    "RED", "Pokémon Red",    "RED - Tavrik", 0x1C21E, 0xAFFFF, 0x472A, 0x39D22,      true,  0x399FF, 0x39D3B, 0x39914, std::nullopt, 0x3B05C},
    {GameVersion::Blue,   "BLU", "Pokémon Blue",   "BLU - Tavrik", 0x1C21E, 0xAFFFF, 0x472A, 0x39D22,      true,  0x399FF, 0x39D3B, 0x39914, std::nullopt, 0x3B05C},
    {GameVersion::Yellow, "YEL", "Pokémon Yellow", "YEL - Tavrik", 0xE8000, 0xBBFFF, 0x45B6, std::nullopt, false, 0x3997E, 0x39DD1, 0x39893, 0x39C6B,    0x3B1E5},
}};
// clang-format on

} // namespace

const VersionProfile* profileFor(std::string_view code)
{
    for (const VersionProfile& profile : Profiles) {
        if (profile.code == code) {
            return &profile;
        }
    }
    return nullptr;
}

const VersionProfile& profileOf(GameVersion version)
{
    return Profiles[static_cast<std::size_t>(version)];
}

std::string ReadVersionCode(const std::vector<std::uint8_t>& image)
{
    const auto begin = std::min<std::size_t>(image.size(), VersionCodeOffset);
    const auto end = std::min<std::size_t>(image.size(), VersionCodeOffset + VersionCodeLength);
    return std::string(image.begin() + static_cast<std::ptrdiff_t>(begin),
                       image.begin() + static_cast<std::ptrdiff_t>(end));
}
