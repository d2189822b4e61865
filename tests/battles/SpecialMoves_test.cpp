// The moves the game writes over party members after reading a party: Red's and Blue's gym leaders, Elite Four
// and champion, only for parties with a level per member and only into slot 3; Yellow's custom moves table in both
// formats, its first matching entry only. Parties too short for their move keep what the learnset gives.

#include "GameWalks.h"
#include "TempRom.h"
#include "battles/Opponents.h"

namespace {

constexpr std::uint8_t SkyAttack = 0x8F;
constexpr std::uint8_t MegaDrain = 0x48;
constexpr std::uint8_t FireBlast = 0x7E;
constexpr std::uint8_t Blizzard = 0x3B;

std::uint8_t at(const Bytes& image, std::int32_t offset)
{
    return image[static_cast<std::size_t>(offset)];
}

std::vector<Battler> plain(const SpeciesData& data, std::span<const PartyMember> members)
{
    return partyBattlers(data, SpecialMoves{}, 0, 0, PartyFormat::SameLevel, members);
}

// plain, with move in slot (from 1) of member (from 1) and its PP.
std::vector<Battler> withMove(
    const SpeciesData& data, std::vector<Battler> battlers, int member, int slot, std::uint8_t move, MoveOrigin origin)
{
    Battler& battler = battlers.at(static_cast<std::size_t>(member - 1));
    battler.moves.at(static_cast<std::size_t>(slot - 1)) = move;
    battler.origin.at(static_cast<std::size_t>(slot - 1)) = origin;
    battler.pp = movePps(data, battler.moves);
    return battlers;
}

std::vector<PartyMember> members(int count)
{
    std::vector<PartyMember> party;
    for (int k = 0; k < count; ++k) {
        party.push_back({static_cast<std::uint8_t>(20 + 7 * k), static_cast<std::uint8_t>(1 + 13 * k)});
    }
    return party;
}

using RedBlue = ::testing::TestWithParam<GameVersion>;

} // namespace

TEST_P(RedBlue, GymLeadersAndTheEliteFourGetTheirMovesInSlotThree)
{
    const GameVersion version = GetParam();
    const Bytes image = SyntheticRom(version).bytes();
    const VersionProfile& profile = profileOf(version);
    const SpeciesData data = readSpeciesData(image, profile);
    const PartyTable table = readPartyTable(image, profile);
    const SpecialMoves special = readSpecialMoves(image, profile);
    ASSERT_EQ(special.leaders.size(), 8U);
    for (int rosterIndex = 0; rosterIndex < 8; ++rosterIndex) {
        SCOPED_TRACE(rosterIndex);
        const LayoutOffsets::Trainer& trainer = LayoutOffsets::trainer(version, rosterIndex);
        const LeaderMove& leader = special.leaders[static_cast<std::size_t>(rosterIndex)];
        EXPECT_EQ(leader.user, at(image, *trainer.moveUser));
        EXPECT_EQ(leader.move, at(image, *trainer.move));
        // The leader's party is the one laid out where the roster says.
        const Party* party = table.party(leader.classNumber, leader.partyNumber);
        ASSERT_TRUE(party != nullptr);
        EXPECT_EQ(party->offset, trainer.party - 1);
        const std::vector<PartyMember> team = party->members;
        ASSERT_EQ(team.size(), static_cast<std::size_t>(trainer.partySize));
        EXPECT_EQ(partyBattlers(data, special, leader.classNumber, leader.partyNumber, PartyFormat::LevelEach, team),
                  withMove(data, plain(data, team), leader.user + 1, 3, leader.move, MoveOrigin::GymLeader));
        // One level for all: the game never looks at the table.
        EXPECT_EQ(partyBattlers(data, special, leader.classNumber, leader.partyNumber, PartyFormat::SameLevel, team),
                  plain(data, team));
        // A party too short for the move loses it.
        const std::vector<PartyMember> shorter(team.begin(), team.begin() + leader.user);
        EXPECT_EQ(partyBattlers(data, special, leader.classNumber, leader.partyNumber, PartyFormat::LevelEach, shorter),
                  plain(data, shorter));
    }
    ASSERT_EQ(special.teamMoves.size(), 4U);
    for (int rosterIndex = 8; rosterIndex < 12; ++rosterIndex) {
        SCOPED_TRACE(rosterIndex);
        const std::int32_t move = *LayoutOffsets::trainer(version, rosterIndex).move;
        const int classNumber = at(image, move - 1);
        EXPECT_EQ(special.teamMoves[static_cast<std::size_t>(rosterIndex - 8)],
                  (std::pair<int, std::uint8_t>{classNumber, at(image, move)}));
        for (const int size : {4, 5, 6}) {
            const std::vector<PartyMember> team = members(size);
            const auto expected = size < 5
                                      ? plain(data, team)
                                      : withMove(data, plain(data, team), 5, 3, at(image, move), MoveOrigin::TeamMove);
            EXPECT_EQ(partyBattlers(data, special, classNumber, 1, PartyFormat::LevelEach, team), expected);
        }
    }
}

