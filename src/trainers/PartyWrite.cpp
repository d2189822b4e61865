#include "trainers/PartyWrite.h"

#include "rom/DisplayText.h"
#include "species/LearnsetRules.h"
#include "trainers/BankCheck.h"
#include "trainers/BankLayout.h"
#include "trainers/CustomMovesWrite.h"
#include "trainers/PartyRules.h"
#include "trainers/TrainerPlacement.h"

#include <algorithm>
#include <map>
#include <set>

namespace {

constexpr int MaxSharedLevel = 100;
constexpr int MaxMoney = 9999;

std::string classWord(int classNumber)
{
    return "trainer class " + std::to_string(classNumber);
}

std::string speciesWord(int species)
{
    return "species " + std::to_string(species);
}

// The changed party lists by their index in the table, each as it reads with its changes, still at its offset.
using ChangedLists = std::map<int, PartyList>;
// The changed lists of evolutions and learnset by their index in their table, each with its new content.
using ChangedEvosMoves = std::map<int, EvosMoves>;

Bytes listBytes(const PartyList& list)
{
    Bytes bytes;
    bytes.reserve(static_cast<std::size_t>(list.end - list.offset));
    for (const Party& party : list.parties) {
        const Bytes stored = partyBytes(party.format, party.members);
        bytes.insert(bytes.end(), stored.begin(), stored.end());
    }
    return bytes;
}

// The changed parties, each of a list that may be edited, each a party the list has, each with members the
// game can read, and none given twice.
Result<ChangedLists> changedLists(const PartyTable& table, const std::vector<PartyChange>& changes)
{
    ChangedLists changed;
    for (const PartyChange& change : changes) {
        const PartyList* list = table.listOf(change.classNumber);
        if (list == nullptr || !list->editable()) {
            return refusal(FailureNumber::NotInPlace,
                           "The parties of " + classWord(change.classNumber) +
                               " are left as they are: " + table.problemOf(change.classNumber) + ".");
        }
        if (table.party(change.classNumber, change.partyNumber) == nullptr) {
            return refusal(FailureNumber::NotInPlace,
                           "Party " + std::to_string(change.partyNumber) + " of " + classWord(change.classNumber) +
                               " is not in the ROM's list.");
        }
        if (auto failure = checkMembers(change.members)) {
            return *failure;
        }
        const int index = table.entry(change.classNumber).list;
        auto [entry, added] = changed.try_emplace(index, *list);
        Party& party = entry->second.parties[static_cast<std::size_t>(change.partyNumber - 1)];
        if (!added && party.offset < 0) {
            return refusal(FailureNumber::NotInPlace,
                           "Party " + std::to_string(change.partyNumber) + " of " + classWord(change.classNumber) +
                               " is changed twice in one save.");
        }
        party.format = storedFormat(party.format, change.members);
        party.members = change.members;
        // Marks the party as changed until the list is laid out.
        party.offset = -1;
    }
    for (auto& [index, list] : changed) {
        layOutParties(list, list.offset);
    }
    return changed;
}

// The changed lists of evolutions and learnset, each of a species whose list may be edited, each one the game can
// read as meant; species that share a list may only be given the same one.
Result<ChangedEvosMoves> changedEvosMoves(const EvosMovesTable& table, const std::vector<EvosMovesChange>& changes)
{
    ChangedEvosMoves changed;
    for (const EvosMovesChange& change : changes) {
        const EvosMovesList* list = table.listOf(change.species);
        if (list == nullptr || !list->editable()) {
            return refusal(FailureNumber::NotInPlace,
                           "The evolutions and learnset of " + speciesWord(change.species) +
                               " are left as they are: " + table.problemOf(change.species) + ".");
        }
        if (const auto problems = listProblems(change.content); !problems.empty()) {
            return refusal(FailureNumber::ListNotStorable,
                           "The evolutions and learnset of " + speciesWord(change.species) +
                               " cannot be saved: " + problems.front().text + ".");
        }
        const int index = table.listIndex[static_cast<std::size_t>(change.species - 1)];
        const auto [entry, added] = changed.try_emplace(index, change.content);
        if (!added && entry->second != change.content) {
            return refusal(FailureNumber::NotInPlace,
                           "Species " + std::to_string(list->species.front()) + " and " +
                               std::to_string(change.species) +
                               " share one list of evolutions and learnset in this ROM, and this save gives them "
                               "different ones.");
        }
    }
    return changed;
}

// The changed lists as the bank's layout sees them: the parties first, then the evolutions and learnsets.
std::vector<ChangedList>
changedOf(const BankLists& lists, const ChangedLists& parties, const ChangedEvosMoves& evosMoves)
{
    std::vector<ChangedList> changed;
    for (const bool partiesFirst : {true, false}) {
        for (std::size_t k = 0; k < lists.lists.size(); ++k) {
            const BankList& list = lists.lists[k];
            if ((list.kind == BankListKind::Parties) != partiesFirst) {
                continue;
            }
            if (partiesFirst) {
                const auto found = parties.find(list.index);
                if (found == parties.end()) {
                    continue;
                }
                const auto& partyList = found->second.parties;
                const auto unsound = std::find_if_not(partyList.begin(), partyList.end(), soundParty);
                changed.push_back({k,
                                   listBytes(found->second),
                                   "The parties of " + classWord(list.owner),
                                   unsound == partyList.end()
                                       ? std::string()
                                       : "party " + std::to_string(unsound - partyList.begin() + 1) +
                                             ", with a species byte outside 1-190 or a shared level above 100"});
            } else if (const auto found = evosMoves.find(list.index); found != evosMoves.end()) {
                changed.push_back({k,
                                   evosMovesBytes(found->second),
                                   "The evolutions and learnset of " + speciesWord(list.owner),
                                   {}});
            }
        }
    }
    return changed;
}

Result<WritePlan>
planMoney(const PartyTable& table, const VersionProfile& profile, const std::vector<MoneyChange>& money)
{
    WritePlan plan;
    for (const MoneyChange& change : money) {
        const ClassEntry& entry = table.entry(change.classNumber);
        if (!entry.money) {
            return refusal(FailureNumber::NotInPlace,
                           "The prize money of " + classWord(change.classNumber) +
                               " is left as it is: " + std::string(entry.moneyProblem) + ".");
        }
        if (change.money < 0 || change.money > MaxMoney) {
            return refusal(FailureNumber::PartyNotStorable, "Prize money runs from 0 to 9999 yen per level.");
        }
        if (change.money == *entry.money) {
            continue;
        }
        plan.push_back({classMoneyOffset(profile, change.classNumber), moneyBytes(change.money)});
    }
    return plan;
}

} // namespace

