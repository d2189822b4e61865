// The trainer bank holds the parties and the learnsets: random edits of both in one sequence grow and shrink
// lists in place, move them into the free space or lay the whole bank out anew. A save is refused only when both
// kinds together need more bytes than the bank's places hold; after every save every party and every list of
// evolutions and learnset reads as meant through the game's own walks, nothing outside the bank changes, and the
// same save once more writes nothing. A list another tool shares stays shared, one it broke stays where it is.

#include "GameWalks.h"
#include "TempRom.h"
#include "trainers/BankLayout.h"
#include "trainers/PartyWrite.h"

namespace {

constexpr GameVersion AllVersions[] = {GameVersion::Red, GameVersion::Blue, GameVersion::Yellow};

using JointBank = ::testing::TestWithParam<GameVersion>;

// A learnset of count entries in order of level.
std::vector<LearnedMove> randomLearnset(std::mt19937& random, int count)
{
    std::vector<LearnedMove> learnset;
    for (int level = 1; static_cast<int>(learnset.size()) < count; level += 1 + static_cast<int>(random() % 3)) {
        learnset.push_back(
            {static_cast<std::uint8_t>(std::min(level, 100)), static_cast<std::uint8_t>(1 + random() % 165)});
    }
    return learnset;
}

bool sameOutsideTheBank(const Bytes& before, const Bytes& after)
{
    return std::equal(before.begin(), before.begin() + 0x38000, after.begin()) &&
           std::equal(before.begin() + 0x3C000, before.end(), after.begin() + 0x3C000);
}

} // namespace

TEST_P(JointBank, GrowsAndShrinksPartiesAndLearnsetsTogether)
{
    const GameVersion version = GetParam();
    const VersionProfile& profile = profileOf(version);
    std::mt19937 random(27);
    const auto draw = [&random](int low, int high) { return std::uniform_int_distribution(low, high)(random); };
    Bytes image = SyntheticRom(version).bytes();
    const std::int32_t capacity = bankRoom(image, profile, readPartyTable(image, profile)).capacity;
    EXPECT_EQ(capacity, version == GameVersion::Yellow ? 5154 : 5043);
    std::map<std::string, int> ways;
    int refused = 0;
    for (int round = 0; round < 1500 && refused < 6; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        const PartyTable table = readPartyTable(image, profile);
        const EvosMovesTable lists = readEvosMovesTable(image, profile);
        BankChange change;
        GameParties parties = gameParties(image, table, version);
        std::vector<EvosMoves> evosMoves = gameEvosMoves(image, version);
        if (draw(0, 2) != 0) {
            const int species = draw(1, 190);
            EvosMoves list = lists.listOf(species)->content;
            const int size = static_cast<int>(list.learnset.size()) + (draw(0, 3) == 0 ? -3 : 3);
            list.learnset = randomLearnset(random, std::clamp(size, 0, 20));
            change.evosMoves.push_back({species, list});
            for (const int sharing : lists.listOf(species)->species) {
                evosMoves[static_cast<std::size_t>(sharing - 1)] = list;
            }
        }
        if (change.evosMoves.empty() || draw(0, 1) == 0) {
            const int classNumber = draw(1, 47);
            const int party = draw(1, static_cast<int>(table.listOf(classNumber)->parties.size()));
            std::vector<PartyMember> members = table.party(classNumber, party)->members;
            members.resize(static_cast<std::size_t>(std::clamp(static_cast<int>(members.size()) + draw(-1, 2), 1, 6)),
                           {static_cast<std::uint8_t>(draw(1, 100)), static_cast<std::uint8_t>(draw(1, 190))});
            change.parties.push_back({classNumber, party, members});
            for (const int sharing : table.listOf(classNumber)->classes) {
                parties[{sharing, party}] = members;
            }
        }
        const BankRoom room = bankRoom(image, profile, table);
        ASSERT_EQ(room.capacity, capacity);
        const auto write = planBankChange(image, profile, change);
        if (!write) {
            ASSERT_EQ(write.failure().number, FailureNumber::NoRoomInBank) << write.failure().description;
            EXPECT_GT(room.used + bytesOfChange(table, lists, change), capacity) << write.failure().description;
            ++refused;
            continue;
        }
        ++ways[write->repack ? "repack" : write->relocations.empty() ? "in place" : "move"];
        Bytes after = image;
        applyWritePlan(after, write->plan);
        ASSERT_EQ(gameParties(after, readPartyTable(after, profile), version), parties);
        ASSERT_EQ(gameEvosMoves(after, version), evosMoves);
        for (const EvosMovesList& list : readEvosMovesTable(after, profile).lists) {
            ASSERT_TRUE(list.editable()) << list.problem;
        }
        EXPECT_TRUE(sameOutsideTheBank(image, after));
        const auto again = planBankChange(after, profile, change);
        ASSERT_TRUE(again.ok() && again->plan.empty());
        image = after;
    }
    EXPECT_EQ(refused, 6);
    EXPECT_GT(ways["in place"], 10);
    EXPECT_GT(ways["move"], 10);
    EXPECT_GT(ways["repack"], 3);
}

