#pragma once

// The six fixed overworld battles against a single wild Pokémon: Zapdos, Articuno, Moltres, Mewtwo and
// the two Snorlax. The game keeps the species of the first four twice (the sprite standing on the map and
// the battle itself), so a save writes both; only the first is read. A battle is edited only while the
// bytes the game keeps around it hold what the game needs there.

#include "rom/Failure.h"
#include "rom/RomTarget.h"
#include "rom/VersionProfile.h"
#include "rom/WritePlan.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

constexpr int OverworldBattleCount = 6;

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

// battle 0..5, in the order of the editor's frames.
const OverworldBattle& overworldBattle(GameVersion version, int battle);
// "Power Plant Zapdos" .. "Route 16 Snorlax".
std::string overworldBattleName(int battle);
std::int64_t overworldBattlesEnd(GameVersion version);

bool battleInPlace(const Bytes& image, GameVersion version, int battle);
BattleValues readBattle(const Bytes& image, GameVersion version, int battle);

// The writes of every battle that has values and is in place in image: species, second species, level,
// battle by battle. The battles with values that are not in place are added to leftAlone.
WritePlan
planBattleWrites(const Bytes& image, GameVersion version, const BattleEdits& battles, std::vector<int>& leftAlone);

// One read of the file, the check that it is still this version's ROM, the writes, fsync. A failure when
// any battle with values was not written.
WriteStatus writeBattles(const RomTarget& rom, const BattleEdits& battles);
