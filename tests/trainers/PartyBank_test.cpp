// Every party of the game, read and written as the game reads it: the table against an independent walk,
// random edits that grow, shrink, reformat and move lists while every other party stays as the game reads
// it, and the refusals that leave the file alone.

#include "TempRom.h"
#include "demo/SyntheticParties.h"
#include "trainers/PartyRules.h"
#include "trainers/PartyWrite.h"

namespace {

constexpr GameVersion AllVersions[] = {GameVersion::Red, GameVersion::Blue, GameVersion::Yellow};

using GameParties = std::map<std::pair<int, int>, std::vector<PartyMember>>;

// What the game reads for every party the table counts, by its own walk: party n of a class begins after
// n - 1 zero bytes from the class's pointer, and its first byte says its form.
GameParties gameParties(const Bytes& image, const PartyTable& table, GameVersion version)
{
    GameParties parties;
    const std::int32_t pointers = version == GameVersion::Yellow ? 0x39DD1 : 0x39D3B;
    for (int classNumber = 1; classNumber <= 47; ++classNumber) {
        const PartyList* list = table.listOf(classNumber);
        const std::size_t pointerAt = static_cast<std::size_t>(pointers + 2 * (classNumber - 1));
        std::size_t at = static_cast<std::size_t>(image[pointerAt] | image[pointerAt + 1] << 8) + 0x34000U;
        for (std::size_t party = 1; list != nullptr && party <= list->parties.size(); ++party) {
            std::vector<PartyMember> members;
            const bool levelEach = image[at] == 0xFF;
            const std::uint8_t level = image[at++];
            while (image[at] != 0) {
                members.push_back(levelEach ? PartyMember{image[at], image[at + 1]} : PartyMember{level, image[at]});
                at += levelEach ? 2 : 1;
            }
            ++at;
            parties[{classNumber, static_cast<int>(party)}] = members;
        }
    }
    return parties;
}

std::vector<PartyMember> randomMembers(std::mt19937& random, int count, bool shareLevel)
{
    const auto draw = [&random](int low, int high) { return std::uniform_int_distribution(low, high)(random); };
    const auto level = static_cast<std::uint8_t>(draw(1, 100));
    std::vector<PartyMember> members;
    for (int member = 0; member < count; ++member) {
        members.push_back(
            {shareLevel ? level : static_cast<std::uint8_t>(draw(1, 255)), static_cast<std::uint8_t>(draw(1, 190))});
    }
    return members;
}

using PartyBank = ::testing::TestWithParam<GameVersion>;

} // namespace

TEST_P(PartyBank, ReadsEveryPartyAsTheGameDoes)
{
    const GameVersion version = GetParam();
    SyntheticRom rom(version);
    // The highest list ends at the first byte that cannot begin a sound party, though the game would read one
    // with a level above 100 there.
    const std::int32_t lanceEnd = readPartyTable(rom.bytes(), profileOf(version)).listOf(47)->end;
    rom.put(lanceEnd, {0xA7, 0x05, 0x00});
    const PartyTable table = readPartyTable(rom.bytes(), profileOf(version));
    EXPECT_EQ(table.listOf(47)->parties.size(), 1U);
    int parties = 0;
    std::set<PartyFormat> formats;
    for (const PartyList& list : table.lists) {
        EXPECT_TRUE(list.editable()) << list.problem;
        parties += static_cast<int>(list.parties.size());
        for (const Party& party : list.parties) {
            formats.insert(party.format);
        }
    }
    EXPECT_EQ(table.lists.size(), 45U);
    EXPECT_EQ(formats.size(), 2U);
    const GameParties game = gameParties(rom.bytes(), table, version);
    // The shared lists count for both their classes.
    EXPECT_EQ(game.size(),
              static_cast<std::size_t>(parties) + table.listOf(13)->parties.size() + table.listOf(27)->parties.size());
    for (const auto& [key, members] : game) {
        EXPECT_EQ(table.party(key.first, key.second)->members, members) << key.first << "/" << key.second;
    }
    // The unused class 13 and the chief share the lists after them.
    EXPECT_EQ(table.listOf(13)->classes, (std::vector<int>{13, 14}));
    EXPECT_EQ(table.listOf(27)->classes, (std::vector<int>{27, 28}));
    EXPECT_EQ(table.free.start, releasedFreeSpaceStart(version));
    EXPECT_EQ(table.free.length, version == GameVersion::Yellow ? 1110 : 1050);
    EXPECT_EQ(table.entry(34).money, syntheticMoney(34));
}

