#include "TempRom.h"
#include "app/RomSession.h"
#include "catalogues/NameCatalogues.h"
#include "overworld/OverworldBattle.h"
#include "trainers/TrainerLayout.h"
#include "trainers/TrainerRecord.h"

#include <gtest/gtest.h>
#include <string>

namespace {

constexpr GameVersion AllVersions[] = {GameVersion::Red, GameVersion::Blue, GameVersion::Yellow};

std::string versionName(GameVersion version)
{
    return std::string(profileOf(version).code);
}

} // namespace

TEST(RomRecognition, AcceptsTheThreeVersionCodes)
{
    TempDir dir;
    const struct
    {
        GameVersion version;
        const char* code;
    } cases[] = {{GameVersion::Red, "RED"}, {GameVersion::Blue, "BLU"}, {GameVersion::Yellow, "YEL"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        const auto recognition = recognizeRom(dir.write(SyntheticRom(c.version)));
        ASSERT_TRUE(recognition.ok());
        EXPECT_EQ(recognition->versionCode, c.code);
        ASSERT_NE(recognition->profile, nullptr);
        EXPECT_EQ(recognition->profile->version, c.version);
        EXPECT_EQ(recognition->profile->code, c.code);
    }
}

TEST(RomRecognition, OtherCodesHaveNoProfile)
{
    TempDir dir;
    for (const char* code : {"red", "Red", "bLU", "yel", "XYZ", "   ", "RE\x7F"}) {
        SCOPED_TRACE(code);
        SyntheticRom rom(GameVersion::Red);
        rom.setVersionCode(code);
        const auto recognition = recognizeRom(dir.write(rom));
        ASSERT_TRUE(recognition.ok());
        EXPECT_EQ(recognition->versionCode, code);
        EXPECT_EQ(recognition->profile, nullptr);
    }
}

TEST(RomRecognition, FilesTooShortHaveNoProfile)
{
    TempDir dir;
    const auto withCode = [](std::size_t size) {
        Bytes bytes(size, 0x00);
        const std::string code = "RED";
        for (std::size_t i = 0; i < code.size() && 0x13C + i < size; ++i) {
            bytes[0x13C + i] = static_cast<std::uint8_t>(code[i]);
        }
        return bytes;
    };
    const struct
    {
        std::size_t size;
        const char* code;
    } cases[] = {{0, ""}, {3, ""}, {0x13C, ""}, {0x13E, "RE"}, {0x13F, "RED"}, {0x400, "RED"}};
    for (const auto& c : cases) {
        SCOPED_TRACE("size " + std::to_string(c.size));
        // Too short to be a ROM is a rejection, not a read error.
        const auto recognition = recognizeRom(dir.writeBytes(withCode(c.size), "short.gb"));
        if (!recognition.ok()) {
            ADD_FAILURE() << "failure " << recognition.failure().number << ": " << recognition.failure().description;
            continue;
        }
        EXPECT_EQ(recognition->versionCode, c.code);
        EXPECT_EQ(recognition->profile, nullptr);
    }
}

TEST(RomRecognition, AcceptsAnImageFromTheSizeItsLayoutNeeds)
{
    TempDir dir;
    for (const GameVersion version : AllVersions) {
        SCOPED_TRACE(versionName(version));
        const auto required = static_cast<std::size_t>(requiredRomSize(profileOf(version)));
        SyntheticRom rom(version, required);
        const auto exact = recognizeRom(dir.write(rom));
        ASSERT_TRUE(exact.ok());
        EXPECT_EQ(exact->profile, &profileOf(version));

        rom.resize(required - 1);
        const auto shorter = recognizeRom(dir.write(rom));
        ASSERT_TRUE(shorter.ok());
        EXPECT_EQ(shorter->versionCode, versionName(version));
        EXPECT_EQ(shorter->profile, nullptr);
    }
}

TEST(RomRecognition, EverythingTheEditorReadsLiesInsideTheRequiredSize)
{
    TempDir dir;
    for (const GameVersion version : AllVersions) {
        SCOPED_TRACE(versionName(version));
        const VersionProfile& profile = profileOf(version);
        const std::string path = dir.write(SyntheticRom(version, static_cast<std::size_t>(requiredRomSize(profile))));
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
    }
}

TEST(RomRecognition, UnreachableFilesFail)
{
    TempDir dir;
    EXPECT_FALSE(recognizeRom(dir.file("missing.gb")).ok());
    EXPECT_FALSE(std::filesystem::exists(dir.file("missing.gb")));
    EXPECT_FALSE(recognizeRom(dir.path().string()).ok());
}
