#pragma once

// The pick lists' names, read from the open ROM. A list position is the byte the game stores: species
// byte = position (position 0 is "MISSINGNO.", which has no record); move and item byte = position + 1.

#include "app/VersionProfile.h"
#include "rom/Failure.h"
#include "rom/RomFile.h"

#include <string>
#include <vector>

constexpr int SpeciesRecordCount = 190;
constexpr int SpeciesRecordLength = 10;
constexpr int MoveNameReads = 168;
constexpr int ItemNameReads = 83;
constexpr int NameWindow = 12;
constexpr int ItemPlaceholderCount = 114;

// 191 entries: "MISSINGNO." then the 190 records, each decoded, cut to 10 characters and trimmed.
Result<std::vector<std::string>> speciesNames(RomFile& file, const VersionProfile& profile);

// The non-empty names found by walking the run of terminated names from the profile's start byte.
Result<std::vector<std::string>> moveNames(RomFile& file, const VersionProfile& profile);
Result<std::vector<std::string>> itemNames(RomFile& file, const VersionProfile& profile);

// What follows the item names in the item list: 114 "?????", then "HM01".."HM05" and "TM01".."TM50".
std::vector<std::string> itemPlaceholders();
std::vector<std::string> machineNames();

// One past the highest byte the catalogues may read.
std::int64_t catalogueReadsEnd(const VersionProfile& profile);
