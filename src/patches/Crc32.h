#pragma once

// The CRC-32 that BPS patches carry (the one of zlib, PNG and ZIP), computed by zlib; and how the notes show one.

#include <cstdint>
#include <span>
#include <string>

std::uint32_t crc32Of(std::span<const std::uint8_t> bytes);
// Eight capital hex digits without a prefix, as patching tools print them: "0C1E7A3B".
std::string crcText(std::uint32_t crc);
