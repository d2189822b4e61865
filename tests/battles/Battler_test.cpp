// The moves, PP and stats every opponent starts a battle with: the learnset walk and the stat formula on cases
// written out by hand, every species of the synthetic images against the game's walk from the test's own offsets,
// and the special moves the game writes over party members after reading a party.

#include "GameWalks.h"
#include "TempRom.h"
#include "battles/GuideBattlers.h"
#include "battles/Opponents.h"

namespace {

constexpr GameVersion AllVersions[] = {GameVersion::Red, GameVersion::Blue, GameVersion::Yellow};
constexpr std::uint8_t SkyAttack = 0x8F;
constexpr std::uint8_t MegaDrain = 0x48;
constexpr std::uint8_t FireBlast = 0x7E;
constexpr std::uint8_t Blizzard = 0x3B;

std::uint8_t at(const Bytes& image, std::int32_t offset)
{
    return image[static_cast<std::size_t>(offset)];
}

// The synthetic Red image's data with species 1's level-1 moves and learnset replaced.
SpeciesData withLearnset(MoveSet first, std::vector<LearnedMove> learnset)
{
    static const Bytes image = SyntheticRom(GameVersion::Red).bytes();
    SpeciesData data = readSpeciesData(image, profileOf(GameVersion::Red));
    const int number = data.numbers[0];
    data.records[static_cast<std::size_t>(number - 1)].stats.moves = first;
    const int list = data.evosMoves.listIndex[0];
    data.evosMoves.lists[static_cast<std::size_t>(list)].content.learnset = std::move(learnset);
    return data;
}

// The moves of a species as the game writes them, walked from the image at the test's own offsets.
MoveSet gameMoves(const Bytes& image, GameVersion version, const std::vector<EvosMoves>& lists, int species, int level)
{
    const int number = at(image, LayoutOffsets::species(version).pokedexNumbers + species - 1);
    MoveSet moves{};
    for (int slot = 0; slot < 4; ++slot) {
        moves[static_cast<std::size_t>(slot)] = at(image, LayoutOffsets::baseStats(version, number) + 15 + slot);
    }
    for (const LearnedMove& entry : lists[static_cast<std::size_t>(species - 1)].learnset) {
        if (entry.level > level) {
            break;
        }
        if (std::count(moves.begin(), moves.end(), entry.move) == 0) {
            const auto empty = std::find(moves.begin(), moves.end(), 0);
            if (empty != moves.end()) {
                *empty = entry.move;
            } else {
                moves = {moves[1], moves[2], moves[3], entry.move};
            }
        }
    }
    return moves;
}

using OpponentImage = ::testing::TestWithParam<GameVersion>;

} // namespace

TEST(OpponentMoves, WalksTheLearnsetAsTheGameDoes)
{
    struct Case
    {
        const char* what;
        MoveSet first;
        std::vector<LearnedMove> learnset;
        int level;
        MoveSet expected;
    };
    const Case cases[] = {
        {"level-1 moves only", {1, 2, 0, 0}, {}, 50, {1, 2, 0, 0}},
        {"an entry at the level counts", {1, 0, 0, 0}, {{7, 9}}, 7, {1, 9, 0, 0}},
        {"an entry above the level does not", {1, 0, 0, 0}, {{7, 9}}, 6, {1, 0, 0, 0}},
        {"more than four at the level push the first out",
         {1, 0, 0, 0},
         {{5, 2}, {7, 3}, {9, 4}, {11, 5}, {13, 6}},
         13,
         {3, 4, 5, 6}},
        {"a move learnt twice is skipped while known", {1, 2, 3, 4}, {{5, 5}, {6, 2}}, 10, {2, 3, 4, 5}},
        {"a move pushed out is learnt again", {1, 2, 3, 4}, {{5, 5}, {9, 1}}, 10, {3, 4, 5, 1}},
        {"a level-1 move repeated in the learnset", {1, 2, 0, 0}, {{1, 1}, {3, 3}, {4, 2}}, 4, {1, 2, 3, 0}},
        {"the first empty slot, even between moves", {1, 0, 2, 0}, {{3, 3}}, 3, {1, 3, 2, 0}},
        {"the walk stops at the first higher entry", {1, 0, 0, 0}, {{10, 5}, {5, 6}}, 7, {1, 0, 0, 0}},
        {"level 1 with nothing at level 1", {0, 0, 0, 0}, {{2, 8}}, 1, {0, 0, 0, 0}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.what);
        const SpeciesData data = withLearnset(test.first, test.learnset);
        EXPECT_EQ(movesAtLevel(data, 1, test.level), test.expected);
        const Battler battler = trainerBattler(data, 1, test.level);
        EXPECT_EQ(battler.moves, test.expected);
        for (std::size_t slot = 0; slot < 4; ++slot) {
            const int move = test.expected[slot];
            EXPECT_EQ(battler.pp[slot], move == 0 ? 0 : data.moves.values[static_cast<std::size_t>(move - 1)].pp);
        }
    }
}

