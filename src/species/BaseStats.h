#pragma once

// The base stats of the 151 Pokémon, found as the game finds them: a species byte's Pokédex number from the game's
// table (0: no record), then record number - 1 of 28 bytes in Pokédex order; in Red and Blue, MEW's record lies
// apart in bank 1. Every read stays inside the image; a record that lies past its end comes back with the reason.

#include "rom/RomFile.h"
#include "rom/VersionProfile.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

constexpr int PokedexNumbers = 151;
constexpr std::int32_t BaseStatsLength = 28;

struct BaseStats
{
    // The number the record holds itself, which the game does not read.
    std::uint8_t dex = 0;
    std::uint8_t hp = 0;
    std::uint8_t attack = 0;
    std::uint8_t defense = 0;
    std::uint8_t speed = 0;
    std::uint8_t special = 0;
    std::uint8_t type1 = 0;
    std::uint8_t type2 = 0;
    std::uint8_t catchRate = 0;
    std::uint8_t baseExp = 0;
    // The picture's size and the pointers to its front and back: the pictures' own, never written here.
    std::array<std::uint8_t, 5> picture{};
    // The moves known at level 1; 0 is none.
    std::array<std::uint8_t, 4> moves{};
    std::uint8_t growth = 0;
    // Bit k (from the low bit of the first byte) says whether machine k (TM01..TM50, HM01..HM05) teaches it; the
    // bit past HM05 and the byte after these are kept as they are.
    std::array<std::uint8_t, 7> machines{};
    std::uint8_t last = 0;

    bool operator==(const BaseStats&) const = default;
    bool learns(int machine) const;
    void setLearns(int machine, bool learns);
};

BaseStats decodeBaseStats(const std::uint8_t* record);
Bytes baseStatsBytes(const BaseStats& stats);

struct SpeciesRecord
{
    // 1..151.
    int number = 0;
    // The lowest species byte whose Pokédex number it is; 0 in a ROM that left it out.
    int species = 0;
    // -1 when it lies past the end of the image.
    std::int32_t offset = -1;
    BaseStats stats;
    std::string problem;

    bool readable() const { return problem.empty(); }
};

// The 151 records by Pokédex number (record k at k - 1); numbers is what pokedexNumbers gives for image.
std::vector<SpeciesRecord>
readSpeciesRecords(const Bytes& image, const VersionProfile& profile, const std::vector<int>& numbers);
// The Pokédex number of each species byte 1..190 (at species - 1) as the game's table gives it; 0 for none.
std::vector<int> pokedexNumbers(const Bytes& image, const VersionProfile& profile);
std::int32_t baseStatsOffset(GameVersion version, int number);
