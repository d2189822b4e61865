#pragma once

// The check every plan of the trainer bank passes before it is written: applied to a copy of the bank, every party,
// prize, class name, special move, Yellow custom move and list of evolutions and learnset reads as the change means
// it to, and no byte outside the lists' places, the lists, their pointer tables and the save's other writes
// changes.

#include "trainers/BankPlan.h"
#include "trainers/PartyWrite.h"
#include "trainers/TrainerPlacement.h"

#include <map>

// What the bank holds before the save, read once a save.
struct BankBefore
{
    const PartyTable& parties;
    const EvosMovesTable& evosMoves;
    std::array<TrainerPlaces, RosterSize> roster;
    BankRange customMoves;
};

// Every list the save changes or moves, as the game should read it afterwards, by its index into its own table;
// the prize money of every class the save changes.
struct BankExpected
{
    std::map<int, PartyList> parties;
    std::map<int, EvosMovesList> evosMoves;
    std::vector<MoneyChange> money;
    // Yellow's custom moves table, when the save changes it.
    std::optional<std::vector<CustomMoveEntry>> customMoves;
};

// A party list laid out from offset: every party's offset follows.
void layOutParties(PartyList& list, std::int32_t offset);

// The lists as placement leaves them: the new parties and contents of the changed lists, every moved list at its new
// offset.
BankExpected expectedLists(const BankBefore& before,
                           const BankLists& lists,
                           const BankPlacement& placement,
                           const std::map<int, PartyList>& parties,
                           const std::map<int, EvosMoves>& evosMoves,
                           const std::vector<MoneyChange>& money);

// Checks plan (and the save's other writes inside the bank) on a copy of image; fills the tables of write as the
// game reads the copy.
WriteStatus checkBank(const Bytes& image,
                      const VersionProfile& profile,
                      const BankBefore& before,
                      const BankLists& lists,
                      const BankExpected& expected,
                      const WritePlan& other,
                      BankWrite& write);