TEST_P(RedBlue, TheChampionsMovesFollowTheRivalsStarter)
{
    const GameVersion version = GetParam();
    const Bytes image = SyntheticRom(version).bytes();
    const SpeciesData data = readSpeciesData(image, profileOf(version));
    const SpecialMoves special = readSpecialMoves(image, profileOf(version));
    ASSERT_TRUE(special.champion);
    const std::vector<PartyMember> six = members(6);
    const std::pair<int, std::uint8_t> parties[] = {{1, Blizzard}, {2, MegaDrain}, {3, FireBlast}};
    for (const auto& [party, sixth] : parties) {
        SCOPED_TRACE(party);
        const auto expected = withMove(data,
                                       withMove(data, plain(data, six), 1, 3, SkyAttack, MoveOrigin::Champion),
                                       6,
                                       3,
                                       sixth,
                                       MoveOrigin::Champion);
        EXPECT_EQ(partyBattlers(data, special, 43, party, PartyFormat::LevelEach, six), expected);
        const std::vector<PartyMember> five = members(5);
        EXPECT_EQ(partyBattlers(data, special, 43, party, PartyFormat::LevelEach, five),
                  withMove(data, plain(data, five), 1, 3, SkyAttack, MoveOrigin::Champion));
        EXPECT_EQ(partyBattlers(data, special, 43, party, PartyFormat::SameLevel, six), plain(data, six));
    }
}

INSTANTIATE_TEST_SUITE_P(Versions, RedBlue, ::testing::Values(GameVersion::Red, GameVersion::Blue));

TEST(YellowCustomMoves, TheFirstMatchingEntryOnlyInBothFormats)
{
    const Bytes image = SyntheticRom(GameVersion::Yellow).bytes();
    const VersionProfile& profile = profileOf(GameVersion::Yellow);
    const SpeciesData data = readSpeciesData(image, profile);
    SpecialMoves special = readSpecialMoves(image, profile);
    EXPECT_TRUE(special.leaders.empty() && special.teamMoves.empty() && !special.champion);
    // The table the builder lays out.
    const std::vector<CustomMoveEntry> laidOut = {
        {2, 1, {{1, 2, 33}, {1, 3, 40}}}, {35, 1, {{2, 2, 57}}}, {15, 1, {{1, 3, 21}, {2, 3, 22}}}};
    ASSERT_EQ(special.custom, laidOut);
    const std::vector<PartyMember> two = members(2);
    for (const PartyFormat format : {PartyFormat::SameLevel, PartyFormat::LevelEach}) {
        auto expected = withMove(data, plain(data, two), 1, 2, 33, MoveOrigin::Custom);
        EXPECT_EQ(partyBattlers(data, special, 2, 1, format, two),
                  withMove(data, expected, 1, 3, 40, MoveOrigin::Custom));
    }
    // The champion's class has no moves of the code in Yellow.
    EXPECT_EQ(partyBattlers(data, special, 43, 1, PartyFormat::LevelEach, members(6)), plain(data, members(6)));

    // A second entry for a party, entries for parties that no longer exist, a member past the party's end and slots
    // the game would write outside the moves.
    special.custom = {{15, 1, {{1, 1, 5}, {4, 2, 6}}},
                      {15, 1, {{1, 2, 7}}},
                      {2, 99, {{1, 1, 8}}},
                      {46, 77, {{1, 1, 9}}},
                      {3, 1, {{1, 0, 10}, {1, 5, 11}, {0, 1, 12}}}};
    const PartyTable table = readPartyTable(image, profile);
    const Opponents opponents = computeOpponents(data, special, table, readMaps(image, profile));
    const GameParties game = gameParties(image, table, GameVersion::Yellow);
    ASSERT_EQ(opponents.parties.size(), game.size());
    for (const PartyBattlers& party : opponents.parties) {
        SCOPED_TRACE(testing::Message() << party.classNumber << "/" << party.partyNumber);
        const std::vector<PartyMember>& team = game.at({party.classNumber, party.partyNumber});
        std::vector<Battler> expected = plain(data, team);
        if (party.classNumber == 15 && party.partyNumber == 1) {
            expected = withMove(data, expected, 1, 1, 5, MoveOrigin::Custom);
            if (team.size() >= 4) {
                expected = withMove(data, expected, 4, 2, 6, MoveOrigin::Custom);
            }
        }
        EXPECT_EQ(party.members, expected);
    }
}
