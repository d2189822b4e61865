#include "app/VersionProfile.h"

#include "catalogues/NameCatalogues.h"
#include "overworld/OverworldBattle.h"
#include "rom/RomFile.h"
#include "trainers/TrainerLayout.h"

#include <algorithm>
#include <array>

namespace {

// Blue is Red with another name; only three prize positions differ, and those live in the trainer layout.
constexpr std::array<VersionProfile, 3> Profiles{{
    {GameVersion::Red, "RED", "Pokémon Red", "RED - Tavrik", 0x1C21E, 0xAFFFF, 0x472A, 0x39D22, true},
    {GameVersion::Blue, "BLU", "Pokémon Blue", "BLU - Tavrik", 0x1C21E, 0xAFFFF, 0x472A, 0x39D22, true},
    {GameVersion::Yellow, "YEL", "Pokémon Yellow", "YEL - Tavrik", 0xE8000, 0xBBFFF, 0x45B6, std::nullopt, false},
}};

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

Result<std::string> ReadVersionCode(const std::string& path)
{
    auto file = RomFile::open(path, RomFile::Mode::Read);
    if (!file) {
        return file.failure();
    }
    const auto size = file.value().size();
    if (!size) {
        return size.failure();
    }
    const std::int64_t available = std::clamp<std::int64_t>(*size - VersionCodeOffset, 0, VersionCodeLength);
    if (available == 0) {
        return std::string();
    }
    const auto bytes = file.value().read(VersionCodeOffset, available);
    if (!bytes) {
        return bytes.failure();
    }
    return std::string(bytes->begin(), bytes->end());
}

std::int64_t requiredRomSize(const VersionProfile& profile)
{
    std::int64_t end = VersionCodeOffset + VersionCodeLength;
    end = std::max(end, trainerLayoutsEnd(profile.version));
    end = std::max(end, overworldBattlesEnd(profile.version));
    end = std::max(end, catalogueReadsEnd(profile));
    return end;
}
