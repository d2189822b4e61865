#pragma once

// The six fixed overworld battles against a single wild Pokémon: Zapdos, Articuno, Moltres, Mewtwo and
// the two Snorlax. The game keeps the species of the first four twice (the sprite standing on the map and
// the battle itself), so a save writes both; only the first is read.

#include "app/VersionProfile.h"
#include "rom/Failure.h"

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
};

// battle 0..5, in the order of the editor's frames.
const OverworldBattle& overworldBattle(GameVersion version, int battle);
std::int64_t overworldBattlesEnd(GameVersion version);

Result<BattleValues> readBattle(const std::string& path, const VersionProfile& profile, int battle);

// Checks the file is still this version's ROM, then writes every battle that has values (species,
// second species, level, battle by battle) and flushes to disk. Battles without values are left alone.
// Stops at the first failure.
WriteStatus writeBattles(const std::string& path,
                         const VersionProfile& profile,
                         const std::array<std::optional<BattleValues>, OverworldBattleCount>& battles);
