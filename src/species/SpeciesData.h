#pragma once

// Everything of an image the species window and the JSON show, read in one call: the 151 base stats records, the
// Pokédex number of every species byte, every list of evolutions and learnset with its problem, the moves table,
// the type names, the TM/HM list, and the names of the effects and growth rates from our own tables. What cannot be
// read where the game keeps it comes with the reason and is never written.

#include "species/BaseStats.h"
#include "species/EvosMoves.h"
#include "species/MoveTable.h"

#include <string>
#include <string_view>
#include <vector>

struct SpeciesData
{
    // By Pokédex number: record k at k - 1.
    std::vector<SpeciesRecord> records;
    // Species byte s at s - 1: its Pokédex number, 0 for none (the glitch species).
    std::vector<int> numbers;
    EvosMovesTable evosMoves;
    // Moves 1..165 at 0..164; empty with the reason when the table cannot be read.
    TableRead<Move> moves;
    TableRead<std::uint8_t> machineMoves;
    TableRead<std::string> typeNames;
    // The game's constant names, by byte.
    std::vector<std::string_view> effectNames;
    std::vector<std::string_view> growthNames;

    // The record of a species byte, or nullptr for one without a Pokédex number.
    const SpeciesRecord* recordOf(int species) const;
    // Every species byte whose Pokédex number is number, in ascending order.
    std::vector<int> speciesOf(int number) const;
};

SpeciesData readSpeciesData(const Bytes& image, const VersionProfile& profile);
