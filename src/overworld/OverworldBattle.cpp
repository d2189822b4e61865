#include "overworld/OverworldBattle.h"

#include <algorithm>

namespace {

using Battles = BattlePositions;

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

// The instructions around the values: "ld a, n" (0x3E) loads a species or level, "call" (0xCD) plays the
// cry of the second species. The first species of a bird or Mewtwo sits in its map object: behind a
// text byte with the 0x40 flag, which follows a movement byte 0xD0..0xD3.
constexpr std::uint8_t LoadA = 0x3E;
constexpr std::uint8_t Call = 0xCD;

const Battles& battlesOf(GameVersion version)
{
    return version == GameVersion::Yellow ? YellowBattles : RedBlueBattles;
}

std::uint8_t byteAt(const Bytes& image, std::int32_t offset)
{
    return offset >= 0 && static_cast<std::size_t>(offset) < image.size() ? image[static_cast<std::size_t>(offset)] : 0;
}

} // namespace

const BattlePositions& fixedPositions(GameVersion version)
{
    return battlesOf(version);
}

const OverworldBattle& overworldBattle(GameVersion version, int battle)
{
    return battlesOf(version).at(static_cast<std::size_t>(battle));
}

std::string overworldBattleName(int battle)
{
    static const char* const Names[OverworldBattleCount] = {"Power Plant Zapdos",
                                                            "Seafoam Islands Articuno",
                                                            "Victory Road Moltres",
                                                            "Cerulean Cave Mewtwo",
                                                            "Route 12 Snorlax",
                                                            "Route 16 Snorlax"};
    return Names[battle];
}

std::int64_t overworldBattlesEnd(GameVersion version)
{
    std::int64_t end = 0;
    for (const OverworldBattle& battle : battlesOf(version)) {
        end = std::max<std::int64_t>({end, battle.speciesOffset + 1, battle.levelOffset + 1});
        if (battle.secondSpeciesOffset) {
            end = std::max<std::int64_t>(end, *battle.secondSpeciesOffset + 2);
        }
    }
    return end;
}

bool battleInPlace(const Bytes& image, GameVersion version, int battle)
{
    return battleInPlace(image, battlesOf(version), battle);
}

bool battleInPlace(const Bytes& image, const BattlePositions& positions, int battle)
{
    const OverworldBattle& at = positions.at(static_cast<std::size_t>(battle));
    if (!at.secondSpeciesOffset) {
        return byteAt(image, at.speciesOffset - 1) == LoadA && byteAt(image, at.levelOffset - 1) == LoadA;
    }
    const std::uint8_t movement = byteAt(image, at.speciesOffset - 2);
    return (byteAt(image, at.speciesOffset - 1) & 0x40) != 0 && movement >= FirstFacing && movement <= LastFacing &&
           byteAt(image, *at.secondSpeciesOffset - 1) == LoadA && byteAt(image, *at.secondSpeciesOffset + 1) == Call;
}

BattleValues readBattle(const Bytes& image, GameVersion version, int battle)
{
    return readBattle(image, battlesOf(version), battle);
}

BattleValues readBattle(const Bytes& image, const BattlePositions& positions, int battle)
{
    const OverworldBattle& at = positions.at(static_cast<std::size_t>(battle));
    return {byteAt(image, at.speciesOffset), byteAt(image, at.levelOffset)};
}

WritePlan
planBattleWrites(const Bytes& image, GameVersion version, const BattleEdits& battles, std::vector<int>& leftAlone)
{
    return planBattleWrites(image, battlesOf(version), battles, leftAlone);
}

WritePlan planBattleWrites(const Bytes& image,
                           const BattlePositions& positions,
                           const BattleEdits& battles,
                           std::vector<int>& leftAlone)
{
    WritePlan plan;
    for (int battle = 0; battle < OverworldBattleCount; ++battle) {
        const auto& values = battles[static_cast<std::size_t>(battle)];
        if (!values) {
            continue;
        }
        if (!battleInPlace(image, positions, battle)) {
            leftAlone.push_back(battle);
            continue;
        }
        const OverworldBattle& at = positions[static_cast<std::size_t>(battle)];
        plan.push_back({at.speciesOffset, {values->species}});
        if (at.secondSpeciesOffset) {
            plan.push_back({*at.secondSpeciesOffset, {values->species}});
        }
        plan.push_back({at.levelOffset, {values->level}});
    }
    return plan;
}

Result<Commit> writeBattles(const RomTarget& rom,
                            const BattleEdits& battles,
                            const std::string& label,
                            LocateBattles locate,
                            const CommitOptions& options)
{
    const VersionProfile& profile = *rom.profile;
    const auto image = rom.readAgain();
    if (!image) {
        return image.failure();
    }
    const BattlePositions positions = locate != nullptr ? locate(*image, profile) : battlesOf(profile.version);
    std::vector<int> leftAlone;
    const auto commit =
        commitSave(rom.path, *image, planBattleWrites(*image, positions, battles, leftAlone), label, options);
    if (!commit || leftAlone.empty()) {
        return commit;
    }
    std::string names;
    for (const int battle : leftAlone) {
        names += (names.empty() ? "" : ", ") + overworldBattleName(battle);
    }
    return Failure{FailureNumber::NotInPlace,
                   names + ": no longer where " + std::string(profile.title) +
                       " keeps it, so it was not written. The other battles were saved."};
}
