#pragma once

// The Pokémon the three rods catch, read where the game's code reads them, and only where the code bytes around
// them are the game's: the Old Rod's one Pokémon is the two operands of the `ld bc` its code loads them with; the
// Good Rod's two are a table of (level, species) its code's `ld hl` points at, one drawn at random; the Super Rod's
// table is found through the `ld hl` of the routine that searches it by map id. In Red and Blue its rows are a map id
// and a pointer to a group (a count, then (level, species) pairs of which the game draws one of the first four at
// random), a group often serving several maps; in Yellow a row is a map id and four (species, level) pairs drawn with
// the chances the code's three thresholds give. Both lists end with 0xFF, and the first row of a map is the one the
// game uses. Every read stays inside the image and inside the bank the data belongs to, whatever the bytes.

#include "maps/WildTable.h"
#include "rom/Banks.h"
#include "rom/VersionProfile.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// The rods' code and the Old and Good Rods' Pokémon lie in bank 3; Yellow keeps its super rod table in bank 0x3D.
constexpr int RodBank = 3;
constexpr int YellowSuperRodBank = 0x3D;
// The game draws a Red or Blue group's slot with a two-bit random number.
constexpr int SuperRodDrawn = 4;
constexpr int GoodRodSlots = 2;
constexpr std::uint8_t SuperRodRowsEnd = 0xFF;
// Red and Blue: a map id and a 2-byte group pointer; Yellow: a map id and four (species, level) pairs.
constexpr std::int32_t GroupRowLength = 3;
constexpr std::int32_t InlineRowLength = 1 + 2 * SuperRodDrawn;

// The Old Rod (one slot) or the Good Rod (two).
struct FixedRod
{
    // The file offset of the first value byte; the Old Rod's are species then level, the Good Rod's level then
    // species, as the code loads them.
    std::int32_t offset = 0;
    std::vector<WildSlot> pokemon;
    // Why the rod cannot be read where its code is; empty when it can.
    std::string problem;

    bool readable() const { return problem.empty(); }
    bool operator==(const FixedRod&) const = default;
};

// A Red or Blue group, or the four pairs of a Yellow row.
struct SuperRodGroup
{
    std::int32_t offset = 0;
    std::int32_t length = 0;
    // The stored count; 4 in Yellow.
    int count = 0;
    // Those the game can draw, in order.
    std::vector<WildSlot> pokemon;
    // The maps whose first row leads here, in the rows' order.
    std::vector<int> maps;

    bool operator==(const SuperRodGroup&) const = default;
};

struct SuperRodRow
{
    int map = 0;
    // The file offset of the row's map id.
    std::int32_t offset = 0;
    // Into SuperRod::groups; -1 for a row after the map's first, which the game never reaches, or one that cannot be
    // read (problem says why).
    int group = -1;
    std::string problem;

    bool operator==(const SuperRodRow&) const = default;
};

struct SuperRod
{
    int bank = RodBank;
    // Yellow's rows hold their Pokémon; Red's and Blue's point at groups.
    bool inlineSlots = false;
    // The file offset of the search routine's `ld hl` operand, which leads to the first row.
    std::int32_t pointerOffset = 0;
    std::int32_t offset = 0;
    // The rows and the 0xFF that ends them.
    std::int32_t length = 0;
    std::vector<SuperRodRow> rows;
    // Into rows, by map id: the map's first row, -1 for none.
    std::array<int, 256> firstRow = [] {
        std::array<int, 256> none{};
        none.fill(-1);
        return none;
    }();
    std::vector<SuperRodGroup> groups;
    // Out of 256, each slot's share of the bites: Yellow's from its code's thresholds, Red's and Blue's even among
    // the slots a group can draw (set per group by chancesOf).
    std::array<int, SuperRodDrawn> chances{};
    // Why the table cannot be read; empty when it can.
    std::string problem;

    bool readable() const { return problem.empty(); }
    bool operator==(const SuperRod&) const = default;
    // The row the game reads for a map, or nullptr when it has none.
    const SuperRodRow* rowOf(int map) const;
    // The group of that row, or nullptr when there is none or it cannot be read.
    const SuperRodGroup* groupOf(int map) const;
    // Each slot's share of the bites, out of 256, for a group of count slots.
    std::array<int, SuperRodDrawn> chancesOf(int count) const;
};

struct FishingTable
{
    FixedRod oldRod;
    FixedRod goodRod;
    SuperRod superRod;

    bool operator==(const FishingTable&) const = default;
};

FishingTable readFishing(ImageView image, GameVersion version);
// The bytes the game reads for a Red or Blue group: its count, then (level, species) pairs.
Bytes groupBytes(const std::vector<WildSlot>& slots);
// The four (species, level) pairs of a Yellow row, after its map id.
Bytes inlineBytes(const std::vector<WildSlot>& slots);
