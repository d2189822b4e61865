#include "demo/SyntheticFishing.h"

#include "demo/SyntheticPictures.h"

#include <algorithm>
#include <array>
#include <stdexcept>

namespace {

// The rods' routines in bank 3 and the super rod's search routine, as the released games place them.
struct CodePlaces
{
    std::int32_t oldRod;
    std::int32_t goodRod;
    std::int32_t goodRodTable;
    std::int32_t superRod;
    std::int32_t search;
    // What a call to it reads as pointer and bank, and where its table begins.
    int searchPointer;
    int searchBank;
    std::int32_t rows;
};
constexpr CodePlaces RedBlue{0x0E24C, 0x0E259, 0x0E27F, 0x0E283, 0x0E8EA, 0x68EA, 0x03, 0x0E919};
constexpr CodePlaces Yellow{0x0E0F9, 0x0E106, 0x0E12C, 0x0E130, 0xF5EA4, 0x5EA4, 0x3D, 0xF5EDA};
// The released rows end where code follows; the builder's code runs this far around Yellow's.
constexpr std::int32_t RedBlueRowsEnd = 0x0E9C5;
constexpr std::int32_t YellowRowsEnd = 0xF5FF2;
constexpr std::int32_t YellowCodeRun = 0x100;

// The released rows: map id and, in Red and Blue, its group.
constexpr std::array<std::pair<int, int>, 33> RedBlueRows{{
    {0x00, 0}, {0x01, 0}, {0x03, 2}, {0x05, 3}, {0x06, 4}, {0x07, 9}, {0x08, 7}, {0x0F, 2}, {0x11, 3},
    {0x15, 4}, {0x16, 3}, {0x17, 6}, {0x18, 6}, {0x1C, 6}, {0x1D, 6}, {0x1E, 7}, {0x1F, 7}, {0x20, 7},
    {0x21, 1}, {0x22, 8}, {0x23, 2}, {0x24, 2}, {0x41, 2}, {0x5E, 3}, {0xA1, 7}, {0xA2, 7}, {0xD9, 5},
    {0xDA, 5}, {0xDB, 5}, {0xDC, 5}, {0xE2, 8}, {0xE3, 8}, {0xE4, 8},
}};
constexpr int RedBlueGroupSizes[] = {2, 2, 3, 2, 2, 4, 4, 4, 4, 4};
constexpr int YellowRows[] = {0x00, 0x01, 0x03, 0x05, 0x06, 0x07, 0x08, 0x0F, 0x11, 0x23, 0x24,
                              0x15, 0x16, 0x17, 0x18, 0x1C, 0x1D, 0x1E, 0x1F, 0x20, 0x21, 0x22,
                              0x5E, 0xDC, 0xD9, 0xDA, 0xDB, 0xA1, 0xA2, 0xE4, 0xE3};
// Yellow's thresholds of a random byte: slot 1 below the first, and so on.
constexpr std::uint8_t YellowThresholds[] = {0x66, 0xB2, 0xE5};

std::uint8_t byte(int value)
{
    return static_cast<std::uint8_t>(value);
}

std::uint8_t low(int word)
{
    return byte(word & 0xFF);
}

std::uint8_t high(int word)
{
    return byte(word >> 8);
}

// A species byte from seed that has a Pokédex number, as every fishing Pokémon of the released games has.
std::uint8_t fishSpecies(int seed)
{
    int species = 1 + seed % 190;
    while (inventedPokedexNumber(species) == 0) {
        species = species % 190 + 1;
    }
    return byte(species);
}

WildSlot slotOf(int seed, int level)
{
    return {byte(level), fishSpecies(seed)};
}

void put(Bytes& image, std::int32_t offset, const Bytes& bytes)
{
    std::copy(bytes.begin(), bytes.end(), image.begin() + offset);
}

// call FishingInit; jp c, ItemUseNotTime: how every rod begins.
Bytes rodStart()
{
    return {0xCD, 0x2E, 0x6E, 0xDA, 0x81, 0x65};
}

void putRodCode(Bytes& image, const CodePlaces& at, const SyntheticFishing& fishing)
{
    Bytes oldRod = rodStart();
    oldRod.insert(oldRod.end(), {0x01, fishing.oldRod.species, fishing.oldRod.level, 0x3E, 0x01, 0x18, 0x34});
    put(image, at.oldRod, oldRod);
    const int goodRodMons = 0x4000 + at.goodRodTable % 0x4000;
    Bytes goodRod = rodStart();
    goodRod.insert(goodRod.end(),
                   {0xCD,
                    0x0F,
                    0x3E,
                    0xCB,
                    0x3F,
                    0x38,
                    0x12,
                    0xE6,
                    0x03,
                    0xFE,
                    0x02,
                    0x30,
                    0xF3,
                    0x21,
                    low(goodRodMons),
                    high(goodRodMons),
                    0x87,
                    0x4F,
                    0x06,
                    0x00,
                    0x09,
                    0x46,
                    0x23,
                    0x4E,
                    0xA7,
                    0x3E,
                    0x00,
                    0x17,
                    0xEE,
                    0x01,
                    0x18,
                    0x0E});
    put(image, at.goodRod, goodRod);
    Bytes table;
    for (const WildSlot& slot : fishing.goodRod) {
        table.insert(table.end(), {slot.level, slot.species});
    }
    put(image, at.goodRodTable, table);
    Bytes superRod = rodStart();
    if (at.searchBank == 0x03) {
        superRod.insert(superRod.end(), {0xCD, low(at.searchPointer), high(at.searchPointer), 0x7B});
    } else {
        // callfar ReadSuperRodData; ld c, e; ld b, d.
        superRod.insert(superRod.end(),
                        {0x21,
                         low(at.searchPointer),
                         high(at.searchPointer),
                         0x06,
                         byte(at.searchBank),
                         0xCD,
                         0x6D,
                         0x3E,
                         0x4B,
                         0x42});
    }
    put(image, at.superRod, superRod);
}

void putRedSearch(Bytes& image, const CodePlaces& at)
{
    const int rows = 0x4000 + at.rows % 0x4000;
    put(image, at.search, {0xFA, 0x5E, 0xD3, 0x11, 0x03, 0x00, 0x21, low(rows), high(rows), 0xCD, 0x4B, 0x36,
                           0x38, 0x03, 0x1E, 0x02, 0xC9, 0x23, 0x2A, 0x66,      0x6F,       0x46, 0x23, 0x1E,
                           0x00, 0xCD, 0x0F, 0x3E, 0xCB, 0x3F, 0xD8, 0xE6,      0x03,       0xB8, 0x30, 0xF5,
                           0x87, 0x4F, 0x06, 0x00, 0x09, 0x46, 0x23, 0x4E,      0x1E,       0x01, 0xC9});
}

void putYellowSearch(Bytes& image, const CodePlaces& at)
{
    const int rows = 0x4000 + at.rows % 0x4000;
    const int generate = 0x4000 + (at.search + 0x1D) % 0x4000;
    put(image, at.search, {0xFA,          0x5E,
                           0xD3,          0x4F,
                           0x21,          low(rows),
                           high(rows),    0x2A,
                           0xFE,          0xFF,
                           0x28,          0x0D,
                           0xB9,          0x28,
                           0x06,          0x11,
                           0x08,          0x00,
                           0x19,          0x18,
                           0xF2,          0xCD,
                           low(generate), high(generate),
                           0xC9,          0x11,
                           0x00,          0x00,
                           0xC9,          0xCD,
                           0x7E,          0x3E,
                           0xFE,          YellowThresholds[0],
                           0x38,          0x0E,
                           0x23,          0x23,
                           0xFE,          YellowThresholds[1],
                           0x38,          0x08,
                           0x23,          0x23,
                           0xFE,          YellowThresholds[2],
                           0x38,          0x02,
                           0x23,          0x23,
                           0x5E,          0x23,
                           0x56,          0xC9});
}

Bytes redBlueRows(const SyntheticFishing& fishing, std::int32_t rowsAt)
{
    std::vector<std::int32_t> groupAt;
    std::int32_t at = rowsAt + static_cast<std::int32_t>(3 * RedBlueRows.size() + 1);
    Bytes groups;
    for (const std::vector<int>& maps : fishing.groups) {
        groupAt.push_back(at);
        const std::vector<WildSlot>& slots = fishing.superRod.at(maps.front());
        groups.push_back(byte(static_cast<int>(slots.size())));
        for (const WildSlot& slot : slots) {
            groups.insert(groups.end(), {slot.level, slot.species});
        }
        at += 1 + 2 * static_cast<std::int32_t>(slots.size());
    }
    Bytes rows;
    for (const auto& [map, group] : RedBlueRows) {
        const int pointer = 0x4000 + groupAt[static_cast<std::size_t>(group)] % 0x4000;
        rows.insert(rows.end(), {byte(map), low(pointer), high(pointer)});
    }
    rows.push_back(0xFF);
    rows.insert(rows.end(), groups.begin(), groups.end());
    return rows;
}

Bytes yellowRows(const SyntheticFishing& fishing)
{
    Bytes rows;
    for (const int map : YellowRows) {
        rows.push_back(byte(map));
        for (const WildSlot& slot : fishing.superRod.at(map)) {
            rows.insert(rows.end(), {slot.species, slot.level});
        }
    }
    rows.push_back(0xFF);
    return rows;
}

// Bytes like code: 0xC0..0xEF, none of them 0.
void putCodeRun(Bytes& image, std::int32_t from, std::int32_t to)
{
    for (std::int32_t offset = from; offset < to; ++offset) {
        image[static_cast<std::size_t>(offset)] = byte(0xC0 + offset % 0x30);
    }
}

} // namespace

