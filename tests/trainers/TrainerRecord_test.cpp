#include "TempRom.h"
#include "rom/DisplayText.h"
#include "rom/modGameText.h"
#include "trainers/TrainerLayout.h"
#include "trainers/TrainerRecord.h"

#include <algorithm>
#include <array>
#include <gtest/gtest.h>
#include <string>

namespace {

constexpr GameVersion AllVersions[] = {GameVersion::Red, GameVersion::Blue, GameVersion::Yellow};

// Where each roster entry keeps its bytes in the cartridges, written out independently of the program's
// own table. 0 marks a datum the entry does not have.
struct TrainerBytes
{
    std::int32_t name;
    int nameLength;
    std::int32_t party;
    int partySize;
    std::int32_t moveUser;
    std::int32_t move;
    std::int32_t prizeAmount;
};

using Roster = std::array<TrainerBytes, 12>;

constexpr Roster RedRoster{{
    {0x39B21, 5, 0x3A3B6, 2, 0x39D22, 0x39D23, 0x5C3EC},
    {0x39B27, 5, 0x3A3BC, 2, 0x39D24, 0x39D25, 0x5C71A},
    {0x39B2D, 8, 0x3A3C2, 3, 0x39D26, 0x39D27, 0x5CAB7},
    {0x39B36, 5, 0x3A3CA, 3, 0x39D28, 0x39D29, 0x48970},
    {0x39B3C, 4, 0x3A3D2, 4, 0x39D2A, 0x39D2B, 0x754A4},
    {0x39B48, 7, 0x3A3E6, 4, 0x39D2C, 0x39D2D, 0x5D075},
    {0x39B41, 6, 0x3A3DC, 4, 0x39D2E, 0x39D2F, 0x75864},
    {0x39AF1, 8, 0x3A291, 5, 0x39D30, 0x39D31, 0x749A2},
    {0x39B68, 7, 0x3A4BC, 5, 0, 0x39D33, 0},
    {0x39B1B, 5, 0x3A3AA, 5, 0, 0x39D35, 0},
    {0x39B7A, 6, 0x3A517, 5, 0, 0x39D37, 0},
    {0x39B81, 5, 0x3A523, 5, 0, 0x39D39, 0},
}};

// Blue is Red but for three gym leaders whose prize lies one byte later.
constexpr Roster blueRoster()
{
    Roster roster = RedRoster;
    roster[4].prizeAmount = 0x754A5;
    roster[6].prizeAmount = 0x75865;
    roster[7].prizeAmount = 0x749A3;
    return roster;
}
constexpr Roster BlueRoster = blueRoster();

constexpr Roster YellowRoster{{
    {0x39AA0, 5, 0x3A455, 2, 0, 0, 0x5C2C9},
    {0x39AA6, 5, 0x3A45B, 2, 0, 0, 0x5C5EA},
    {0x39AAC, 8, 0x3A461, 1, 0, 0, 0x5C9AD},
    {0x39AB5, 5, 0x3A465, 3, 0, 0, 0x48987},
    {0x39ABB, 4, 0x3A46D, 4, 0, 0, 0x74C4C},
    {0x39AC7, 7, 0x3A47F, 3, 0, 0, 0x5CF6B},
    {0x39AC0, 6, 0x3A477, 3, 0, 0, 0x75070},
    {0x39A70, 8, 0x3A310, 5, 0, 0, 0x741DF},
    {0x39AE7, 7, 0x3A540, 5, 0, 0, 0},
    {0x39A9A, 5, 0x3A449, 5, 0, 0, 0},
    {0x39AF9, 6, 0x3A59B, 5, 0, 0, 0},
    {0x39B00, 5, 0x3A5A7, 5, 0, 0, 0},
}};

const Roster& rosterOf(GameVersion version)
{
    switch (version) {
    case GameVersion::Red:
        return RedRoster;
    case GameVersion::Blue:
        return BlueRoster;
    case GameVersion::Yellow:
        break;
    }
    return YellowRoster;
}

// The stretch of the name table from the first name the roster uses to the terminator of the last.
std::pair<std::size_t, std::size_t> nameTable(GameVersion version)
{
    return version == GameVersion::Yellow ? std::pair<std::size_t, std::size_t>{0x39A70, 0x39B06}
                                          : std::pair<std::size_t, std::size_t>{0x39AF1, 0x39B87};
}

long terminatorsInNameTable(GameVersion version, const Bytes& image)
{
    const auto [first, end] = nameTable(version);
    return std::count(image.begin() + static_cast<long>(first), image.begin() + static_cast<long>(end), 0x50);
}

std::uint8_t byteAt(const Bytes& image, std::int32_t offset)
{
    return image.at(static_cast<std::size_t>(offset));
}

// A value sure to differ from the byte the image holds, so that every intended write shows.
std::uint8_t changed(const Bytes& image, std::int32_t offset)
{
    return static_cast<std::uint8_t>(byteAt(image, offset) + 97);
}

std::string traceOf(GameVersion version, int rosterIndex)
{
    return std::string(profileOf(version).code) + " roster entry " + std::to_string(rosterIndex);
}

class TrainerWrites : public ::testing::Test
{
protected:
    std::string writeImage(GameVersion version)
    {
        path = dir.write(SyntheticRom(version));
        before = readWholeFile(path);
        return path;
    }

