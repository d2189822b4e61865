#include "trainers/TrainerBank.h"

#include <algorithm>

std::int32_t trainerBankEnd(const Bytes& image)
{
    return static_cast<std::int32_t>(std::min<std::size_t>(image.size(), TrainerBankEnd));
}

std::int32_t trainerBankOffset(int pointer)
{
    return pointer >= 0x4000 && pointer <= 0x7FFF ? TrainerBankPointerBase + pointer : -1;
}

Bytes trainerBankPointer(std::int32_t offset)
{
    const std::int32_t pointer = offset - TrainerBankPointerBase;
    return {static_cast<std::uint8_t>(pointer & 0xFF), static_cast<std::uint8_t>(pointer >> 8)};
}
