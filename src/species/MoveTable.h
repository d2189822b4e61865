#pragma once

// The moves table (move m at moves + 6(m - 1): animation, effect, power, type, accuracy, PP), the 55 moves the
// TM/HM list teaches, and the type names through their table of pointers. Accuracy is a byte, the game's sources a
// percentage: byte = percent × 255 / 100, truncated, so 85 % is 216; the bytes no percentage gives are kept as they
// are. Every read stays inside the image; what lies past its end comes back empty with the reason.

#include "rom/RomFile.h"
#include "species/SpeciesProfile.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct Move
{
    std::uint8_t animation = 0;
    std::uint8_t effect = 0;
    std::uint8_t power = 0;
    std::uint8_t type = 0;
    std::uint8_t accuracy = 0;
    std::uint8_t pp = 0;

    bool operator==(const Move&) const = default;
};

Move decodeMove(const std::uint8_t* bytes);
Bytes moveBytes(const Move& move);
std::int32_t moveOffset(GameVersion version, int move);

// The byte of percent (0..100); the percentage of byte, when one gives it.
int accuracyByte(int percent);
std::optional<int> accuracyPercent(int byte);

// The PP byte also holds the PP Ups a Pokémon took: the game keeps PP in its low 6 bits.
constexpr int MaxPp = 63;

template <typename T> struct TableRead
{
    std::vector<T> values;
    std::string problem;
};

// Moves 1..165 at 0..164.
TableRead<Move> readMoves(const Bytes& image, const VersionProfile& profile);
// TM01..TM50, HM01..HM05.
TableRead<std::uint8_t> readMachineMoves(const Bytes& image, const VersionProfile& profile);
// Types 0..26; a name whose pointer leads out of its bank is empty, its reason in problem.
TableRead<std::string> readTypeNames(const Bytes& image, const VersionProfile& profile);
