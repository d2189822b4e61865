#pragma once

// The text of an exported document: as nlohmann's dump(2) writes it (two spaces a level, keys in the
// document's order, UTF-8 kept, bytes that are not UTF-8 replaced), except that a party member (an element
// of an element of a "parties" array), each element of an array under "slots", "trainers", a map's "pokemon",
// "good", "evolutions" or "learnset", and each move of the "moves" section take one line each: {"species":
// "RATTATA", "level": 11}; a Pokémon's "types", "moves" and "tmhm" and the whole values of "old" and "sharedWith"
// stand on one line whole. A diff of two exports then shows one line for each member, learnset entry or move that
// changed. Ends in a line break.

#include "app/JsonNames.h"

#include <string>

std::string jsonText(const Json& document);
