#include "trainers/PartyWrite.h"

#include "rom/DisplayText.h"
#include "trainers/BankLayout.h"
#include "trainers/PartyRules.h"
#include "trainers/TrainerPlacement.h"

#include <algorithm>
#include <cstring>
#include <map>

namespace {

constexpr int MaxSharedLevel = 100;
constexpr int MaxMoney = 9999;
// Unchanged bytes between two changed runs of a layout are written again when there are at most this many, so
// that a layout of the whole bank is a few writes rather than one per list.
constexpr std::int32_t RunGap = 16;

std::string classWord(int classNumber)
{
    return "trainer class " + std::to_string(classNumber);
}

std::string count(std::int32_t bytes)
{
    return groupedNumber(bytes) + (bytes == 1 ? " byte" : " bytes");
}

// The changed lists by their index in the table, each as it reads with its changes, still at its offset.
using ChangedLists = std::map<int, PartyList>;

void layOut(PartyList& list, std::int32_t offset)
{
    list.offset = offset;
    std::int32_t at = offset;
    for (Party& party : list.parties) {
        party.offset = at;
        at += partyLength(party.format, party.members.size());
    }
    list.end = at;
}

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

std::vector<std::int32_t> pointersOf(const VersionProfile& profile, const PartyList& list)
{
    std::vector<std::int32_t> pointers;
    for (const int classNumber : list.classes) {
        pointers.push_back(profile.partyPointersOffset + 2 * (classNumber - 1));
    }
    return pointers;
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
        layOut(list, list.offset);
    }
    return changed;
}

// The first way: each changed list where it is when it fits its span, else into the free space. A failure when a
// list does not fit the free space, or could not end the highest list there.
Result<BankWrite>
planInPlaceOrMoved(const Bytes& image, const VersionProfile& profile, const PartyTable& table, ChangedLists& changed)
{
    BankWrite write;
    FreeSpace free = table.free;
    for (auto& [index, list] : changed) {
        const PartyList& old = table.lists[static_cast<std::size_t>(index)];
        const Bytes bytes = listBytes(list);
        const PointedBlock block{old.offset, old.end - old.offset, old.span, pointersOf(profile, old)};
        const auto length = std::max<std::int32_t>(static_cast<std::int32_t>(bytes.size()), block.length);
        const Bytes was(image.begin() + old.offset,
                        image.begin() + old.offset + std::min<std::int32_t>(length, std::max(block.span, 0)));
        if (const auto inPlace = placeInPlace(block, was, bytes)) {
            write.plan.insert(write.plan.end(), inPlace->begin(), inPlace->end());
            continue;
        }
        // At the end of the bank the list is the highest, which ends at the first party that is not sound.
        const auto unsound = std::find_if_not(list.parties.begin(), list.parties.end(), soundParty);
        if (unsound != list.parties.end()) {
            return refusal(FailureNumber::PartyNotStorable,
                           "The parties of " + classWord(list.classes.front()) +
                               " outgrow their place and would move to the free space at the end of the trainer "
                               "bank, where party " +
                               std::to_string(unsound - list.parties.begin() + 1) +
                               ", with a species byte outside 1-190 or a shared level above 100, would end them.");
        }
        const auto placed = placeInFreeSpace(block, bytes, free);
        if (!placed) {
            return refusal(FailureNumber::NoRoomInBank,
                           "The parties of " + classWord(list.classes.front()) + " would need " +
                               count(static_cast<std::int32_t>(bytes.size())) +
                               ", more than their place holds, and the free space at the end of the trainer bank "
                               "has room for " +
                               std::to_string(free.room()) + ".");
        }
        write.plan.insert(write.plan.end(), placed->plan.begin(), placed->plan.end());
        const BlockMove& move = *placed->move;
        write.relocations.push_back({move, list.classes.front()});
        layOut(list, move.to);
    }
    return write;
}

