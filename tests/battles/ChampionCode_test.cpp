// The champion's moves as operands of the code: read and written only while every instruction byte around them
// is the game's, the RAM addresses aside; a save changes the four operands and nothing else.

#include "TempRom.h"
#include "battles/ChampionCode.h"
#include "history/CommitSave.h"
#include "rom/DisplayText.h"

#include <algorithm>

namespace {

class ChampionCode : public ::testing::TestWithParam<GameVersion>
{
};

TEST_P(ChampionCode, ReadsTheOperandsWhileTheInstructionsAreTheGames)
{
    const VersionProfile& profile = profileOf(GetParam());
    const Bytes image = SyntheticRom(GetParam()).bytes();
    const auto moves = readChampionMoves(image, profile);
    ASSERT_TRUE(moves.ok());
    EXPECT_EQ(*moves, ChampionMoves{});
    using namespace LayoutOffsets;
    for (std::int32_t offset = ChampionBranch - 1; offset <= ChampionBranch + ChampionBranchLength; ++offset) {
        SCOPED_TRACE(hexNumber(offset, 5));
        Bytes changed = image;
        changed[static_cast<std::size_t>(offset)] ^= 0x21;
        const bool free = offset < ChampionBranch || offset >= ChampionBranch + ChampionBranchLength ||
                          std::ranges::count(ChampionAddresses, offset) > 0;
        const std::int32_t operands[] = {
            ChampionFirstMove, ChampionBulbasaurMove, ChampionCharmanderMove, ChampionOtherwiseMove};
        const bool operand = std::ranges::count(operands, offset) > 0;
        const auto read = readChampionMoves(changed, profile);
        EXPECT_EQ(read.ok(), free || operand);
        if (read.ok() && operand) {
            EXPECT_NE(*read, ChampionMoves{});
        }
        const auto plan = planChampionMoves(changed, profile, ChampionMoves{});
        EXPECT_EQ(plan.ok(), free || operand);
        if (!read.ok()) {
            EXPECT_NE(read.failure().description.find("is not the game's"), std::string::npos);
        }
    }
}

TEST_P(ChampionCode, SavesExactlyTheChangedOperands)
{
    const VersionProfile& profile = profileOf(GetParam());
    TempDir dir;
    const std::string path = dir.write(SyntheticRom(GetParam()));
    const Bytes before = fileBytes(path);
    const ChampionMoves moves{0x10, 0x48, 0x22, 0x33};
    const auto plan = planChampionMoves(before, profile, moves);
    ASSERT_TRUE(plan.ok());
    ASSERT_TRUE(commitSave(path, before, *plan, "champion's moves").ok());
    const Bytes after = fileBytes(path);
    using namespace LayoutOffsets;
    EXPECT_TRUE(changedExactly(
        before, after, {{ChampionFirstMove, 0x10}, {ChampionCharmanderMove, 0x22}, {ChampionOtherwiseMove, 0x33}}));
    EXPECT_EQ(*readChampionMoves(after, profile), moves);
}

INSTANTIATE_TEST_SUITE_P(Versions, ChampionCode, ::testing::Values(GameVersion::Red, GameVersion::Blue));

TEST(ChampionCodeYellow, KeepsNoChampionMovesInItsCode)
{
    const Bytes image = SyntheticRom(GameVersion::Yellow).bytes();
    const VersionProfile& profile = profileOf(GameVersion::Yellow);
    EXPECT_FALSE(readChampionMoves(image, profile).ok());
    EXPECT_FALSE(planChampionMoves(image, profile, ChampionMoves{}).ok());
}

} // namespace
