// tavrik patch, apply and checksum, run as main runs them: a patch made and applied gives the edited ROM, a refused
// patch or output leaves the folder exactly as it was, and the checksum fix writes its bytes and no others.

#include "PatchEdits.h"
#include "TempRom.h"
#include "app/CommandLine.h"
#include "patches/Checksum.h"
#include "patches/Crc32.h"
#include "patches/Patch.h"
#include "rom/DisplayText.h"

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
    EXPECT_TRUE(isCommand(arguments));
    const int code = runCommand(arguments, out, err);
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

Bytes cut(const Bytes& bytes, std::size_t end)
{
    return Bytes(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(end));
}

} // namespace

TEST(PatchCommands, PatchThenApplyGivesTheEditedRom)
{
    const TempDir folder;
    const Bytes original = SyntheticRom(GameVersion::Red).bytes();
    const std::string originalPath = folder.writeBytes(original, "red.gb");
    for (const PatchEdit& edit : patchEdits(original, GameVersion::Red)) {
        for (const std::string name : {"hack.bps", "hack.IPS"}) {
            SCOPED_TRACE(edit.name + ", " + name);
            const std::string edited = folder.writeBytes(edit.edited, "hack.gb");
            const CommandRun made = run({"patch", originalPath, edited, "-o", folder.file(name)});
            if (name == "hack.IPS" && !edit.ips) {
                EXPECT_EQ(made.code, ExitCode::Refused);
                EXPECT_EQ(made.err,
                          "An IPS patch cannot make a file shorter (1048576 bytes to 1032192): make a BPS "
                          "patch instead.\nNothing was written.\n");
                continue;
            }
            ASSERT_EQ(made.code, 0) << made.err;
            const Bytes patch = fileBytes(folder.file(name));
            EXPECT_EQ(patchFormatOf(patch), name == "hack.bps" ? PatchFormat::Bps : PatchFormat::Ips);
            EXPECT_TRUE(made.out.starts_with(std::to_string(patch.size()) + " bytes written to " + folder.file(name)))
                << made.out;
            const CommandRun applied = run({"apply", originalPath, folder.file(name), "-o", folder.file("out.gb")});
            ASSERT_EQ(applied.code, 0) << applied.err;
            EXPECT_TRUE(applied.out.starts_with(std::to_string(edit.edited.size()) + " bytes written to " +
                                                folder.file("out.gb") + " (CRC32 " + crcText(crc32Of(edit.edited)) +
                                                ")."))
                << applied.out;
            EXPECT_TRUE(fileBytes(folder.file("out.gb")) == edit.edited);
            EXPECT_TRUE(fileBytes(originalPath) == original);
        }
    }
    // Only the three files the runs name are left: no temporary file of a write.
    EXPECT_EQ(contents(folder.path).size(), 5U);
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
    const Bytes bps = *makePatch(PatchFormat::Bps, red, edited);
    const Bytes ips = *makePatch(PatchFormat::Ips, red, edited);
    Bytes changed = bps;
    changed[bps.size() / 2] ^= 0x01;
    folder.writeBytes(bps, "hack.bps");
    folder.writeBytes(*makePatch(PatchFormat::Bps, blue, edited), "blue.bps");
    folder.writeBytes(cut(bps, bps.size() - 1), "cut.bps");
    folder.writeBytes(changed, "changed.bps");
    folder.writeBytes(cut(ips, ips.size() - 3), "cut.ips");
    folder.writeBytes(Bytes(100, 0x42), "notes.txt");
    std::filesystem::create_symlink(original, folder.path / "link.gb");
    const struct
    {
        std::string patch;
        std::string output;
        std::string reason;
    } cases[] = {
        {"blue.bps",
         "out.gb",
         folder.file("blue.bps") + " was made for another ROM (CRC32 " + crcText(crc32Of(blue)) + ", this one has " +
             crcText(crc32Of(red)) + ")."},
        {"cut.bps", "out.gb", " is damaged or cut short: its bytes give CRC32 "},
        {"changed.bps", "out.gb", " is damaged or cut short: its bytes give CRC32 "},
        {"cut.ips", "out.gb", " is cut short: it ends without the \"EOF\" that closes an IPS patch."},
        {"notes.txt", "out.gb", " is neither a BPS patch (it would start with \"BPS1\") nor an IPS patch (\"PATCH\")."},
        {"hack.bps", "red.gb", " is " + original + ": the patched ROM goes into a new file"},
        {"hack.bps", "sub/../red.gb", " is " + original + ": the patched ROM goes into a new file"},
        {"hack.bps", "link.gb", " is " + original + ": the patched ROM goes into a new file"},
        {"hack.bps", "hack.bps", " is " + folder.file("hack.bps") + ": the patched ROM goes into a new file"},
    };
    const auto before = contents(folder.path);
    for (const auto& refused : cases) {
        SCOPED_TRACE(refused.patch + " to " + refused.output);
        const CommandRun applied =
            run({"apply", original, folder.file(refused.patch), "-o", folder.file(refused.output)});
        EXPECT_EQ(applied.code, ExitCode::Refused);
        EXPECT_NE(applied.err.find(refused.reason), std::string::npos) << applied.err;
        EXPECT_TRUE(applied.err.ends_with("\nNothing was written.\n")) << applied.err;
        EXPECT_EQ(applied.out, "");
        EXPECT_TRUE(contents(folder.path) == before);
    }
    // The patch command names its format by the file's name, and never writes over either ROM.
    EXPECT_EQ(run({"patch", original, original, "-o", folder.file("hack.zip")}).code, ExitCode::Unreadable);
    EXPECT_EQ(run({"patch", original, original, "-o", folder.file("hack.bps")}).code, 0);
    const std::string romNamedPatch = folder.file("rom.bps");
    std::filesystem::copy_file(original, romNamedPatch);
    const auto withRom = contents(folder.path);
    EXPECT_EQ(run({"patch", original, romNamedPatch, "-o", romNamedPatch}).err,
              "tavrik: the patch would be written over " + romNamedPatch + ".\nNothing was written.\n");
    EXPECT_TRUE(contents(folder.path) == withRom);
}