// Random parties of random classes grow, shrink, change form and move into the free space until it is
// full; after every save each other party reads as before through the game's own walk, nothing outside the
// trainer bank changes, and the edited party reads as edited.
TEST_P(PartyBank, RandomEditsKeepEveryOtherPartyAsTheGameReadsIt)
{
    const GameVersion version = GetParam();
    const VersionProfile& profile = profileOf(version);
    std::mt19937 random(11);
    const auto draw = [&random](int low, int high) { return std::uniform_int_distribution(low, high)(random); };
    Bytes image = SyntheticRom(version).bytes();
    int moved = 0;
    int refused = 0;
    for (int round = 0; round < 400 && refused < 5; ++round) {
        const PartyTable table = readPartyTable(image, profile);
        const int classNumber = draw(1, 47);
        const auto& parties = table.listOf(classNumber)->parties;
        const int party = draw(1, static_cast<int>(parties.size()));
        const PartyChange change{classNumber, party, randomMembers(random, draw(1, 6), draw(0, 2) == 0)};
        const int money = draw(0, 9999);
        SCOPED_TRACE("round " + std::to_string(round) + ", class " + std::to_string(classNumber));
        const auto write = planBankChange(image, profile, {{change}, std::pair{classNumber, money}});
        if (!write) {
            EXPECT_EQ(write.failure().number, FailureNumber::NoRoomInBank) << write.failure().description;
            ++refused;
            continue;
        }
        GameParties expected = gameParties(image, table, version);
        for (const int sharing : table.listOf(classNumber)->classes) {
            expected[{sharing, party}] = change.members;
        }
        Bytes after = image;
        applyWritePlan(after, write->plan);
        const PartyTable now = readPartyTable(after, profile);
        ASSERT_EQ(gameParties(after, now, version), expected);
        EXPECT_EQ(now.entry(classNumber).money, money);
        EXPECT_TRUE(std::equal(image.begin(), image.begin() + 0x38000, after.begin()) &&
                    std::equal(image.begin() + 0x3C000, image.end(), after.begin() + 0x3C000));
        moved += write->relocation.has_value();
        image = after;
    }
    EXPECT_GT(moved, 5);
    EXPECT_EQ(refused, 5);
}

// Refusals that leave the file as it was: a full bank, members the game cannot read, money out of range,
// and growths that work where they could go wrong: the highest list and a shared one.
TEST_P(PartyBank, MovesListsWhereTheyFitAndRefusesWhatTheGameCouldNotRead)
{
    const GameVersion version = GetParam();
    const VersionProfile& profile = profileOf(version);
    const SyntheticRom rom(version);
    const PartyTable table = readPartyTable(rom.bytes(), profile);
    const auto six = randomMembers(*std::make_unique<std::mt19937>(5), 6, false);
    for (const int classNumber : {47, 13, 28}) {
        SCOPED_TRACE(classNumber);
        // Its smallest party grows to six members, more than the list's place holds.
        const PartyList& list = *table.listOf(classNumber);
        const auto smallest =
            std::min_element(list.parties.begin(), list.parties.end(), [](const auto& a, const auto& b) {
                return partyBytes(a.format, a.members).size() < partyBytes(b.format, b.members).size();
            });
        const int party = static_cast<int>(smallest - list.parties.begin()) + 1;
        const auto write = planBankChange(rom.bytes(), profile, {{PartyChange{classNumber, party, six}}, std::nullopt});
        ASSERT_TRUE(write.ok() && write->relocation) << (write.ok() ? "in place" : write.failure().description);
        const std::int32_t to = releasedFreeSpaceStart(version) + 16;
        EXPECT_EQ(write->relocation->to, to);
        Bytes after = rom.bytes();
        applyWritePlan(after, write->plan);
        Writes writes;
        for (std::int32_t at = list.offset; at < list.end; ++at) {
            writes[at] = 0;
        }
        for (const int sharing : list.classes) {
            writes[profile.partyPointersOffset + 2 * (sharing - 1)] = static_cast<std::uint8_t>((to - 0x34000) & 0xFF);
            writes[profile.partyPointersOffset + 2 * (sharing - 1) + 1] =
                static_cast<std::uint8_t>((to - 0x34000) >> 8);
        }
        const PartyTable now = readPartyTable(after, profile);
        for (std::int32_t at = to; at < now.listOf(classNumber)->end; ++at) {
            writes[at] = after[static_cast<std::size_t>(at)];
        }
        EXPECT_TRUE(changedExactly(rom.bytes(), after, writes));
        EXPECT_EQ(now.party(classNumber, party)->members, six);
    }
    // Room for 4 bytes behind the 16 a move leaves alone.
    SyntheticRom full(version);
    full.put(releasedFreeSpaceStart(version), Bytes(static_cast<std::size_t>(table.free.length - 20), 0xC9));
    const std::vector<std::pair<BankChange, int>> refusals = {
        {{{PartyChange{34, 1, six}}, std::nullopt}, FailureNumber::NoRoomInBank},
        {{{PartyChange{34, 1, {}}}, std::nullopt}, FailureNumber::PartyNotStorable},
        {{{PartyChange{34, 1, {{0, 5}}}}, std::nullopt}, FailureNumber::PartyNotStorable},
        {{{PartyChange{34, 1, {{5, 0}}}}, std::nullopt}, FailureNumber::PartyNotStorable},
        {{{PartyChange{34, 1, std::vector<PartyMember>(7, {5, 5})}}, std::nullopt}, FailureNumber::PartyNotStorable},
        {{{PartyChange{34, 2, six}}, std::nullopt}, FailureNumber::NotInPlace},
        {{{}, std::pair{3, 10000}}, FailureNumber::PartyNotStorable}};
    for (const auto& [change, number] : refusals) {
        const auto write = planBankChange(full.bytes(), profile, change);
        EXPECT_EQ(write.ok() ? 0 : write.failure().number, number);
    }
    const auto noRoom = planBankChange(full.bytes(), profile, refusals[0].first);
    EXPECT_TRUE(noRoom.failure().description.find("10 bytes are missing") != std::string::npos)
        << noRoom.failure().description;
}

INSTANTIATE_TEST_SUITE_P(AllVersions, PartyBank, ::testing::ValuesIn(AllVersions), [](const auto& param) {
    return std::string(profileOf(param.param).code);
});
