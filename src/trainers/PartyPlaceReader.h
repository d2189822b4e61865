#pragma once

// Where the party windows say a party is fought. Reading the maps is the business of the windows' owner; a
// window hands it the image it shows and asks for each party.

#include "rom/RomFile.h"

#include <functional>
#include <string>

// Where one party is fought.
struct PartyPlace
{
    // "Viridian Forest (x 30, y 33)", or the battle the released game starts from a script, or "No map of this ROM
    // uses this party."
    std::string text;
    // Whether a map object of this ROM uses it; else whether the released game's scripts do.
    bool onMap = false;
    bool byScript = false;
};
using PartyPlaceLookup = std::function<PartyPlace(int classNumber, int partyNumber)>;
// Reads the maps of an image once and answers for each of its parties.
using PartyPlaceReader = std::function<PartyPlaceLookup(const Bytes& image)>;
