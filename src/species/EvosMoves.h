#pragma once

// Every species' evolutions and learnset, found the way the game finds them: species s (1..190) through the
// pointer at evosMovesPointersOffset + 2(s - 1) into the trainer bank. A list is the evolutions (by level: 1,
// level, species; by item: 2, item, level, species; by trade: 3, level, species), a 0, then (level, move) pairs,
// then a 0. The game skips the evolutions by looking for the first byte 0, so no byte of an evolution may be 0,
// and walks the learnset in order. Two species may point at one list. A list runs until its second 0; one that
// reaches the next list, the pointer tables or the end of the bank first, or holds what the game could not read
// as it was meant, is kept read-only with the reason. Every read stays inside the image and the trainer bank.

#include "rom/RomFile.h"
#include "rom/VersionProfile.h"
#include "trainers/TrainerBank.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

constexpr std::uint8_t EvolveByLevel = 1;
constexpr std::uint8_t EvolveByItem = 2;
constexpr std::uint8_t EvolveByTrade = 3;

struct Evolution
{
    std::uint8_t kind = EvolveByLevel;
    // By item only: the item to use.
    std::uint8_t item = 0;
    // The least level; 1 for an item or a trade in the released games.
    std::uint8_t level = 1;
    std::uint8_t species = 0;

    bool operator==(const Evolution&) const = default;
};

struct LearnedMove
{
    std::uint8_t level = 0;
    std::uint8_t move = 0;

    bool operator==(const LearnedMove&) const = default;
};

struct EvosMoves
{
    std::vector<Evolution> evolutions;
    std::vector<LearnedMove> learnset;

    bool operator==(const EvosMoves&) const = default;
};

// One species' new evolutions and learnset, for a save of the trainer bank; species that share its list share
// the change.
struct EvosMovesChange
{
    int species = 0;
    EvosMoves content;
};

// The list as the game stores it, both terminators included, and how many bytes that is.
Bytes evosMovesBytes(const EvosMoves& list);
std::int32_t evosMovesLength(const EvosMoves& list);

struct EvosMovesList
{
    std::int32_t offset = 0;
    // The species whose pointer leads here, in ascending order.
    std::vector<int> species;
    EvosMoves content;
    // One past the learnset's 0; for a list that cannot be read, where reading stopped.
    std::int32_t end = 0;
    // How many bytes from offset a rewrite may use where it lies: the zero bytes behind it count when they reach
    // the next list or the end of the bank.
    std::int32_t span = 0;
    // Why the list is read-only; empty when it may be edited.
    std::string problem;

    bool editable() const { return problem.empty(); }
    // Where it lies, whose it is and what the game reads from it.
    bool operator==(const EvosMovesList& other) const
    {
        return offset == other.offset && species == other.species && content == other.content &&
               problem == other.problem;
    }
};

struct EvosMovesTable
{
    // In the order of their offsets.
    std::vector<EvosMovesList> lists;
    // Species s at s - 1: an index into lists, or -1 when its pointer leads nowhere Tavrik can read.
    std::array<int, SpeciesCount> listIndex{};
    std::array<std::string_view, SpeciesCount> pointerProblem{};

    // The list of a species, or nullptr.
    const EvosMovesList* listOf(int species) const;
    // Why a species' list cannot be edited; empty when it can.
    std::string problemOf(int species) const;
};

EvosMovesTable readEvosMovesTable(const Bytes& image, const VersionProfile& profile);

// The file offset of species' pointer.
std::int32_t evosMovesPointerOffset(const VersionProfile& profile, int species);
