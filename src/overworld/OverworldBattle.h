#pragma once

// The six fixed overworld battles against a single wild Pokémon: Zapdos, Articuno, Moltres, Mewtwo and
// the two Snorlax. The game keeps the species of the first four twice (the sprite standing on the map and
// the battle itself), so a save writes both; only the first is read. A battle is edited only while the
// bytes the game keeps around it hold what the game needs there.

#include "history/CommitSave.h"
#include "rom/Failure.h"
#include "rom/RomTarget.h"
#include "rom/VersionProfile.h"
#include "rom/WritePlan.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

constexpr int OverworldBattleCount = 6;
// The facing bytes of a Pokémon that stands on a map: DOWN, UP, LEFT, RIGHT (one in a ball faces none, 0xFF).
constexpr std::uint8_t FirstFacing = 0xD0;
constexpr std::uint8_t LastFacing = 0xD3;

struct OverworldBattle
{
    std::int32_t speciesOffset;
    std::optional<std::int32_t> secondSpeciesOffset;
    std::int32_t levelOffset;
};

struct BattleValues
{
    std::uint8_t species = 0;
    std::uint8_t level = 0;

    bool operator==(const BattleValues&) const = default;
};
using BattleEdits = std::array<std::optional<BattleValues>, OverworldBattleCount>;

// Where a version keeps its six battles, in the order of the editor's frames.
using BattlePositions = std::array<OverworldBattle, OverworldBattleCount>;
// The places of a version's battles in one image; a reader of the maps finds the first four through the objects
// that stand on the maps.
using LocateBattles = BattlePositions (*)(const Bytes& image, const VersionProfile& profile);

// The places the released games keep them at. battle 0..5.
const BattlePositions& fixedPositions(GameVersion version);
const OverworldBattle& overworldBattle(GameVersion version, int battle);
// "Power Plant Zapdos" .. "Route 16 Snorlax".
std::string overworldBattleName(int battle);
std::int64_t overworldBattlesEnd(GameVersion version);

// Each of these with a version reads the battles at their fixed places.
bool battleInPlace(const Bytes& image, const BattlePositions& positions, int battle);
bool battleInPlace(const Bytes& image, GameVersion version, int battle);
BattleValues readBattle(const Bytes& image, const BattlePositions& positions, int battle);
BattleValues readBattle(const Bytes& image, GameVersion version, int battle);

// The writes of every battle that has values and is in place in image: species, second species, level,
// battle by battle. The battles with values that are not in place are added to leftAlone.
WritePlan planBattleWrites(const Bytes& image,
                           const BattlePositions& positions,
                           const BattleEdits& battles,
                           std::vector<int>& leftAlone);
WritePlan
planBattleWrites(const Bytes& image, GameVersion version, const BattleEdits& battles, std::vector<int>& leftAlone);

// One read of the file, the check that it is still this version's ROM, the writes, fsync. The battles are where
// locate finds them in the file read, or at their fixed places without it. A failure when any battle with values
// was not written.
Result<Commit> writeBattles(const RomTarget& rom,
                            const BattleEdits& battles,
                            const std::string& label,
                            LocateBattles locate = nullptr,
                            const CommitOptions& options = {});
