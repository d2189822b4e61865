// The whole read path on an image that carries an accepted version code, and the plan of a save. The
// fuzz input picks the version and a base image, then overlays bytes where the readers look: the class
// names, the party pointers and parties, the special moves, a prize and a battle with the bytes around
// them, the name tables. Whatever the bytes, nothing is read out of bounds, and a save of new values for
// everything of one trainer that is in place either leaves every trainer exactly where it was or is
// refused whole; so is a party of one class grown or shrunk by one member, or every party of the bank
// grown by one (which lays the whole bank out anew): every party must then read as meant.
//
// Input: [version and trainer][flags] then chunks of [region][position hi][position lo][count] and count bytes.
// Flags: bit 0 picks the synthetic image over an empty one; bits 1 and 2 pick the save: a trainer's values (0, 1),
// one party grown or shrunk (2), every party grown (3).
//
// The party table is read once an input and handed to everything that needs it: under the sanitizers a read
// of every party costs more than all the rest of an input.

#include "FuzzCheck.h"
#include "app/RomSession.h"
#include "catalogues/NameCatalogues.h"
#include "demo/SyntheticRom.h"
#include "overworld/OverworldBattle.h"
#include "trainers/TrainerRecord.h"

#include <cstring>

namespace {

// The synthetic image of a version with one party a class, one list after another from where the lists begin,
// then code bytes, and a free space of 160 bytes at the end of the bank. Every way of the read path and of the
// planner is there, at a tenth of the parties: reading all the parties is most of an input's work.
Bytes leanImage(GameVersion version)
{
    const VersionProfile& profile = profileOf(version);
    Bytes image = SyntheticRom(version).bytes();
    const PartyTable table = readPartyTable(image, profile);
    const std::int32_t start = table.lists.front().offset;
    std::fill(image.begin() + start, image.begin() + TrainerBankEnd, 0x00);
    std::int32_t at = start;
    for (const PartyList& list : table.lists) {
        const Bytes party = partyBytes(list.parties.front().format, list.parties.front().members);
        std::copy(party.begin(), party.end(), image.begin() + at);
        for (const int classNumber : list.classes) {
            const Bytes pointer = bankPointer(at);
            std::copy(
                pointer.begin(), pointer.end(), image.begin() + profile.partyPointersOffset + 2 * (classNumber - 1));
        }
        at += static_cast<std::int32_t>(party.size());
    }
    std::fill(image.begin() + at, image.begin() + TrainerBankEnd - 160, 0xC9);
    image[static_cast<std::size_t>(at)] = 0xA7;
    return image;
}

// One member more for party 1 of classNumber (one less when it has six); with everyParty, one more for every
// party of every list that has fewer than six.
BankChange sizeChange(const PartyTable& table, int classNumber, bool everyParty)
{
    BankChange change;
    for (const PartyList& list : table.lists) {
        const bool chosen = everyParty || &list == table.listOf(classNumber);
        const std::size_t parties = everyParty ? list.parties.size() : std::min<std::size_t>(list.parties.size(), 1);
        for (std::size_t k = 0; chosen && list.editable() && k < parties; ++k) {
            std::vector<PartyMember> members = list.parties[k].members;
            if (members.size() < MaxPartySize) {
                members.push_back({members.back().level == 0 ? std::uint8_t{1} : members.back().level, 7});
            } else if (everyParty) {
                continue;
            } else {
                members.pop_back();
            }
            change.parties.push_back({list.classes.front(), static_cast<int>(k) + 1, members});
        }
    }
    return change;
}

// New values for every group of one trainer that is in place: the names, prizes and special moves stay where
// they were (a party may move with its list), or the save is refused whole.
template <typename Apply>
void checkTrainerSave(const Bytes& image,
                      const VersionProfile& profile,
                      const PartyTable& table,
                      int rosterIndex,
                      std::uint8_t value,
                      const Apply& apply)
{
    const auto before = locateRoster(image, profile, table);
    const LoadedTrainer loaded = readTrainer(image, profile, table, rosterIndex);
    TrainerRecord edited = loaded.record;
    edited.name = edited.name ? std::optional<std::string>("FUZZ") : std::nullopt;
    for (PartyMember& member : edited.party ? *edited.party : std::vector<PartyMember>{}) {
        member = {static_cast<std::uint8_t>(value | 1), value};
    }
    for (auto* byte : {&edited.specialMove, &edited.specialMoveUser, &edited.prizeItem, &edited.prizeAmount}) {
        *byte = *byte ? std::optional(value) : std::nullopt;
    }
    const auto write = planTrainerWrite(image, profile, table, rosterIndex, loaded, edited);
    FUZZ_CHECK(write.ok() ? write->leftAlone.empty() : write.failure().number == FailureNumber::WouldMoveData);
    if (!write.ok()) {
        return;
    }
    apply(write->plan);
    const auto after = locateRoster(image, profile);
    for (std::size_t k = 0; k < after.size(); ++k) {
        FUZZ_CHECK(after[k].name == before[k].name && after[k].prize == before[k].prize &&
                   after[k].specialMove == before[k].specialMove && after[k].party.state == before[k].party.state);
    }
}

template <typename Apply>
void checkSizeChange(const Bytes& image,
                     const VersionProfile& profile,
                     const PartyTable& before,
                     const BankChange& change,
                     const Apply& apply)
{
    const auto write = planBankChange(image, profile, change, {}, before);
    if (!write) {
        const int number = write.failure().number;
        FUZZ_CHECK(number == FailureNumber::NoRoomInBank || number == FailureNumber::WouldMoveData ||
                   number == FailureNumber::NotInPlace || number == FailureNumber::PartyNotStorable ||
                   number == FailureNumber::ValueNotStorable);
        return;
    }
    apply(write->plan);
    FUZZ_CHECK(!change.customMoves || readCustomMoves(image, profile) == *change.customMoves);
    const PartyTable after = readPartyTable(image, profile);
    const bool laidOut = write->repack || !write->relocations.empty();
    for (int classNumber = 1; classNumber <= TrainerClassCount; ++classNumber) {
        const PartyList* was = before.listOf(classNumber);
        const PartyList* is = after.listOf(classNumber);
        FUZZ_CHECK((was == nullptr) == (is == nullptr));
        if (was == nullptr) {
            continue;
        }
        FUZZ_CHECK(is->problem == was->problem && is->parties.size() == was->parties.size());
        FUZZ_CHECK(laidOut || is->offset == was->offset);
        for (std::size_t k = 0; k < was->parties.size(); ++k) {
            const auto changed = std::find_if(change.parties.begin(), change.parties.end(), [&](const auto& party) {
                return before.listOf(party.classNumber) == was && party.partyNumber == static_cast<int>(k) + 1;
            });
            FUZZ_CHECK(changed != change.parties.end() ? is->parties[k].members == changed->members
                                                       : is->parties[k].members == was->parties[k].members);
        }
    }
}

} // namespace

