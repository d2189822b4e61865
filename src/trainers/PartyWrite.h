#pragma once

// Writing a party and a class's prize money so that the game still finds every party. A list whose new bytes
// fit in its span is rewritten where it is, the bytes it no longer needs set to 0x00. One that outgrows its
// span moves to the free space at the end of the trainer bank, behind 16 zero bytes left alone (the first of
// them may end the data before it); the pointer of every class that uses it follows, and its old bytes
// become 0x00 so that no other list seems to run on into them. A plan is checked whole before anything is
// written: applied to a copy of the bank, every party, class name and special move must read as before,
// but for what the change means to change.

#include "rom/Failure.h"
#include "rom/RomTarget.h"
#include "rom/WritePlan.h"
#include "trainers/PartyTable.h"

#include <optional>
#include <vector>

struct PartyChange
{
    int classNumber = 0;
    // From 1.
    int partyNumber = 0;
    std::vector<PartyMember> members;
};

// What one save changes in the trainer bank on purpose.
struct BankChange
{
    // Parties of one list, each at most once.
    std::vector<PartyChange> parties;
    // Class number and yen per level of the last member.
    std::optional<std::pair<int, int>> money;
};

// A list moved into the free space: from where, to where, its length and the free bytes there were.
struct Relocation
{
    std::int32_t from = 0;
    std::int32_t to = 0;
    int bytes = 0;
    int freeBytes = 0;
};

struct BankWrite
{
    WritePlan plan;
    std::optional<Relocation> relocation;
    // Every party as the game reads it once the plan (and the other writes checked with it) are written.
    PartyTable after;
};

// A failure when members cannot be stored: none, more than 6, or a level or species byte of 0, which the
// game takes for the end of the party.
WriteStatus checkMembers(const std::vector<PartyMember>& members);

// The form a party is stored in: one level for all while it had that form and every member shares one level
// of 1..100 (the first byte can then be neither 0xFF, nor 0x00, nor end the highest list); otherwise a level
// for each.
PartyFormat storedFormat(PartyFormat loaded, const std::vector<PartyMember>& members);

// The writes of change in image, in the order they are made. other holds the writes of the same save outside
// the parties (a name, a prize, a special move); they are checked together with the change.
Result<BankWrite> planBankChange(const Bytes& image,
                                 const VersionProfile& profile,
                                 const BankChange& change,
                                 const WritePlan& other = {});
// The same, with the party table of image read already: a plan of many changes in a row reads each once.
Result<BankWrite> planBankChange(const Bytes& image,
                                 const VersionProfile& profile,
                                 const BankChange& change,
                                 const WritePlan& other,
                                 const PartyTable& table);

// What a window loaded before the user changed it: the list of the changed party and the money of the
// changed class. A save writes only while the file still holds them.
struct LoadedBank
{
    std::optional<PartyList> list;
    std::optional<int> money;
};

// The whole save: one read of the file, the check that it is still this version's ROM and still holds what
// was loaded, the plan, the writes, fsync. Where the party's list moved, if it did.
Result<std::optional<Relocation>>
writeBankChange(const RomTarget& rom, const LoadedBank& loaded, const BankChange& change);