// The writes that turn the bank of image into target, runs close to each other written as one.
WritePlan differences(const Bytes& image, const Bytes& target, std::int32_t start)
{
    const auto size = static_cast<std::int32_t>(target.size());
    const auto same = [&](std::int32_t at) {
        return target[static_cast<std::size_t>(at)] == image[static_cast<std::size_t>(start + at)];
    };
    // Equal stretches are passed a block at a time: most of the bank is the same before and after.
    constexpr std::int32_t Block = 64;
    WritePlan plan;
    for (std::int32_t at = 0; at < size;) {
        if (at + Block <= size && std::memcmp(target.data() + at, image.data() + start + at, Block) == 0) {
            at += Block;
            continue;
        }
        if (same(at)) {
            ++at;
            continue;
        }
        std::int32_t end = at + 1;
        for (std::int32_t probe = end; probe < size && probe - end <= RunGap; ++probe) {
            end = same(probe) ? end : probe + 1;
        }
        plan.push_back({start + at, Bytes(target.begin() + at, target.begin() + end)});
        at = end;
    }
    return plan;
}

// The third way: every list that may be edited laid out anew; the changed lists in changed are laid out where
// the layout puts them, and the unchanged ones are added.
Result<BankWrite>
planRepack(const Bytes& image, const VersionProfile& profile, const PartyTable& table, ChangedLists& changed)
{
    std::vector<std::int32_t> lengths;
    for (std::size_t k = 0; k < table.lists.size(); ++k) {
        const auto found = changed.find(static_cast<int>(k));
        const PartyList& list = found != changed.end() ? found->second : table.lists[k];
        lengths.push_back(list.end - list.offset);
    }
    BankRoom room;
    const auto places = layOutLists(bankAreas(image, profile, table), table, lengths, room);
    if (!places) {
        return refusal(
            FailureNumber::NoRoomInBank,
            room.used > room.capacity
                ? "The trainer parties would need " + count(room.used) + ", more than the " + count(room.capacity) +
                      " the trainer bank holds for them: " + count(room.used - room.capacity) + " are missing."
                : "The trainer parties would need " + groupedNumber(room.used) + " of the " + count(room.capacity) +
                      " the trainer bank holds for them, and no list can be split between its places.");
    }
    const std::int32_t end = trainerBankEnd(image);
    Bytes target(image.begin() + TrainerBankStart, image.begin() + end);
    const auto put = [&target](std::int32_t at, const Bytes& bytes) {
        std::copy(bytes.begin(), bytes.end(), target.begin() + (at - TrainerBankStart));
    };
    for (const ListPlace& place : *places) {
        const PartyList& old = table.lists[static_cast<std::size_t>(place.list)];
        put(old.offset, Bytes(static_cast<std::size_t>(old.end - old.offset), 0x00));
    }
    BankWrite write;
    write.repack = Repack{0, room.free(), room.capacity};
    for (const ListPlace& place : *places) {
        const PartyList& old = table.lists[static_cast<std::size_t>(place.list)];
        PartyList& list = changed.try_emplace(place.list, old).first->second;
        write.repack->lists += place.offset != old.offset || listBytes(list) != listBytes(old);
        layOut(list, place.offset);
        put(place.offset, listBytes(list));
        for (const std::int32_t pointer : pointersOf(profile, list)) {
            put(pointer, bankPointer(place.offset));
        }
    }
    write.plan = differences(image, target, TrainerBankStart);
    return write;
}

bool sameNamesAndMoves(const std::array<TrainerPlaces, RosterSize>& before,
                       const std::array<TrainerPlaces, RosterSize>& after)
{
    for (std::size_t k = 0; k < before.size(); ++k) {
        if (before[k].name != after[k].name || before[k].specialMove != after[k].specialMove) {
            return false;
        }
    }
    return true;
}

// The first class whose parties or money read otherwise after the plan than the change means; 0 when none.
int classReadingOtherwise(const PartyTable& before,
                          const PartyTable& after,
                          const ChangedLists& changed,
                          const std::vector<MoneyChange>& money)
{
    for (int classNumber = 1; classNumber <= TrainerClassCount; ++classNumber) {
        const int index = before.entry(classNumber).list;
        const auto found = changed.find(index);
        const PartyList* expected = found != changed.end() ? &found->second : before.listOf(classNumber);
        const PartyList* is = after.listOf(classNumber);
        const bool sameList = expected == nullptr ? is == nullptr : is != nullptr && *is == *expected;
        std::optional<int> expectedMoney = before.entry(classNumber).money;
        for (const MoneyChange& change : money) {
            expectedMoney = change.classNumber == classNumber ? std::optional(change.money) : expectedMoney;
        }
        if (!sameList || after.entry(classNumber).money != expectedMoney) {
            return classNumber;
        }
    }
    return 0;
}

