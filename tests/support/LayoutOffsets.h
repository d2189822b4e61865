#pragma once

// Where the games keep the data the editor changes, written out from the game's layout tables and kept
// apart from the program's own tables, so that a wrong entry there shows up as a stray byte in a test.
// All offsets are 0-based file offsets of single bytes, except the name, a field of nameLength bytes.

#include "rom/VersionProfile.h"

#include <array>
#include <cstdint>
#include <optional>

namespace LayoutOffsets {

constexpr std::nullopt_t None = std::nullopt;

struct Trainer
{
    std::int32_t name;
    int nameLength;
    // partySize pairs of (level, species).
    std::int32_t party;
    int partySize;
    std::optional<std::int32_t> moveUser;
    std::optional<std::int32_t> move;
    // The prize item is the byte after the amount.
    std::optional<std::int32_t> prizeAmount;
};

using Roster = std::array<Trainer, 12>;

constexpr Roster Red{{
    {0x39B21, 5, 0x3A3B6, 2, 0x39D22, 0x39D23, 0x5C3EC},
    {0x39B27, 5, 0x3A3BC, 2, 0x39D24, 0x39D25, 0x5C71A},
    {0x39B2D, 8, 0x3A3C2, 3, 0x39D26, 0x39D27, 0x5CAB7},
    {0x39B36, 5, 0x3A3CA, 3, 0x39D28, 0x39D29, 0x48970},
    {0x39B3C, 4, 0x3A3D2, 4, 0x39D2A, 0x39D2B, 0x754A4},
    {0x39B48, 7, 0x3A3E6, 4, 0x39D2C, 0x39D2D, 0x5D075},
    {0x39B41, 6, 0x3A3DC, 4, 0x39D2E, 0x39D2F, 0x75864},
    {0x39AF1, 8, 0x3A291, 5, 0x39D30, 0x39D31, 0x749A2},
    {0x39B68, 7, 0x3A4BC, 5, None, 0x39D33, None},
    {0x39B1B, 5, 0x3A3AA, 5, None, 0x39D35, None},
    {0x39B7A, 6, 0x3A517, 5, None, 0x39D37, None},
    {0x39B81, 5, 0x3A523, 5, None, 0x39D39, None},
}};

// Blue is Red but for three gym leaders whose prize lies one byte later.
constexpr Roster Blue = [] {
    Roster roster = Red;
    roster[4].prizeAmount = 0x754A5;
    roster[6].prizeAmount = 0x75865;
    roster[7].prizeAmount = 0x749A3;
    return roster;
}();

constexpr Roster Yellow{{
    {0x39AA0, 5, 0x3A455, 2, None, None, 0x5C2C9},
    {0x39AA6, 5, 0x3A45B, 2, None, None, 0x5C5EA},
    {0x39AAC, 8, 0x3A461, 1, None, None, 0x5C9AD},
    {0x39AB5, 5, 0x3A465, 3, None, None, 0x48987},
    {0x39ABB, 4, 0x3A46D, 4, None, None, 0x74C4C},
    {0x39AC7, 7, 0x3A47F, 3, None, None, 0x5CF6B},
    {0x39AC0, 6, 0x3A477, 3, None, None, 0x75070},
    {0x39A70, 8, 0x3A310, 5, None, None, 0x741DF},
    {0x39AE7, 7, 0x3A540, 5, None, None, None},
    {0x39A9A, 5, 0x3A449, 5, None, None, None},
    {0x39AF9, 6, 0x3A59B, 5, None, None, None},
    {0x39B00, 5, 0x3A5A7, 5, None, None, None},
}};

inline const Trainer& trainer(GameVersion version, int rosterIndex)
{
    const Roster& roster = version == GameVersion::Yellow ? Yellow : version == GameVersion::Blue ? Blue : Red;
    return roster.at(static_cast<std::size_t>(rosterIndex));
}

// The six overworld battles: species, the second species of the first four (written by a save too),
// level.
struct Battle
{
    std::int32_t species;
    std::optional<std::int32_t> secondSpecies;
    std::int32_t level;
};

constexpr std::array<Battle, 6> RedBlueBattles{{{0x1E415, 0x1E3B5, 0x1E416},
                                                {0x468E8, 0x468A8, 0x468E9},
                                                {0x51963, 0x518C0, 0x51964},
                                                {0x45F44, 0x45F2C, 0x45F45},
                                                {0x59630, None, 0x59635},
                                                {0x59970, None, 0x59975}}};
constexpr std::array<Battle, 6> YellowBattles{{{0x1DD1F, 0x1DCBF, 0x1DD20},
                                               {0x46B5A, 0x46B1A, 0x46B5B},
                                               {0x519A5, 0x51902, 0x519A6},
                                               {0x461A5, 0x4618D, 0x461A6},
                                               {0x594CC, None, 0x594D1},
                                               {0x5980C, None, 0x59811}}};

inline const Battle& battle(GameVersion version, int index)
{
    return (version == GameVersion::Yellow ? YellowBattles : RedBlueBattles).at(static_cast<std::size_t>(index));
}

// The rods: the Old Rod's `lb bc` (its opcode), the Good Rod's table, the super rod search routine's `ld hl` operand
// and the table it leads to, in the bank the table lies in.
struct Rods
{
    std::int32_t oldRodInstruction;
    std::int32_t goodRodTable;
    std::int32_t superRodPointer;
    std::int32_t superRodRows;
    int superRodBank;
};

constexpr Rods RedBlueRods{0x0E252, 0x0E27F, 0x0E8F1, 0x0E919, 0x03};
constexpr Rods YellowRods{0x0E0FF, 0x0E12C, 0xF5EA9, 0xF5EDA, 0x3D};

inline const Rods& rods(GameVersion version)
{
    return version == GameVersion::Yellow ? YellowRods : RedBlueRods;
}

// The species data: the moves table, the base stats in Pokédex order (MEW's apart in Red and Blue), the Pokédex
// number of each species byte, the pointers to the evolutions and learnsets, the TM/HM list and the pointers to the
// type names (bank 9).
struct SpeciesTables
{
    std::int32_t moves;
    std::int32_t baseStats;
    std::optional<std::int32_t> mewBaseStats;
    std::int32_t pokedexNumbers;
    std::int32_t evosMovesPointers;
    std::int32_t machineMoves;
    std::int32_t typeNamePointers;
};

constexpr SpeciesTables RedBlueSpecies{0x38000, 0x383DE, 0x425B, 0x41024, 0x3B05C, 0x13773, 0x27DAE};
constexpr SpeciesTables YellowSpecies{0x38000, 0x383DE, None, 0x410B1, 0x3B1E5, 0x1232D, 0x27D63};

inline const SpeciesTables& species(GameVersion version)
{
    return version == GameVersion::Yellow ? YellowSpecies : RedBlueSpecies;
}

inline std::int32_t baseStats(GameVersion version, int number)
{
    const SpeciesTables& tables = species(version);
    return number == 151 && tables.mewBaseStats ? *tables.mewBaseStats : tables.baseStats + 28 * (number - 1);
}

// Red's and Blue's champion branch of the party reading (26 bytes from .ChampionRival): the move operands of
// ld a, SKY_ATTACK and of the three ld b of the starter's move, and the RAM addresses the moves go to.
constexpr std::int32_t ChampionBranch = 0x39CE9;
constexpr std::int32_t ChampionBranchLength = 26;
constexpr std::int32_t ChampionFirstMove = 0x39CEA;
constexpr std::int32_t ChampionBulbasaurMove = 0x39CF4;
constexpr std::int32_t ChampionCharmanderMove = 0x39CFA;
constexpr std::int32_t ChampionOtherwiseMove = 0x39CFE;
constexpr std::int32_t ChampionAddresses[] = {0x39CEC, 0x39CED, 0x39CEF, 0x39CF0, 0x39D01, 0x39D02};

} // namespace LayoutOffsets