SyntheticFishing syntheticFishing(GameVersion version)
{
    const bool yellow = version == GameVersion::Yellow;
    SyntheticFishing fishing;
    fishing.oldRod = slotOf(yellow ? 57 : 41, 5);
    fishing.goodRod = {slotOf(yellow ? 88 : 63, 10), slotOf(yellow ? 102 : 77, 10)};
    fishing.rows = (yellow ? Yellow : RedBlue).rows;
    if (yellow) {
        for (const int map : YellowRows) {
            std::vector<WildSlot>& slots = fishing.superRod[map];
            for (int k = 0; k < 4; ++k) {
                slots.push_back(slotOf(map * 11 + k * 29, 5 + (map + 7 * k) % 50));
            }
        }
        return fishing;
    }
    fishing.groups.resize(std::size(RedBlueGroupSizes));
    for (const auto& [map, group] : RedBlueRows) {
        fishing.groups[static_cast<std::size_t>(group)].push_back(map);
    }
    for (std::size_t group = 0; group < fishing.groups.size(); ++group) {
        std::vector<WildSlot> slots;
        for (int k = 0; k < RedBlueGroupSizes[group]; ++k) {
            slots.push_back(slotOf(static_cast<int>(group) * 17 + k * 31, 5 + static_cast<int>(group) * 5 + k));
        }
        for (const int map : fishing.groups[group]) {
            fishing.superRod[map] = slots;
        }
    }
    return fishing;
}

void putFishing(Bytes& image, GameVersion version)
{
    const bool yellow = version == GameVersion::Yellow;
    const CodePlaces& at = yellow ? Yellow : RedBlue;
    const SyntheticFishing fishing = syntheticFishing(version);
    putRodCode(image, at, fishing);
    const Bytes rows = yellow ? yellowRows(fishing) : redBlueRows(fishing, at.rows);
    if (at.rows + std::ssize(rows) != (yellow ? YellowRowsEnd : RedBlueRowsEnd)) {
        throw std::logic_error("the synthetic super rod table does not have the released length");
    }
    if (yellow) {
        putCodeRun(image, at.search - YellowCodeRun, YellowRowsEnd + YellowCodeRun);
        putYellowSearch(image, at);
    } else {
        putRedSearch(image, at);
    }
    put(image, at.rows, rows);
}