// On a changed ROM: species that share a list keep sharing it through a layout of the whole bank, a change of one
// changes it for all of them, and a list without an end stays where it is, byte for byte.
TEST_P(JointBank, KeepsSharedListsSharedAndBrokenListsInPlace)
{
    const GameVersion version = GetParam();
    const VersionProfile& profile = profileOf(version);
    SyntheticRom rom(version);
    rom.changeEvosMoves({{{7, 3}, {12, 11}}, 20});
    const Bytes image = rom.bytes();
    const PartyTable table = readPartyTable(image, profile);
    const EvosMovesTable lists = readEvosMovesTable(image, profile);
    const EvosMovesList broken = *lists.listOf(20);
    BankChange change;
    for (const PartyList& list : table.lists) {
        for (std::size_t k = 0; k < list.parties.size(); ++k) {
            std::vector<PartyMember> members = list.parties[k].members;
            if (members.size() < MaxPartySize) {
                members.push_back({members.back().level, 9});
                change.parties.push_back({list.classes.front(), static_cast<int>(k) + 1, members});
            }
        }
    }
    EvosMoves shared = lists.listOf(3)->content;
    shared.learnset.push_back({99, 1});
    change.evosMoves.push_back({7, shared});
    const auto write = planBankChange(image, profile, change);
    ASSERT_TRUE(write.ok()) << write.failure().description;
    ASSERT_TRUE(write->repack);
    Bytes after = image;
    applyWritePlan(after, write->plan);
    const EvosMovesTable now = readEvosMovesTable(after, profile);
    EXPECT_EQ(now.listOf(3)->species, (std::vector<int>{3, 7}));
    EXPECT_EQ(now.listOf(3)->content, shared);
    EXPECT_EQ(now.listOf(12)->species, (std::vector<int>{11, 12}));
    EXPECT_EQ(*now.listOf(20), broken);
    EXPECT_TRUE(std::equal(image.begin() + broken.offset, image.begin() + broken.end, after.begin() + broken.offset));
    EXPECT_TRUE(sameOutsideTheBank(image, after));
    // Two species of one list given different lists, or a list Tavrik cannot read: refused, nothing planned.
    const std::vector<std::pair<BankChange, int>> refusals = {
        {{{}, {}, {{3, shared}, {7, lists.listOf(3)->content}}}, FailureNumber::NotInPlace},
        {{{}, {}, {{20, shared}}}, FailureNumber::NotInPlace},
        {{{}, {}, {{5, {{}, {{0, 1}}}}}}, FailureNumber::ListNotStorable}};
    for (const auto& [refused, number] : refusals) {
        const auto plan = planBankChange(image, profile, refused);
        EXPECT_EQ(plan.ok() ? 0 : plan.failure().number, number);
    }
}

INSTANTIATE_TEST_SUITE_P(AllVersions, JointBank, ::testing::ValuesIn(AllVersions), [](const auto& param) {
    return std::string(profileOf(param.param).code);
});
