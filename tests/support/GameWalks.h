#pragma once

// The trainer bank read as the game's own routines walk it, from the test's own offsets: the parties of every class
// (party n begins after n - 1 zero bytes from the class's pointer, its first byte says its form) and the evolutions
// and learnset of every species (evolutions entry by entry to a 0, then level and move pairs to a 0). What a save
// must leave the game reading is compared against these, never against the program's own readers alone.

#include "species/EvosMoves.h"
#include "trainers/PartyTable.h"

#include <map>
#include <vector>

using GameParties = std::map<std::pair<int, int>, std::vector<PartyMember>>;

// Every party the table counts, by class and party number.
GameParties gameParties(const Bytes& image, const PartyTable& table, GameVersion version);
// Species 1..190 at 0..189.
std::vector<EvosMoves> gameEvosMoves(const Bytes& image, GameVersion version);
