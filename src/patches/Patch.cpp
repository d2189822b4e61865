#include "patches/Patch.h"

#include "patches/Bps.h"
#include "patches/Ips.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <string_view>

namespace {

bool startsWith(const Bytes& bytes, std::string_view magic)
{
    return bytes.size() >= magic.size() && std::equal(magic.begin(), magic.end(), bytes.begin());
}

} // namespace

std::string sizeLimitText(std::size_t largest)
{
    return largest % 0x100000 == 0 ? std::to_string(largest / 0x100000) + " MiB" : std::to_string(largest) + " bytes";
}

std::optional<PatchFormat> patchFormatForName(const std::string& path)
{
    std::string extension = std::filesystem::path(path).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(), [](unsigned char letter) {
        return static_cast<char>(std::tolower(letter));
    });
    if (extension == ".bps") {
        return PatchFormat::Bps;
    }
    if (extension == ".ips") {
        return PatchFormat::Ips;
    }
    return std::nullopt;
}

std::optional<PatchFormat> patchFormatOf(const Bytes& patch)
{
    if (startsWith(patch, "BPS1")) {
        return PatchFormat::Bps;
    }
    if (startsWith(patch, "PATCH")) {
        return PatchFormat::Ips;
    }
    return std::nullopt;
}

Result<Bytes> makePatch(PatchFormat format, const Bytes& original, const Bytes& edited)
{
    for (const Bytes* rom : {&original, &edited}) {
        if (rom->size() > MaxPatchedSize) {
            return Failure{FailureNumber::CannotPatch,
                           std::string(rom == &original ? "The original" : "The edited ROM") + " has " +
                               std::to_string(rom->size()) + " bytes, more than the 16 MiB Tavrik patches."};
        }
    }
    if (format == PatchFormat::Ips) {
        return makeIps(original, edited);
    }
    return makeBps(original, edited);
}

Result<PatchedRom> applyPatch(const Bytes& original, const Bytes& patch, const std::string& patchName)
{
    const std::optional<PatchFormat> format = patchFormatOf(patch);
    if (!format) {
        return Failure{FailureNumber::BadPatch,
                       patchName +
                           " is neither a BPS patch (it would start with \"BPS1\") nor an IPS patch (\"PATCH\")."};
    }
    if (original.size() > MaxPatchedSize) {
        return Failure{FailureNumber::CannotPatch,
                       "The original has " + std::to_string(original.size()) +
                           " bytes, more than the 16 MiB Tavrik patches."};
    }
    auto patched =
        *format == PatchFormat::Bps ? applyBps(original, patch, patchName) : applyIps(original, patch, patchName);
    if (!patched) {
        return patched.failure();
    }
    return PatchedRom{std::move(patched.value()), *format};
}
