#include "rom/Banks.h"

#include <algorithm>

std::int32_t bankOffset(int bank, int pointer)
{
    if (bank < 0 || pointer < 0 || pointer >= 2 * BankSize) {
        return -1;
    }
    if (pointer < BankSize) {
        return bank == 0 ? pointer : -1;
    }
    return bankStart(bank) + (pointer - BankSize);
}

Bytes bankPointer(std::int32_t offset)
{
    const std::int32_t pointer = offset < BankSize ? offset : BankSize + offset % BankSize;
    return {static_cast<std::uint8_t>(pointer & 0xFF), static_cast<std::uint8_t>(pointer >> 8)};
}

std::int64_t readableEnd(ImageView image, int bank)
{
    return std::min<std::int64_t>(bankRange(bank).end, static_cast<std::int64_t>(image.size()));
}

int byteAt(ImageView image, std::int64_t offset)
{
    if (offset < 0 || offset >= static_cast<std::int64_t>(image.size())) {
        return -1;
    }
    return image[static_cast<std::size_t>(offset)];
}

int wordAt(ImageView image, std::int64_t offset)
{
    if (offset < 0 || offset + 1 >= static_cast<std::int64_t>(image.size())) {
        return -1;
    }
    const auto at = static_cast<std::size_t>(offset);
    return image[at] | image[at + 1] << 8;
}
