#pragma once

// Red's and Blue's champion (the rival's third class) gets its moves from operands in the code that reads a
// trainer's party, not from a table: after the Elite Four's team moves, the champion branch loads SKY ATTACK into
// member 1's move slot 3, then compares the rival's starter with BULBASAUR and CHARMANDER and loads MEGA DRAIN,
// FIRE BLAST or else BLIZZARD into member 6's slot 3. The operands are read and written only while the
// instructions around them are the released game's.

#include "rom/Failure.h"
#include "rom/RomFile.h"
#include "rom/VersionProfile.h"
#include "rom/WritePlan.h"

#include <cstdint>

// The champion's moves: the released game's unless read otherwise.
struct ChampionMoves
{
    std::uint8_t first = 0x8F;      // SKY ATTACK
    std::uint8_t bulbasaur = 0x48;  // MEGA DRAIN
    std::uint8_t charmander = 0x7E; // FIRE BLAST
    std::uint8_t otherwise = 0x3B;  // BLIZZARD

    bool operator==(const ChampionMoves&) const = default;
};

// The species bytes the code compares the rival's starter with.
constexpr std::uint8_t ChampionBulbasaur = 0x99;
constexpr std::uint8_t ChampionCharmander = 0xB0;

// The moves as the code holds them; a failure saying why when the version keeps none there (Yellow) or the
// instructions are not the game's.
Result<ChampionMoves> readChampionMoves(const Bytes& image, const VersionProfile& profile);
// The writes that put moves into the operands, refused where they cannot be read.
Result<WritePlan> planChampionMoves(const Bytes& image, const VersionProfile& profile, const ChampionMoves& moves);