    TempDir dir;
    std::string path;
    Bytes before;
};

} // namespace

TEST_F(TrainerWrites, EveryTrainerChangesExactlyItsOwnBytes)
{
    for (const GameVersion version : AllVersions) {
        const VersionProfile& profile = profileOf(version);
        const bool redOrBlue = version != GameVersion::Yellow;
        for (int rosterIndex = 0; rosterIndex < 12; ++rosterIndex) {
            SCOPED_TRACE(traceOf(version, rosterIndex));
            writeImage(version);
            const TrainerBytes& at = rosterOf(version)[static_cast<std::size_t>(rosterIndex)];

            // Some names fill their field, some are padded; all are lower case, unlike the image's.
            TrainerRecord record;
            record.name = std::string("zyxwvuts").substr(0, static_cast<std::size_t>(at.nameLength - rosterIndex % 3));
            std::vector<std::int64_t> expected;
            for (int k = 0; k < at.nameLength; ++k) {
                expected.push_back(at.name + k);
            }
            for (int member = 0; member < at.partySize; ++member) {
                const std::int32_t level = at.party + 2 * member;
                record.party.push_back({changed(before, level), changed(before, level + 1)});
                expected.push_back(level);
                expected.push_back(level + 1);
            }
            // Values for data the entry lacks are set too: they must land nowhere.
            record.specialMove = at.move != 0 ? changed(before, at.move) : std::uint8_t{0x42};
            record.specialMoveUser =
                static_cast<std::uint8_t>(at.moveUser != 0 ? (byteAt(before, at.moveUser) + 1) % at.partySize : 1);
            record.prizeAmount = at.prizeAmount != 0 ? changed(before, at.prizeAmount) : std::uint8_t{0x43};
            record.prizeItem = at.prizeAmount != 0 ? changed(before, at.prizeAmount + 1) : std::uint8_t{0x44};
            for (const std::int32_t offset : {at.moveUser, at.move, at.prizeAmount}) {
                if (offset != 0) {
                    expected.push_back(offset);
                }
            }
            if (at.prizeAmount != 0) {
                expected.push_back(at.prizeAmount + 1);
            }
            std::sort(expected.begin(), expected.end());

            ASSERT_FALSE(writeTrainer(path, profile, rosterIndex, record).has_value());
            const Bytes after = readWholeFile(path);
            EXPECT_EQ(differingOffsets(before, after), expected);

            Bytes field = EncodeText(record.name);
            field.resize(static_cast<std::size_t>(at.nameLength), 0x7F);
            EXPECT_TRUE(std::equal(field.begin(), field.end(), after.begin() + at.name));
            EXPECT_EQ(terminatorsInNameTable(version, after), terminatorsInNameTable(version, before));

            const auto read = readTrainer(path, profile, rosterIndex);
            ASSERT_TRUE(read.ok());
            EXPECT_EQ(read->name, record.name);
            ASSERT_EQ(read->party.size(), record.party.size());
            for (std::size_t member = 0; member < record.party.size(); ++member) {
                EXPECT_EQ(read->party[member].level, record.party[member].level);
                EXPECT_EQ(read->party[member].species, record.party[member].species);
            }
            EXPECT_EQ(read->specialMove, redOrBlue ? record.specialMove : std::nullopt);
            EXPECT_EQ(read->specialMoveUser, redOrBlue && rosterIndex < 8 ? record.specialMoveUser : std::nullopt);
            EXPECT_EQ(read->prizeAmount, rosterIndex < 8 ? record.prizeAmount : std::nullopt);
            EXPECT_EQ(read->prizeItem, rosterIndex < 8 ? record.prizeItem : std::nullopt);
        }
    }
}

TEST_F(TrainerWrites, EmptyFieldsAreLeftAlone)
{
    writeImage(GameVersion::Red);
    const TrainerBytes& at = RedRoster[3];
    const auto read = readTrainer(path, profileOf(GameVersion::Red), 3);
    ASSERT_TRUE(read.ok());
    TrainerRecord record = *read;
    record.party[1].level = 99;
    record.specialMove.reset();
    record.specialMoveUser.reset();
    record.prizeItem.reset();
    record.prizeAmount.reset();
    ASSERT_FALSE(writeTrainer(path, profileOf(GameVersion::Red), 3, record).has_value());
    EXPECT_EQ(differingOffsets(before, readWholeFile(path)), std::vector<std::int64_t>{at.party + 2});
}

