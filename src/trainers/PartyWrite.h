#pragma once

// Writing parties, prize money and the species' evolutions and learnsets so that the game still finds every one of
// them: both kinds of lists share the trainer bank and are planned together (see BankPlan.h and BankLayout.h). A
// plan is checked whole before anything is written: applied to a copy of the bank, every party, prize, class
// name, special move, Yellow custom move and list of evolutions and learnset must read as the change means them
// to, every list that could be edited before must still be editable, and no other byte of the bank may change.

#include "history/CommitSave.h"
#include "rom/Failure.h"
#include "rom/RomTarget.h"
#include "rom/SpacePlan.h"
#include "rom/WritePlan.h"
#include "species/EvosMoves.h"
#include "trainers/BankLayout.h"
#include "trainers/BankPlan.h"
#include "trainers/PartyRules.h"
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

// What one save changes in the trainer bank on purpose: any parties (each at most once), any classes' money,
// any species' evolutions and learnsets, and Yellow's custom moves table as a whole.
struct BankChange
{
    std::vector<PartyChange> parties;
    std::vector<MoneyChange> money;
    std::vector<EvosMovesChange> evosMoves = {};
    std::optional<std::vector<CustomMoveEntry>> customMoves = std::nullopt;
};

struct BankWrite
{
    WritePlan plan;
    std::vector<Relocation> relocations;
    std::optional<Repack> repack;
    // Where Yellow's custom moves table went, when it moved.
    std::optional<BlockMove> customMovesMove;
    // Every party and every list of evolutions and learnset as the game reads them once the plan (and the other
    // writes checked with it) are written.
    PartyTable after;
    EvosMovesTable evosMovesAfter;
};

// A failure when members cannot be stored: none, more than 6, or a level or species byte of 0, which the
// game takes for the end of the party.
WriteStatus checkMembers(const std::vector<PartyMember>& members);

// The form a party is stored in: one level for all while it had that form and every member shares one level
// of 1..100 (the first byte can then be neither 0xFF, nor 0x00, nor end the highest list); otherwise a level
// for each.
PartyFormat storedFormat(PartyFormat loaded, const std::vector<PartyMember>& members);

// The writes of change in image, in the order they are made. other holds the writes of the same save outside
// the lists (a name, a prize, a special move, a base stat); those inside the trainer bank are checked with the
// change.
Result<BankWrite> planBankChange(const Bytes& image,
                                 const VersionProfile& profile,
                                 const BankChange& change,
                                 const WritePlan& other = {});
// The same, with the party table of image read already, and its lists of evolutions and learnset too.
Result<BankWrite> planBankChange(const Bytes& image,
                                 const VersionProfile& profile,
                                 const BankChange& change,
                                 const WritePlan& other,
                                 const PartyTable& table);
Result<BankWrite> planBankChange(const Bytes& image,
                                 const VersionProfile& profile,
                                 const BankChange& change,
                                 const WritePlan& other,
                                 const PartyTable& table,
                                 const EvosMovesTable& evosMoves);

// How many bytes the lists would use more (or fewer, when negative) once the parties of change are written; and
// once all of change is.
std::int32_t bytesOfChange(const PartyTable& table, const BankChange& change);
std::int32_t bytesOfChange(const PartyTable& table, const EvosMovesTable& evosMoves, const BankChange& change);

// What a window loaded before the user changed it: the list of the changed party, the money of the
// changed class and Yellow's custom moves table. A save writes only while the file still holds them.
struct LoadedBank
{
    std::optional<PartyList> list;
    std::optional<int> money;
    std::optional<std::vector<CustomMoveEntry>> customMoves = std::nullopt;
};

// What a save did beyond its own bytes.
struct BankSaved
{
    std::vector<Relocation> relocations;
    std::optional<Repack> repack;
    Commit commit;
    std::optional<BlockMove> customMovesMove = std::nullopt;
};

// What the notes line says of a list moved into the free space, owner naming whose parties (or whose evolutions
// and learnset) they are, and of the bank laid out anew.
std::string relocationNote(const std::string& owner, const Relocation& moved);
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