TEST(OpponentStats, FollowTheGamesIntegerFormula)
{
    struct Case
    {
        BaseStats base;
        int level;
        BattleStats expected;
    };
    const auto base = [](int hp, int attack, int defense, int speed, int special) {
        BaseStats stats;
        stats.hp = static_cast<std::uint8_t>(hp);
        stats.attack = static_cast<std::uint8_t>(attack);
        stats.defense = static_cast<std::uint8_t>(defense);
        stats.speed = static_cast<std::uint8_t>(speed);
        stats.special = static_cast<std::uint8_t>(special);
        return stats;
    };
    const Case cases[] = {
        // HP 8: ((45 + 8) × 2 × 5) / 100 = 5, + 5 + 10; Attack 9: 580 / 100 = 5, + 5.
        {base(45, 49, 49, 45, 65), 5, {20, 10, 10, 10, 12}},
        {base(45, 49, 49, 45, 65), 1, {12, 6, 6, 6, 6}},
        {base(255, 255, 255, 255, 255), 100, {636, 533, 531, 531, 531}},
        {base(1, 0, 0, 0, 0), 50, {69, 14, 13, 13, 13}},
        // Past level 100 the game caps every stat at 999.
        {base(255, 255, 255, 255, 255), 255, {999, 999, 999, 999, 999}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.level);
        EXPECT_EQ(battleStats(test.base, test.level, TrainerDvs), test.expected);
    }
    EXPECT_EQ(TrainerDvs.hp(), 8);
    EXPECT_EQ((Dvs{15, 15, 15, 15}.hp()), 15);
    EXPECT_EQ((Dvs{1, 0, 1, 0}.hp()), 10);
}

