#include "TempRom.h"

// Random values for every battle land at exactly the battle's bytes, both species positions included, and
// leave every battle in place; a battle that is not in place is neither read nor written.
TEST(EveryBattle, WritesExactlyItsBytesAndOnlyWhereTheGameKeepsIt)
{
    std::mt19937 random(11);
    for (const GameVersion version : {GameVersion::Red, GameVersion::Blue, GameVersion::Yellow}) {
        SCOPED_TRACE(profileOf(version).code);
        Bytes image = SyntheticRom(version).bytes();
        // The second Snorlax loses the "ld a" before its level.
        image[static_cast<std::size_t>(LayoutOffsets::battle(version, 5).level - 1)] = 0x00;
        for (int round = 0; round < 3; ++round) {
            BattleEdits battles;
            std::map<std::int64_t, std::uint8_t> writes;
            for (int battle = 0; battle < OverworldBattleCount; ++battle) {
                const BattleValues values{static_cast<std::uint8_t>(random()), static_cast<std::uint8_t>(random())};
                battles[static_cast<std::size_t>(battle)] = values;
                const auto at = LayoutOffsets::battle(version, battle);
                EXPECT_EQ(battleInPlace(image, version, battle), battle != 5);
                if (battle != 5) {
                    writes.insert({{at.species, values.species}, {at.level, values.level}});
                    if (at.secondSpecies) {
                        writes[*at.secondSpecies] = values.species;
                    }
                }
            }
            std::vector<int> leftAlone;
            Bytes after = image;
            applyWritePlan(after, planBattleWrites(image, version, battles, leftAlone));
            EXPECT_TRUE(changedExactly(image, after, writes));
            EXPECT_EQ(leftAlone, std::vector<int>{5});
            EXPECT_EQ(readBattle(after, version, 2), battles[2]);
            image = after;
        }
    }
}
