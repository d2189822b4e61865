#pragma once

// Where the trainer parties may lie in the trainer bank, and every list laid out there anew. Two areas hold
// them: the first runs from the lowest list (or the zero bytes in front of it, up to the pointer table) over the
// lists and the zero bytes between and behind them, up to the first byte that is neither (the game's code
// follows the parties in the released games); the second is the free space at the end of the bank, from 16
// bytes past its start, where the lists moved out of the first area lie.
// A list Tavrik cannot read whole stays where it is, from its first byte up to the list after it, and the
// layout goes around it.

#include "rom/Banks.h"
#include "trainers/PartyTable.h"

#include <optional>
#include <vector>

struct BankAreas
{
    BankRange first;
    std::optional<BankRange> free;
    // The read-only lists inside the areas.
    std::vector<BankRange> fixed;

    std::vector<BankRange> areas() const;
};

BankAreas bankAreas(const Bytes& image, const VersionProfile& profile, const PartyTable& table);

// How many bytes the lists' places hold, and how many the lists that may be edited use.
struct BankRoom
{
    std::int32_t capacity = 0;
    std::int32_t used = 0;

    std::int32_t free() const { return capacity - used; }
};

BankRoom bankRoom(const Bytes& image, const VersionProfile& profile, const PartyTable& table);

// The lists that may be edited, in class order (a shared list at its first class), as a layout places them.
struct ListPlace
{
    // Index into PartyTable::lists.
    int list = 0;
    std::int32_t offset = 0;
};

// Every list that may be edited, at the length lengths gives it (by index into table.lists), one after another in
// class order through the areas. Empty when they do not fit; room then says how many bytes they need and have.
std::optional<std::vector<ListPlace>>
layOutLists(const BankAreas& areas, const PartyTable& table, const std::vector<std::int32_t>& lengths, BankRoom& room);
