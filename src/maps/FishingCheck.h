#pragma once

// The check of a plan of the rods on a copy of the banks it writes: every rod of every map reads as the plan means it
// to, and nothing else there changed. What a plan may write, what it must leave alone, and the names its refusals use.

#include "maps/MapTable.h"
#include "rom/Failure.h"
#include "rom/WritePlan.h"

#include <map>
#include <string>
#include <vector>

// What every rod must read once a plan is written; the super rod's maps not named read as before.
struct FishingExpected
{
    std::vector<WildSlot> oldRod;
    std::vector<WildSlot> goodRod;
    std::map<int, std::vector<WildSlot>> superRod;
};

// "bank 3", "bank 0x3D".
std::string bankName(int bank);
// The rods' values, the super rod's pointer, rows and groups, and the free space of its bank: what a plan may write.
std::vector<BankRange> fishingWritable(const FishingTable& fishing, const FreeSpace& free);
// What the game reads besides the rods in the banks a plan writes: the wild Pokémon and the map header tables.
std::vector<BankRange> mapTableRanges(const MapTable& table);
bool writesOver(const WritePlan& plan, const std::vector<BankRange>& ranges);
// Whether after, written from before by a plan of table's rods, reads as expected, and holds what before holds in
// bank 3 and the super rod's bank outside writable. Only those banks of after are read.
WriteStatus verifyFishing(const MapTable& table,
                          const Bytes& before,
                          const Bytes& after,
                          const FishingExpected& expected,
                          const std::vector<BankRange>& writable);
