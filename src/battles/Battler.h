#pragma once

// What an opponent's Pokémon fights with when a battle starts, computed as the game computes it. Its moves: the
// species' four level-1 moves, then its learnset walked in order while an entry's level is at most the Pokémon's
// (the walk stops at the first higher one, as the game assumes the list sorted): a move already known is skipped,
// a new one goes into the first empty slot, and with all four full the first is pushed out and the others move up.
// Its PP: each move's from the moves table, as the battle loads them for the move in each slot. Its stats: the
// game's integer formula with stat experience 0 and the DVs a trainer's Pokémon always has (Attack 9, Defense 8,
// Speed 8, Special 8, so HP 8); a wild Pokémon's DVs are random, so only its moves and PP are fixed.

#include "species/SpeciesData.h"

#include <array>
#include <cstdint>
#include <optional>

constexpr int MoveSlots = 4;

struct Dvs
{
    int attack = 0;
    int defense = 0;
    int speed = 0;
    int special = 0;

    // The HP DV is made of the low bits of the other four.
    int hp() const { return (attack & 1) << 3 | (defense & 1) << 2 | (speed & 1) << 1 | (special & 1); }
};

constexpr Dvs TrainerDvs{9, 8, 8, 8};

struct BattleStats
{
    int hp = 0;
    int attack = 0;
    int defense = 0;
    int speed = 0;
    int special = 0;

    bool operator==(const BattleStats&) const = default;
};

// Where the move in a slot comes from.
enum class MoveOrigin : std::uint8_t
{
    // The level-1 moves and the learnset.
    Level,
    // Red and Blue: the gym leader's special move.
    GymLeader,
    // Red and Blue: the Elite Four member's team move.
    TeamMove,
    // Red and Blue: the champion's moves written in the game's code.
    Champion,
    // Yellow: the custom moves table.
    Custom
};

using MoveSet = std::array<std::uint8_t, MoveSlots>;

struct Battler
{
    int species = 0;
    int level = 0;
    // 0 is an empty slot.
    MoveSet moves{};
    MoveSet pp{};
    std::array<MoveOrigin, MoveSlots> origin{};
    // Empty for a species without a base stats record, or a wild Pokémon.
    std::optional<BattleStats> stats;

    bool operator==(const Battler&) const = default;
};

// The moves a species knows at level, as the game writes them; all empty for a species without a record.
MoveSet movesAtLevel(const SpeciesData& data, int species, int level);
// The game's stat formula: ((base + DV) × 2 × level) / 100 + 5, and for HP + level + 10 instead of + 5, each
// truncated, capped at 999 as the game caps them.
BattleStats battleStats(const BaseStats& base, int level, const Dvs& dvs);
// The PP of each move in the table; 0 for an empty slot or a move past the table.
MoveSet movePps(const SpeciesData& data, const MoveSet& moves);
// A trainer's Pokémon (with stats) or a wild one (without).
Battler trainerBattler(const SpeciesData& data, int species, int level);
Battler wildBattler(const SpeciesData& data, int species, int level);
