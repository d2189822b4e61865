// Every party of the game, read and written as the game reads it: the table against an independent walk,
// random edits that grow, shrink, reformat and move lists while every other party stays as the game reads
// it, and the refusals that leave the file alone.

#include "GameWalks.h"
#include "TempRom.h"
#include "demo/SyntheticParties.h"
#include "demo/SyntheticSpecies.h"
#include "trainers/BankLayout.h"
#include "trainers/PartyRules.h"
#include "trainers/PartyWrite.h"

#include <numeric>

namespace {

constexpr GameVersion AllVersions[] = {GameVersion::Red, GameVersion::Blue, GameVersion::Yellow};

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

// Random parties of random classes grow, shrink and change form, with random money, until the bank is full:
// lists are rewritten in place, moved into the free space, or the bank is laid out anew. A save is refused only
// when the lists need more bytes than the bank holds for them, and that room stays the same from save to save.
// After every save each party reads as meant through the game's own walk, no list reads as read-only, nothing
// outside the trainer bank changes, and the same save once more writes nothing.
TEST_P(PartyBank, GrowsUntilTheWholeBankIsFullAndAlwaysReadsBack)
{
    const GameVersion version = GetParam();
    const VersionProfile& profile = profileOf(version);
    std::mt19937 random(11);
    const auto draw = [&random](int low, int high) { return std::uniform_int_distribution(low, high)(random); };
    Bytes image = SyntheticRom(version).bytes();
    const std::int32_t capacity = bankRoom(image, profile, readPartyTable(image, profile)).capacity;
    // The parties' place, the learnsets' place and the free space: Yellow's learnsets end where the free space begins.
    EXPECT_EQ(capacity, version == GameVersion::Yellow ? 1923 + 2122 + 1109 : 1941 + 2068 + 1050 - 16);
    std::map<std::string, int> ways;
    int refused = 0;
    for (int round = 0; round < 3000 && refused < 8; ++round) {
        const PartyTable table = readPartyTable(image, profile);
        const int classNumber = draw(1, 47);
        const auto& parties = table.listOf(classNumber)->parties;
        const int party = draw(1, static_cast<int>(parties.size()));
        const int size = static_cast<int>(parties[static_cast<std::size_t>(party - 1)].members.size());
        const int members = std::clamp(size + (draw(0, 7) == 0 ? -1 : 1), 1, 6);
        const PartyChange change{classNumber, party, randomMembers(random, members, draw(0, 2) == 0)};
        const BankChange bank{{change}, {{classNumber, draw(0, 9999)}}};
        SCOPED_TRACE("round " + std::to_string(round) + ", class " + std::to_string(classNumber));
        const BankRoom room = bankRoom(image, profile, table);
        ASSERT_EQ(room.capacity, capacity);
        const auto write = planBankChange(image, profile, bank);
        if (!write) {
            ASSERT_EQ(write.failure().number, FailureNumber::NoRoomInBank) << write.failure().description;
            EXPECT_GT(room.used + bytesOfChange(table, bank), capacity) << write.failure().description;
            ++refused;
            continue;
        }
        ++ways[write->repack ? "repack" : write->relocations.empty() ? "in place" : "move"];
        GameParties expected = gameParties(image, table, version);
        for (const int sharing : table.listOf(classNumber)->classes) {
            expected[{sharing, party}] = change.members;
        }
        Bytes after = image;
        applyWritePlan(after, write->plan);
        const PartyTable now = readPartyTable(after, profile);
        ASSERT_EQ(gameParties(after, now, version), expected);
        EXPECT_EQ(now.entry(classNumber).money, bank.money.front().money);
        for (const PartyList& list : now.lists) {
            ASSERT_TRUE(list.editable()) << list.problem;
        }
        EXPECT_TRUE(std::equal(image.begin(), image.begin() + 0x38000, after.begin()) &&
                    std::equal(image.begin() + 0x3C000, image.end(), after.begin() + 0x3C000));
        const auto again = planBankChange(after, profile, bank);
        ASSERT_TRUE(again.ok() && again->plan.empty());
        image = after;
    }
    EXPECT_EQ(refused, 8) << bankRoom(image, profile, readPartyTable(image, profile)).used;
    EXPECT_GT(ways["in place"], 10);
    EXPECT_GT(ways["move"], 3);
    EXPECT_GT(ways["repack"], 3);
}

// The wish a hacker has first: every party one member stronger, in one save. It does not fit as lists moved one
// by one, so the bank is laid out anew, in class order, and a second round follows while the room lasts.
TEST_P(PartyBank, OneMoreMemberForEveryPartyLaysTheBankOutAnew)
{
    const GameVersion version = GetParam();
    const VersionProfile& profile = profileOf(version);
    Bytes image = SyntheticRom(version).bytes();
    const std::int32_t capacity = bankRoom(image, profile, readPartyTable(image, profile)).capacity;
    for (int round = 1;; ++round) {
        SCOPED_TRACE(round);
        const PartyTable table = readPartyTable(image, profile);
        BankChange change;
        GameParties expected = gameParties(image, table, version);
        for (const PartyList& list : table.lists) {
            for (std::size_t k = 0; k < list.parties.size(); ++k) {
                std::vector<PartyMember> members = list.parties[k].members;
                if (members.size() < MaxPartySize) {
                    members.push_back({members.back().level, 7});
                    change.parties.push_back({list.classes.front(), static_cast<int>(k) + 1, members});
                }
                for (const int sharing : list.classes) {
                    expected[{sharing, static_cast<int>(k) + 1}] = members;
                }
            }
        }
        const BankRoom room = bankRoom(image, profile, table);
        const auto write = planBankChange(image, profile, change);
        if (change.parties.empty() || !write) {
            EXPECT_GT(round, 2);
            EXPECT_TRUE(write.ok() || room.used + bytesOfChange(table, change) > capacity)
                << write.failure().description;
            break;
        }
        ASSERT_TRUE(write->repack || round > 1);
        // Every list takes a member, or moves: the first layout rewrites them all, and the learnsets they push on.
        EXPECT_TRUE(round > 1 || write->repack->lists > static_cast<int>(table.lists.size()));
        if (write->repack) {
            EXPECT_EQ(write->repack->capacity, capacity);
            EXPECT_EQ(write->repack->freeBytes, capacity - room.used - bytesOfChange(table, change));
        }
        Bytes after = image;
        applyWritePlan(after, write->plan);
        const PartyTable now = readPartyTable(after, profile);
        ASSERT_EQ(gameParties(after, now, version), expected);
        // Class order, from where the first list began.
        EXPECT_EQ(now.listOf(1)->offset, table.lists.front().offset);
        EXPECT_TRUE(std::equal(image.begin(), image.begin() + 0x38000, after.begin()) &&
                    std::equal(image.begin() + 0x3C000, image.end(), after.begin() + 0x3C000));
        image = after;
    }
}

// On a changed ROM, a list whose end Tavrik cannot see stays exactly where it is, byte for byte, and the other
// lists are laid out around it.
// The room the bank has for lists counts only the lists that may be edited.
TEST_P(PartyBank, LaysOutTheBankAroundAListItCannotReadWhole)
{
    const GameVersion version = GetParam();
    const VersionProfile& profile = profileOf(version);
    for (const int brokenClass : {20, 31}) {
        SCOPED_TRACE(brokenClass);
        SyntheticRom rom(version);
        const PartyTable released = readPartyTable(rom.bytes(), profile);
        // A party whose first member has level 0: the party reads as empty, and the list's end is lost.
        const PartyList& broken = *released.listOf(brokenClass);
        const auto levelEach = std::find_if(broken.parties.begin(), broken.parties.end(), [](const Party& party) {
            return party.format == PartyFormat::LevelEach;
        });
        ASSERT_NE(levelEach, broken.parties.end());
        rom.set(levelEach->offset + 1, 0x00);
        const Bytes image = rom.bytes();
        const PartyTable table = readPartyTable(image, profile);
        ASSERT_FALSE(table.listOf(brokenClass)->editable());
        std::int32_t used = 0;
        for (const EvosMovesList& list : readEvosMovesTable(image, profile).lists) {
            used += list.end - list.offset;
        }
        BankChange change;
        for (const PartyList& list : table.lists) {
            used += list.editable() ? list.end - list.offset : 0;
            if (list.editable() && list.parties.front().members.size() < MaxPartySize) {
                std::vector<PartyMember> members = list.parties.front().members;
                members.push_back({50, 9});
                change.parties.push_back({list.classes.front(), 1, members});
            }
        }
        EXPECT_EQ(bankRoom(image, profile, table).used, used);
        const auto write = planBankChange(image, profile, change);
        ASSERT_TRUE(write.ok()) << write.failure().description;
        ASSERT_TRUE(write->repack);
        Bytes after = image;
        applyWritePlan(after, write->plan);
        EXPECT_TRUE(
            std::equal(image.begin() + broken.offset, image.begin() + broken.end, after.begin() + broken.offset));
        const PartyTable now = readPartyTable(after, profile);
        EXPECT_EQ(*now.listOf(brokenClass), *table.listOf(brokenClass));
        for (const PartyChange& changed : change.parties) {
            EXPECT_EQ(now.party(changed.classNumber, 1)->members, changed.members);
        }
    }
}

// The edges of the lists' first place: bytes of someone else's in front of the first list stay where they are,
// and a last list that would end right before a byte that could begin a party keeps one zero byte behind it.
TEST_P(PartyBank, KeepsTheFirstAreaToBytesNoOneElseReads)
{
    const GameVersion version = GetParam();
    const VersionProfile& profile = profileOf(version);
    Bytes image = SyntheticRom(version).bytes();
    const PartyTable released = readPartyTable(image, profile);
    const std::int32_t capacity = bankRoom(image, profile, released).capacity;
    auto& code = image[static_cast<std::size_t>(released.listOf(47)->end)];
    const std::uint8_t first = code;
    code = 0x05;
    EXPECT_EQ(bankRoom(image, profile, readPartyTable(image, profile)).capacity, capacity - 1);
    code = first;

    // Class 1's list moves into the free space; another tool puts four bytes of its own where it began.
    const std::vector<PartyMember> six(MaxPartySize, {20, 5});
    const auto moved = planBankChange(image, profile, {{PartyChange{1, 1, six}}, {}});
    ASSERT_TRUE(moved.ok() && moved->relocations.size() == 1);
    applyWritePlan(image, moved->plan);
    const std::int32_t start = released.lists.front().offset;
    std::fill(image.begin() + start, image.begin() + start + 4, 0xC9);
    BankChange change;
    const PartyTable table = readPartyTable(image, profile);
    for (const PartyList& list : table.lists) {
        std::vector<PartyMember> members = list.parties.back().members;
        if (members.size() < MaxPartySize) {
            members.push_back({members.back().level, 9});
            change.parties.push_back({list.classes.front(), static_cast<int>(list.parties.size()), members});
        }
    }
    const auto write = planBankChange(image, profile, change);
    ASSERT_TRUE(write.ok() && write->repack) << (write.ok() ? "not laid out anew" : write.failure().description);
    Bytes after = image;
    applyWritePlan(after, write->plan);
    EXPECT_TRUE(std::all_of(after.begin() + start, after.begin() + start + 4, [](auto byte) { return byte == 0xC9; }));
    // In class order: the lists that fit the first place, then the rest in the free space.
    const PartyTable now = readPartyTable(after, profile);
    for (int classNumber = 2; classNumber <= 47; ++classNumber) {
        EXPECT_GE(now.listOf(classNumber)->offset, now.listOf(classNumber - 1)->offset) << classNumber;
    }
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
        const auto write = planBankChange(rom.bytes(), profile, {{PartyChange{classNumber, party, six}}, {}});
        ASSERT_TRUE(write.ok() && write->relocations.size() == 1)
            << (write.ok() ? "not moved" : write.failure().description);
        // Yellow's zero bytes begin with the last learnset's 0.
        const std::int32_t to = std::max(releasedFreeSpaceStart(version), releasedEvosMovesEnd(version)) + 16;
        EXPECT_EQ(write->relocations.front().to, to);
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
    // Room for 4 bytes behind the 16 a move leaves alone: the lists' places hold 4 bytes more than they use.
    SyntheticRom full(version);
    const std::int32_t freeStart = std::max(releasedFreeSpaceStart(version), releasedEvosMovesEnd(version));
    full.put(freeStart, Bytes(static_cast<std::size_t>(0x3C000 - freeStart - 20), 0xC9));
    // A list the table cannot read to its end is left alone too.
    const std::int32_t broken = table.party(20, 1)->offset;
    full.set(broken, 0xFF);
    full.set(broken + 1, 0x00);
    const std::vector<std::pair<BankChange, int>> refusals = {
        {{{PartyChange{34, 1, six}}, {}}, FailureNumber::NoRoomInBank},
        {{{PartyChange{34, 1, {{5, 5}, {0, 5}}}}, {}}, FailureNumber::PartyNotStorable},
        {{{PartyChange{20, 1, {{5, 5}}}}, {}}, FailureNumber::NotInPlace},
        {{{PartyChange{34, 1, {}}}, {}}, FailureNumber::PartyNotStorable},
        {{{PartyChange{34, 1, {{5, 0}}}}, {}}, FailureNumber::PartyNotStorable},
        {{{PartyChange{34, 1, std::vector<PartyMember>(7, {5, 5})}}, {}}, FailureNumber::PartyNotStorable},
        {{{PartyChange{34, 2, six}}, {}}, FailureNumber::NotInPlace},
        {{{PartyChange{34, 1, six}, PartyChange{34, 1, six}}, {}}, FailureNumber::NotInPlace},
        {{{}, {{3, 10000}}}, FailureNumber::PartyNotStorable}};
    for (const auto& [change, number] : refusals) {
        const auto write = planBankChange(full.bytes(), profile, change);
        EXPECT_EQ(write.ok() ? 0 : write.failure().number, number);
    }
    const auto noRoom = planBankChange(full.bytes(), profile, refusals[0].first);
    EXPECT_TRUE(noRoom.failure().description.find(": 4 bytes are missing") != std::string::npos)
        << noRoom.failure().description;
    EXPECT_EQ(planBankChange(full.bytes(), profile, refusals[1].first).failure().description.substr(0, 28),
              "Member 2 has level 0, which ");

    // A window's save writes only while the file holds the list it loaded.
    TempDir dir;
    const std::string path = dir.write(rom);
    const RomTarget target{path, &profile, 0x100000};
    PartyList stale = *table.listOf(35);
    stale.parties.front().members = {{9, 9}};
    for (const LoadedBank& loaded :
         {LoadedBank{stale, table.entry(35).money}, LoadedBank{*table.listOf(35), table.entry(35).money.value() + 1}}) {
        const auto saved = writeBankChange(target, loaded, {{PartyChange{35, 1, six}}, {{35, 5}}}, "a party");
        EXPECT_EQ(saved.ok() ? 0 : saved.failure().number, FailureNumber::NotInPlace);
    }
    EXPECT_EQ(fileBytes(path), rom.bytes());
}

INSTANTIATE_TEST_SUITE_P(AllVersions, PartyBank, ::testing::ValuesIn(AllVersions), [](const auto& param) {
    return std::string(profileOf(param.param).code);
});

// The pointer targets come out sorted however many stand out of place: none, one far from its place either way, as
// many as are moved one by one, one more, all, and equal ones.
TEST(PointerTargets, SortMostlyInOrderSortsEveryOrder)
{
    std::vector<int> ascending(40);
    std::iota(ascending.begin(), ascending.end(), 0);
    std::vector<int> reversed(ascending.rbegin(), ascending.rend());
    std::vector<int> firstLast = ascending;
    std::swap(firstLast.front(), firstLast.back());
    std::vector<int> eightOut = ascending;
    std::vector<int> nineOut = ascending;
    for (std::size_t k = 0; k < 9; ++k) {
        std::swap(nineOut[4 * k], nineOut[4 * k + 1]);
        if (k < 8) {
            std::swap(eightOut[4 * k], eightOut[4 * k + 1]);
        }
    }
    const std::vector<std::vector<int>> orders = {
        ascending, reversed, firstLast, eightOut, nineOut, {3, 1, 3, 1, 2}, {}, {7}};
    for (std::vector<int> values : orders) {
        std::vector<int> sorted = values;
        std::sort(sorted.begin(), sorted.end());
        sortMostlyInOrder(std::span(values));
        EXPECT_EQ(values, sorted);
    }
}
