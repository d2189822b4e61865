#include "app/PatchCommands.h"

#include "app/CommandLine.h"
#include "app/RomSession.h"
#include "history/CommitSave.h"
#include "patches/Checksum.h"
#include "patches/Crc32.h"
#include "patches/Patch.h"
#include "rom/DisplayText.h"
#include "rom/NewFile.h"

#include <filesystem>
#include <optional>
#include <ostream>

namespace {

int usage(std::ostream& err, const std::string& why)
{
    err << "tavrik: " << why << "\n\n" << CommandsHelp;
    return ExitCode::Unreadable;
}

// The two files and the name after -o; the output is empty when -o is missing.
std::pair<std::vector<std::string>, std::string> filesAndOutput(const std::vector<std::string>& arguments)
{
    std::pair<std::vector<std::string>, std::string> split;
    for (std::size_t k = 1; k < arguments.size(); ++k) {
        if (arguments[k] == "-o" && k + 1 < arguments.size()) {
            split.second = arguments[++k];
        } else {
            split.first.push_back(arguments[k]);
        }
    }
    return split;
}

std::optional<Bytes> readFile(const std::string& path, std::ostream& err)
{
    auto bytes = readRomImage(path);
    if (!bytes) {
        err << "Error: " << bytes.failure().number << ": " << bytes.failure().description << "\n";
        return std::nullopt;
    }
    return std::move(bytes.value());
}

// Whether output is one of inputs, by whatever path either is named.
std::optional<std::string> sameFileAs(const std::string& output, const std::vector<std::string>& inputs)
{
    for (const std::string& input : inputs) {
        std::error_code error;
        if (std::filesystem::equivalent(output, input, error)) {
            return input;
        }
    }
    return std::nullopt;
}

int refused(std::ostream& err, const std::string& why)
{
    err << why << "\nNothing was written.\n";
    return ExitCode::Refused;
}

int written(const std::string& path, const Bytes& bytes, std::ostream& err)
{
    if (const WriteStatus failure = writeNewFile(path, bytes)) {
        err << "Error: " << failure->number << ": " << failure->description << "\n";
        return ExitCode::WriteFailed;
    }
    return 0;
}

std::string formatWithArticle(PatchFormat format)
{
    return format == PatchFormat::Bps ? "a BPS" : "an IPS";
}

} // namespace

int patchCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err)
{
    const auto [files, output] = filesAndOutput(arguments);
    if (files.size() != 2 || output.empty()) {
        return usage(err, "patch takes the original ROM, the edited ROM and -o FILE.bps or -o FILE.ips");
    }
    const std::optional<PatchFormat> format = patchFormatForName(output);
    if (!format) {
        err << "tavrik: " << output << ": a patch's name says its format: end it in .bps or .ips.\n";
        return ExitCode::Unreadable;
    }
    const auto original = readFile(files[0], err);
    const auto edited = original ? readFile(files[1], err) : std::nullopt;
    if (!edited) {
        return ExitCode::Unreadable;
    }
    if (const auto input = sameFileAs(output, files)) {
        return refused(err, "tavrik: the patch would be written over " + *input + ".");
    }
    const auto patch = makePatch(*format, *original, *edited);
    if (!patch) {
        return refused(err, patch.failure().description);
    }
    if (const int code = written(output, *patch, err)) {
        return code;
    }
    out << patch->size() << " bytes written to " << output << ": " << formatWithArticle(*format) << " patch that turns "
        << files[0] << " into " << files[1] << ".\n";
    if (*original == *edited) {
        out << "The two are the same: the patch changes nothing.\n";
    }
    return 0;
}

int applyCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err)
{
    const auto [files, output] = filesAndOutput(arguments);
    if (files.size() != 2 || output.empty()) {
        return usage(err, "apply takes the original ROM, the patch and -o OUT, the new file to write");
    }
    const auto original = readFile(files[0], err);
    const auto patch = original ? readFile(files[1], err) : std::nullopt;
    if (!patch) {
        return ExitCode::Unreadable;
    }
    if (const auto input = sameFileAs(output, files)) {
        return refused(err,
                       "tavrik: " + output + " is " + *input +
                           ": the patched ROM goes into a new file, and the original and the patch stay as they are.");
    }
    const auto patched = applyPatch(*original, *patch, files[1]);
    if (!patched) {
        return refused(err, patched.failure().description);
    }
    const Bytes& bytes = patched->bytes;
    if (const int code = written(output, bytes, err)) {
        return code;
    }
    out << bytes.size() << " bytes written to " << output << " (CRC32 " << crcText(crc32Of(bytes)) << ").\n";
    if (patched->format == PatchFormat::Bps) {
        out << "Checked: " << files[1] << " was made for " << files[0] << ", and the result is the ROM it describes.\n";
    } else {
        out << "An IPS patch does not say which ROM it was made for: nothing could check that " << files[0]
            << " is the one.\n";
    }
    if (bytes.size() != original->size()) {
        out << "The patch made the ROM " << (bytes.size() > original->size() ? "longer" : "shorter")
            << ": the original has " << original->size() << " bytes.\n";
    }
    return 0;
}

namespace {

// Writes the checksums that are wrong into the file at path, whose bytes are image. The header checksum only in
// a ROM recognised as Red, Blue or Yellow: elsewhere a wrong one may be the sign of a damaged header.
int fixChecksums(const std::string& path, const Bytes& original, std::ostream& out, std::ostream& err)
{
    Bytes image = original;
    WritePlan plan;
    std::vector<std::string> lines;
    if (const auto header = headerChecksumFix(image)) {
        if (recognizeRom(image).profile == nullptr) {
            out << "The header checksum is left as it is: " << path
                << " is not a Red, Blue or Yellow that Tavrik knows, and there a wrong header checksum may be the "
                   "sign of a damaged header.\n";
        } else {
            applyWritePlan(image, {*header});
            plan.push_back(*header);
            lines.push_back("Header checksum written: " + hexNumber(header->bytes[0], 2) + ".");
        }
    }
    if (const auto global = globalChecksumFix(image)) {
        applyWritePlan(image, {*global});
        plan.push_back(*global);
        lines.push_back("Global checksum written: " + hexNumber(global->bytes[0] << 8 | global->bytes[1], 4) + ".");
    }
    if (plan.empty()) {
        out << "Nothing was written.\n";
        return 0;
    }
    // A save as any other: recorded in the ROM's history first, so that undo takes it back.
    if (const auto commit = commitSave(path, original, plan, "the checksum fix"); !commit) {
        err << "Error: " << commit.failure().number << ": " << commit.failure().description << "\n";
        return ExitCode::WriteFailed;
    }
    for (const std::string& line : lines) {
        out << line << "\n";
    }
    return 0;
}

} // namespace

int checksumCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err)
{
    const auto [files, fix] = splitArguments(arguments, "--fix");
    if (files.size() != 1) {
        return usage(err, "checksum takes one ROM, and --fix to write the right checksums into it");
    }
    const auto image = readFile(files[0], err);
    if (!image) {
        return ExitCode::Unreadable;
    }
    const auto sums = cartridgeChecksums(*image);
    if (!sums) {
        err << "tavrik: " << files[0] << " has " << image->size()
            << " bytes, too few for a cartridge header, which ends at 0x14F.\n";
        return ExitCode::Unreadable;
    }
    out << "Header checksum (0x14D): " << hexNumber(sums->storedHeader, 2)
        << (sums->headerRight() ? ", right.\n"
                                : ", wrong: the header's bytes 0x134-0x14C give " + hexNumber(sums->header, 2) + ".\n");
    out << "Global checksum (0x14E-0x14F): " << hexNumber(sums->storedGlobal, 4)
        << (sums->globalRight() ? ", right.\n"
                                : ", wrong: the file's other bytes give " + hexNumber(sums->global, 4) + ".\n");
    return fix ? fixChecksums(files[0], *image, out, err) : 0;
}