TEST(ChecksumCommand, ReportsAndFixesExactlyTheChecksumBytes)
{
    const TempDir folder;
    // The builder leaves both checksums 0; a version code no version has makes the image unknown.
    SyntheticRom rom(GameVersion::Yellow);
    rom.set(0x14E, 0x12);
    SyntheticRom unknown(GameVersion::Red);
    unknown.setVersionCode("XYZ");
    const struct
    {
        std::string name;
        Bytes image;
        bool headerFixed;
    } cases[] = {{"known", rom.bytes(), true}, {"unknown", unknown.bytes(), false}};
    for (const auto& image : cases) {
        SCOPED_TRACE(image.name);
        const std::string path = folder.writeBytes(image.image, image.name + ".gb");
        const CommandRun report = run({"checksum", path});
        const auto sums = *cartridgeChecksums(image.image);
        EXPECT_EQ(report.out,
                  "Header checksum (0x14D): 0x00, wrong: the header's bytes 0x134-0x14C give " +
                      hexNumber(sums.header, 2) +
                      ".\nGlobal checksum (0x14E-0x14F): " + hexNumber(sums.storedGlobal, 4) +
                      ", wrong: the file's other bytes give " + hexNumber(sums.global, 4) + ".\n");
        EXPECT_TRUE(fileBytes(path) == image.image);
        const CommandRun fixed = run({"checksum", path, "--fix"});
        EXPECT_EQ(fixed.code, 0) << fixed.err;
        Bytes expected = image.image;
        if (image.headerFixed) {
            expected[0x14D] = sums.header;
            EXPECT_NE(fixed.out.find("Header checksum written: " + hexNumber(sums.header, 2) + ".\n"),
                      std::string::npos);
        } else {
            EXPECT_NE(fixed.out.find("The header checksum is left as it is"), std::string::npos) << fixed.out;
        }
        const std::uint16_t global = cartridgeChecksums(expected)->global;
        const Bytes after = fileBytes(path);
        EXPECT_TRUE(changedExactly(image.image,
                                   after,
                                   {{0x14D, expected[0x14D]},
                                    {0x14E, static_cast<std::uint8_t>(global >> 8)},
                                    {0x14F, static_cast<std::uint8_t>(global & 0xFF)}}));
        EXPECT_TRUE(fixed.out.ends_with("Global checksum written: " + hexNumber(global, 4) + ".\n")) << fixed.out;
        EXPECT_EQ(cartridgeChecksums(after)->globalRight(), true);
        const CommandRun again = run({"checksum", path, "--fix"});
        EXPECT_TRUE(again.out.ends_with("Nothing was written.\n")) << again.out;
        EXPECT_NE(again.out.find("Global checksum (0x14E-0x14F): " + hexNumber(global, 4) + ", right.\n"),
                  std::string::npos)
            << again.out;
        EXPECT_EQ(again.out.starts_with("Header checksum (0x14D): " + hexNumber(expected[0x14D], 2) + ", right.\n"),
                  image.headerFixed);
        EXPECT_TRUE(fileBytes(path) == after);
    }
    const std::string header = folder.writeBytes(Bytes(0x14F, 0), "short.gb");
    EXPECT_EQ(run({"checksum", header}).code, ExitCode::Unreadable);
}
