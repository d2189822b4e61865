// tavrik patch, apply and checksum, run as main runs them: a patch made and applied gives the edited ROM, a refused
// patch or output leaves the folder exactly as it was, and the checksum fix writes its bytes and no others.

#include "PatchEdits.h"
#include "TempRom.h"
#include "app/CommandLine.h"
#include "patches/Checksum.h"
#include "patches/Crc32.h"
#include "patches/Patch.h"
#include "rom/DisplayText.h"

#include <array>
#include <sstream>

namespace {

struct CommandRun
{
    int code;
    std::string out;
    std::string err;
};

CommandRun run(const std::vector<std::string>& arguments)
{
    std::ostringstream out;
    std::ostringstream err;
    const int code = isCommand(arguments) ? runCommand(arguments, out, err) : -1;
    return {code, out.str(), err.str()};
}

// Every entry of folder by name, with a file's bytes (a link's are its target's).
std::map<std::string, Bytes> contents(const std::filesystem::path& folder)
{
    std::map<std::string, Bytes> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        files[entry.path().filename().string()] = entry.is_directory() ? Bytes{} : fileBytes(entry.path().string());
    }
    return files;
}

} // namespace

TEST(PatchCommands, PatchThenApplyGivesTheEditedRom)
{
    const TempDir folder;
    const Bytes original = SyntheticRom(GameVersion::Red).bytes();
    const std::string red = folder.writeBytes(original, "red.gb");
    for (const PatchEdit& edit : patchEdits(original, GameVersion::Red)) {
        for (const std::string name : {"hack.bps", "hack.IPS"}) {
            SCOPED_TRACE(edit.name + ", " + name);
            const CommandRun made =
                run({"patch", red, folder.writeBytes(edit.edited, "hack.gb"), "-o", folder.file(name)});
            if (name == "hack.IPS" && !edit.ips) {
                EXPECT_EQ(made.code, ExitCode::Refused);
                EXPECT_TRUE(made.err.ends_with("make a BPS patch instead.\nNothing was written.\n")) << made.err;
                continue;
            }
            ASSERT_EQ(made.code, 0) << made.err;
            const std::size_t size = fileBytes(folder.file(name)).size();
            EXPECT_TRUE(made.out.starts_with(std::to_string(size) + " bytes written to " + folder.file(name)))
                << made.out;
            const CommandRun applied = run({"apply", red, folder.file(name), "-o", folder.file("out.gb")});
            ASSERT_EQ(applied.code, 0) << applied.err;
            EXPECT_TRUE(applied.out.starts_with(std::to_string(edit.edited.size()) + " bytes written to " +
                                                folder.file("out.gb") + " (CRC32 " + crcText(crc32Of(edit.edited))))
                << applied.out;
            EXPECT_TRUE(fileBytes(folder.file("out.gb")) == edit.edited);
        }
    }
    // The five files the runs name, the original as it was, and no temporary file of a write.
    EXPECT_EQ(contents(folder.path).size(), 5U);
    EXPECT_TRUE(fileBytes(red) == original);
}

