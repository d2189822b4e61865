#pragma once

// The party lists of a synthetic image, laid out as the game keeps them: the 47 classes' lists one after
// the other in class order from the end of the pointer table, the roster's parties at the released game's
// positions and invented parties of both forms around them. Classes 13 and 27 share the lists of 14 and 28,
// as in the released games. The highest list is followed by bytes that begin no party (the code there in
// the released games), then by the zero bytes that end the bank, from where the released games' free space
// begins. Also the prize money of every class and, for Yellow, a table of custom moves.

#include "rom/RomFile.h"
#include "rom/VersionProfile.h"

// Where the zero bytes at the end of the trainer bank begin in the released games.
std::int32_t releasedFreeSpaceStart(GameVersion version);

void putPartyLists(Bytes& image, GameVersion version);
void putClassMoney(Bytes& image, GameVersion version);
void putCustomMoves(Bytes& image, GameVersion version);

// The invented money of a class, yen per level of the last member.
int syntheticMoney(int classNumber);
