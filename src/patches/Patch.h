#pragma once

// Patches that turn one ROM into another, in the two formats ROM hacks are shared in: BPS, which names the ROM
// it was made for by its size and CRC32, and IPS, which names nothing. Both handle files of up to 16 MiB (as far
// as an IPS offset reaches; twice the largest Game Boy cartridge). A patch that cannot be made or applied gives
// its reason and no bytes.

#include "rom/Failure.h"
#include "rom/RomFile.h"

#include <cstddef>
#include <optional>
#include <string>

enum class PatchFormat
{
    Bps,
    Ips
};

constexpr std::size_t MaxPatchedSize = 0x1000000;
// A limit on a patched file's size as the refusals name it: "16 MiB", or its bytes when it is no whole MiB.
std::string sizeLimitText(std::size_t largest);

// The format a patch file's name asks for: .bps or .ips, in either case; none for any other name.
std::optional<PatchFormat> patchFormatForName(const std::string& path);
// The format of a patch's bytes, by how they begin; none when they begin as neither.
std::optional<PatchFormat> patchFormatOf(const Bytes& patch);

// A patch that turns original into edited. IPS cannot make a file shorter: that is refused.
Result<Bytes> makePatch(PatchFormat format, const Bytes& original, const Bytes& edited);

struct PatchedRom
{
    Bytes bytes;
    PatchFormat format = PatchFormat::Bps;
};

// original with patch applied, in whichever format patch is; patchName names it in a failure, as the user gave it.
Result<PatchedRom> applyPatch(const Bytes& original, const Bytes& patch, const std::string& patchName);