// The lean synthetic image of each version, and an empty one.
using Images = OverlaidImages<4>;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static Images images({leanImage(GameVersion::Red),
                          leanImage(GameVersion::Blue),
                          leanImage(GameVersion::Yellow),
                          Bytes(SyntheticRom::DefaultSize, 0x00)});
    if (size < 2) {
        return 0;
    }
    const VersionProfile& profile = profileOf(static_cast<GameVersion>(data[0] % 3));
    const std::size_t which = (data[1] & 1) != 0 ? data[0] % 3 : 3;
    Bytes& image = images.images[which];
    const auto apply = [&](const WritePlan& plan) {
        for (const ByteWrite& write : plan) {
            images.put(image, static_cast<std::size_t>(write.offset), write.bytes.data(), write.bytes.size());
        }
    };
    images.put(image, VersionCodeOffset, reinterpret_cast<const std::uint8_t*>(profile.code.data()), VersionCodeLength);
    // Where the readers of this version look: start and length.
    const std::pair<std::int32_t, std::int32_t> regions[] = {
        {VersionCodeOffset, VersionCodeLength},
        {profile.classNamesOffset, 0x200},
        {profile.partyPointersOffset - 0x20, 0x80},
        {trainerLayout(profile.version, 7).partyOffset - 0x20, 0x300},
        {TrainerBankEnd - 0x40, 0x40},
        {*trainerLayout(profile.version, 4).prizeAmountOffset - 2, 4},
        {overworldBattle(profile.version, 0).speciesOffset - 2, 4},
        {profile.speciesNamesOffset, 0x100},
        {profile.itemNamesOffset, 0x100}};
    bool namesChanged = false;
    for (std::size_t at = 2; at + 4 <= size;) {
        const std::size_t region = data[at] % std::size(regions);
        // The last two regions are the species and item name tables.
        namesChanged = namesChanged || region + 2 >= std::size(regions);
        const auto& [start, length] = regions[region];
        const auto offset = static_cast<std::size_t>(start + (data[at + 1] << 8 | data[at + 2]) % length);
        const std::size_t count = std::min<std::size_t>(data[at + 3], size - (at + 4));
        images.put(image, offset, data + at + 4, count);
        at += 4 + count;
    }
    // Recognition reads every party again where no battle is in place: one input in 4 is enough for its few ways.
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t hash = std::hash<std::string_view>{}(input);
    if (hash % 4 == 0) {
        const Recognition recognition = recognizeRom(image);
        FUZZ_CHECK(recognition.profile == nullptr || recognition.profile->code == recognition.versionCode);
    }
    const PartyTable table = readPartyTable(image, profile);
    FUZZ_CHECK(readRoster(image, profile, table).size() == RosterSize);
    // The lists depend on their tables alone, and decoding them all is slow under the sanitizers: they are
    // checked for one input in 32 of those that change a table, picked by the same hash, which the fuzzer cannot
    // steer.
    if (namesChanged && hash / 4 % 32 == 0) {
        const auto items = itemNames(image, profile).size();
        FUZZ_CHECK(speciesNames(image, profile).size() == 191 && items + itemPlaceholders(items).size() == 195);
    }
    // One save, chosen by flags bits 1 and 2, for one input in 16 of those that change the trainer bank (the plans
    // of the bank as built are the same every time), picked by the same hash: a save reads every party twice more.
    const bool bankChanged = std::any_of(images.changed.begin() + 1,
                                         images.changed.end(),
                                         [](const BankRange& range) {
                                             return range.end > TrainerBankStart && range.start < TrainerBankEnd;
                                         }) &&
                             hash / 128 % 16 == 0;
    const int save = (data[1] >> 1) & 3;
    if (bankChanged && save < 2) {
        checkTrainerSave(image, profile, table, data[0] / 3 % RosterSize, data[1], apply);
    } else if (bankChanged) {
        BankChange change = sizeChange(table, data[1] % TrainerClassCount + 1, save == 3);
        if (profile.customMovesOffset) {
            // Yellow's custom moves table with the same save, grown by up to 63 moves: in place, or moved.
            change.customMoves = readCustomMoves(image, profile);
            change.customMoves->push_back({data[1] % TrainerClassCount + 1, 1, {}});
            change.customMoves->back().moves.assign(data[1] % 64,
                                                    CustomMove{1, 3, static_cast<std::uint8_t>(data[0] | 1)});
        }
        checkSizeChange(image, profile, table, change, apply);
    }
    images.restore(which);
    return 0;
}
