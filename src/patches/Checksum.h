#pragma once

// The two checksums of a Game Boy cartridge header. The header checksum at 0x14D covers 0x134-0x14C and the boot
// ROM refuses a cartridge whose byte is wrong; the global checksum at 0x14E-0x14F (big-endian) is the sum of every
// other byte of the file, and no hardware checks it. An image shorter than the header has neither.

#include "rom/RomFile.h"
#include "rom/WritePlan.h"

#include <cstdint>
#include <optional>

constexpr std::int32_t HeaderChecksumOffset = 0x14D;
constexpr std::int32_t GlobalChecksumOffset = 0x14E;

struct CartridgeChecksums
{
    std::uint8_t header = 0;
    std::uint16_t global = 0;
    // What the header holds.
    std::uint8_t storedHeader = 0;
    std::uint16_t storedGlobal = 0;

    bool headerRight() const { return header == storedHeader; }
    bool globalRight() const { return global == storedGlobal; }
};

// Both checksums of image; none when it ends before 0x150.
std::optional<CartridgeChecksums> cartridgeChecksums(const Bytes& image);
// The write that makes the header checksum of image right; none when it already is, or the image has no header.
// The global checksum counts this byte: work it out after this write.
std::optional<ByteWrite> headerChecksumFix(const Bytes& image);
// The write that makes the global checksum of image right; none when it already is, or the image has no header.
std::optional<ByteWrite> globalChecksumFix(const Bytes& image);
