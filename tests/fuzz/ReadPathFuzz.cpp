// The whole read path on an image that carries an accepted version code, and the plan of a save. The
// fuzz input picks the version and a base image, then overlays bytes where the readers look: the class
// names, the party pointers and parties, the special moves, a prize and a battle with the bytes around
// them, the name tables. Whatever the bytes, nothing is read out of bounds, and a save of new values for
// everything of one trainer that is in place either leaves every trainer exactly where it was or is
// refused whole; so is a party of one class grown or shrunk by one member, or every party of the bank
// grown by one (which lays the whole bank out anew): every party must then read as meant.
//
// Input: [version and trainer][flags] then chunks of [region][position hi][position lo][count] and count bytes.
// Flags: bit 0 picks the synthetic image over an empty one, bit 1 grows every party.
//
// The party table is read once an input and handed to everything that needs it: under the sanitizers a read
// of every party costs more than all the rest of an input.

#include "FuzzCheck.h"
#include "app/RomSession.h"
#include "catalogues/NameCatalogues.h"
#include "demo/SyntheticRom.h"
#include "overworld/OverworldBattle.h"
#include "trainers/TrainerRecord.h"

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
            std::copy(pointer.begin(), pointer.end(), image.begin() + profile.partyPointersOffset + 2 * (classNumber - 1));
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
                   number == FailureNumber::NotInPlace || number == FailureNumber::PartyNotStorable);
        return;
    }
    apply(write->plan);
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

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // The lean synthetic image of each version, and an empty one.
    static Bytes images[] = {leanImage(GameVersion::Red),
                             leanImage(GameVersion::Blue),
                             leanImage(GameVersion::Yellow),
                             Bytes(SyntheticRom::DefaultSize, 0x00)};
    if (size < 2) {
        return 0;
    }
    const VersionProfile& profile = profileOf(static_cast<GameVersion>(data[0] % 3));
    Bytes& image = images[(data[1] & 1) != 0 ? data[0] % 3 : 3];
    // Every change to the kept image is undone at the end, so that no input pays for a 1 MiB copy.
    std::vector<std::pair<std::size_t, std::uint8_t>> undo;
    const auto set = [&](std::size_t offset, std::uint8_t value) {
        undo.emplace_back(offset, image[offset]);
        image[offset] = value;
    };
    const auto apply = [&](const WritePlan& plan) {
        for (const ByteWrite& write : plan) {
            for (std::size_t k = 0; k < write.bytes.size(); ++k) {
                set(static_cast<std::size_t>(write.offset) + k, write.bytes[k]);
            }
        }
    };
    for (int k = 0; k < VersionCodeLength; ++k) {
        set(static_cast<std::size_t>(VersionCodeOffset + k),
            static_cast<std::uint8_t>(profile.code[static_cast<std::size_t>(k)]));
    }
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
        auto offset = static_cast<std::size_t>(start + (data[at + 1] << 8 | data[at + 2]) % length);
        const std::size_t count = data[at + 3];
        at += 4;
        for (std::size_t done = 0; done < count && at < size; ++done) {
            set(offset++, data[at++]);
        }
    }
    const Recognition recognition = recognizeRom(image);
    FUZZ_CHECK(recognition.profile == nullptr || recognition.profile->code == recognition.versionCode);
    const PartyTable table = readPartyTable(image, profile);
    FUZZ_CHECK(readRoster(image, profile, table).size() == RosterSize);
    // The lists depend on their tables alone, and decoding them all is slow under the sanitizers: they are
    // checked for one input in 32 of those that change a table, picked by a hash the fuzzer cannot steer.
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    if (namesChanged && std::hash<std::string_view>{}(input) % 32 == 0) {
        const auto items = itemNames(image, profile).size();
        FUZZ_CHECK(speciesNames(image, profile).size() == 191 && items + itemPlaceholders(items).size() == 195);
    }
    // New values for every group of one trainer that is in place.
    const auto before = locateRoster(image, profile, table);
    const int rosterIndex = data[0] / 3 % RosterSize;
    const LoadedTrainer loaded{before[static_cast<std::size_t>(rosterIndex)],
                               readTrainer(image, profile, rosterIndex).record};
    TrainerRecord edited = loaded.record;
    edited.name = edited.name ? std::optional<std::string>("FUZZ") : std::nullopt;
    for (PartyMember& member : edited.party ? *edited.party : std::vector<PartyMember>{}) {
        member = {static_cast<std::uint8_t>(data[1] | 1), data[1]};
    }
    for (auto* byte : {&edited.specialMove, &edited.specialMoveUser, &edited.prizeItem, &edited.prizeAmount}) {
        *byte = *byte ? std::optional(data[1]) : std::nullopt;
    }
    const auto write = planTrainerWrite(image, profile, rosterIndex, loaded, edited);
    FUZZ_CHECK(write.ok() ? write->leftAlone.empty() : write.failure().number == FailureNumber::WouldMoveData);
    if (write.ok()) {
        apply(write->plan);
        const PartyTable now = readPartyTable(image, profile);
        // Names, prizes and special moves stay where they were; a party may have moved with its list.
        const auto after = locateRoster(image, profile, now);
        for (std::size_t k = 0; k < after.size(); ++k) {
            FUZZ_CHECK(after[k].name == before[k].name && after[k].prize == before[k].prize &&
                       after[k].specialMove == before[k].specialMove && after[k].party.state == before[k].party.state);
        }
        checkSizeChange(
            image, profile, now, sizeChange(now, data[1] % TrainerClassCount + 1, (data[1] & 2) != 0), apply);
    } else {
        checkSizeChange(
            image, profile, table, sizeChange(table, data[1] % TrainerClassCount + 1, (data[1] & 2) != 0), apply);
    }
    for (auto change = undo.rbegin(); change != undo.rend(); ++change) {
        image[change->first] = change->second;
    }
    return 0;
}
