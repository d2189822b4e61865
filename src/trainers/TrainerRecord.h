#pragma once

// One trainer's values as the editor edits them: read from a ROM image at the places the game finds
// them, and written back only where they still are.

#include "battles/ChampionCode.h"
#include "rom/Failure.h"
#include "rom/RomTarget.h"
#include "rom/VersionProfile.h"
#include "rom/WritePlan.h"
#include "trainers/PartyRules.h"
#include "trainers/PartyWrite.h"
#include "trainers/TrainerPlacement.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The editable values of one trainer. A group the trainer lacks, or that is not in place, stays empty,
// and an empty group is never written.
struct TrainerRecord
{
    std::optional<std::string> name;
    // 1..6 members; a save may add and remove members.
    std::optional<std::vector<PartyMember>> party;
    // Move number counted from 1.
    std::optional<std::uint8_t> specialMove;
    // 0-based party position of the member that uses the special move.
    std::optional<std::uint8_t> specialMoveUser;
    // Item number counted from 1.
    std::optional<std::uint8_t> prizeItem;
    std::optional<std::uint8_t> prizeAmount;
    // Red and Blue: the champion's moves, which no roster entry owns, travel with every trainer's record; empty
    // where the code that gives them is not the game's.
    std::optional<ChampionMoves> champion;
    // Yellow: the moves its custom moves table gives the trainer's party; empty where the table does not read.
    std::optional<std::vector<CustomMove>> customMoves;

    bool operator==(const TrainerRecord&) const = default;
};

// What the editor loaded: where each group was, and its values.
struct LoadedTrainer
{
    TrainerPlaces places;
    TrainerRecord record;
};

LoadedTrainer readTrainer(const Bytes& image, const VersionProfile& profile, int rosterIndex);
// The same, with the party table of image read already.
LoadedTrainer readTrainer(const Bytes& image, const VersionProfile& profile, const PartyTable& table, int rosterIndex);

// The bytes that writing edited over loaded changes in image, in the game's order: name, party (which may
// move its class's list into the free space), then prize and special move (special move first for Red's
// and Blue's entries 4-7). A group that is no longer where it was loaded from is left out and named in
// leftAlone. A name that would put a terminator into the name table, a party the game could not read and
// a plan that would move anything else are refused before anything is planned.
struct TrainerWrite
{
    WritePlan plan;
    std::vector<std::string> leftAlone;
    BankSaved bank;
};
Result<TrainerWrite> planTrainerWrite(const Bytes& image,
                                      const VersionProfile& profile,
                                      int rosterIndex,
                                      const LoadedTrainer& loaded,
                                      const TrainerRecord& edited);
// The same, with the party table of image read already.
Result<TrainerWrite> planTrainerWrite(const Bytes& image,
                                      const VersionProfile& profile,
                                      const PartyTable& table,
                                      int rosterIndex,
                                      const LoadedTrainer& loaded,
                                      const TrainerRecord& edited);

// The whole save: one read of the file, the check that it is still this version's ROM, the plan, the
// writes, fsync. A failure when anything the user edited was not written; otherwise where the party's list
// moved, if it did, or how the bank was laid out anew.
Result<BankSaved> writeTrainer(const RomTarget& rom,
                               int rosterIndex,
                               const LoadedTrainer& loaded,
                               const TrainerRecord& edited,
                               const std::string& label,
                               const CommitOptions& options = {});

// The fieldLength bytes a name is stored as: encoded, padded with the game's blank 0x7F, cut to length.
// The game counts terminators to find a name, so a name whose encoding holds 0x50 is refused.
Result<Bytes> encodeNameField(std::string_view name, int fieldLength);

// The twelve roster entries: each located name decoded and padded to 10 characters, or "Trainer N"
// for a name that is not in place.
std::vector<std::string> readRoster(const Bytes& image, const VersionProfile& profile);
std::vector<std::string> readRoster(const Bytes& image, const VersionProfile& profile, const PartyTable& parties);

// The 47 class names, class c at c - 1, decoded and trimmed; empty for a name that is not in place.
std::vector<std::string> readClassNames(const Bytes& image, const VersionProfile& profile);
