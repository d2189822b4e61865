// Yellow's custom moves table: rewritten where it lies while it fits (a changed move, slot or member changes its
// byte only, freed bytes become 0x00, the zero bytes up to the party pointers are its room); moved into the free
// space at the end of the bank with the pointer in the game's code following when it does not; refused with the
// reason where it cannot be either, and then nothing is written.

#include "TempRom.h"
#include "history/CommitSave.h"
#include "trainers/CustomMovesWrite.h"
#include "trainers/PartyWrite.h"

namespace {

// Where Yellow keeps the table, where its party pointers begin, and the operand of the code's "ld hl" to it.
constexpr std::int32_t Table = 0x39C6B;
constexpr std::int32_t PartyPointers = 0x39DD1;
constexpr std::int32_t CodePointer = 0x39C28;

Writes writesOf(std::int32_t at, const Bytes& bytes)
{
    Writes writes;
    for (std::size_t k = 0; k < bytes.size(); ++k) {
        writes[at + static_cast<std::int32_t>(k)] = bytes[k];
    }
    return writes;
}

// Entries for class 1's parties 1.. of one triple each, until the table takes exactly bytes.
std::vector<CustomMoveEntry> tableOfLength(std::int32_t bytes)
{
    std::vector<CustomMoveEntry> table;
    std::int32_t length = 1;
    for (int party = 1; length + 6 <= bytes; ++party) {
        table.push_back({1, party, {{1, 1, 33}}});
        length += 6;
    }
    // What is left is made up by more triples of the last entry (the lengths are chosen so it comes out even).
    for (; length + 3 <= bytes; length += 3) {
        table.back().moves.push_back({2, 2, 45});
    }
    return table;
}

TEST(CustomMovesWrite, RewritesTheTableInPlaceOrRefuses)
{
    const VersionProfile& profile = profileOf(GameVersion::Yellow);
    TempDir dir;
    const std::string path = dir.write(SyntheticRom(GameVersion::Yellow));
    const Bytes before = fileBytes(path);
    // The builder's table: {2, 1: (1, 2, 33), (1, 3, 40)}, {35, 1: (2, 2, 57)}, {15, 1: (1, 3, 21), (2, 3, 22)}.
    std::vector<CustomMoveEntry> table = readCustomMoves(before, profile);
    ASSERT_EQ(table.size(), 3U);
    table[1].moves[0] = {3, 4, 58};
    table[0].moves.erase(table[0].moves.begin());
    const auto plan = planCustomMoves(before, profile, table);
    ASSERT_TRUE(plan.ok()) << plan.failure().description;
    EXPECT_FALSE(plan->move);
    ASSERT_TRUE(commitSave(path, before, plan->plan, "custom moves").ok());
    const Bytes after = fileBytes(path);
    // The three bytes freed at the end (the old 22, 0, 0xFF) become 0x00.
    const Bytes expected = {2, 1, 1, 3, 40, 0, 35, 1, 3, 4, 58, 0, 15, 1, 1, 3, 21, 2, 3, 22, 0, 0xFF, 0, 0, 0};
    EXPECT_TRUE(changedExactly(before, after, writesOf(Table, expected)));
    EXPECT_EQ(readCustomMoves(after, profile), table);
    EXPECT_TRUE(planCustomMoves(after, profile, table)->plan.empty());

    const std::vector<std::pair<std::string, std::function<void(std::vector<CustomMoveEntry>&)>>> refused = {
        {"a member of 1-6", [](auto& t) { t[0].moves[0].member = 7; }},
        {"a member of 1-6", [](auto& t) { t[0].moves[0].slot = 0; }},
        {"a member of 1-6", [](auto& t) { t[0].moves[0].move = 0; }},
        {"no party for", [](auto& t) { t[0].classNumber = 48; }}};
    for (const auto& [why, edit] : refused) {
        SCOPED_TRACE(why);
        std::vector<CustomMoveEntry> bad = table;
        edit(bad);
        const auto refusal = planCustomMoves(after, profile, bad);
        ASSERT_FALSE(refusal.ok());
        EXPECT_NE(refusal.failure().description.find(why), std::string::npos) << refusal.failure().description;
    }
    Bytes endless = after;
    // A table without its 0xFF up to the bank's end.
    std::fill(endless.begin() + Table, endless.begin() + 0x3C000, std::uint8_t{0x01});
    EXPECT_FALSE(planCustomMoves(endless, profile, table).ok());
    EXPECT_FALSE(planCustomMoves(after, profileOf(GameVersion::Red), table).ok());
}

TEST(CustomMovesWrite, GrowsUpToThePartyPointersThenMovesWithTheCodesPointer)
{
    const VersionProfile& profile = profileOf(GameVersion::Yellow);
    TempDir dir;
    const std::string path = dir.write(SyntheticRom(GameVersion::Yellow));
    const Bytes original = fileBytes(path);
    const PartyTable parties = readPartyTable(original, profile);

    // As long as the released table: it ends right in front of the party pointers, written where it lies.
    const std::vector<CustomMoveEntry> full = tableOfLength(PartyPointers - Table);
    ASSERT_EQ(std::ssize(customMovesBytes(full)), PartyPointers - Table);
    auto plan = planCustomMoves(original, profile, full);
    ASSERT_TRUE(plan.ok()) << plan.failure().description;
    ASSERT_FALSE(plan->move);
    ASSERT_TRUE(commitSave(path, original, plan->plan, "full").ok());
    const Bytes filled = fileBytes(path);
    EXPECT_TRUE(changedExactly(original, filled, writesOf(Table, customMovesBytes(full))));

    // One triple more moves it, through the trainer bank's own save, behind the free space's 16 bytes; the code's
    // pointer follows and the old place becomes 0x00.
    std::vector<CustomMoveEntry> grown = full;
    grown.front().moves.push_back({2, 4, 89});
    const FreeSpace free = trailingFreeSpace(filled, {0x38000, 0x3C000});
    BankChange change{{}, {}, {}, grown};
    const auto write = planBankChange(filled, profile, change);
    ASSERT_TRUE(write.ok()) << write.failure().description;
    ASSERT_TRUE(write->customMovesMove);
    EXPECT_EQ(write->customMovesMove->to, free.start + 16);
    ASSERT_TRUE(commitSave(path, filled, write->plan, "grown").ok());
    const Bytes moved = fileBytes(path);
    Writes writes = writesOf(free.start + 16, customMovesBytes(grown));
    for (std::int32_t at = Table; at < PartyPointers; ++at) {
        writes[at] = 0x00;
    }
    const std::int32_t pointer = free.start + 16 - 0x34000;
    writes[CodePointer] = static_cast<std::uint8_t>(pointer & 0xFF);
    writes[CodePointer + 1] = static_cast<std::uint8_t>(pointer >> 8);
    EXPECT_TRUE(changedExactly(filled, moved, writes));
    EXPECT_EQ(readCustomMoves(moved, profile), grown);
    EXPECT_EQ(readPartyTable(moved, profile).lists, parties.lists);
    EXPECT_NE(bankSavedNote("X", {{}, {}, {}, write->customMovesMove}, {})
                  .find("The custom moves table moved to free "
                        "space at"),
              std::string::npos);

    // Where it now lies, a party that moves into the free space goes behind it, and both still read.
    const PartyList& list = parties.lists.front();
    std::vector<PartyMember> members = list.parties.front().members;
    members.resize(6, members.front());
    const auto party = planBankChange(moved, profile, {{{list.classes.front(), 1, members}}, {}});
    ASSERT_TRUE(party.ok()) << party.failure().description;
    Bytes both = moved;
    applyWritePlan(both, party->plan);
    EXPECT_EQ(readCustomMoves(both, profile), grown);
    EXPECT_EQ(readPartyTable(both, profile).party(list.classes.front(), 1)->members, members);

    // Where the code is not found once, or the free space is too small, growing is refused and nothing moves.
    const std::vector<std::pair<std::string, std::function<void(Bytes&)>>> refused = {
        {"cannot move it", [](Bytes& image) { image[CodePointer + 3] = 0x7E; }},
        {"cannot move it",
         [](Bytes& image) {
             std::copy(image.begin() + CodePointer - 9, image.begin() + CodePointer + 16, image.begin() + 0x39B00);
         }},
        {"has no room", [](Bytes& image) { std::fill(image.begin() + 0x3A000, image.begin() + 0x3BFF8, 0x01); }}};
    for (const auto& [why, edit] : refused) {
        SCOPED_TRACE(why);
        Bytes image = filled;
        edit(image);
        const auto refusal = planCustomMoves(image, profile, grown);
        ASSERT_FALSE(refusal.ok());
        EXPECT_NE(refusal.failure().description.find(why), std::string::npos) << refusal.failure().description;
    }
}

} // namespace

