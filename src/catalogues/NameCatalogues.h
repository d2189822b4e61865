#pragma once

// The pick lists' names, read from a ROM image long enough for its version. A list position is the byte
// the game stores: species byte = position (position 0 is "MISSINGNO.", which has no record); move and
// item byte = position + 1.

#include "rom/RomFile.h"
#include "rom/VersionProfile.h"

#include <string>
#include <vector>

constexpr int SpeciesRecordCount = 190;
constexpr int SpeciesRecordLength = 10;
constexpr int MoveNameReads = 168;
// The game's items MASTER BALL to MAX ELIXER, bytes 0x01 to 0x53.
constexpr int ItemNameCount = 83;
constexpr int ItemNameReads = 83;
// Reads a walk may add when some of its reads came back empty.
constexpr int ItemNameExtraReads = 12;
constexpr int NameWindow = 12;
// HM01 is item byte 0xC4, list position 195.
constexpr int FirstMachinePosition = 195;

// 191 entries: "MISSINGNO." then the 190 records of 10 bytes, each decoded up to its terminator and trimmed.
std::vector<std::string> speciesNames(const Bytes& image, const VersionProfile& profile);

// The non-empty names found by walking the run of terminated names from the profile's start byte. The
// item walk goes on past its 83 reads, by at most 12, until it has the game's 83 item names.
std::vector<std::string> moveNames(const Bytes& image, const VersionProfile& profile);
std::vector<std::string> itemNames(const Bytes& image, const VersionProfile& profile);

// What follows the item names in the item list: "?????" up to position 195, then "HM01".."HM05" and
// "TM01".."TM50", so that HM01 is always item byte 0xC4 and TM50 0xFA.
std::vector<std::string> itemPlaceholders(std::size_t itemNameCount);
std::vector<std::string> machineNames();

// One past the highest byte the catalogues may read.
std::int64_t catalogueReadsEnd(const VersionProfile& profile);