WriteStatus checkMembers(const std::vector<PartyMember>& members)
{
    if (members.empty() || members.size() > MaxPartySize) {
        return refusal(FailureNumber::PartyNotStorable, "A party holds 1 to 6 members.");
    }
    for (std::size_t k = 0; k < members.size(); ++k) {
        const std::string member = "Member " + std::to_string(k + 1);
        if (members[k].level == 0) {
            return refusal(FailureNumber::PartyNotStorable,
                           member + " has level 0, which the game reads as the end of the party: the parties after "
                                    "it would be numbered anew. Remove the member instead.");
        }
        if (members[k].species == 0) {
            return refusal(FailureNumber::PartyNotStorable,
                           member + " is MISSINGNO. (byte 0), which the game reads as the end of the party: the "
                                    "parties after it would be numbered anew. Pick a species or remove the member.");
        }
    }
    return std::nullopt;
}

PartyFormat storedFormat(PartyFormat loaded, const std::vector<PartyMember>& members)
{
    const bool shared = !members.empty() && std::all_of(members.begin(), members.end(), [&](const PartyMember& m) {
        return m.level == members.front().level;
    });
    return loaded == PartyFormat::SameLevel && shared && members.front().level >= 1 &&
                   members.front().level <= MaxSharedLevel
               ? PartyFormat::SameLevel
               : PartyFormat::LevelEach;
}

