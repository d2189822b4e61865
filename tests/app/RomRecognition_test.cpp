#include "TempRom.h"
#include "app/RomSession.h"
#include "catalogues/NameCatalogues.h"
#include "overworld/OverworldBattle.h"
#include "trainers/TrainerLayout.h"
#include "trainers/TrainerRecord.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <tuple>

namespace {

constexpr GameVersion AllVersions[] = {GameVersion::Red, GameVersion::Blue, GameVersion::Yellow};

} // namespace

TEST(RomRecognition, TakesTheVersionFromTheExactCodeOfAFileLongEnough)
{
    TempDir dir;
    const std::size_t big = SyntheticRom::DefaultSize;
    // The code written at 0x13C, the file's size, the code read back and the profile chosen.
    const std::tuple<std::string, std::size_t, std::string, const VersionProfile*> cases[] = {
        {"RED", big, "RED", &profileOf(GameVersion::Red)},
        {"BLU", big, "BLU", &profileOf(GameVersion::Blue)},
        {"YEL", big, "YEL", &profileOf(GameVersion::Yellow)},
        {"red", big, "red", nullptr},
        {"bLU", big, "bLU", nullptr},
        {"yel", big, "yel", nullptr},
        {"XYZ", big, "XYZ", nullptr},
        // Too short to be a ROM is a rejection, not a read error.
        {"RED", 0, "", nullptr},
        {"RED", 0x13C, "", nullptr},
        {"RED", 0x13E, "RE", nullptr},
        {"RED", 0x400, "RED", nullptr}};
    for (const auto& [code, size, read, chosen] : cases) {
        SCOPED_TRACE(code + ", size " + std::to_string(size));
        SyntheticRom rom(GameVersion::Red);
        rom.setVersionCode(code);
        rom.resize(size);
        const auto recognition = recognizeRom(dir.write(rom));
        ASSERT_TRUE(recognition.ok()) << recognition.failure().description;
        EXPECT_EQ(recognition->versionCode, read);
        EXPECT_EQ(recognition->profile, chosen);
    }
    EXPECT_FALSE(recognizeRom(dir.file("missing.gb")).ok());
    EXPECT_FALSE(std::filesystem::exists(dir.file("missing.gb")));
    EXPECT_FALSE(recognizeRom(dir.path().string()).ok());
}

TEST(RomRecognition, TheRequiredSizeHoldsEverythingTheEditorReadsAndNoByteLess)
{
    TempDir dir;
    for (const GameVersion version : AllVersions) {
        SCOPED_TRACE(profileOf(version).code);
        const VersionProfile& profile = profileOf(version);
        SyntheticRom rom(version, static_cast<std::size_t>(requiredRomSize(profile)));
        const std::string path = dir.write(rom);
        EXPECT_EQ(recognizeRom(path)->profile, &profile);
        auto file = RomFile::open(path, RomFile::Mode::Read);
        ASSERT_TRUE(file.ok());
        EXPECT_TRUE(readRoster(file.value(), profile).ok());
        EXPECT_TRUE(speciesNames(file.value(), profile).ok());
        EXPECT_TRUE(moveNames(file.value(), profile).ok());
        EXPECT_TRUE(itemNames(file.value(), profile).ok());
        for (int rosterIndex = 0; rosterIndex < RosterSize; ++rosterIndex) {
            EXPECT_TRUE(readTrainer(path, profile, rosterIndex).ok()) << "roster entry " << rosterIndex;
        }
        for (int battle = 0; battle < OverworldBattleCount; ++battle) {
            EXPECT_TRUE(readBattle(path, profile, battle).ok()) << "battle " << battle;
        }
        rom.resize(rom.bytes().size() - 1);
        EXPECT_EQ(recognizeRom(dir.write(rom))->profile, nullptr);
    }
}

// Both writers of the editor (trainer, overworld battles), on a file that is no longer the opened ROM.
class SaveGuard : public ::testing::TestWithParam<std::tuple<bool, GameVersion>>
{
};

TEST_P(SaveGuard, WritesNothingIntoAFileReplacedCutShortOrDeleted)
{
    const auto [trainer, version] = GetParam();
    TempDir dir;
    const std::string path = dir.file("rom.gb");
    // Red and Blue swap for each other, whose layouts are almost the same; Yellow becomes Red.
    SyntheticRom cut(version);
    cut.resize(0x50000);
    const std::pair<const char*, std::optional<Bytes>> cases[] = {
        {"another version", SyntheticRom(version == GameVersion::Red ? GameVersion::Blue : GameVersion::Red).bytes()},
        {"cut short", cut.bytes()},
        {"deleted", std::nullopt}};
    for (const auto& [situation, image] : cases) {
        SCOPED_TRACE(situation);
        if (image) {
            dir.writeBytes(*image, "rom.gb");
        } else {
            std::filesystem::remove(path);
        }
        std::array<std::optional<BattleValues>, OverworldBattleCount> battles;
        battles.fill(BattleValues{7, 77});
        const auto failure = trainer
                                 ? writeTrainer(path, profileOf(version), 0, {"ZED", {{90, 9}, {91, 10}}, 3, 1, 4, 5})
                                 : writeBattles(path, profileOf(version), battles);
        ASSERT_TRUE(failure.has_value());
        EXPECT_EQ(failure->number, image ? FailureNumber::RomChanged : FailureNumber::FileNotFound);
        EXPECT_TRUE(image ? readWholeFile(path) == *image : !std::filesystem::exists(path));
    }
}

INSTANTIATE_TEST_SUITE_P(TrainerOrBattles,
                         SaveGuard,
                         ::testing::Combine(::testing::Bool(), ::testing::ValuesIn(AllVersions)));
