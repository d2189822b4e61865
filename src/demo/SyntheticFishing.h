#pragma once

// The rods of a synthetic image, in the released games' layout with invented Pokémon: the rods' code in bank 3 with
// the Old Rod's Pokémon in its `lb bc` and the Good Rod's table behind it, and the super rod's search routine with its
// table: Red's and Blue's 33 rows of map and group pointer, then 10 groups of 2 to 4 Pokémon, one serving six maps and
// most maps none; Yellow's 31 rows of four (species, level) pairs in bank 0x3D, with the routine's thresholds. The
// offsets and the code are the builder's own copy of the game's layout. Laid over the code putMaps leaves in bank 3.

#include "maps/WildTable.h"
#include "rom/RomFile.h"
#include "rom/VersionProfile.h"

#include <map>
#include <vector>

struct SyntheticFishing
{
    WildSlot oldRod;
    std::vector<WildSlot> goodRod;
    // The super rod's Pokémon by map id, for each map with a row.
    std::map<int, std::vector<WildSlot>> superRod;
    // Red and Blue: the maps of each group, in the rows' order.
    std::vector<std::vector<int>> groups;
    // Where the builder put the rows.
    std::int32_t rows = 0;
};

SyntheticFishing syntheticFishing(GameVersion version);
void putFishing(Bytes& image, GameVersion version);
