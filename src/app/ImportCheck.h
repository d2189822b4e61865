#pragma once

// The first half of an import: the document read and checked against the ROM, every error with its JSON
// path, into the values it asks for. Absent keys and nulls ask for nothing.

#include "app/ChampionJson.h"
#include "app/JsonNames.h"
#include "app/MapJson.h"
#include "app/SpeciesJson.h"
#include "trainers/PartyRules.h"
#include "trainers/PartyTable.h"

#include <optional>
#include <string>
#include <vector>

struct ClassWish
{
    // Where in the document the class was given, for the errors of its planning.
    std::string path;
    int classNumber = 0;
    std::optional<std::string> name;
    std::optional<int> money;
    // Every party of the class's list, in order.
    std::optional<std::vector<std::vector<PartyMember>>> parties;
    // Yellow: the class's custom moves table entries, one per party.
    std::optional<std::vector<CustomMoveEntry>> customMoves = std::nullopt;
};

struct LeaderWish
{
    std::string path;
    int rosterIndex = 0;
    std::optional<int> prizeItem;
    std::optional<int> prizeAmount;
    std::optional<int> specialMove;
    // The stored byte: the member counted from 0.
    std::optional<int> specialMoveUser;
};

struct BattleWish
{
    std::string path;
    int battle = 0;
    std::optional<int> species;
    std::optional<int> level;
};

struct ImportWishes
{
    std::vector<ClassWish> classes;
    std::vector<LeaderWish> leaders;
    std::vector<BattleWish> battles;
    MapImport maps;
    SpeciesImport species;
    std::optional<ChampionMoves> champion;
};

// The ROM an import is checked and planned against, each of its tables read once.
struct ImportRom
{
    const Bytes& image;
    const VersionProfile& profile;
    const RomLists& lists;
    const PartyTable& parties;
    const MapTable& maps;
    const SpeciesData& species;
};

ImportWishes checkImport(const Json& document, const ImportRom& rom, std::vector<std::string>& errors);
