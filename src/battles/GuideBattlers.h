#pragma once

// The guide's moves and stats: each Pokémon's four moves at its level as the game gives them, and the stats a
// trainer's Pokémon has; a trainer's Pokémon with the moves the game writes over its own (a gym leader's, the Elite
// Four's, the champion's, Yellow's custom moves) and where each comes from.

#include "guide/Guide.h"

BattlerLookup guideBattlers(const Bytes& image, const VersionProfile& profile);
