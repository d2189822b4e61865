#pragma once

// The three games as they were released, known by the SHA-1 of the whole file: a patch made from one of them
// applies to every player's copy.

#include "rom/RomFile.h"

#include <QString>

// "Pokémon Red, as released", or empty for any other file.
QString releasedGameName(const Bytes& image);
