#pragma once

// A map's wild Pokémon as the game stores them in bank 3: the grass rate (encounters in 256 steps), and when it is
// not 0, ten slots of level and species; then the same for the water. A table without either is 2 bytes, 00 00.
// The chance of each slot is read from the ROM's own table of chances.

#include "maps/MapProfile.h"
#include "rom/RomFile.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

struct WildSlot
{
    std::uint8_t level = 0;
    std::uint8_t species = 0;

    bool operator==(const WildSlot&) const = default;
};

struct WildArea
{
    std::uint8_t rate = 0;
    // The ten slots, slot 1 at 0: stored, and read by the game, only while the rate is not 0. (Not "slots",
    // which Qt's headers take for a keyword.)
    std::array<WildSlot, WildSlotCount> slot{};

    bool on() const { return rate != 0; }
    // Two areas the game cannot tell apart: a rate of 0 keeps no slots.
    bool operator==(const WildArea& other) const { return rate == other.rate && (rate == 0 || slot == other.slot); }
};

struct WildTable
{
    std::int32_t offset = 0;
    // 2, 22 or 42.
    std::int32_t length = 0;
    WildArea grass;
    WildArea water;
    // The maps whose pointer leads here, in id order.
    std::vector<int> maps;

    bool empty() const { return !grass.on() && !water.on(); }
};

// The table at offset, read inside range; empty when it runs out of range.
std::optional<WildTable> readWildTable(const Bytes& image, std::int32_t offset, BankRange range);
// The bytes of a table as the game stores it.
Bytes wildBytes(const WildArea& grass, const WildArea& water);
std::int32_t wildLength(const WildArea& grass, const WildArea& water);

struct SlotChances
{
    // Out of 256, slot 1 first.
    std::array<int, WildSlotCount> chances{};
    // Why the table does not give ten chances that add up to 256; empty when it does.
    std::string problem;
};

SlotChances readSlotChances(const Bytes& image, const MapProfile& profile);
