#pragma once

// The names Tavrik gives the game's maps, by map id, written from the game's own list of maps: "Pallet Town",
// "Route 1", "Mt. Moon B1F". They are Tavrik's, not read from the ROM. An id without a name of its own (the
// unused ids, those past the last map) is "Map 0xNN".

#include "rom/VersionProfile.h"

#include <string_view>

// A view of text that lives as long as the program.
std::string_view mapName(GameVersion version, int id);
