#include "trainers/TrainerBank.h"

#include <algorithm>
#include <vector>

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

std::vector<std::int32_t> bankPointerTargets(const Bytes& image, std::int32_t offset, int count)
{
    std::vector<std::int32_t> targets;
    targets.reserve(static_cast<std::size_t>(count));
    const std::int32_t end = trainerBankEnd(image);
    const bool whole = offset >= 0 && offset + 2 * count <= std::ssize(image);
    for (int k = 0; k < count; ++k) {
        const auto at = static_cast<std::size_t>(offset + 2 * k);
        const std::int32_t target =
            trainerBankOffset(whole ? image[at] | image[at + 1] << 8 : wordAt(image, offset + 2 * k));
        if (target >= 0 && target < end) {
            targets.push_back(target);
        }
    }
    sortMostlyInOrder(std::span(targets));
    targets.erase(std::unique(targets.begin(), targets.end()), targets.end());
    return targets;
}
