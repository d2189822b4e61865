#pragma once

// The guide's moves and stats: each Pokémon's four moves at its level as the game gives them, and the stats a
// trainer's Pokémon has. The moves a party's leader or class gets over these are not in this lookup.

#include "guide/Guide.h"

BattlerLookup guideBattlers(const Bytes& image, const VersionProfile& profile);
