// The whole read path on an image that carries an accepted version code, and the plan of a save. The
// fuzz input picks the version and a base image, then overlays bytes where the readers look: the class
// names, the party pointers and parties, the special moves, a prize and a battle with the bytes around
// them, the name tables. Whatever the bytes, nothing is read out of bounds, and a save of new values for
// everything of one trainer that is in place either leaves every trainer exactly where it was or is
// refused whole; so is a party of one class grown or shrunk by one member, which must leave every other
// class's parties as they were.
//
// Input: [version and trainer][flags] then chunks of [region][position hi][position lo][count] and count bytes.

#include "FuzzCheck.h"
#include "app/RomSession.h"
#include "demo/SyntheticRom.h"
#include "catalogues/NameCatalogues.h"
#include "overworld/OverworldBattle.h"
#include "trainers/TrainerRecord.h"

namespace {

// One member more for a class's first party (one less when it has six), planned and applied.
template <typename Apply>
void checkSizeChange(const Bytes& image, const VersionProfile& profile, int classNumber, const Apply& apply)
{
    const PartyTable before = readPartyTable(image, profile);
    const Party* party = before.party(classNumber, 1);
    if (party == nullptr) {
        return;
    }
    std::vector<PartyMember> members = party->members;
    if (members.size() == MaxPartySize) {
        members.pop_back();
    } else {
        members.push_back({members.back().level == 0 ? std::uint8_t{1} : members.back().level, 7});
    }
    const auto write = planBankChange(image, profile, {{PartyChange{classNumber, 1, members}}, std::nullopt});
    if (!write) {
        const int number = write.failure().number;
        FUZZ_CHECK(number == FailureNumber::NoRoomInBank || number == FailureNumber::WouldMoveData ||
                   number == FailureNumber::NotInPlace || number == FailureNumber::PartyNotStorable);
        return;
    }
    apply(write->plan);
    const PartyTable after = readPartyTable(image, profile);
    for (int other = 1; other <= TrainerClassCount; ++other) {
        const PartyList* was = before.listOf(other);
        const PartyList* is = after.listOf(other);
        const bool sharing = was != nullptr && was->offset == before.listOf(classNumber)->offset;
        FUZZ_CHECK(sharing || (was == nullptr ? is == nullptr : is != nullptr && *is == *was));
    }
    FUZZ_CHECK(after.party(classNumber, 1)->members == members);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // The synthetic image of each version, and an empty one.
    static Bytes images[] = {SyntheticRom(GameVersion::Red).bytes(),
                             SyntheticRom(GameVersion::Blue).bytes(),
                             SyntheticRom(GameVersion::Yellow).bytes(),
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
    FUZZ_CHECK(readRoster(image, profile).size() == RosterSize);
    // The lists depend on their tables alone, and decoding them all is slow under the sanitizers: they are
    // checked for one input in 32 of those that change a table, picked by a hash the fuzzer cannot steer.
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    if (namesChanged && std::hash<std::string_view>{}(input) % 32 == 0) {
        const auto items = itemNames(image, profile).size();
        FUZZ_CHECK(speciesNames(image, profile).size() == 191 && items + itemPlaceholders(items).size() == 195);
    }
    // New values for every group of one trainer that is in place.
    const auto before = locateRoster(image, profile);
    const int rosterIndex = data[0] / 3 % RosterSize;
    const LoadedTrainer loaded = readTrainer(image, profile, rosterIndex);
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
    }
    FUZZ_CHECK(locateRoster(image, profile) == before);
    checkSizeChange(image, profile, data[1] % TrainerClassCount + 1, apply);
    for (auto change = undo.rbegin(); change != undo.rend(); ++change) {
        image[change->first] = change->second;
    }
    return 0;
}
