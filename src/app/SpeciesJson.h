#pragma once

// The "pokemon" and "moves" sections of the battles document. "pokemon" has one entry for each Pokédex number in
// order, keyed by the species byte that leads to it; "dex" is the number the record holds itself, which the game
// does not read. Its "types" are the two type bytes as stored, "moves" the level-1 moves without the empty slots at
// their end, "tmhm" the machines it learns, "evolutions" and "learnset" its list in the ROM's order. "moves" has
// one entry for each of the 165 moves; its accuracy is a percentage where one gives the byte, else {"byte": n}.
// Types, effects and growth rates are written by name (the ROM's type names, the game's constant names) or, where
// there is none, as the byte. On import the sections are optional and an absent key or a null leaves a value alone.

#include "app/BattleJson.h"
#include "app/JsonNames.h"
#include "species/SpeciesEdit.h"

#include <map>
#include <string>
#include <vector>

// The type names of data as a name list: a name several types hold stands for the first.
NameList typeNameList(const SpeciesData& data);

Json exportPokemon(const SpeciesData& data, const RomLists& lists, std::vector<std::string>& notes);
Json exportMoves(const SpeciesData& data, const RomLists& lists, std::vector<std::string>& notes);

// What the sections ask for, and the JSON path of each entry that asks for something.
struct SpeciesImport
{
    SpeciesEdits edits;
    std::map<int, std::string> recordPaths;
    std::map<int, std::string> listPaths;
    std::map<int, std::string> movePaths;
};

// Checks both sections (either may be null) against data; every error goes to errors with its path.
SpeciesImport checkSpecies(const Json& pokemon,
                           const Json& moves,
                           const SpeciesData& data,
                           const RomLists& lists,
                           std::vector<std::string>& errors);

// The import report's lines for what edits change.
std::vector<std::string> speciesLines(const SpeciesData& data, const SpeciesEdits& edits, const RomLists& lists);
