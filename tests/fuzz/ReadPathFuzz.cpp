// The whole read path on an image that carries an accepted version code, and the plan of a save: the
// fuzz input picks the version and a base image, then overlays bytes where the readers look (the class
// names, the party pointers and parties, the special moves, the prize and battle marks, the name tables).
// Whatever the bytes, nothing is read out of bounds, every trainer found is found inside the trainer
// bank, and a save of new values for everything in place writes only there and leaves every trainer
// and battle exactly where it was.
//
// Input: [version][base] then chunks of [region][position hi][position lo][count] and count bytes.

#include "FuzzCheck.h"
#include "app/RomSession.h"
#include "app/SyntheticRom.h"
#include "catalogues/NameCatalogues.h"
#include "overworld/OverworldBattle.h"
#include "trainers/TrainerRecord.h"

#include <array>

namespace {

// Where the readers of this version look: start and length.
std::vector<std::pair<std::int32_t, std::int32_t>> regionsOf(const VersionProfile& profile)
{
    const TrainerLayout& prize = trainerLayout(profile.version, 4);
    return {{VersionCodeOffset, VersionCodeLength},
            {profile.classNamesOffset, 0x200},
            {profile.partyPointersOffset - 0x20, 0x80},
            {trainerLayout(profile.version, 7).partyOffset - 0x20, 0x300},
            {TrainerBankEnd - 0x40, 0x40},
            {*prize.prizeAmountOffset - 2, 4},
            {overworldBattle(profile.version, 0).speciesOffset - 2, 4},
            {profile.speciesNamesOffset, 0x100},
            {profile.itemNamesOffset, 0x100}};
}

// The trainers and battles where they are now.
std::vector<TrainerPlaces> placesOf(const Bytes& image, const VersionProfile& profile, std::vector<bool>& battles)
{
    std::vector<TrainerPlaces> places;
    for (int rosterIndex = 0; rosterIndex < RosterSize; ++rosterIndex) {
        places.push_back(locateTrainer(image, profile, rosterIndex));
        for (const GroupPlace* group : {&places.back().name, &places.back().party}) {
            FUZZ_CHECK(!group->inPlace() || (group->offset >= TrainerBankStart && group->offset < TrainerBankEnd &&
                                             group->length >= 1 && group->length <= MaxNameLength));
        }
    }
    battles.clear();
    for (int battle = 0; battle < OverworldBattleCount; ++battle) {
        battles.push_back(battleInPlace(image, profile.version, battle));
    }
    return places;
}

// New values for everything in place, planned and written into the image; every place must hold.
void saveEverything(Bytes& image, const VersionProfile& profile, std::uint8_t value)
{
    std::vector<bool> battlesBefore;
    const auto before = placesOf(image, profile, battlesBefore);
    for (int rosterIndex = 0; rosterIndex < RosterSize; ++rosterIndex) {
        const LoadedTrainer loaded = readTrainer(image, profile, rosterIndex);
        TrainerRecord edited = loaded.record;
        if (edited.name) {
            edited.name = "FUZZ";
        }
        for (std::size_t member = 0; edited.party && member < edited.party->size(); ++member) {
            (*edited.party)[member] = {static_cast<std::uint8_t>(value | 1), value};
        }
        for (auto* byte : {&edited.specialMove, &edited.specialMoveUser, &edited.prizeItem, &edited.prizeAmount}) {
            *byte = *byte ? std::optional(value) : std::nullopt;
        }
        const auto write = planTrainerWrite(image, profile, rosterIndex, loaded, edited);
        FUZZ_CHECK(write.ok() ? write->leftAlone.empty() : write.failure().number == FailureNumber::WouldMoveData);
        if (write.ok()) {
            applyWritePlan(image, write->plan);
        }
    }
    BattleEdits battles;
    battles.fill(BattleValues{value, value});
    std::vector<int> leftAlone;
    applyWritePlan(image, planBattleWrites(image, profile.version, battles, leftAlone));
    std::vector<bool> battlesAfter;
    const auto after = placesOf(image, profile, battlesAfter);
    FUZZ_CHECK(battlesAfter == battlesBefore);
    for (int rosterIndex = 0; rosterIndex < RosterSize; ++rosterIndex) {
        const auto& [then, now] =
            std::pair(before[static_cast<std::size_t>(rosterIndex)], after[static_cast<std::size_t>(rosterIndex)]);
        FUZZ_CHECK(then.name == now.name && then.party == now.party && then.prize == now.prize &&
                   then.specialMove == now.specialMove);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::array<Bytes, 3> bases{SyntheticRom(GameVersion::Red).bytes(),
                                            SyntheticRom(GameVersion::Blue).bytes(),
                                            SyntheticRom(GameVersion::Yellow).bytes()};
    if (size < 2) {
        return 0;
    }
    const auto version = static_cast<GameVersion>(data[0] % 3);
    const VersionProfile& profile = profileOf(version);
    Bytes image = (data[1] & 1) != 0 ? bases[static_cast<std::size_t>(version)] : Bytes(bases[0].size(), 0x00);
    std::copy(profile.code.begin(), profile.code.end(), image.begin() + VersionCodeOffset);
    const auto regions = regionsOf(profile);
    for (std::size_t at = 2; at + 4 <= size;) {
        const auto& [start, length] = regions[data[at] % regions.size()];
        std::size_t offset =
            static_cast<std::size_t>(start) + static_cast<std::size_t>((data[at + 1] << 8 | data[at + 2]) % length);
        std::size_t count = data[at + 3];
        for (at += 4; count > 0 && at < size && offset < image.size(); --count) {
            image[offset++] = data[at++];
        }
    }
    const Recognition recognition = recognizeRom(image);
    FUZZ_CHECK(recognition.profile == nullptr || recognition.profile == &profile);
    FUZZ_CHECK(readRoster(image, profile).size() == RosterSize);
    if ((data[1] & 2) != 0) {
        FUZZ_CHECK(speciesNames(image, profile).size() == 191);
        FUZZ_CHECK(itemNames(image, profile).size() + itemPlaceholders(itemNames(image, profile).size()).size() == 195);
    }
    saveEverything(image, profile, data[1]);
    return 0;
}
