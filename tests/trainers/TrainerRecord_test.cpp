#include "LayoutOffsets.h"
#include "TempRom.h"
#include "rom/modGameText.h"
#include "trainers/TrainerRecord.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <tuple>

namespace {

constexpr GameVersion AllVersions[] = {GameVersion::Red, GameVersion::Blue, GameVersion::Yellow};

long terminatorsInNameTable(GameVersion version, const Bytes& image)
{
    const auto [first, end] = LayoutOffsets::nameTable(version);
    return std::count(image.begin() + first, image.begin() + end, GameText::Terminator);
}

class EveryTrainer : public ::testing::TestWithParam<std::tuple<GameVersion, int>>
{
};

} // namespace

TEST_P(EveryTrainer, WritesExactlyItsLayoutBytesAndReadsThemBack)
{
    const auto [version, rosterIndex] = GetParam();
    const VersionProfile& profile = profileOf(version);
    const LayoutOffsets::Trainer& at = LayoutOffsets::trainer(version, rosterIndex);
    TempDir dir;
    const std::string path = dir.write(SyntheticRom(version));
    const Bytes before = readWholeFile(path);
    // The file as the write must leave it: each value goes to its byte of the layout, and no other byte changes.
    Bytes expected = before;
    // A value sure to differ from the byte the image holds, so that every intended write shows.
    const auto change = [&](std::int32_t offset) {
        std::uint8_t& byte = expected.at(static_cast<std::size_t>(offset));
        return byte = static_cast<std::uint8_t>(byte + 97);
    };

    // A name unlike the image's, filling its field for every third entry and padded with blanks for the others.
    TrainerRecord record;
    record.name = std::string("zyxwvuts").substr(0, static_cast<std::size_t>(at.nameLength - rosterIndex % 3));
    Bytes field = EncodeText(record.name);
    field.resize(static_cast<std::size_t>(at.nameLength), GameText::Space);
    std::copy(field.begin(), field.end(), expected.begin() + at.name);
    for (int member = 0; member < at.partySize; ++member) {
        record.party.push_back({change(at.party + 2 * member), change(at.party + 2 * member + 1)});
    }
    // Values for data the entry lacks are set too: they must land nowhere.
    record.specialMove = at.move ? change(*at.move) : std::uint8_t{0x42};
    record.specialMoveUser = at.moveUser ? change(*at.moveUser) : std::uint8_t{1};
    record.prizeAmount = at.prizeAmount ? change(*at.prizeAmount) : std::uint8_t{0x43};
    record.prizeItem = at.prizeAmount ? change(*at.prizeAmount + 1) : std::uint8_t{0x44};

    // A terminator in the name would shift the other names of the table: refused, nothing written.
    for (const char* name : {"\\", "A\\h50"}) {
        TrainerRecord refused = record;
        refused.name = name;
        const auto failure = writeTrainer(path, profile, rosterIndex, refused);
        ASSERT_TRUE(failure.has_value()) << name;
        EXPECT_EQ(failure->number, FailureNumber::NameSplitsTable);
        EXPECT_TRUE(readWholeFile(path) == before) << name;
    }

    ASSERT_FALSE(writeTrainer(path, profile, rosterIndex, record).has_value());
    const Bytes after = readWholeFile(path);
    EXPECT_EQ(differingOffsets(expected, after), std::vector<std::int64_t>{});
    EXPECT_EQ(terminatorsInNameTable(version, after), terminatorsInNameTable(version, before));

    const auto read = readTrainer(path, profile, rosterIndex);
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(read->name, record.name);
    const auto sameMember = [](PartyMember a, PartyMember b) { return a.level == b.level && a.species == b.species; };
    EXPECT_TRUE(
        std::equal(read->party.begin(), read->party.end(), record.party.begin(), record.party.end(), sameMember));
    EXPECT_EQ(read->specialMove, at.move ? record.specialMove : std::nullopt);
    EXPECT_EQ(read->specialMoveUser, at.moveUser ? record.specialMoveUser : std::nullopt);
    EXPECT_EQ(read->prizeAmount, at.prizeAmount ? record.prizeAmount : std::nullopt);
    EXPECT_EQ(read->prizeItem, at.prizeAmount ? record.prizeItem : std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(AllVersions,
                         EveryTrainer,
                         ::testing::Combine(::testing::ValuesIn(AllVersions), ::testing::Range(0, 12)));

TEST(TrainerWrite, LeavesAnUnchangedNameAndEmptyFieldsAloneAndRefusesAWrongParty)
{
    const LayoutOffsets::Trainer& at = LayoutOffsets::Red[3];
    SyntheticRom rom(GameVersion::Red);
    // The field holds a byte the decoder does not show; the name reads "FLOR" all the same.
    rom.put(at.name, {0x85, 0x8B, 0x34, 0x8E, 0x91});
    TempDir dir;
    const std::string path = dir.write(rom);
    const Bytes before = readWholeFile(path);
    auto record = readTrainer(path, profileOf(GameVersion::Red), 3).value();
    ASSERT_EQ(record.name, "FLOR");
    for (const std::size_t size : {std::size_t{2}, std::size_t{4}}) {
        TrainerRecord wrongParty = record;
        wrongParty.party.resize(size);
        EXPECT_TRUE(writeTrainer(path, profileOf(GameVersion::Red), 3, wrongParty).has_value()) << size;
    }
    record.party[1].level = 99;
    record.specialMove = record.specialMoveUser = record.prizeItem = record.prizeAmount = std::nullopt;
    ASSERT_FALSE(writeTrainer(path, profileOf(GameVersion::Red), 3, record).has_value());
    EXPECT_EQ(differingOffsets(before, readWholeFile(path)), std::vector<std::int64_t>{at.party + 2});
}

TEST(TrainerWrite, NameFieldIsPaddedWithBlanksOrCutAndNeverTerminated)
{
    const std::pair<const char*, Bytes> cases[] = {{"", {0x7F, 0x7F, 0x7F, 0x7F, 0x7F}},
                                                   {"ABCDEFG", {0x80, 0x81, 0x82, 0x83, 0x84}},
                                                   {"A B", {0x80, 0x7F, 0x81, 0x7F, 0x7F}},
                                                   {"[PK]é-", {0x53, 0xBA, 0xE6, 0x7F, 0x7F}}};
    for (const auto& [name, field] : cases) {
        EXPECT_EQ(encodeNameField(name, 5).value(), field) << name;
    }
}

TEST(TrainerRoster, TwelveEntriesOfTenCharacters)
{
    TempDir dir;
    for (const GameVersion version : AllVersions) {
        SyntheticRom rom(version);
        std::vector<std::string> expected;
        for (int rosterIndex = 0; rosterIndex < 12; ++rosterIndex) {
            expected.push_back(SyntheticRom::trainerName(rosterIndex));
            expected.back().resize(10, ' ');
        }
        // Entry 6 holds an accented name, entry 7 one that runs on past the ten bytes the roster shows.
        rom.putText(LayoutOffsets::trainer(version, 6).name, "Renée", true);
        expected[6] = "Renée     ";
        rom.putText(LayoutOffsets::trainer(version, 7).name, "ABCDEFGHIJKL", false);
        expected[7] = "ABCDEFGHIJ";
        auto file = RomFile::open(dir.write(rom), RomFile::Mode::Read);
        EXPECT_EQ(readRoster(file.value(), profileOf(version)).value(), expected) << profileOf(version).code;
    }
}
