#include "TempRom.h"

namespace {

constexpr GameVersion AllVersions[] = {GameVersion::Red, GameVersion::Blue, GameVersion::Yellow};

// Where a trainer's groups lie after a change that moved parties by 2 or names by 1 byte.
struct Shift
{
    int grownParty = -1;
    int grownName = -1;
    int nameGrowth = 1;
};

// New values for every group the trainer has in place, and the bytes that writing them must set: each at
// its position in the independent layout table, moved by shift.
std::pair<TrainerRecord, Writes>
edit(GameVersion version, int rosterIndex, const LoadedTrainer& loaded, Shift shift, std::mt19937& random)
{
    const auto at = LayoutOffsets::trainer(version, rosterIndex);
    // Whether this trainer's party or name lies after the one that grew.
    const auto grown = [&](int other, bool party) {
        return other >= 0 && (party ? at.party > LayoutOffsets::trainer(version, other).party
                                    : at.name > LayoutOffsets::trainer(version, other).name);
    };
    const auto draw = [&random](int low, int high) { return std::uniform_int_distribution(low, high)(random); };
    const auto byte = [&draw](int low, int high = 255) { return static_cast<std::uint8_t>(draw(low, high)); };
    TrainerRecord edited = loaded.record;
    Writes writes;
    if (edited.name) {
        const int length = at.nameLength + (rosterIndex == shift.grownName ? shift.nameGrowth : 0);
        edited.name = std::string("QRSTUVWXYZ").substr(0, static_cast<std::size_t>(draw(1, length)));
        addText(writes,
                at.name + shift.nameGrowth * grown(shift.grownName, false),
                *edited.name + std::string(static_cast<std::size_t>(length) - edited.name->size(), ' '));
    }
    const std::int32_t party = at.party + 2 * grown(shift.grownParty, true);
    for (std::size_t member = 0; edited.party && member < edited.party->size(); ++member) {
        // Levels from 1 and species from 1 to 190: the game ends a party at a 0 byte, and the highest list at a
        // species it does not have.
        (*edited.party)[member] = {byte(1), byte(1, 190)};
        writes[party + 2 * static_cast<std::int32_t>(member)] = (*edited.party)[member].level;
        writes[party + 2 * static_cast<std::int32_t>(member) + 1] = (*edited.party)[member].species;
    }
    for (auto [value, offset] :
         {std::pair{&edited.specialMove, at.move},
          std::pair{&edited.specialMoveUser, at.moveUser},
          std::pair{&edited.prizeAmount, at.prizeAmount},
          std::pair{&edited.prizeItem, at.prizeAmount ? std::optional(*at.prizeAmount + 1) : std::nullopt}}) {
        if (*value) {
            *value = byte(0);
            writes[*offset] = **value;
        }
    }
    return {edited, writes};
}

// Edits every group of every trainer that is in place, one trainer after the other, and checks each
// plan against the whole image.
void editEveryTrainer(GameVersion version, Bytes& image, Shift shift, std::mt19937& random)
{
    const VersionProfile& profile = profileOf(version);
    for (int rosterIndex = 0; rosterIndex < RosterSize; ++rosterIndex) {
        SCOPED_TRACE("entry " + std::to_string(rosterIndex));
        const LoadedTrainer loaded = readTrainer(image, profile, rosterIndex);
        const auto [edited, writes] = edit(version, rosterIndex, loaded, shift, random);
        const auto plan = planTrainerWrite(image, profile, rosterIndex, loaded, edited);
        ASSERT_TRUE(plan.ok() && plan->leftAlone.empty()) << (plan.ok() ? "" : plan.failure().description);
        Bytes after = image;
        applyWritePlan(after, plan->plan);
        EXPECT_TRUE(changedExactly(image, after, writes));
        EXPECT_EQ(readTrainer(after, profile, rosterIndex).record, edited);
        // A save never takes a group out of place, its own or another's.
        EXPECT_TRUE(locateRoster(after, profile) == locateRoster(image, profile));
        image = after;
    }
}

using EveryTrainer = ::testing::TestWithParam<GameVersion>;

} // namespace

TEST_P(EveryTrainer, RandomEditsWriteExactlyTheirBytesAndKeepEveryTrainerInPlace)
{
    std::mt19937 random(7);
    Bytes image = SyntheticRom(GetParam()).bytes();
    for (int round = 0; round < 3; ++round) {
        editEveryTrainer(GetParam(), image, {}, random);
    }
    // A party grows and shrinks: a growth past its list's place moves the list into the free space, and the
    // game still finds every other trainer where it did; a level of 0 would end the party early and is refused.
    const VersionProfile& profile = profileOf(GetParam());
    const auto before = locateRoster(image, profile);
    for (const std::size_t size : {std::size_t{6}, std::size_t{1}}) {
        const LoadedTrainer loaded = readTrainer(image, profile, 1);
        TrainerRecord edited = loaded.record;
        std::vector<PartyMember> party = loaded.record.party.value();
        party.resize(size, {40, 40});
        edited.party = party;
        const auto write = planTrainerWrite(image, profile, 1, loaded, edited);
        ASSERT_TRUE(write.ok()) << write.failure().description;
        EXPECT_EQ(write->bank.relocations.size(), size == 6 ? 1U : 0U);
        applyWritePlan(image, write->plan);
        EXPECT_EQ(readTrainer(image, profile, 1).record, edited);
    }
    const auto after = locateRoster(image, profile);
    for (int rosterIndex = 0; rosterIndex < RosterSize; ++rosterIndex) {
        EXPECT_TRUE(rosterIndex == 1 ||
                    after[static_cast<std::size_t>(rosterIndex)] == before[static_cast<std::size_t>(rosterIndex)]);
    }
    const LoadedTrainer loaded = readTrainer(image, profile, 1);
    TrainerRecord edited = loaded.record;
    std::vector<PartyMember> party = loaded.record.party.value();
    party[0].level = 0;
    edited.party = party;
    EXPECT_EQ(planTrainerWrite(image, profile, 1, loaded, edited).failure().number, FailureNumber::PartyNotStorable);
}