TEST(CustomMovesWrite, APartysMovesGoToTheEntryTheGameReads)
{
    // Class 2's party 1 twice: the game reads the first entry only.
    const std::vector<CustomMoveEntry> table = {{2, 1, {{1, 2, 33}}}, {35, 1, {{2, 2, 57}}}, {2, 1, {{3, 3, 3}}}};
    EXPECT_EQ(customMovesOf(table, 2, 1), (std::vector<CustomMove>{{1, 2, 33}}));
    EXPECT_TRUE(customMovesOf(table, 2, 2).empty());
    const std::vector<CustomMove> moves = {{4, 1, 9}, {4, 2, 10}};
    const struct
    {
        int classNumber;
        int party;
        std::vector<CustomMove> moves;
        std::vector<CustomMoveEntry> expected;
    } cases[] = {
        {2, 1, moves, {{2, 1, moves}, table[1], table[2]}},
        {34, 1, moves, {table[0], table[1], table[2], {34, 1, moves}}},
        // No moves: the entry the game skipped until now goes too, else it would be read in its place.
        {2, 1, {}, {table[1]}},
        {7, 1, {}, table},
    };
    for (const auto& one : cases) {
        SCOPED_TRACE(one.classNumber);
        EXPECT_EQ(withCustomMoves(table, one.classNumber, one.party, one.moves), one.expected);
    }
}
