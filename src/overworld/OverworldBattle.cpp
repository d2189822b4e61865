#include "overworld/OverworldBattle.h"

#include "app/RomSession.h"
#include "rom/HexFunctions.h"
#include "rom/RomFile.h"

#include <algorithm>

namespace {

using Battles = std::array<OverworldBattle, OverworldBattleCount>;

// The Snorlax battles keep their level five bytes after the species; the others right after it.
constexpr Battles RedBlueBattles{{
    {0x1E415, 0x1E3B5, 0x1E416},
    {0x468E8, 0x468A8, 0x468E9},
    {0x51963, 0x518C0, 0x51964},
    {0x45F44, 0x45F2C, 0x45F45},
    {0x59630, std::nullopt, 0x59635},
    {0x59970, std::nullopt, 0x59975},
}};

constexpr Battles YellowBattles{{
    {0x1DD1F, 0x1DCBF, 0x1DD20},
    {0x46B5A, 0x46B1A, 0x46B5B},
    {0x519A5, 0x51902, 0x519A6},
    {0x461A5, 0x4618D, 0x461A6},
    {0x594CC, std::nullopt, 0x594D1},
    {0x5980C, std::nullopt, 0x59811},
}};

const Battles& battlesOf(GameVersion version)
{
    return version == GameVersion::Yellow ? YellowBattles : RedBlueBattles;
}

Result<std::uint8_t> readByte(const std::string& path, std::int32_t offset)
{
    const auto hex = ReadHex(path, offset, 1);
    if (!hex) {
        return hex.failure();
    }
    return ByteFromHex(*hex);
}

} // namespace

const OverworldBattle& overworldBattle(GameVersion version, int battle)
{
    return battlesOf(version).at(static_cast<std::size_t>(battle));
}

std::int64_t overworldBattlesEnd(GameVersion version)
{
    std::int64_t end = 0;
    for (const OverworldBattle& battle : battlesOf(version)) {
        end = std::max<std::int64_t>({end, battle.speciesOffset + 1, battle.levelOffset + 1});
        if (battle.secondSpeciesOffset) {
            end = std::max<std::int64_t>(end, *battle.secondSpeciesOffset + 1);
        }
    }
    return end;
}

Result<BattleValues> readBattle(const std::string& path, const VersionProfile& profile, int battle)
{
    const OverworldBattle& positions = overworldBattle(profile.version, battle);
    const auto species = readByte(path, positions.speciesOffset);
    if (!species) {
        return species.failure();
    }
    const auto level = readByte(path, positions.levelOffset);
    if (!level) {
        return level.failure();
    }
    return BattleValues{*species, *level};
}

WriteStatus writeBattles(const std::string& path,
                         const VersionProfile& profile,
                         const std::array<std::optional<BattleValues>, OverworldBattleCount>& battles)
{
    if (auto failure = verifyRomBeforeWrite(path, profile)) {
        return failure;
    }
    for (int battle = 0; battle < OverworldBattleCount; ++battle) {
        const auto& values = battles[static_cast<std::size_t>(battle)];
        if (!values) {
            continue;
        }
        const OverworldBattle& positions = overworldBattle(profile.version, battle);
        if (auto failure = WriteHex(path, positions.speciesOffset, HexByte(values->species))) {
            return failure;
        }
        if (positions.secondSpeciesOffset) {
            if (auto failure = WriteHex(path, *positions.secondSpeciesOffset, HexByte(values->species))) {
                return failure;
            }
        }
        if (auto failure = WriteHex(path, positions.levelOffset, HexByte(values->level))) {
            return failure;
        }
    }
    auto file = RomFile::open(path, RomFile::Mode::ReadWrite);
    if (!file) {
        return file.failure();
    }
    return file.value().sync();
}
