#include "TempRom.h"
#include "app/RomSession.h"
#include "overworld/OverworldBattle.h"
#include "trainers/TrainerRecord.h"

#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <string>

namespace {

constexpr GameVersion AllVersions[] = {GameVersion::Red, GameVersion::Blue, GameVersion::Yellow};

using Save = std::function<WriteStatus(const std::string& path, const VersionProfile& profile)>;

// The two ways the editor writes into a ROM, each with values that differ from the synthetic image.
struct Writer
{
    const char* name;
    Save save;
};

const Writer Writers[] = {
    {"trainer",
     [](const std::string& path, const VersionProfile& profile) {
         TrainerRecord record;
         record.name = "ZED";
         record.party = {{90, 9}, {91, 10}};
         record.specialMove = 3;
         record.specialMoveUser = 1;
         record.prizeItem = 4;
         record.prizeAmount = 5;
         return writeTrainer(path, profile, 0, record);
     }},
    {"overworld battles",
     [](const std::string& path, const VersionProfile& profile) {
         std::array<std::optional<BattleValues>, OverworldBattleCount> battles;
         for (auto& battle : battles) {
             battle = BattleValues{7, 77};
         }
         return writeBattles(path, profile, battles);
     }},
};

GameVersion otherVersion(GameVersion version)
{
    return version == GameVersion::Yellow ? GameVersion::Red : GameVersion::Yellow;
}

std::string traceOf(const Writer& writer, GameVersion version, const char* situation)
{
    return std::string(writer.name) + ", " + std::string(profileOf(version).code) + ", " + situation;
}

} // namespace

TEST(SaveGuard, WritesIntoTheRomThatWasOpened)
{
    TempDir dir;
    for (const Writer& writer : Writers) {
        for (const GameVersion version : AllVersions) {
            SCOPED_TRACE(traceOf(writer, version, "unchanged file"));
            const std::string path = dir.write(SyntheticRom(version));
            const Bytes before = readWholeFile(path);
            EXPECT_FALSE(writer.save(path, profileOf(version)).has_value());
            EXPECT_NE(readWholeFile(path), before);
        }
    }
}

TEST(SaveGuard, AFileThatIsNoLongerTheOpenedRomIsNotWritten)
{
    TempDir dir;
    for (const Writer& writer : Writers) {
        for (const GameVersion version : AllVersions) {
            const std::string path = dir.file("rom.gb");
            SyntheticRom cut(version);
            // Long enough to hold the names and parties, too short for the rest.
            cut.resize(0x50000);
            SyntheticRom renamed(version);
            renamed.setVersionCode("XYZ");
            const struct
            {
                const char* situation;
                Bytes image;
                bool recognisedAsChanged = true;
            } cases[] = {
                {"replaced by another version", SyntheticRom(otherVersion(version)).bytes()},
                {"replaced by Blue or Red",
                 SyntheticRom(version == GameVersion::Red ? GameVersion::Blue : GameVersion::Red).bytes()},
                {"cut short", cut.bytes()},
                {"header changed", renamed.bytes()},
                {"not a ROM at all", Bytes(0x400, 0x41)},
                // Which failure a file shorter than the header gives is the recognition's business.
                {"shorter than the header", Bytes(100, 0x41), false},
            };
            for (const auto& c : cases) {
                SCOPED_TRACE(traceOf(writer, version, c.situation));
                dir.writeBytes(c.image, "rom.gb");
                const auto failure = writer.save(path, profileOf(version));
                ASSERT_TRUE(failure.has_value());
                if (c.recognisedAsChanged) {
                    EXPECT_EQ(failure->number, FailureNumber::RomChanged);
                }
                EXPECT_EQ(readWholeFile(path), c.image);
            }
        }
    }
}

TEST(SaveGuard, ADeletedRomIsNotCreatedAgain)
{
    TempDir dir;
    for (const Writer& writer : Writers) {
        for (const GameVersion version : AllVersions) {
            SCOPED_TRACE(traceOf(writer, version, "deleted"));
            const std::string path = dir.write(SyntheticRom(version));
            std::filesystem::remove(path);
            EXPECT_TRUE(writer.save(path, profileOf(version)).has_value());
            EXPECT_FALSE(std::filesystem::exists(path));
        }
    }
}

TEST(SaveGuard, AnUnwritableRomIsLeftAsItWas)
{
    TempDir dir;
    for (const Writer& writer : Writers) {
        SCOPED_TRACE(writer.name);
        const std::string path = dir.write(SyntheticRom(GameVersion::Blue));
        const Bytes before = readWholeFile(path);
        const ImmutableFile locked(path);
        if (!locked.active()) {
            GTEST_SKIP() << "the file system does not allow the immutable attribute here";
        }
        EXPECT_TRUE(writer.save(path, profileOf(GameVersion::Blue)).has_value());
        EXPECT_EQ(readWholeFile(path), before);
    }
}