Result<BankWrite>
planBankChange(const Bytes& image, const VersionProfile& profile, const BankChange& change, const WritePlan& other)
{
    return planBankChange(image, profile, change, other, readPartyTable(image, profile));
}

Result<BankWrite> planBankChange(const Bytes& image,
                                 const VersionProfile& profile,
                                 const BankChange& change,
                                 const WritePlan& other,
                                 const PartyTable& table)
{
    return planBankChange(image, profile, change, other, table, readEvosMovesTable(image, profile));
}

Result<BankWrite> planBankChange(const Bytes& image,
                                 const VersionProfile& profile,
                                 const BankChange& change,
                                 const WritePlan& other,
                                 const PartyTable& table,
                                 const EvosMovesTable& evosMoves)
{
    const auto parties = changedLists(table, change.parties);
    if (!parties) {
        return parties.failure();
    }
    const auto lists = changedEvosMoves(evosMoves, change.evosMoves);
    if (!lists) {
        return lists.failure();
    }
    const auto money = planMoney(table, profile, change.money);
    if (!money) {
        return money.failure();
    }
    WritePlan withMoney = other;
    withMoney.insert(withMoney.end(), money->begin(), money->end());
    const BankBefore before{table, evosMoves, locateRoster(image, profile, table), customMovesRange(image, profile)};
    const BankLists bank = bankLists(image, table, evosMoves);
    const std::vector<ChangedList> changed = changedOf(bank, *parties, *lists);
    // The plan with its writes, once it reads as meant on a copy.
    const auto checked = [&](const BankPlacement& placement) -> Result<BankWrite> {
        BankWrite write{placement.plan, placement.relocations, placement.repack, std::nullopt, {}, {}};
        BankExpected expected = expectedLists(before, bank, placement, *parties, *lists, change.money);
        WritePlan others = withMoney;
        WritePlan customMoves;
        if (change.customMoves) {
            // The table goes where the lists leave room: planned on the bank as they are laid out.
            Bytes laidOut = image;
            applyWritePlan(laidOut, placement.plan);
            applyWritePlan(laidOut, withMoney);
            auto placed = planCustomMoves(laidOut, profile, *change.customMoves);
            if (!placed) {
                return placed.failure();
            }
            customMoves = std::move(placed->plan);
            write.customMovesMove = placed->move;
            expected.customMoves = change.customMoves;
            others.insert(others.end(), customMoves.begin(), customMoves.end());
        }
        if (auto failure = checkBank(image, profile, before, bank, expected, others, write)) {
            return *failure;
        }
        write.plan.insert(write.plan.end(), money->begin(), money->end());
        write.plan.insert(write.plan.end(), customMoves.begin(), customMoves.end());
        return write;
    };
    const auto oneByOne = placeOneByOne(image, profile, bank, changed);
    Result<BankWrite> write = oneByOne ? checked(*oneByOne) : Result<BankWrite>(oneByOne.failure());
    // When that does not fit, or would not read as meant, the whole bank is laid out anew.
    if (write || changed.empty()) {
        return write;
    }
    const auto all = placeAll(image, profile, bank, changed);
    Result<BankWrite> repacked = all ? checked(*all) : Result<BankWrite>(all.failure());
    // A list the free space could not end, or a table the lists lie over, says more than a layout that fails too.
    const int first = write.failure().number;
    if (!repacked && (first == FailureNumber::PartyNotStorable || first == FailureNumber::WouldMoveData)) {
        return write.failure();
    }
    return repacked;
}

