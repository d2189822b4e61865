#pragma once

// The species data of a synthetic image, laid out as the game keeps it from the builder's own copy of the game's
// offsets: invented base stats in each Pokédex record (beside the picture fields putPictures writes), the 165
// moves of 6 bytes, the 55 moves of the TM/HM list, the type names with their pointer table, and the evolutions
// and learnsets with their 190 pointers in the trainer bank, taking exactly the bytes the released games' lists
// take (Red and Blue 2,068, Yellow 2,122), the code after them in Red and Blue, the bank's free space after them
// in Yellow. The glitch species have empty lists of their own, as in the released games; one list holds an entry
// behind a higher one. A region the builder writes must be empty before: a clash is a logic_error.

#include "rom/RomFile.h"
#include "rom/VersionProfile.h"

#include <string>
#include <utility>
#include <vector>

constexpr int SyntheticTypeCount = 27;

// Changes other tools make to a ROM's lists: species that use another species' list (first uses second's), their
// own lists left out so that every list still follows the one before, and a species whose list loses its last 0
// so that no walk through it ends before the list after it.
struct EvosMovesVariant
{
    std::vector<std::pair<int, int>> shared;
    int endless = 0;
};

void putSpecies(Bytes& image, GameVersion version);
// Lays the lists and their pointers out again as variant says.
void putEvosMoves(Bytes& image, GameVersion version, const EvosMovesVariant& variant);

// The invented values, for the tests and the demo's users.
std::string syntheticTypeName(int type);
// The accuracy byte of a move: most from a percentage as the game's sources write it, some no percentage gives.
int syntheticAccuracy(int move);
// The species with a learnset entry behind a higher one, and where the released sizes put the lists' end.
int outOfOrderSpecies();
std::int32_t releasedEvosMovesEnd(GameVersion version);
