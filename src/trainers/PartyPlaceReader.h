#pragma once

// Where the party windows say a party is fought. Reading the maps is the business of the windows' owner; a
// window hands it the image it shows and asks for each party.

#include "rom/RomFile.h"

#include <functional>
#include <string>

// "Viridian Forest (x 30, y 33)", or the battle the released game starts from a script, or that no map uses it.
using PartyPlaceLookup = std::function<std::string(int classNumber, int partyNumber)>;
// Reads the maps of an image once and answers for each of its parties.
using PartyPlaceReader = std::function<PartyPlaceLookup(const Bytes& image)>;
