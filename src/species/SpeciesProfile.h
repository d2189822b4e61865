#pragma once

// Where each version keeps the species data that lie at fixed places: the moves table (165 moves of 6 bytes at the
// start of the trainer bank), the 55 moves of the TM/HM list and the pointers to the type names, the name texts in
// the same bank as those pointers. The base stats are found as the pictures find them (pictures/PictureLocator.h):
// through the Pokédex number of a species byte, in records of 28 bytes in Pokédex order; the evolutions and
// learnsets through the pointers of the VersionProfile.

#include "rom/VersionProfile.h"

#include <cstdint>

constexpr int MoveTableCount = 165;
constexpr std::int32_t MoveLength = 6;
// TM01..TM50, then HM01..HM05.
constexpr int MachineCount = 55;
constexpr int TmCount = 50;
// Types 0x00..0x1A have a name; the game's own Pokémon and moves use 0..8 and 0x14..0x1A.
constexpr int TypeCount = 27;
constexpr int TypeNameBank = 0x09;
// The longest type name is 8 letters; the game copies 13 bytes.
constexpr int TypeNameWindow = 13;
// Effects 0x00..0x56 have a routine; growth rates 0..5 a formula.
constexpr int EffectCount = 0x57;
constexpr int GrowthRateCount = 6;

struct SpeciesProfile
{
    std::int32_t moves;
    std::int32_t machineMoves;
    std::int32_t typeNamePointers;
};

const SpeciesProfile& speciesProfile(GameVersion version);
