#pragma once

// Where a trainer party is fought: every map object of the ROM that uses it, or, when none does, the battle a
// script starts with it in the released game (Tavrik does not read scripts; that table is its own). Also the
// battles scripts start on a map, for a list of the map's battles.

#include "maps/MapTable.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct MapPlace
{
    int map = 0;
    std::string_view name;
    int object = 0;
    int x = 0;
    int y = 0;
};

// A battle the released game starts from a script: a trainer's party (one of several, picked as the text says),
// or a single wild Pokémon when classNumber is 0.
struct ScriptBattle
{
    int map = 0;
    int classNumber = 0;
    int party = 0;
    // "the rival, if the player chose Charmander", "Snorlax".
    std::string_view what;
};

struct PartyPlaces
{
    std::vector<MapPlace> maps;
    std::optional<ScriptBattle> script;
    // "Viridian Forest (x 30, y 33)", places joined by "; "; else the script battle, "as in the released game";
    // else "No map of this ROM uses this party."
    std::string text(GameVersion version) const;
};

// The objects with exactly this class byte and party; a class that shares another's list is asked on its own.
PartyPlaces partyPlaces(const MapTable& table, int classNumber, int partyNumber);
// "Viridian Forest (x 30, y 33)".
std::string placeText(const MapPlace& place);
// "Oak's Lab: the rival, if the player chose Charmander (as in the released game)".
std::string scriptText(GameVersion version, const ScriptBattle& battle);
// The battles the released game's scripts start on map, in the order they come.
std::vector<ScriptBattle> scriptBattles(GameVersion version, int map);
