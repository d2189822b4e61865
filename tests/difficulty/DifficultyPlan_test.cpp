// The difficulty change: levels raised as the README's jq recipe rounds them and never past 100, parties filled
// with their own kind evolved as the game's evolution lists say, the leaders' prize money as the game pays it, the
// whole "+10%, at least 4 members" change written as one save whose every party reads as planned, a second run
// told of the first, and a refusal that leaves the file alone.

#include "GameWalks.h"
#include "TempRom.h"
#include "demo/SyntheticParties.h"
#include "difficulty/DifficultyPlan.h"
#include "history/UndoRedo.h"
#include "trainers/TrainerLayout.h"

#include <cmath>

namespace {

// The species a member of species becomes at level, by the game's own lists read through its pointers.
std::uint8_t evolvedByGame(const std::vector<EvosMoves>& lists, std::uint8_t species, int from, int level)
{
    for (int step = 0; step < 3; ++step) {
        bool evolved = false;
        for (const Evolution& evolution : lists[species - 1U].evolutions) {
            if (!evolved && evolution.kind == EvolveByLevel && evolution.level > from && evolution.level <= level) {
                species = evolution.species;
                evolved = true;
            }
        }
        if (!evolved) {
            break;
        }
    }
    return species;
}

using DifficultyTest = ::testing::TestWithParam<GameVersion>;

} // namespace

TEST(DifficultyLevels, RaisedAsTheRecipeRoundsAndNeverPast100)
{
    for (int level = 1; level <= 100; ++level) {
        SCOPED_TRACE(level);
        // jq's `. * 1.1 | floor`, capped at the game's highest level.
        EXPECT_EQ(raisedLevel(level, {true, 10}), std::min(100, static_cast<int>(std::floor(level * 1.1))));
        EXPECT_EQ(raisedLevel(level, {true, 0}), level);
        EXPECT_EQ(raisedLevel(level, {false, 7}), std::min(100, level + 7));
        EXPECT_LE(raisedLevel(level, {true, 100}), 100);
        EXPECT_GE(raisedLevel(level, {false, -150}), 1);
    }
    const std::vector<std::tuple<int, LevelRaise, int>> cases = {
        {95, {true, 10}, 100}, {50, {true, 25}, 62}, {9, {true, 5}, 9}, {99, {false, 3}, 100}, {3, {true, -50}, 1}};
    for (const auto& [level, raise, expected] : cases) {
        EXPECT_EQ(raisedLevel(level, raise), expected) << level << " " << raise.amount;
    }
}

TEST_P(DifficultyTest, NewAndRaisedMembersEvolveAsTheirSpeciesSay)
{
    const GameVersion version = GetParam();
    const SyntheticRom rom(version);
    const DifficultyRom read = readDifficultyRom(rom.bytes(), profileOf(version), false);
    const std::vector<EvosMoves> game = gameEvosMoves(rom.bytes(), version);
    int evolving = 0;
    for (int species = 1; species <= SpeciesCount; ++species) {
        const auto byte = static_cast<std::uint8_t>(species);
        for (const auto& [from, to] : std::vector<std::pair<int, int>>{{0, 100}, {10, 30}, {30, 40}, {0, 5}}) {
            ASSERT_EQ(evolvedSpecies(read.evosMoves, byte, from, to), evolvedByGame(game, byte, from, to)) << species;
        }
        evolving += evolvedSpecies(read.evosMoves, byte, 0, 100) != byte ? 1 : 0;
    }
    EXPECT_GT(evolving, 50);
    // A party of two filled to five: the species in turn, at the last member's level, evolved at that level.
    const std::uint8_t a = 4;
    const std::uint8_t b = 7;
    const auto filled = filledParty(read.evosMoves, {{12, a}, {60, b}}, 5);
    ASSERT_EQ(filled.size(), 5U);
    EXPECT_EQ(filled[2], (PartyMember{60, evolvedByGame(game, a, 0, 60)}));
    EXPECT_EQ(filled[3], (PartyMember{60, evolvedByGame(game, b, 0, 60)}));
    EXPECT_EQ(filled[4], (PartyMember{60, evolvedByGame(game, a, 0, 60)}));
    EXPECT_EQ(filledParty(read.evosMoves, {{12, a}}, 9).size(), 6U);
    EXPECT_EQ(filledParty(read.evosMoves, {{12, a}, {12, a}}, 1).size(), 2U);
}

