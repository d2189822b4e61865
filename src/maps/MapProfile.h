#pragma once

// Where each version keeps the tables the game finds its maps and their wild Pokémon through. All offsets are
// file offsets. The wild data pointers and tables lie in bank 3, the slot chances in bank 4.

#include "rom/Banks.h"
#include "rom/VersionProfile.h"

#include <cstdint>

constexpr int WildBank = 3;
constexpr int WildSlotCount = 10;
// One byte of rate, then ten pairs of level and species when the rate is not 0.
constexpr std::int32_t WildAreaLength = 1 + 2 * WildSlotCount;
// Wild Pokémon and those that stand on maps are levels 1-100, as far as the game's experience tables go.
constexpr int MaxWildLevel = 100;
// The game ends its list of wild data pointers with this word after the last map's.
constexpr int WildPointersEnd = 0xFFFF;

struct MapProfile
{
    int mapCount;
    // Tilesets 0..tilesetCount - 1 exist.
    int tilesetCount;
    // Two bytes a map, the pointer to its header in its bank.
    std::int32_t headerPointers;
    // One byte a map, the bank of its header.
    std::int32_t headerBanks;
    // Two bytes a map into bank 3, then 0xFFFF.
    std::int32_t wildPointers;
    // The released tables lie one after another from here, followed by code.
    std::int32_t wildTables;
    std::int32_t wildTablesLength;
    // Ten pairs: the chance of a slot and those before it out of 256, less one, then the slot times 2.
    std::int32_t slotChances;
};

const MapProfile& mapProfile(GameVersion version);
