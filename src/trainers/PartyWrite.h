#pragma once

// Writing parties and prize money so that the game still finds every party. A save is planned one of three
// ways, in this order: each changed list rewritten where it is when its new bytes fit its span (the bytes it no
// longer needs set to 0x00); a list that outgrows its span moved into the free space at the end of the trainer
// bank, behind 16 zero bytes left alone, every pointer to it following and its old bytes set to 0x00; or, when
// that does not fit, every list of the bank laid out anew in class order (see BankLayout.h). A plan is checked
// whole before anything is written: applied to a copy of the bank, every party, prize, class name, special move
// and Yellow custom move must read as the change means them to, and every list that could be edited before must
// still be editable.

#include "history/CommitSave.h"
#include "rom/Failure.h"
#include "rom/RomTarget.h"
#include "rom/SpacePlan.h"
#include "rom/WritePlan.h"
#include "trainers/BankLayout.h"
#include "trainers/PartyTable.h"

#include <optional>
#include <string>
#include <vector>

struct PartyChange
{
    int classNumber = 0;
    // From 1.
    int partyNumber = 0;
    std::vector<PartyMember> members;
};

struct MoneyChange
{
    int classNumber = 0;
    // Yen per level of the party's last member, 0..9999.
    int money = 0;
};

// What one save changes in the trainer bank on purpose: any parties (each at most once) and any classes' money.
struct BankChange
{
    std::vector<PartyChange> parties;
    std::vector<MoneyChange> money;
};

// A list moved into the free space: whose, from where, to where, its length and the free bytes there were.
struct Relocation : BlockMove
{
    int classNumber = 0;
};

// The whole bank laid out anew: how many lists were rewritten, and the free bytes left of the bytes the lists'
// places hold.
struct Repack
{
    int lists = 0;
    std::int32_t freeBytes = 0;
    std::int32_t capacity = 0;
};

struct BankWrite
{
    WritePlan plan;
    std::vector<Relocation> relocations;
    std::optional<Repack> repack;
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
// the parties (a name, a prize, a special move); those inside the trainer bank are checked with the change.
Result<BankWrite> planBankChange(const Bytes& image,
                                 const VersionProfile& profile,
                                 const BankChange& change,
                                 const WritePlan& other = {});
// The same, with the party table of image read already.
Result<BankWrite> planBankChange(const Bytes& image,
                                 const VersionProfile& profile,
                                 const BankChange& change,
                                 const WritePlan& other,
                                 const PartyTable& table);

// How many bytes the lists would use more (or fewer, when negative) once change is written.
std::int32_t bytesOfChange(const PartyTable& table, const BankChange& change);

// What a window loaded before the user changed it: the list of the changed party and the money of the
// changed class. A save writes only while the file still holds them.
struct LoadedBank
{
    std::optional<PartyList> list;
    std::optional<int> money;
};

// What a save did beyond its own bytes.
struct BankSaved
{
    std::vector<Relocation> relocations;
    std::optional<Repack> repack;
    Commit commit;
};

// What the line under the parties says of the bank: "Trainer bank: 1,033 of 2,975 bytes free."
std::string bankRoomNote(const BankRoom& room);
// What the notes line says after a save that moved a list into the free space (owner naming whose parties they
// are) or laid the bank out anew, ending with the bank's room after it in the words of bankRoomNote; empty when the
// save wrote its lists where they were.
std::string bankSavedNote(const std::string& owner, const BankSaved& saved, const BankRoom& room);
// "The trainer bank was repacked: 45 lists rewritten. Trainer bank: 612 of 2,975 bytes free."
std::string repackNote(const Repack& repack);

// The whole save: one read of the file, the check that it is still this version's ROM and still holds what
// was loaded, the plan, the writes, fsync.
Result<BankSaved> writeBankChange(const RomTarget& rom,
                                  const LoadedBank& loaded,
                                  const BankChange& change,
                                  const std::string& label,
                                  const CommitOptions& options = {});
