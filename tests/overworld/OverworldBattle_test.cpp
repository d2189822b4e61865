#include "LayoutOffsets.h"
#include "TempRom.h"
#include "overworld/OverworldBattle.h"
#include "rom/HexFunctions.h"

#include <gtest/gtest.h>
#include <string>

namespace {

using BattleSet = std::array<std::optional<BattleValues>, OverworldBattleCount>;

class EveryBattle : public ::testing::TestWithParam<GameVersion>
{
};

} // namespace

TEST_P(EveryBattle, WritesExactlyItsLayoutBytesAndReadsThemBack)
{
    const GameVersion version = GetParam();
    TempDir dir;
    const std::string path = dir.write(SyntheticRom(version));
    const Bytes before = readWholeFile(path);
    ASSERT_FALSE(writeBattles(path, profileOf(version), BattleSet{}).has_value());
    EXPECT_TRUE(readWholeFile(path) == before) << "battles without values are left alone";

    // Values unlike the image's; battle 1 of Red is the documented Zapdos example, 0x91 at level 60.
    const auto values = [](int battle) {
        return BattleValues{static_cast<std::uint8_t>(0x91 + battle), static_cast<std::uint8_t>(60 + battle)};
    };
    BattleSet battles;
    Bytes expected = before;
    for (int battle = 0; battle < OverworldBattleCount; ++battle) {
        battles[static_cast<std::size_t>(battle)] = values(battle);
        const LayoutOffsets::Battle& at = LayoutOffsets::battle(version, battle);
        for (const std::int32_t offset : {at.species, at.secondSpecies.value_or(at.species)}) {
            expected.at(static_cast<std::size_t>(offset)) = values(battle).species;
        }
        expected.at(static_cast<std::size_t>(at.level)) = values(battle).level;
    }
    ASSERT_FALSE(writeBattles(path, profileOf(version), battles).has_value());
    EXPECT_EQ(differingOffsets(expected, readWholeFile(path)), std::vector<std::int64_t>{});

    for (int battle = 0; battle < OverworldBattleCount; ++battle) {
        // Only the first species position is read.
        if (const auto second = LayoutOffsets::battle(version, battle).secondSpecies) {
            ASSERT_FALSE(WriteHex(path, *second, "22").has_value());
        }
        const auto read = readBattle(path, profileOf(version), battle);
        ASSERT_TRUE(read.ok());
        EXPECT_EQ(read->species, values(battle).species) << "battle " << battle + 1;
        EXPECT_EQ(read->level, values(battle).level) << "battle " << battle + 1;
    }
}

INSTANTIATE_TEST_SUITE_P(AllVersions,
                         EveryBattle,
                         ::testing::Values(GameVersion::Red, GameVersion::Blue, GameVersion::Yellow));