TEST_P(DifficultyTest, TenPercentAndFourMembersFitsAndEveryPartyReadsAsPlanned)
{
    const GameVersion version = GetParam();
    const VersionProfile& profile = profileOf(version);
    const SyntheticRom rom(version);
    const TempDir folder;
    const std::string path = folder.write(rom);
    const DifficultyRom read = readDifficultyRom(rom.bytes(), profile, false);
    DifficultyOptions options;
    options.trainers = {true, 10};
    options.minParty = 4;
    options.evolve = true;
    options.wildPercent = 10;
    options.standingPercent = 10;
    const DifficultyPlan plan = planDifficulty(read, options);
    EXPECT_GT(plan.preview.parties, 100);
    EXPECT_GT(plan.preview.added, 0);
    EXPECT_GT(plan.preview.wildSlots, 100);
    EXPECT_GT(plan.preview.standing, 4);
    EXPECT_LE(plan.preview.bankNeeded, plan.preview.bankCapacity);
    EXPECT_EQ(plan.preview.leaders.size(), 12U);

    const auto commit = writeDifficulty({path, &profile, static_cast<std::int64_t>(rom.bytes().size())}, read, options);
    ASSERT_TRUE(commit.ok()) << commit.failure().description;
    const Bytes after = fileBytes(path);
    Bytes planned = rom.bytes();
    applyWritePlan(planned, planDifficultyWrites(read, plan)->plan);
    EXPECT_EQ(after, planned);

    // Every party as the game walks it: raised (evolved where the new level passes an evolution) and filled.
    const std::vector<EvosMoves> game = gameEvosMoves(rom.bytes(), version);
    const PartyTable table = readPartyTable(after, profile);
    const GameParties was = gameParties(rom.bytes(), read.parties, version);
    const GameParties now = gameParties(after, table, version);
    ASSERT_EQ(now.size(), was.size());
    for (const auto& [key, members] : was) {
        SCOPED_TRACE(std::to_string(key.first) + "/" + std::to_string(key.second));
        const std::vector<PartyMember>& is = now.at(key);
        ASSERT_EQ(is.size(), std::max<std::size_t>(members.size(), 4));
        for (std::size_t k = 0; k < is.size(); ++k) {
            EXPECT_LE(is[k].level, 100);
            const PartyMember& source = members[k % members.size()];
            const int level = k < members.size() ? std::min(100, source.level * 11 / 10) : is[members.size() - 1].level;
            const int from = k < members.size() ? source.level : 0;
            EXPECT_EQ(
                is[k],
                (PartyMember{static_cast<std::uint8_t>(level), evolvedByGame(game, source.species, from, level)}));
        }
    }
    // The leaders' prizes as the game pays them: the class's money times the level of the party's last member.
    for (std::size_t k = 0; k < plan.preview.leaders.size(); ++k) {
        const TrainerClass& leader = trainerClass(static_cast<int>(k));
        const auto& members = now.at({leader.number, leader.party});
        EXPECT_EQ(plan.preview.leaders[k].prizeAfter, syntheticMoney(leader.number) * members.back().level);
        EXPECT_GE(plan.preview.leaders[k].highestAfter, plan.preview.leaders[k].highestBefore);
    }
    // The wild slots are raised too.
    const MapTable maps = readMaps(after, profile);
    for (std::size_t k = 0; k < maps.wild.size(); ++k) {
        for (std::size_t slot = 0; slot < WildSlotCount && maps.wild[k].grass.on(); ++slot) {
            EXPECT_EQ(maps.wild[k].grass.slot[slot].level,
                      std::min(100, read.maps.wild[k].grass.slot[slot].level * 11 / 10));
        }
    }

    // A second run is told of the first, in the history and in the preview's first line.
    const auto history = readHistory(path);
    ASSERT_TRUE(history.ok());
    EXPECT_TRUE(history->holdsKind(DifficultyKind));
    EXPECT_TRUE(earlierDifficultyChange(path));
    const DifficultyRom again = readDifficultyRom(after, profile, earlierDifficultyChange(path));
    const auto lines = previewLines(planDifficulty(again, options).preview);
    EXPECT_EQ(lines.front(),
              "This ROM's history holds an earlier difficulty change: these options apply to the ROM as it is now, "
              "on top of it.");
    EXPECT_EQ(previewLines(plan.preview).front().find("This ROM's history"), std::string::npos);
}

TEST_P(DifficultyTest, ARefusalNamesTheBankAndWritesNothing)
{
    const GameVersion version = GetParam();
    const VersionProfile& profile = profileOf(version);
    SyntheticRom rom(version);
    // Other data fills the bank's free space, as another tool might leave it.
    const FreeSpace free = readPartyTable(rom.bytes(), profile).free;
    rom.put(free.start, Bytes(static_cast<std::size_t>(free.length), 0x77));
    const TempDir folder;
    const std::string path = folder.write(rom);
    const DifficultyRom read = readDifficultyRom(rom.bytes(), profile, false);
    DifficultyOptions options;
    options.trainers = {false, 5};
    options.minParty = 6;
    options.wildPercent = 20;
    const DifficultyPlan plan = planDifficulty(read, options);
    EXPECT_GT(plan.preview.bankNeeded, plan.preview.bankCapacity);
    EXPECT_NE(previewLines(plan.preview)[2].find("it does not fit"), std::string::npos);
    const auto commit = writeDifficulty({path, &profile, static_cast<std::int64_t>(rom.bytes().size())}, read, options);
    ASSERT_FALSE(commit.ok());
    EXPECT_NE(commit.failure().description.find("Nothing was written."), std::string::npos);
    EXPECT_EQ(fileBytes(path), rom.bytes());
    EXPECT_FALSE(earlierDifficultyChange(path));
}

INSTANTIATE_TEST_SUITE_P(Versions, DifficultyTest, ::testing::Values(GameVersion::Red, GameVersion::Yellow));
