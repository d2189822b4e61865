#pragma once

// The checks every section of an import makes of its values, each error added with its JSON path.

#include "app/JsonNames.h"

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Whether value is an object; each key not among keys is an error of its own.
bool checkObject(const Json& value,
                 const std::string& path,
                 std::initializer_list<std::string_view> keys,
                 std::vector<std::string>& errors);
// A species and a level as a party member or a wild slot gives them: an object of exactly those two keys, a
// species byte of 1..255 by name or number and a level of 1..maxLevel. Empty for anything else, which the
// caller then checks key by key, with the errors' paths; most values of a file are sound, and need no path.
struct SpeciesLevel
{
    int species = 0;
    int level = 0;
};
std::optional<SpeciesLevel> soundSpeciesLevel(const Json& value, const NameList& species, int maxLevel);

// A whole number of low..high, or none after an error.
std::optional<int>
checkInteger(const Json& value, const std::string& path, int low, int high, std::vector<std::string>& errors);