TEST_P(OpponentImage, EverySpeciesKnowsWhatTheGamesWalkGives)
{
    const GameVersion version = GetParam();
    const Bytes image = SyntheticRom(version).bytes();
    const SpeciesData data = readSpeciesData(image, profileOf(version));
    const std::vector<EvosMoves> lists = gameEvosMoves(image, version);
    for (int species = 1; species <= 190; ++species) {
        const int number = at(image, LayoutOffsets::species(version).pokedexNumbers + species - 1);
        if (number == 0) {
            EXPECT_EQ(trainerBattler(data, species, 50), (Battler{species, 50, {}, {}, {}, std::nullopt}));
            continue;
        }
        const std::int32_t record = LayoutOffsets::baseStats(version, number);
        for (const int level : {1, 9, 30, 55, 100}) {
            SCOPED_TRACE(testing::Message() << species << " at " << level);
            const Battler battler = trainerBattler(data, species, level);
            const MoveSet moves = gameMoves(image, version, lists, species, level);
            ASSERT_EQ(battler.moves, moves);
            for (std::size_t slot = 0; slot < 4; ++slot) {
                EXPECT_EQ(battler.pp[slot],
                          moves[slot] == 0
                              ? 0
                              : at(image, LayoutOffsets::species(version).moves + 6 * (moves[slot] - 1) + 5));
            }
            const auto stat = [&](int k, int dv, int plus) {
                return (at(image, record + k) + dv) * 2 * level / 100 + plus;
            };
            EXPECT_EQ(
                battler.stats,
                (BattleStats{stat(1, 8, level + 10), stat(2, 9, 5), stat(3, 8, 5), stat(4, 8, 5), stat(5, 8, 5)}));
            EXPECT_EQ(wildBattler(data, species, level).stats, std::nullopt);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Versions, OpponentImage, ::testing::ValuesIn(AllVersions));

TEST(GuideBattlers, NameTheMovesAndGiveTheTrainersStats)
{
    const Bytes image = SyntheticRom(GameVersion::Yellow).bytes();
    const VersionProfile& profile = profileOf(GameVersion::Yellow);
    const SpeciesData data = readSpeciesData(image, profile);
    const std::vector<std::string> names = moveNames(image, profile);
    const BattlerLookup lookup = guideBattlers(image, profile);
    for (const auto& [species, level] : {std::pair{1, 5}, std::pair{33, 40}, std::pair{150, 100}}) {
        SCOPED_TRACE(species);
        const Battler battler = trainerBattler(data, species, level);
        const GuideBattler shown = lookup(species, level, {});
        std::vector<std::string> moves;
        for (const std::uint8_t move : battler.moves) {
            if (move != 0) {
                moves.push_back(names.at(move - 1u));
            }
        }
        EXPECT_EQ(shown.moves, moves);
        ASSERT_TRUE(shown.stats && battler.stats);
        EXPECT_EQ((*shown.stats)[0], battler.stats->hp);
        EXPECT_EQ((*shown.stats)[4], battler.stats->special);
    }
    // A member of a party: the moves the game writes over its own, named with where they come from. Each version's
    // own kind: Red's gym leaders, Yellow's custom moves table.
    for (const GameVersion version : {GameVersion::Red, GameVersion::Yellow}) {
        SCOPED_TRACE(profileOf(version).code);
        const Bytes rom = SyntheticRom(version).bytes();
        const VersionProfile& shape = profileOf(version);
        const SpecialMoves special = readSpecialMoves(rom, shape);
        const bool red = version == GameVersion::Red;
        const int classNumber = red ? special.leaders.at(1).classNumber : special.custom.at(1).classNumber;
        const int partyNumber = red ? special.leaders.at(1).partyNumber : special.custom.at(1).partyNumber;
        const PartyTable table = readPartyTable(rom, shape);
        const Party& party = *table.party(classNumber, partyNumber);
        const std::vector<Battler> battlers =
            partyBattlers(readSpeciesData(rom, shape), special, classNumber, partyNumber, party.format, party.members);
        const BattlerLookup members = guideBattlers(rom, shape);
        const std::vector<std::string> moveNamesOfRom = moveNames(rom, shape);
        int own = 0;
        for (std::size_t k = 0; k < party.members.size(); ++k) {
            const PartyMember& member = party.members[k];
            const GuideBattler shown =
                members(member.species, member.level, {classNumber, partyNumber, static_cast<int>(k)});
            ASSERT_EQ(shown.origins.size(), shown.moves.size());
            for (std::size_t slot = 0, named = 0; slot < 4; ++slot) {
                if (battlers[k].moves[slot] == 0) {
                    continue;
                }
                const bool game = battlers[k].origin[slot] != MoveOrigin::Level;
                own += game ? 1 : 0;
                EXPECT_EQ(shown.moves[named], moveNamesOfRom.at(battlers[k].moves[slot] - 1u));
                EXPECT_EQ(shown.origins[named++],
                          !game ? ""
                          : red ? "the gym leader's special move"
                                : "Yellow's custom moves");
            }
        }
        EXPECT_GT(own, 0);
    }
}