TEST_F(TrainerWrites, BluePrizesOfThreeLeadersLieOneByteLater)
{
    for (const int rosterIndex : {4, 6, 7}) {
        const std::int32_t red = RedRoster[static_cast<std::size_t>(rosterIndex)].prizeAmount;
        for (const GameVersion version : {GameVersion::Red, GameVersion::Blue}) {
            SCOPED_TRACE(traceOf(version, rosterIndex));
            // Red's amount, then the byte that is Red's item and Blue's amount, then Blue's item.
            SyntheticRom rom(version);
            rom.put(red, {0x0A, 0x0B, 0x0C});
            const auto read = readTrainer(dir.write(rom), profileOf(version), rosterIndex);
            ASSERT_TRUE(read.ok());
            const bool blue = version == GameVersion::Blue;
            EXPECT_EQ(read->prizeAmount, blue ? 0x0B : 0x0A);
            EXPECT_EQ(read->prizeItem, blue ? 0x0C : 0x0B);
        }
    }
}

TEST(TrainerNames, FieldIsPaddedWithBlanksOrCutAndNeverTerminated)
{
    const struct
    {
        const char* name;
        Bytes field;
    } cases[] = {
        {"ABCDE", {0x80, 0x81, 0x82, 0x83, 0x84}},
        {"AB", {0x80, 0x81, 0x7F, 0x7F, 0x7F}},
        {"", {0x7F, 0x7F, 0x7F, 0x7F, 0x7F}},
        {"ABCDEFG", {0x80, 0x81, 0x82, 0x83, 0x84}},
        {"A B", {0x80, 0x7F, 0x81, 0x7F, 0x7F}},
        {"[PK]é-", {0x53, 0xBA, 0xE6, 0x7F, 0x7F}},
        {"\\h7Fx", {0x7F, 0xB7, 0x7F, 0x7F, 0x7F}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("name: ") + c.name);
        const auto field = encodeNameField(c.name, 5);
        ASSERT_TRUE(field.ok());
        EXPECT_EQ(*field, c.field);
    }
}

TEST(TrainerNames, ATerminatorInsideTheNameIsRefusedAndNothingWritten)
{
    TempDir dir;
    for (const GameVersion version : AllVersions) {
        const std::string path = dir.write(SyntheticRom(version));
        const Bytes before = readWholeFile(path);
        for (const char* name : {"\\", "\\h50", "AB\\", "A\\hG1", "ABCDEF\\"}) {
            SCOPED_TRACE(std::string(profileOf(version).code) + " name: " + name);
            const auto field = encodeNameField(name, 8);
            ASSERT_FALSE(field.ok());
            EXPECT_EQ(field.failure().number, FailureNumber::NameSplitsTable);

            auto record = readTrainer(path, profileOf(version), 2);
            ASSERT_TRUE(record.ok());
            record.value().name = name;
            record.value().party[0].level = 99;
            const auto failure = writeTrainer(path, profileOf(version), 2, *record);
            ASSERT_TRUE(failure.has_value());
            EXPECT_EQ(failure->number, FailureNumber::NameSplitsTable);
            EXPECT_EQ(readWholeFile(path), before);
        }
    }
}

TEST_F(TrainerWrites, AnIncompletePartyIsRefused)
{
    writeImage(GameVersion::Yellow);
    auto record = readTrainer(path, profileOf(GameVersion::Yellow), 0);
    ASSERT_TRUE(record.ok());
    record.value().party.pop_back();
    EXPECT_TRUE(writeTrainer(path, profileOf(GameVersion::Yellow), 0, *record).has_value());
    record.value().party.resize(5);
    EXPECT_TRUE(writeTrainer(path, profileOf(GameVersion::Yellow), 0, *record).has_value());
    EXPECT_EQ(readWholeFile(path), before);
}

TEST(TrainerRoster, TwelveEntriesOfTenCharacters)
{
    TempDir dir;
    for (const GameVersion version : AllVersions) {
        SCOPED_TRACE(profileOf(version).code);
        const Roster& roster = rosterOf(version);
        SyntheticRom rom(version);
        // Entry 6 holds an accented name, entry 7 one that runs on past the ten bytes the roster shows.
        rom.putText(roster[6].name, "Renée", true);
        rom.putText(roster[7].name, "ABCDEFGHIJKL", false);
        const std::string path = dir.write(rom);
        auto file = RomFile::open(path, RomFile::Mode::Read);
        ASSERT_TRUE(file.ok());
        const auto entries = readRoster(file.value(), profileOf(version));
        ASSERT_TRUE(entries.ok());
        ASSERT_EQ(entries->size(), 12u);
        for (int rosterIndex = 0; rosterIndex < 12; ++rosterIndex) {
            const std::string& entry = (*entries)[static_cast<std::size_t>(rosterIndex)];
            SCOPED_TRACE("entry " + std::to_string(rosterIndex) + ": " + entry);
            EXPECT_EQ(characterCount(entry), 10u);
            if (rosterIndex == 6) {
                EXPECT_EQ(entry, "Renée     ");
            } else if (rosterIndex == 7) {
                EXPECT_EQ(entry, "ABCDEFGHIJ");
            } else {
                EXPECT_EQ(trimBlanks(entry), SyntheticRom::trainerName(rosterIndex));
            }
        }
        EXPECT_EQ(readTrainer(path, profileOf(version), 6)->name, "Renée");
    }
}
