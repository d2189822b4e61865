// The whole read path on an image that carries an accepted version code, and the plan of a save. The
// fuzz input picks the version and a base image, then overlays bytes where the readers look: the class
// names, the party pointers and parties, the special moves, a prize and a battle with the bytes around
// them, the name tables. Whatever the bytes, nothing is read out of bounds, and a save of new values for
// everything in place either leaves every trainer and battle exactly where it was or is refused whole.
//
// Input: [version][flags] then chunks of [region][position hi][position lo][count] and count bytes.

#include "FuzzCheck.h"
#include "app/RomSession.h"
#include "app/SyntheticRom.h"
#include "catalogues/NameCatalogues.h"
#include "overworld/OverworldBattle.h"
#include "trainers/TrainerRecord.h"

namespace {

// Where the readers of this version look: start and length.
std::vector<std::pair<std::int32_t, std::int32_t>> regionsOf(const VersionProfile& profile)
{
    return {{VersionCodeOffset, VersionCodeLength},
            {profile.classNamesOffset, 0x200},
            {profile.partyPointersOffset - 0x20, 0x80},
            {trainerLayout(profile.version, 7).partyOffset - 0x20, 0x300},
            {TrainerBankEnd - 0x40, 0x40},
            {*trainerLayout(profile.version, 4).prizeAmountOffset - 2, 4},
            {overworldBattle(profile.version, 0).speciesOffset - 2, 4},
            {profile.speciesNamesOffset, 0x100},
            {profile.itemNamesOffset, 0x100}};
}

std::vector<TrainerPlaces> placesOf(const Bytes& image, const VersionProfile& profile)
{
    std::vector<TrainerPlaces> places;
    for (int rosterIndex = 0; rosterIndex < RosterSize; ++rosterIndex) {
        places.push_back(locateTrainer(image, profile, rosterIndex));
    }
    return places;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const Bytes bases[] = {SyntheticRom(GameVersion::Red).bytes(),
                                  SyntheticRom(GameVersion::Blue).bytes(),
                                  SyntheticRom(GameVersion::Yellow).bytes()};
    if (size < 2) {
        return 0;
    }
    const VersionProfile& profile = profileOf(static_cast<GameVersion>(data[0] % 3));
    Bytes image = (data[1] & 1) != 0 ? bases[data[0] % 3] : Bytes(bases[0].size(), 0x00);
    std::copy(profile.code.begin(), profile.code.end(), image.begin() + VersionCodeOffset);
    const auto regions = regionsOf(profile);
    for (std::size_t at = 2; at + 4 <= size;) {
        const auto& [start, length] = regions[data[at] % regions.size()];
        auto offset = static_cast<std::size_t>(start + (data[at + 1] << 8 | data[at + 2]) % length);
        const std::size_t count = data[at + 3];
        at += 4;
        for (std::size_t done = 0; done < count && at < size; ++done) {
            image[offset++] = data[at++];
        }
    }
    const Recognition recognition = recognizeRom(image);
    FUZZ_CHECK(recognition.profile == nullptr || recognition.profile == &profile);
    FUZZ_CHECK(readRoster(image, profile).size() == RosterSize);
    if ((data[1] & 2) != 0) {
        const auto items = itemNames(image, profile).size();
        FUZZ_CHECK(speciesNames(image, profile).size() == 191 && items + itemPlaceholders(items).size() == 195);
    }
    const auto before = placesOf(image, profile);
    for (int rosterIndex = 0; rosterIndex < RosterSize; ++rosterIndex) {
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
            applyWritePlan(image, write->plan);
        }
    }
    std::vector<int> leftAlone;
    BattleEdits battles;
    battles.fill(BattleValues{data[1], data[1]});
    applyWritePlan(image, planBattleWrites(image, profile.version, battles, leftAlone));
    FUZZ_CHECK(placesOf(image, profile) == before);
    for (const int battle : leftAlone) {
        FUZZ_CHECK(!battleInPlace(image, profile.version, battle));
    }
    return 0;
}
