#include "patches/Crc32.h"

#include <cstdio>
#include <zlib.h>

std::uint32_t crc32Of(std::span<const std::uint8_t> bytes)
{
    return static_cast<std::uint32_t>(crc32_z(crc32_z(0, nullptr, 0), bytes.data(), bytes.size()));
}

std::string crcText(std::uint32_t crc)
{
    char text[9];
    std::snprintf(text, sizeof text, "%08X", static_cast<unsigned>(crc));
    return text;
}
