#include "TempRom.h"
#include "overworld/OverworldBattle.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>

namespace {

constexpr GameVersion AllVersions[] = {GameVersion::Red, GameVersion::Blue, GameVersion::Yellow};

// Where the cartridges keep the six battles, written out independently of the program's own table;
// 0 marks a battle whose species is stored once.
struct BattleBytes
{
    std::int32_t species;
    std::int32_t secondSpecies;
    std::int32_t level;
};

using BattleTable = std::array<BattleBytes, 6>;

constexpr BattleTable RedBlueBattles{{
    {0x1E415, 0x1E3B5, 0x1E416},
    {0x468E8, 0x468A8, 0x468E9},
    {0x51963, 0x518C0, 0x51964},
    {0x45F44, 0x45F2C, 0x45F45},
    {0x59630, 0, 0x59635},
    {0x59970, 0, 0x59975},
}};

constexpr BattleTable YellowBattles{{
    {0x1DD1F, 0x1DCBF, 0x1DD20},
    {0x46B5A, 0x46B1A, 0x46B5B},
    {0x519A5, 0x51902, 0x519A6},
    {0x461A5, 0x4618D, 0x461A6},
    {0x594CC, 0, 0x594D1},
    {0x5980C, 0, 0x59811},
}};

const BattleTable& battlesOf(GameVersion version)
{
    return version == GameVersion::Yellow ? YellowBattles : RedBlueBattles;
}

using BattleSet = std::array<std::optional<BattleValues>, OverworldBattleCount>;

// Values that differ from everything the synthetic image holds at these positions.
BattleValues newValues(int battle)
{
    return {static_cast<std::uint8_t>(10 + 7 * battle), static_cast<std::uint8_t>(70 + battle)};
}

void addPositions(const BattleBytes& at, std::vector<std::int64_t>& offsets)
{
    for (const std::int32_t offset : {at.species, at.secondSpecies, at.level}) {
        if (offset != 0) {
            offsets.push_back(offset);
        }
    }
}

std::string traceOf(GameVersion version, int battle)
{
    return std::string(profileOf(version).code) + " battle " + std::to_string(battle + 1);
}

} // namespace

TEST(OverworldBattles, EachBattleWritesOnlyItsOwnBytes)
{
    TempDir dir;
    for (const GameVersion version : AllVersions) {
        for (int battle = 0; battle < OverworldBattleCount; ++battle) {
            SCOPED_TRACE(traceOf(version, battle));
            const std::string path = dir.write(SyntheticRom(version));
            const Bytes before = readWholeFile(path);
            const BattleBytes& at = battlesOf(version)[static_cast<std::size_t>(battle)];
            const BattleValues values = newValues(battle);
            BattleSet battles;
            battles[static_cast<std::size_t>(battle)] = values;

            ASSERT_FALSE(writeBattles(path, profileOf(version), battles).has_value());
            const Bytes after = readWholeFile(path);
            std::vector<std::int64_t> expected;
            addPositions(at, expected);
            std::sort(expected.begin(), expected.end());
            EXPECT_EQ(differingOffsets(before, after), expected);
            EXPECT_EQ(after[static_cast<std::size_t>(at.species)], values.species);
            if (at.secondSpecies != 0) {
                EXPECT_EQ(after[static_cast<std::size_t>(at.secondSpecies)], values.species);
            }
            EXPECT_EQ(after[static_cast<std::size_t>(at.level)], values.level);

            const auto read = readBattle(path, profileOf(version), battle);
            ASSERT_TRUE(read.ok());
            EXPECT_EQ(read->species, values.species);
            EXPECT_EQ(read->level, values.level);
        }
    }
}

TEST(OverworldBattles, AllSixTogetherAndReadBack)
{
    TempDir dir;
    for (const GameVersion version : AllVersions) {
        SCOPED_TRACE(profileOf(version).code);
        const std::string path = dir.write(SyntheticRom(version));
        const Bytes before = readWholeFile(path);
        BattleSet battles;
        std::vector<std::int64_t> expected;
        for (int battle = 0; battle < OverworldBattleCount; ++battle) {
            battles[static_cast<std::size_t>(battle)] = newValues(battle);
            addPositions(battlesOf(version)[static_cast<std::size_t>(battle)], expected);
        }
        std::sort(expected.begin(), expected.end());

        ASSERT_FALSE(writeBattles(path, profileOf(version), battles).has_value());
        EXPECT_EQ(differingOffsets(before, readWholeFile(path)), expected);
        for (int battle = 0; battle < OverworldBattleCount; ++battle) {
            SCOPED_TRACE("battle " + std::to_string(battle + 1));
            const auto read = readBattle(path, profileOf(version), battle);
            ASSERT_TRUE(read.ok());
            EXPECT_EQ(read->species, newValues(battle).species);
            EXPECT_EQ(read->level, newValues(battle).level);
        }
    }
}

TEST(OverworldBattles, RedZapdosExample)
{
    TempDir dir;
    const std::string path = dir.write(SyntheticRom(GameVersion::Red));
    const Bytes before = readWholeFile(path);
    BattleSet battles;
    battles[0] = BattleValues{0x91, 60};
    ASSERT_FALSE(writeBattles(path, profileOf(GameVersion::Red), battles).has_value());
    const Bytes after = readWholeFile(path);
    EXPECT_EQ(differingOffsets(before, after), (std::vector<std::int64_t>{0x1E3B5, 0x1E415, 0x1E416}));
    EXPECT_EQ(after[0x1E415], 0x91);
    EXPECT_EQ(after[0x1E3B5], 0x91);
    EXPECT_EQ(after[0x1E416], 0x3C);
}

TEST(OverworldBattles, OnlyTheFirstSpeciesPositionIsRead)
{
    TempDir dir;
    for (const GameVersion version : AllVersions) {
        SCOPED_TRACE(profileOf(version).code);
        const BattleBytes& at = battlesOf(version)[1];
        SyntheticRom rom(version);
        rom.set(at.species, 0x21);
        rom.set(at.secondSpecies, 0x22);
        rom.set(at.level, 0xFF);
        const auto read = readBattle(dir.write(rom), profileOf(version), 1);
        ASSERT_TRUE(read.ok());
        EXPECT_EQ(read->species, 0x21);
        EXPECT_EQ(read->level, 0xFF);
    }
}

TEST(OverworldBattles, NothingToWriteLeavesTheFileAlone)
{
    TempDir dir;
    const std::string path = dir.write(SyntheticRom(GameVersion::Yellow));
    const Bytes before = readWholeFile(path);
    EXPECT_FALSE(writeBattles(path, profileOf(GameVersion::Yellow), BattleSet{}).has_value());
    EXPECT_EQ(readWholeFile(path), before);
}
