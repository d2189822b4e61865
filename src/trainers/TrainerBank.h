#pragma once

// Bank 0x0E of the cartridge holds the trainer tables: the class names, the prize money, the special moves,
// the party pointers and every party; and, behind the parties and some code, the pointers to every species'
// evolutions and learnset and those lists. A pointer p (0x4000..0x7FFF) into it is the file offset p + 0x34000.

#include "rom/Banks.h"

#include <algorithm>
#include <cstdint>
#include <span>
#include <vector>

constexpr int TrainerBank = 0x0E;
constexpr std::int32_t TrainerBankStart = 0x38000;
constexpr std::int32_t TrainerBankEnd = 0x3C000;
constexpr std::int32_t TrainerBankPointerBase = TrainerBankStart - 0x4000;

// The game numbers its trainer classes from 1.
constexpr int TrainerClassCount = 47;
constexpr int MaxPartySize = 6;
// Species bytes 1..190 name the game's Pokémon, the glitch ones included; 0 is no Pokémon at all.
constexpr int SpeciesCount = 190;

// The end of the trainer bank, or of the image when it ends sooner.
std::int32_t trainerBankEnd(const Bytes& image);
// The file offset a pointer into the trainer bank leads to, or -1 for a pointer outside 0x4000..0x7FFF.
std::int32_t trainerBankOffset(int pointer);
// The two bytes of the pointer to a file offset inside the trainer bank.
Bytes trainerBankPointer(std::int32_t offset);

// Where the count pointers of the table at offset lead inside the trainer bank, sorted, each once; pointers that
// lead elsewhere, or lie past the end of the image, are left out.
std::vector<std::int32_t> bankPointerTargets(const Bytes& image, std::int32_t offset, int count);

// Sorts values that are mostly in order, as the targets of the released pointer tables and of most changed ones are:
// when only a few stand out of place they are moved into place one by one, else the values are sorted whole.
template <typename T> void sortMostlyInOrder(std::span<T> values)
{
    constexpr std::size_t FewOutOfPlace = 8;
    std::size_t descents = 0;
    for (std::size_t k = 1; k < values.size(); ++k) {
        descents += values[k] < values[k - 1];
    }
    if (descents > FewOutOfPlace) {
        std::sort(values.begin(), values.end());
        return;
    }
    for (std::size_t k = 1; k < values.size() && descents > 0; ++k) {
        const T value = values[k];
        std::size_t at = k;
        for (; at > 0 && value < values[at - 1]; --at) {
            values[at] = values[at - 1];
        }
        values[at] = value;
    }
}
