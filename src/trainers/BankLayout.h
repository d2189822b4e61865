#pragma once

// Where the lists of the trainer bank may lie, and every list laid out there anew. The bank holds two kinds of
// lists that the game finds through pointer tables: the trainer classes' parties and the species' evolutions and
// learnsets. Each kind has a place that begins behind its pointer table: from the lowest list there (or the zero
// bytes in front of it, up to the table) over the lists of either kind and the zero bytes between and behind
// them, up to the first byte that is neither (the game's code follows the lists in the released games, except
// Yellow's learnsets, which the bank's free space follows). The free space at the end of the bank, from 16 bytes
// past its start, holds the lists moved out of their places.
// A list Tavrik cannot read whole stays where it is, from its first byte up to the list after it, and the layout
// goes around it.

#include "rom/Banks.h"
#include "rom/SpacePlan.h"
#include "species/EvosMoves.h"
#include "trainers/PartyTable.h"

#include <optional>
#include <span>
#include <vector>

enum class BankListKind
{
    Parties,
    EvosMoves
};

// One list of the bank, of either kind.
struct BankList
{
    BankListKind kind = BankListKind::Parties;
    // Into PartyTable::lists or EvosMovesTable::lists.
    int index = 0;
    std::int32_t offset = 0;
    std::int32_t end = 0;
    std::int32_t span = 0;
    bool editable = true;
    // The first class or species whose pointer leads to it: the layout's order within its kind.
    int owner = 0;
    // Every class or species whose pointer leads to it, as its table holds them.
    std::span<const int> owners;
};

// The file offsets of the pointers that lead to list.
std::vector<std::int32_t> pointersOf(const BankList& list, const VersionProfile& profile);

// Both kinds of lists in the order of their offsets, and the zero bytes that end the bank behind the last of them.
// The owners of each list are those of the tables read: they must outlive it.
struct BankLists
{
    std::vector<BankList> lists;
    FreeSpace free;
};

BankLists bankLists(const Bytes& image, const PartyTable& parties, const EvosMovesTable& evosMoves);

struct BankAreas
{
    // The places of the lists, in the order they are filled, and the free space last.
    std::vector<BankRange> areas;
    // The read-only lists inside them.
    std::vector<BankRange> fixed;
};

BankAreas bankAreas(const Bytes& image, const VersionProfile& profile, const BankLists& lists);

// How many bytes the lists' places hold, and how many the lists that may be edited use.
struct BankRoom
{
    std::int32_t capacity = 0;
    std::int32_t used = 0;

    std::int32_t free() const { return capacity - used; }
};

BankRoom bankRoom(const Bytes& image, const VersionProfile& profile, const BankLists& lists);
// The same for the bank of image, whose parties are read already.
BankRoom bankRoom(const Bytes& image, const VersionProfile& profile, const PartyTable& parties);

// Every list that may be edited, at the length lengths gives it (by index into lists.lists), one after another
// through the areas: the parties in class order, then the evolutions and learnsets in species order. The offset of
// each list by index (that of a read-only list stays), or empty when they do not fit; room then says how many
// bytes they need and have.
std::optional<std::vector<std::int32_t>>
layOutLists(const BankAreas& areas, const BankLists& lists, const std::vector<std::int32_t>& lengths, BankRoom& room);
