// The whole read path on an image that carries an accepted version code, and the plan of a save. The
// fuzz input picks the version and a base image, then overlays bytes where the readers look: the class
// names, the party pointers and parties, the special moves, a prize and a battle with the bytes around
// them, the name tables. Whatever the bytes, nothing is read out of bounds, and a save of new values for
// everything of one trainer that is in place either leaves every trainer exactly where it was or is
// refused whole.
//
// Input: [version and trainer][flags] then chunks of [region][position hi][position lo][count] and count bytes.

#include "FuzzCheck.h"
#include "app/RomSession.h"
#include "app/SyntheticRom.h"
#include "catalogues/NameCatalogues.h"
#include "overworld/OverworldBattle.h"
#include "trainers/TrainerRecord.h"

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
    for (auto change = undo.rbegin(); change != undo.rend(); ++change) {
        image[change->first] = change->second;
    }
    return 0;
}