std::string relocationNote(const std::string& owner, const Relocation& moved)
{
    return freeSpaceNote(owner + (moved.species != 0 ? "'s evolutions and learnset" : "'s parties"), moved);
}

std::string bankRoomNote(const BankRoom& room)
{
    return "Trainer bank: " + groupedNumber(room.free()) + " of " + groupedNumber(room.capacity) + " bytes free.";
}

std::string bankSavedNote(const std::string& owner, const BankSaved& saved, const BankRoom& room)
{
    const std::string moves = saved.customMovesMove ? customMovesMoveNote(*saved.customMovesMove) : std::string();
    if (!saved.relocations.empty()) {
        const Relocation& moved = saved.relocations.front();
        return owner + (moved.species != 0 ? "'s evolutions and learnset" : "'s parties") + " moved to free space at " +
               hexNumber(moved.to) + " (" + groupedNumber(moved.bytes) + " bytes). " + bankRoomNote(room) +
               (moves.empty() ? "" : " " + moves);
    }
    if (saved.repack) {
        return repackNote(*saved.repack) + (moves.empty() ? "" : " " + moves);
    }
    return moves;
}

std::string repackNote(const Repack& repack)
{
    return "The trainer bank was repacked: " + groupedNumber(repack.lists) + (repack.lists == 1 ? " list" : " lists") +
           " rewritten. " + bankRoomNote({repack.capacity, repack.capacity - repack.freeBytes});
}

std::int32_t bytesOfChange(const PartyTable& table, const BankChange& change)
{
    std::int32_t bytes = 0;
    for (const PartyChange& party : change.parties) {
        if (const Party* was = table.party(party.classNumber, party.partyNumber)) {
            bytes += partyLength(storedFormat(was->format, party.members), party.members.size()) -
                     partyLength(was->format, was->members.size());
        }
    }
    return bytes;
}

std::int32_t bytesOfChange(const PartyTable& table, const EvosMovesTable& evosMoves, const BankChange& change)
{
    std::int32_t bytes = bytesOfChange(table, change);
    std::set<const EvosMovesList*> counted;
    for (const EvosMovesChange& list : change.evosMoves) {
        const EvosMovesList* was = evosMoves.listOf(list.species);
        if (was != nullptr && counted.insert(was).second) {
            bytes += evosMovesLength(list.content) - (was->end - was->offset);
        }
    }
    return bytes;
}

Result<BankSaved> writeBankChange(const RomTarget& rom,
                                  const LoadedBank& loaded,
                                  const BankChange& change,
                                  const std::string& label,
                                  const CommitOptions& options)
{
    const auto image = rom.readAgain();
    if (!image) {
        return image.failure();
    }
    const PartyTable now = readPartyTable(*image, *rom.profile);
    const PartyList* list = change.parties.empty() ? nullptr : now.listOf(change.parties.front().classNumber);
    const bool listMoved = !change.parties.empty() && (list == nullptr || !loaded.list || *list != *loaded.list);
    const bool moneyMoved = !change.money.empty() && now.entry(change.money.front().classNumber).money != loaded.money;
    const bool movesMoved =
        change.customMoves && loaded.customMoves && readCustomMoves(*image, *rom.profile) != *loaded.customMoves;
    if (listMoved || moneyMoved || movesMoved) {
        return refusal(FailureNumber::NotInPlace,
                       std::string(listMoved    ? "The parties"
                                   : moneyMoved ? "The prize money"
                                                : "The custom moves") +
                           " changed in the file since they were loaded. Pick the party again to see the file as it "
                           "is now.");
    }
    const auto write = planBankChange(*image, *rom.profile, change, {}, now);
    if (!write) {
        return write.failure();
    }
    const auto commit = commitSave(rom.path, *image, write->plan, label, options);
    if (!commit) {
        return commit.failure();
    }
    return BankSaved{write->relocations, write->repack, *commit, write->customMovesMove};
}
