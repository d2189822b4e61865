#include "trainers/PartyWrite.h"

#include "trainers/PartyRules.h"
#include "trainers/TrainerPlacement.h"

#include <algorithm>

namespace {

constexpr int MaxSharedLevel = 100;

Failure refusal(int number, const std::string& what)
{
    return {number, what + " Nothing was written."};
}

std::string classWord(int classNumber)
{
    return "trainer class " + std::to_string(classNumber);
}

// The list as it reads once the changed parties are written at offset.
PartyList changedList(const PartyList& list, const std::vector<PartyChange>& changes, std::int32_t offset)
{
    PartyList changed = list;
    changed.offset = offset;
    for (const PartyChange& change : changes) {
        Party& party = changed.parties[static_cast<std::size_t>(change.partyNumber - 1)];
        party.format = storedFormat(party.format, change.members);
        party.members = change.members;
    }
    std::int32_t at = offset;
    for (Party& party : changed.parties) {
        party.offset = at;
        at += partyLength(party.format, party.members.size());
    }
    changed.end = at;
    return changed;
}

Bytes listBytes(const PartyList& list)
{
    Bytes bytes;
    for (const Party& party : list.parties) {
        const Bytes stored = partyBytes(party.format, party.members);
        bytes.insert(bytes.end(), stored.begin(), stored.end());
    }
    return bytes;
}

// The checks of the changed parties: all of one list that may be edited, each a party the list has, each
// with members the game can read.
WriteStatus checkChanges(const PartyTable& table, const std::vector<PartyChange>& changes)
{
    const PartyChange& first = changes.front();
    const PartyList* list = table.listOf(first.classNumber);
    if (list == nullptr || !list->editable()) {
        return refusal(FailureNumber::NotInPlace,
                       "The parties of " + classWord(first.classNumber) + " are left as they are: " +
                           (list == nullptr ? table.entry(first.classNumber).problem : list->problem) + ".");
    }
    for (const PartyChange& change : changes) {
        if (table.listOf(change.classNumber) != list ||
            table.party(change.classNumber, change.partyNumber) == nullptr) {
            return refusal(FailureNumber::NotInPlace,
                           "Party " + std::to_string(change.partyNumber) + " of " + classWord(change.classNumber) +
                               " is not in the ROM's list of " + classWord(first.classNumber) + ".");
        }
        if (auto failure = checkMembers(change.members)) {
            return failure;
        }
    }
    return std::nullopt;
}

// The parties' writes: in place when the new list fits its span, else into the free space.
Result<BankWrite>
planParties(const VersionProfile& profile, const PartyTable& table, const std::vector<PartyChange>& changes)
{
    if (auto failure = checkChanges(table, changes)) {
        return *failure;
    }
    const PartyChange& change = changes.front();
    const PartyList* list = table.listOf(change.classNumber);
    const PartyList inPlace = changedList(*list, changes, list->offset);
    const auto length = static_cast<std::int32_t>(listBytes(inPlace).size());
    const std::int32_t oldLength = list->end - list->offset;
    BankWrite write;
    if (length <= list->span) {
        // From the first edited party on; bytes the list no longer needs become 0x00.
        const auto first = std::min_element(
            changes.begin(), changes.end(), [](const auto& a, const auto& b) { return a.partyNumber < b.partyNumber; });
        const std::int32_t from = inPlace.parties[static_cast<std::size_t>(first->partyNumber - 1)].offset;
        Bytes bytes = listBytes(inPlace);
        bytes.resize(static_cast<std::size_t>(std::max(length, oldLength)), 0x00);
        bytes.erase(bytes.begin(), bytes.begin() + (from - list->offset));
        write.plan.push_back({from, bytes});
        return write;
    }
    // At the end of the bank the list is the highest, which ends at the first party that is not sound.
    for (std::size_t k = 0; k < inPlace.parties.size(); ++k) {
        if (!soundParty(inPlace.parties[k])) {
            return refusal(FailureNumber::NoRoomInBank,
                           "The parties of " + classWord(change.classNumber) +
                               " outgrow their place and would move to the free space at the end of the trainer "
                               "bank, where party " +
                               std::to_string(k + 1) +
                               ", with a species byte outside 1-190 or a shared level above 100, would end them.");
        }
    }
    const std::int32_t room = std::max(0, table.free.length - FreeSpaceMargin);
    if (length > room) {
        return refusal(FailureNumber::NoRoomInBank,
                       "The parties of " + classWord(change.classNumber) + " would need " + std::to_string(length) +
                           " bytes, more than their place holds, and the free space at the end of the trainer bank "
                           "has room for " +
                           std::to_string(room) + ": " + std::to_string(length - room) + " bytes are missing.");
    }
    const std::int32_t to = table.free.start + FreeSpaceMargin;
    write.plan.push_back({to, listBytes(changedList(*list, changes, to))});
    for (const int classNumber : list->classes) {
        write.plan.push_back({profile.partyPointersOffset + 2 * (classNumber - 1), trainerBankPointer(to)});
    }
    write.plan.push_back({list->offset, Bytes(static_cast<std::size_t>(oldLength), 0x00)});
    write.relocation = Relocation{list->offset, to, length, table.free.length};
    return write;
}

// Only the trainer bank decides where the game finds parties, names and special moves: the copy holds the
// bank at its place, and what lies before it is not read. It is kept from one check to the next.
const Bytes& bankWith(const Bytes& image, const WritePlan& plan)
{
    static thread_local Bytes bank;
    const auto end = std::min<std::size_t>(TrainerBankEnd, image.size());
    bank.resize(end);
    if (end > TrainerBankStart) {
        std::copy(image.begin() + TrainerBankStart,
                  image.begin() + static_cast<std::ptrdiff_t>(end),
                  bank.begin() + TrainerBankStart);
    }
    for (const ByteWrite& write : plan) {
        for (std::size_t k = 0; k < write.bytes.size(); ++k) {
            const std::size_t at = static_cast<std::size_t>(write.offset) + k;
            if (at < bank.size()) {
                bank[at] = write.bytes[k];
            }
        }
    }
    return bank;
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

// The first class whose parties or money read otherwise after the plan than change means; 0 when none.
int classReadingOtherwise(const PartyTable& before,
                          const PartyTable& after,
                          const BankChange& change,
                          const std::optional<PartyList>& changed)
{
    for (int classNumber = 1; classNumber <= TrainerClassCount; ++classNumber) {
        const PartyList* was = before.listOf(classNumber);
        const PartyList* is = after.listOf(classNumber);
        const bool edited =
            changed && was != nullptr && was->offset == before.listOf(change.parties.front().classNumber)->offset;
        const PartyList* expected = edited ? &*changed : was;
        const bool sameList = expected == nullptr ? is == nullptr : is != nullptr && *is == *expected;
        std::optional<int> money = before.entry(classNumber).money;
        if (change.money && change.money->first == classNumber) {
            money = change.money->second;
        }
        if (!sameList || after.entry(classNumber).money != money) {
            return classNumber;
        }
    }
    return 0;
}

WriteStatus checkBank(const Bytes& image,
                      const VersionProfile& profile,
                      const PartyTable& before,
                      const BankChange& change,
                      BankWrite& write,
                      const WritePlan& other)
{
    for (const ByteWrite& bytes : write.plan) {
        if (bytes.offset < TrainerBankStart || bytes.offset + std::ssize(bytes.bytes) > TrainerBankEnd) {
            return refusal(FailureNumber::WouldMoveData, "This save would write outside the trainer bank.");
        }
    }
    WritePlan all = other;
    all.insert(all.end(), write.plan.begin(), write.plan.end());
    const Bytes& bank = bankWith(image, all);
    write.after = readPartyTable(bank, profile);
    const PartyTable& after = write.after;
    std::optional<PartyList> changed;
    if (!change.parties.empty()) {
        const PartyList& list = *before.listOf(change.parties.front().classNumber);
        changed = changedList(list, change.parties, write.relocation ? write.relocation->to : list.offset);
    }
    if (const int classNumber = classReadingOtherwise(before, after, change, changed)) {
        return refusal(FailureNumber::WouldMoveData,
                       "This save would change what the game reads for " + classWord(classNumber) +
                           " in this ROM, whose tables point into each other.");
    }
    if (!sameNamesAndMoves(locateRoster(image, profile, before), locateRoster(bank, profile, after)) ||
        readCustomMoves(bank, profile) != readCustomMoves(image, profile)) {
        return refusal(FailureNumber::WouldMoveData,
                       "This save would move where the game finds a trainer's name or special moves in this ROM, "
                       "whose tables point into each other.");
    }
    return std::nullopt;
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
    BankWrite write;
    if (!change.parties.empty()) {
        auto party = planParties(profile, table, change.parties);
        if (!party) {
            return party.failure();
        }
        write = std::move(party.value());
    }
    if (change.money) {
        const auto& [classNumber, money] = *change.money;
        if (!table.entry(classNumber).money) {
            return refusal(FailureNumber::NotInPlace,
                           "The prize money of " + classWord(classNumber) +
                               " is left as it is: " + table.entry(classNumber).moneyProblem + ".");
        }
        if (money < 0 || money > 9999) {
            return refusal(FailureNumber::PartyNotStorable, "Prize money runs from 0 to 9999 yen per level.");
        }
        write.plan.push_back({classMoneyOffset(profile, classNumber), moneyBytes(money)});
    }
    if (auto failure = checkBank(image, profile, table, change, write, other)) {
        return *failure;
    }
    return write;
}

Result<std::optional<Relocation>>
writeBankChange(const RomTarget& rom, const LoadedBank& loaded, const BankChange& change)
{
    const auto image = rom.readAgain();
    if (!image) {
        return image.failure();
    }
    const PartyTable now = readPartyTable(*image, *rom.profile);
    const PartyList* list = change.parties.empty() ? nullptr : now.listOf(change.parties.front().classNumber);
    const bool listMoved = !change.parties.empty() && (list == nullptr || !loaded.list || *list != *loaded.list);
    const bool moneyMoved = change.money && now.entry(change.money->first).money != loaded.money;
    if (listMoved || moneyMoved) {
        return refusal(FailureNumber::NotInPlace,
                       std::string(listMoved ? "The parties" : "The prize money") +
                           " changed in the file since they were loaded. Pick the party again to see the file as it "
                           "is now.");
    }
    const auto write = planBankChange(*image, *rom.profile, change);
    if (!write) {
        return write.failure();
    }
    if (auto failure = applyWritePlan(rom.path, write->plan)) {
        return *failure;
    }
    return write->relocation;
}