TEST_P(EveryTrainer, FollowsTheRomsTablesAndLeavesMisplacedGroupsAlone)
{
    const GameVersion version = GetParam();
    const std::int32_t pointers = version == GameVersion::Yellow ? 0x39DD1 : 0x39D3B;
    const auto at = [version](int rosterIndex) { return LayoutOffsets::trainer(version, rosterIndex); };
    // What changed, the bytes planted for it, and the one group of the listed entries that is not in place.
    struct Case
    {
        const char* what;
        Shift shift;
        std::vector<std::pair<std::int32_t, Bytes>> patches;
        const char* group;
        std::vector<int> entries;
    };
    std::vector<Case> cases = {
        {"party of entry 0 one member longer", {0}, {}, "", {}},
        {"party of entry 7 one member longer", {7}, {}, "", {}},
        {"name of entry 3 one letter longer", {-1, 3}, {}, "", {}},
        {"name of entry 1 twelve letters long", {-1, 1, 7}, {}, "", {}},
        {"name of entry 0 thirteen letters long", {-1, 0, 8}, {}, "name", {0}},
        {"pointer of entry 2 out of the bank", {}, {{pointers + 70, {0x00, 0x80}}}, "party", {2}},
        {"party of entry 1 with a species byte 0", {}, {{at(1).party + 1, {0x00}}}, "party", {1}},
        // Its list now lies after entry 11's, which runs on into bytes that are no party up to it.
        {"party of entry 4 with seven members",
         {},
         {{pointers + 74, {0x00, 0x70}}, {0x3B000, {0xFF, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 0}}},
         "party",
         {4, 11}},
        {"party of entry 9 running off the bank",
         {},
         {{pointers + 64, {0xFD, 0x7F}}, {0x3BFFD, {0xFF, 0x10, 0x20}}},
         "party",
         {9}},
        {"prize of entry 5 without its 0x01", {}, {{*at(5).prizeAmount - 1, {0x02}}}, "prize", {5}}};
    if (version != GameVersion::Yellow) {
        cases.push_back({"class byte before entry 10's move", {}, {{0x39D36, {0x2D}}}, "special move", {10}});
        cases.push_back({"special moves without their closing 0xFF",
                         {},
                         {{0x39D3A, {0x00}}},
                         "special move",
                         {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}});
    }
    for (const Case& scenario : cases) {
        SCOPED_TRACE(scenario.what);
        SyntheticRom rom(version);
        if (scenario.shift.grownParty >= 0) {
            rom.growParty(scenario.shift.grownParty, 50, 7);
        }
        for (int letter = 0; scenario.shift.grownName >= 0 && letter < scenario.shift.nameGrowth; ++letter) {
            rom.growName(scenario.shift.grownName, 'X');
        }
        for (const auto& [offset, bytes] : scenario.patches) {
            rom.put(offset, bytes);
        }
        std::set<std::pair<int, std::string>> misplaced;
        std::set<std::pair<int, std::string>> expected;
        const auto roster = locateRoster(rom.bytes(), profileOf(version));
        for (int rosterIndex = 0; rosterIndex < RosterSize; ++rosterIndex) {
            for (const auto& [group, place] : roster.at(static_cast<std::size_t>(rosterIndex)).notInPlace()) {
                misplaced.insert({rosterIndex, group});
            }
            if (std::count(scenario.entries.begin(), scenario.entries.end(), rosterIndex) > 0) {
                expected.insert({rosterIndex, scenario.group});
            }
        }
        EXPECT_EQ(misplaced, expected);
        std::mt19937 random(3);
        Bytes image = rom.bytes();
        editEveryTrainer(version, image, scenario.shift, random);
    }
    // The game counts class names from the first byte of their table: a terminator planted there makes every
    // class's name the one of the class before it.
    SyntheticRom shifted(version);
    shifted.set(version == GameVersion::Yellow ? 0x3997E : 0x399FF, GameText::Terminator);
    EXPECT_EQ(readRoster(shifted.bytes(), profileOf(version))[0], SyntheticRom::trainerName(9) + "     ");
}

INSTANTIATE_TEST_SUITE_P(AllVersions, EveryTrainer, ::testing::ValuesIn(AllVersions), [](const auto& param) {
    return std::string(profileOf(param.param).code);
});
