#pragma once

// The cartridge is read in 16 KiB banks. Bank 0 is always at 0x0000-0x3FFF; bank b (1 and up) is switched into
// 0x4000-0x7FFF, so a pointer p into it is the file offset b * 0x4000 + (p - 0x4000). Every read here stays inside
// the image.

#include "rom/RomFile.h"

#include <cstdint>
#include <span>

constexpr std::int32_t BankSize = 0x4000;

// The bytes of an image, or of its first part, read but never changed.
using ImageView = std::span<const std::uint8_t>;

struct BankRange
{
    // From start up to, not including, end.
    std::int32_t start = 0;
    std::int32_t end = 0;

    bool contains(std::int64_t offset) const { return offset >= start && offset < end; }
    bool contains(std::int64_t offset, std::int64_t count) const
    {
        return count >= 0 && offset >= start && offset + count <= end;
    }
    bool operator==(const BankRange&) const = default;
};

constexpr std::int32_t bankStart(int bank)
{
    return bank * BankSize;
}
constexpr BankRange bankRange(int bank)
{
    return {bankStart(bank), bankStart(bank) + BankSize};
}
constexpr int bankOf(std::int64_t offset)
{
    return static_cast<int>(offset / BankSize);
}

// A pointer into the window a switchable bank (1 and up) is read through: 0x4000..0x7FFF.
constexpr bool switchablePointer(int pointer)
{
    return pointer >= BankSize && pointer < 2 * BankSize;
}
// The end of what can be read of bank: its last byte + 1, or the end of the file when that comes sooner.
std::int64_t readableEnd(ImageView image, int bank);

// The file offset a pointer read while bank is switched in leads to: bank 0 for 0x0000..0x3FFF, bank for
// 0x4000..0x7FFF; -1 for anything else (RAM, or a bank 0 pointer given for another bank's data).
std::int32_t bankOffset(int bank, int pointer);
// The two little-endian bytes of the pointer to offset, as seen from its own bank (0x4000.. for bank 1 and up).
Bytes bankPointer(std::int32_t offset);

// The byte at offset, or -1 when it lies outside the image.
int byteAt(ImageView image, std::int64_t offset);
// The little-endian word at offset, or -1 when it does not lie wholly inside the image.
int wordAt(ImageView image, std::int64_t offset);