// What the check of every plan compares against, read once a save.
struct BankBefore
{
    const PartyTable& table;
    std::array<TrainerPlaces, RosterSize> roster;
    BankRange customMoves;
};

WriteStatus checkBank(const Bytes& image,
                      const VersionProfile& profile,
                      const BankBefore& before,
                      const ChangedLists& changed,
                      const std::vector<MoneyChange>& money,
                      BankWrite& write,
                      const WritePlan& other)
{
    const BankRange bank = bankRange(TrainerBank);
    WritePlan all;
    std::copy_if(other.begin(), other.end(), std::back_inserter(all), [&bank](const ByteWrite& run) {
        return bank.contains(run.offset);
    });
    all.insert(all.end(), write.plan.begin(), write.plan.end());
    return checkOnCopy(image, all, {bank}, {bank}, [&](const Bytes& copy) -> WriteStatus {
        write.after = readPartyTable(copy, profile);
        if (const int classNumber = classReadingOtherwise(before.table, write.after, changed, money)) {
            return refusal(FailureNumber::WouldMoveData,
                           "This save would change what the game reads for " + classWord(classNumber) +
                               " in this ROM, whose tables point into each other.");
        }
        const BankRange& moves = before.customMoves;
        if (!sameNamesAndMoves(before.roster, locateRoster(copy, profile, write.after)) ||
            !std::equal(image.begin() + moves.start, image.begin() + moves.end, copy.begin() + moves.start)) {
            return refusal(FailureNumber::WouldMoveData,
                           "This save would move where the game finds a trainer's name or special moves in this "
                           "ROM, whose tables point into each other.");
        }
        return std::nullopt;
    });
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
    auto changed = changedLists(table, change.parties);
    if (!changed) {
        return changed.failure();
    }
    const auto money = planMoney(table, profile, change.money);
    if (!money) {
        return money.failure();
    }
    const BankBefore before{table, locateRoster(image, profile, table), customMovesRange(image, profile)};
    ChangedLists moved = changed.value();
    auto write = planInPlaceOrMoved(image, profile, table, moved);
    if (write) {
        BankWrite& planned = write.value();
        planned.plan.insert(planned.plan.end(), money->begin(), money->end());
        if (auto failure = checkBank(image, profile, before, moved, change.money, planned, other)) {
            write = *failure;
        } else {
            return write;
        }
    }
    // When that does not fit, or would not read as meant, the whole bank is laid out anew.
    if (changed->empty()) {
        return write;
    }
    auto repacked = planRepack(image, profile, table, changed.value());
    if (repacked) {
        BankWrite& planned = repacked.value();
        planned.plan.insert(planned.plan.end(), money->begin(), money->end());
        if (auto failure = checkBank(image, profile, before, changed.value(), change.money, planned, other)) {
            // A list the free space could not end says more than a layout that does not read as meant either.
            return write.failure().number == FailureNumber::PartyNotStorable ? write.failure() : *failure;
        }
    }
    return repacked;
}

std::string bankRoomNote(const BankRoom& room)
{
    return "Trainer bank: " + groupedNumber(room.free()) + " of " + groupedNumber(room.capacity) + " bytes free.";
}

std::string bankSavedNote(const std::string& owner, const BankSaved& saved, const BankRoom& room)
{
    if (!saved.relocations.empty()) {
        const Relocation& moved = saved.relocations.front();
        return owner + "'s parties moved to free space at " + hexNumber(moved.to) + " (" + groupedNumber(moved.bytes) +
               " bytes). " + bankRoomNote(room);
    }
    return saved.repack ? repackNote(*saved.repack) : std::string();
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
    if (listMoved || moneyMoved) {
        return refusal(FailureNumber::NotInPlace,
                       std::string(listMoved ? "The parties" : "The prize money") +
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
    return BankSaved{write->relocations, write->repack, *commit};
}
