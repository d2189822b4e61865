#pragma once

// Writing the rods' Pokémon so that the game still finds every one. The Old Rod's operands and the Good Rod's table
// are rewritten where they lie, and only where the code around them is the game's. A Red or Blue group that keeps its
// length or shrinks is rewritten where it lies, the bytes it no longer needs set to 0x00; one that grows moves to the
// free space at the end of bank 3, the pointers of the maps' rows following; a map that asks for a group of its own
// gets a copy there, and only its row's pointer changes. A map without a row gets one: in both versions the rows are
// followed by other data, so the whole list moves to the free space at the end of its bank (bank 3, or Yellow's
// 0x3D) with the new rows before its 0xFF, and the search routine's `ld hl` follows; a Red or Blue row's new group
// goes to the free space too. Every plan is checked on a copy of those banks before anything is written: every rod of
// every map reads as edited or as before, and nothing else there changes.

#include "maps/MapTable.h"
#include "rom/Failure.h"
#include "rom/WritePlan.h"

#include <optional>
#include <string>
#include <vector>

// Red and Blue: a group holds 1 to 4 slots the game can draw; Yellow: a row holds 4.
constexpr int MinGroupSlots = 1;

struct SuperRodEdit
{
    int map = 0;
    // The new slots, in the order the game draws them; none: as they are.
    std::optional<std::vector<WildSlot>> pokemon;
    // Red and Blue: a group other maps share is first copied into the free space for this map alone.
    bool own = false;
};

struct FishingEdits
{
    std::vector<SuperRodEdit> superRod;
    std::optional<WildSlot> oldRod;
    // The Good Rod's two slots.
    std::optional<std::vector<WildSlot>> goodRod;

    bool empty() const { return superRod.empty() && !oldRod && !goodRod; }
};

// Bytes written into the free space: a group, and the maps that now find it there; or, with no maps, the rows.
struct FishingMove
{
    std::vector<int> maps;
    BlockMove move;
};

struct FishingWrite
{
    WritePlan plan;
    std::vector<FishingMove> moves;
};

// How many slots a map's super rod may be given in this table: Red and Blue 1 to 4, Yellow 4.
int fewestSlots(const SuperRod& superRod);

// The writes of edits in image, checked on a copy. image may hold the wild Pokémon's writes of the same save already;
// free is the free space at the end of bank 3 as they leave it. Refused, with nothing planned: an edit of a row that is
// no map or a copy; a rod that cannot be read where its code is; a slot of species 0 or a level outside 1-100; a
// number of slots the table cannot hold; two edits of one shared group that differ; a bank without room for what
// moves (the message says how many bytes are missing); a write over the wild Pokémon or the map header tables; a plan
// the check on the copy finds fault with.
Result<FishingWrite>
planFishingEdits(const Bytes& image, const MapTable& table, const FishingEdits& edits, FreeSpace free);

// The free space of the bank the super rod's table lies in: bank 3's as given, or Yellow's bank 0x3D's in image.
FreeSpace superRodFreeSpace(const Bytes& image, const SuperRod& superRod, const FreeSpace& bank3);
// How many bytes of that free space a row for one more map takes, margins included: the rows moved whole and, in Red
// and Blue, a group of slots Pokémon.
std::int32_t newRowBytes(const SuperRod& superRod, int slots);

// "Route 4's super rod Pokémon moved to free space at 0xFC5A: 9 of 950 free bytes used."; "The super rod's rows
// moved ..." for the rows.
std::string fishingMoveNote(const MapTable& table, const FishingMove& move);
