// Yellow's custom moves table rewritten in place: a changed move, slot or member changes its byte only; a removed
// entry shortens the table, whose freed bytes stay as they were; a longer table or an impossible value is refused.

#include "TempRom.h"
#include "history/CommitSave.h"
#include "trainers/CustomMovesWrite.h"

namespace {

constexpr std::int32_t Table = 0x39C6B;

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
    ASSERT_TRUE(commitSave(path, before, *plan, "custom moves").ok());
    const Bytes after = fileBytes(path);
    const Bytes expected = {2, 1, 1, 3, 40, 0, 35, 1, 3, 4, 58, 0, 15, 1, 1, 3, 21, 2, 3, 22, 0, 0xFF};
    Writes writes;
    for (std::size_t k = 0; k < expected.size(); ++k) {
        writes[Table + static_cast<std::int32_t>(k)] = expected[k];
    }
    // The three bytes freed at the end keep what they held (the old 22, 0, 0xFF).
    EXPECT_TRUE(changedExactly(before, after, writes));
    EXPECT_EQ(readCustomMoves(after, profile), table);
    EXPECT_TRUE(planCustomMoves(after, profile, table)->empty());

    const std::vector<std::pair<std::string, std::function<void(std::vector<CustomMoveEntry>&)>>> refused = {
        {"bytes more",
         [](auto& t) {
             t[2].moves.push_back({3, 1, 5});
             t[2].moves.push_back({4, 1, 5});
         }},
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

} // namespace
