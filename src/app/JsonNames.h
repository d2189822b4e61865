#pragma once

// The pick lists of one ROM as the JSON document uses them: a byte is written as the name its list holds,
// or as a number where the name is not unique in the list, stands for no entry ("MISSINGNO.", "?????") or the
// list has no entry for it; a name is read back only when exactly one entry holds it.

#include "rom/VersionProfile.h"
#include "rom/WritePlan.h"

#include <map>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

using Json = nlohmann::ordered_json;

class NameList
{
public:
    // firstByte is the byte of the list's first entry: 0 for species, 1 for moves and items. With firstHolds, a name
    // several entries hold stands for the first of them (the game's unused types all take the first type's name).
    NameList(const char* what, std::vector<std::string> names, int firstByte, bool firstHolds = false);

    Json write(int byte) const;
    // The byte of a name or a number 0..255; empty, with the reason in error, for anything else.
    std::optional<int> read(const Json& value, std::string& error) const;
    // The name a line of the import's report shows for a byte.
    std::string show(int byte) const;

private:
    const char* m_what;
    std::vector<std::string> m_names;
    int m_firstByte;
    bool m_firstHolds;
    // How many entries hold each name, and the first of them.
    std::map<std::string, std::pair<int, int>, std::less<>> m_entries;
};

struct RomLists
{
    NameList species;
    NameList moves;
    NameList items;
};

RomLists romLists(const Bytes& image, const VersionProfile& profile);

// A line of an import's report: "was → is".
std::string arrow(const std::string& was, const std::string& is);
// The report's lines for a species and a level that change: "<who> species A → B", "<who> level 5 → 7".
std::vector<std::string> speciesLevelLines(
    const std::string& who, const NameList& species, int wasSpecies, int wasLevel, int isSpecies, int isLevel);

// {"species": ..., "level": ...} of a party member or a wild slot, the species written as list writes it. Built
// in place: an export holds thousands of them.
Json speciesAndLevel(const NameList& list, int species, int level);
// An object of whole numbers in the order given: {"object": 2, "class": 2, ...}.
Json wholeNumbers(std::initializer_list<std::pair<const char*, int>> fields);
