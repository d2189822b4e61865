#pragma once

// Every opponent of the game as its battle starts: each member of each trainer party, each wild slot and each
// Pokémon that stands on a map, computed from tables read once.

#include "battles/SpecialMoves.h"
#include "maps/MapTable.h"

#include <vector>

struct PartyBattlers
{
    int classNumber = 0;
    int partyNumber = 0;
    std::vector<Battler> members;
};

struct Opponents
{
    // Every class's parties, in class and party order; a list shared by classes is computed for each.
    std::vector<PartyBattlers> parties;
    // MapTable::wild in order, grass slots then water slots of the areas that are on.
    std::vector<std::vector<Battler>> wild;
    // The Pokémon objects of every map, in map and object order.
    std::vector<Battler> standing;
};

Opponents
computeOpponents(const SpeciesData& data, const SpecialMoves& special, const PartyTable& parties, const MapTable& maps);