// Each refusal exits with 1 and leaves every file of the folder as it was, with no new one.
TEST(PatchCommands, RefusedPatchesAndOutputsWriteNothing)
{
    const TempDir folder;
    std::filesystem::create_directory(folder.path / "sub");
    const Bytes red = SyntheticRom(GameVersion::Red).bytes();
    const Bytes blue = SyntheticRom(GameVersion::Blue).bytes();
    const Bytes edited = patchEdits(red, GameVersion::Red).front().edited;
    const std::string original = folder.writeBytes(red, "red.gb");
    Bytes bps = *makePatch(PatchFormat::Bps, red, edited);
    const Bytes ips = *makePatch(PatchFormat::Ips, red, edited);
    folder.writeBytes(bps, "hack.bps");
    folder.writeBytes(*makePatch(PatchFormat::Bps, blue, edited), "blue.bps");
    folder.writeBytes(Bytes(ips.begin(), ips.end() - 3), "cut.ips");
    folder.writeBytes(Bytes(bps.begin(), bps.end() - 1), "cut.bps");
    bps[bps.size() / 2] ^= 0x01;
    folder.writeBytes(bps, "changed.bps");
    folder.writeBytes(Bytes(100, 0x42), "notes.txt");
    std::filesystem::create_symlink(original, folder.path / "link.gb");
    const std::string newFile =
        ": the patched ROM goes into a new file, and the original and the patch stay as they are.";
    const std::array<std::string, 3> cases[] = {
        {"blue.bps",
         "out.gb",
         folder.file("blue.bps") + " was made for another ROM (CRC32 " + crcText(crc32Of(blue)) + ", this one has " +
             crcText(crc32Of(red)) + ")."},
        {"cut.bps", "out.gb", " is damaged or cut short: its bytes give CRC32 "},
        {"changed.bps", "out.gb", " is damaged or cut short: its bytes give CRC32 "},
        {"cut.ips", "out.gb", " is cut short: it ends without the \"EOF\" that closes an IPS patch."},
        {"notes.txt", "out.gb", " is neither a BPS patch (it would start with \"BPS1\") nor an IPS patch (\"PATCH\")."},
        {"hack.bps", "red.gb", " is " + original + newFile},
        {"hack.bps", "sub/../red.gb", " is " + original + newFile},
        {"hack.bps", "link.gb", " is " + original + newFile},
        {"hack.bps", "hack.bps", " is " + folder.file("hack.bps") + newFile},
    };
    const auto before = contents(folder.path);
    for (const auto& [patch, output, reason] : cases) {
        SCOPED_TRACE(patch + " to " + output);
        const CommandRun applied = run({"apply", original, folder.file(patch), "-o", folder.file(output)});
        EXPECT_EQ(applied.code, ExitCode::Refused);
        EXPECT_NE(applied.err.find(reason + (reason.ends_with(".") ? "\nNothing was written.\n" : "")),
                  std::string::npos)
            << applied.err;
        EXPECT_TRUE(applied.out.empty() && contents(folder.path) == before);
    }
    // The patch command takes its format from the file's name, and never writes over either ROM.
    EXPECT_EQ(run({"patch", original, original, "-o", folder.file("hack.zip")}).code, ExitCode::Unreadable);
    EXPECT_EQ(run({"patch", original, original, "-o", folder.file("red.bps")}).code, 0);
    EXPECT_EQ(run({"patch", original, folder.file("red.bps"), "-o", folder.file("red.bps")}).err,
              "tavrik: the patch would be written over " + folder.file("red.bps") + ".\nNothing was written.\n");
    EXPECT_TRUE(fileBytes(original) == red);
}

TEST(ChecksumCommand, ReportsAndFixesExactlyTheChecksumBytes)
{
    const TempDir folder;
    // Both checksums 0, as some tools leave them; a version code no version has makes the image one Tavrik does not
    // know.
    SyntheticRom yellow(GameVersion::Yellow);
    SyntheticRom unknown(GameVersion::Red);
    unknown.setVersionCode("XYZ");
    for (SyntheticRom* rom : {&yellow, &unknown}) {
        rom->put(0x14D, {0, 0, 0});
    }
    const std::pair<Bytes, bool> images[] = {{yellow.bytes(), true}, {unknown.bytes(), false}};
    for (const auto& [image, known] : images) {
        SCOPED_TRACE(known);
        const std::string path = folder.writeBytes(image, "rom.gb");
        const auto sums = *cartridgeChecksums(image);
        EXPECT_EQ(run({"checksum", path}).out,
                  "Header checksum (0x14D): 0x00, wrong: the header's bytes 0x134-0x14C give " +
                      hexNumber(sums.header, 2) +
                      ".\nGlobal checksum (0x14E-0x14F): 0x0000, wrong: the file's other bytes give " +
                      hexNumber(sums.global, 4) + ".\n");
        const CommandRun fixed = run({"checksum", path, "--fix"});
        Bytes expected = image;
        expected[0x14D] = known ? sums.header : 0;
        const std::uint16_t global = cartridgeChecksums(expected)->global;
        EXPECT_TRUE(changedExactly(image,
                                   fileBytes(path),
                                   {{0x14D, expected[0x14D]},
                                    {0x14E, static_cast<std::uint8_t>(global >> 8)},
                                    {0x14F, static_cast<std::uint8_t>(global & 0xFF)}}));
        EXPECT_EQ(fixed.out.find("Header checksum written: " + hexNumber(sums.header, 2) + ".\n") != std::string::npos,
                  known);
        EXPECT_EQ(fixed.out.find("The header checksum is left as it is") != std::string::npos, !known);
        EXPECT_TRUE(fixed.out.ends_with("Global checksum written: " + hexNumber(global, 4) + ".\n")) << fixed.out;
        const CommandRun again = run({"checksum", path, "--fix"});
        EXPECT_NE(again.out.find("Global checksum (0x14E-0x14F): " + hexNumber(global, 4) + ", right.\n"),
                  std::string::npos);
        EXPECT_TRUE(again.out.ends_with("Nothing was written.\n")) << again.out;
    }
    EXPECT_EQ(run({"checksum", folder.writeBytes(Bytes(0x14F, 0), "short.gb")}).code, ExitCode::Unreadable);
}
