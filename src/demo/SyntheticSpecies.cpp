#include "demo/SyntheticSpecies.h"

#include "demo/SyntheticPictures.h"
#include "rom/modGameText.h"

#include <algorithm>
#include <array>
#include <stdexcept>

namespace {

// Where the games keep the species data, the builder's own copy of the game's layout.
struct SpeciesLayout
{
    std::int32_t moves;
    std::int32_t baseStats;
    // Red and Blue keep MEW's record in bank 1.
    std::int32_t mewBaseStats;
    std::int32_t evosMovesPointers;
    std::int32_t evosMovesLength;
    std::int32_t machineMoves;
    std::int32_t typeNamePointers;
};

constexpr SpeciesLayout RedBlueLayout{0x38000, 0x383DE, 0x425B, 0x3B05C, 2068, 0x13773, 0x27DAE};
constexpr SpeciesLayout YellowLayout{0x38000, 0x383DE, -1, 0x3B1E5, 2122, 0x1232D, 0x27D63};

constexpr int Species = 190;
constexpr int Pokedex = 151;
constexpr int Moves = 165;
constexpr int RecordLength = 28;
constexpr std::int32_t BankSize = 0x4000;
// The types the released games give Pokémon and moves: 0..8, and 0x14..0x1A; the others share the first name.
constexpr int FirstLateType = 0x14;
constexpr std::array<int, 16> UsedTypes{0, 1, 2, 3, 4, 5, 7, 8, 0x14, 0x15, 0x16, 0x17, 0x18, 0x19, 0x1A, 6};

const SpeciesLayout& layoutOf(GameVersion version)
{
    return version == GameVersion::Yellow ? YellowLayout : RedBlueLayout;
}

void put(Bytes& image, std::int32_t offset, const Bytes& bytes)
{
    std::copy(bytes.begin(), bytes.end(), image.begin() + offset);
}

// A region the builder fills must hold nothing yet.
void claim(const Bytes& image, std::int32_t offset, std::int32_t length)
{
    if (!std::all_of(image.begin() + offset, image.begin() + offset + length, [](std::uint8_t b) { return b == 0; })) {
        throw std::logic_error("the species data would overwrite other synthetic data at " + std::to_string(offset));
    }
}

Bytes pointerTo(std::int32_t offset)
{
    const std::int32_t pointer = BankSize + offset % BankSize;
    return {static_cast<std::uint8_t>(pointer & 0xFF), static_cast<std::uint8_t>(pointer >> 8)};
}

int speciesOfNumber(int number)
{
    for (int species = 1; species <= Species; ++species) {
        if (inventedPokedexNumber(species) == number) {
            return species;
        }
    }
    return 0;
}

std::uint8_t byteOf(int value)
{
    return static_cast<std::uint8_t>(value);
}

int usedType(int seed)
{
    return UsedTypes[static_cast<std::size_t>(seed % 15)];
}

Bytes baseRecordValues(int number)
{
    // Bytes 1..9 of the record: the stats, the types, the catch rate and the base experience.
    const int type = usedType(number * 7);
    return {byteOf(20 + number * 37 % 100),
            byteOf(20 + number * 53 % 110),
            byteOf(15 + number * 29 % 115),
            byteOf(15 + number * 71 % 120),
            byteOf(20 + number * 43 % 110),
            byteOf(type),
            byteOf(number % 4 == 0 ? usedType(number * 3 + 1) : type),
            byteOf(3 + number * 97 % 253),
            byteOf(40 + number * 61 % 211)};
}

Bytes baseRecordMoves(int number)
{
    // Bytes 15..27: the level-1 moves, the growth rate, the TM/HM bits and the byte after them.
    Bytes bytes{byteOf(1 + number * 19 % Moves), byteOf(number % 3 == 0 ? 1 + number * 23 % Moves : 0), 0, 0};
    bytes.push_back(byteOf(number % 6));
    for (int k = 0; k < 7; ++k) {
        bytes.push_back(number == Pokedex ? 0xFF : byteOf((number * 89 + k * 45) % 256 & (k == 6 ? 0x7F : 0xFF)));
    }
    bytes.push_back(0);
    return bytes;
}

void putBaseStats(Bytes& image, const SpeciesLayout& layout)
{
    for (int number = 1; number <= Pokedex; ++number) {
        const std::int32_t record = number == Pokedex && layout.mewBaseStats >= 0
                                        ? layout.mewBaseStats
                                        : layout.baseStats + RecordLength * (number - 1);
        put(image, record + 1, baseRecordValues(number));
        put(image, record + 15, baseRecordMoves(number));
    }
}

void putMoves(Bytes& image, const SpeciesLayout& layout)
{
    claim(image, layout.moves, 6 * Moves);
    for (int move = 1; move <= Moves; ++move) {
        const bool status = move % 5 == 0;
        put(image,
            layout.moves + 6 * (move - 1),
            {byteOf(move),
             byteOf(status          ? 0x0A + move % 0x4D
                    : move % 3 == 0 ? move % 0x57
                                    : 0),
             byteOf(status ? 0 : 20 + move * 7 % 131),
             byteOf(usedType(move)),
             byteOf(syntheticAccuracy(move)),
             byteOf(5 + move * 3 % 36)});
    }
}

void putMachineMoves(Bytes& image, const SpeciesLayout& layout)
{
    claim(image, layout.machineMoves, 55);
    for (int machine = 0; machine < 55; ++machine) {
        image[static_cast<std::size_t>(layout.machineMoves + machine)] = byteOf(1 + (3 + 7 * machine) % Moves);
    }
}

void putTypeNames(Bytes& image, const SpeciesLayout& layout)
{
    std::int32_t at = layout.typeNamePointers + 2 * SyntheticTypeCount;
    std::array<std::int32_t, SyntheticTypeCount> names{};
    Bytes text;
    for (int type = 0; type < SyntheticTypeCount; ++type) {
        if (type > 8 && type < FirstLateType) {
            continue;
        }
        names[static_cast<std::size_t>(type)] = at + static_cast<std::int32_t>(text.size());
        const Bytes name = EncodeText(syntheticTypeName(type));
        text.insert(text.end(), name.begin(), name.end());
        text.push_back(GameText::Terminator);
    }
    claim(image, layout.typeNamePointers, 2 * SyntheticTypeCount + static_cast<std::int32_t>(text.size()));
    for (int type = 0; type < SyntheticTypeCount; ++type) {
        put(image,
            layout.typeNamePointers + 2 * type,
            pointerTo(names[static_cast<std::size_t>(type)] != 0 ? names[static_cast<std::size_t>(type)] : names[0]));
    }
    put(image, at, text);
}

// One species' list as the game stores it: evolutions, 0, (level, move) pairs, 0.
struct InventedList
{
    Bytes evolutions;
    std::vector<std::pair<int, int>> learnset;

    std::int32_t length() const { return static_cast<std::int32_t>(evolutions.size() + 2 * learnset.size()) + 2; }
    Bytes bytes() const
    {
        Bytes all = evolutions;
        all.push_back(0);
        for (const auto& [level, move] : learnset) {
            all.insert(all.end(), {byteOf(level), byteOf(move)});
        }
        all.push_back(0);
        return all;
    }
};

InventedList inventedList(int species)
{
    InventedList list;
    const int number = inventedPokedexNumber(species);
    if (number == 0) {
        return list;
    }
    if (number < Pokedex - 1 && number % 3 != 0) {
        const auto into = byteOf(speciesOfNumber(number + 1));
        if (number % 7 == 0) {
            list.evolutions = {2, byteOf(10 + number % 20), 1, into};
        } else if (number % 11 == 0) {
            list.evolutions = {3, 1, into};
        } else {
            list.evolutions = {1, byteOf(12 + number % 30), into};
        }
    }
    const int count = 3 + number * 7 % 6;
    for (int k = 0; k < count; ++k) {
        list.learnset.emplace_back(5 + k * (4 + number % 3), 1 + (number * 13 + k * 31) % Moves);
    }
    if (species == outOfOrderSpecies()) {
        std::swap(list.learnset[1].first, list.learnset[2].first);
    }
    return list;
}

// Every species' list, more or fewer learnset entries given to some so that they take exactly length bytes.
std::vector<InventedList> inventedLists(std::int32_t length)
{
    std::vector<InventedList> lists;
    std::int32_t total = 0;
    for (int species = 1; species <= Species; ++species) {
        lists.push_back(inventedList(species));
        total += lists.back().length();
    }
    if ((length - total) % 2 != 0) {
        // An evolution by item takes a byte more than one by level.
        for (InventedList& list : lists) {
            if (list.evolutions.size() == 3 && list.evolutions[0] == 1) {
                list.evolutions = {2, 12, 1, list.evolutions[2]};
                ++total;
                break;
            }
        }
    }
    for (std::size_t k = 0; total != length; k = (k + 1) % lists.size()) {
        std::vector<std::pair<int, int>>& learnset = lists[k].learnset;
        if (learnset.empty() || (total > length && learnset.size() < 2)) {
            continue;
        }
        if (total < length) {
            learnset.emplace_back(std::min(100, learnset.back().first + 3), 1 + (static_cast<int>(k) * 17) % Moves);
            total += 2;
        } else {
            learnset.pop_back();
            total -= 2;
        }
    }
    return lists;
}

} // namespace

std::string syntheticTypeName(int type)
{
    const int named = type > 8 && type < FirstLateType ? 0 : type;
    return std::string("Type ") + static_cast<char>('A' + named % 26) + (named >= 26 ? "Z" : "");
}

int syntheticAccuracy(int move)
{
    // 200 is a byte no percentage gives: 78 % is 198, 79 % 201.
    return move % 17 == 0 ? 200 : (50 + move * 5 % 51) * 255 / 100;
}

int outOfOrderSpecies()
{
    return speciesOfNumber(40);
}

std::int32_t releasedEvosMovesEnd(GameVersion version)
{
    const SpeciesLayout& layout = layoutOf(version);
    return layout.evosMovesPointers + 2 * Species + layout.evosMovesLength;
}

void putEvosMoves(Bytes& image, GameVersion version, const EvosMovesVariant& variant)
{
    const SpeciesLayout& layout = layoutOf(version);
    const std::vector<InventedList> lists = inventedLists(layout.evosMovesLength);
    std::int32_t at = layout.evosMovesPointers + 2 * Species;
    const std::int32_t end = releasedEvosMovesEnd(version);
    std::fill(image.begin() + at, image.begin() + end, 0x00);
    std::array<std::int32_t, Species + 1> offsets{};
    // The empty lists of the glitch species first, so that a list of moves ends the lists, as in the released games.
    std::vector<int> order;
    for (const bool glitch : {true, false}) {
        for (int species = 1; species <= Species; ++species) {
            if ((inventedPokedexNumber(species) == 0) == glitch) {
                order.push_back(species);
            }
        }
    }
    for (const int species : order) {
        const bool shares = std::any_of(variant.shared.begin(), variant.shared.end(), [species](const auto& pair) {
            return pair.first == species;
        });
        if (shares) {
            continue;
        }
        Bytes bytes = lists[static_cast<std::size_t>(species - 1)].bytes();
        if (species == variant.endless) {
            bytes.back() = 77;
        }
        offsets[static_cast<std::size_t>(species)] = at;
        put(image, at, bytes);
        at += static_cast<std::int32_t>(bytes.size());
    }
    for (const auto& [species, owner] : variant.shared) {
        offsets[static_cast<std::size_t>(species)] = offsets[static_cast<std::size_t>(owner)];
    }
    for (int species = 1; species <= Species; ++species) {
        put(image, layout.evosMovesPointers + 2 * (species - 1), pointerTo(offsets[static_cast<std::size_t>(species)]));
    }
}

void putSpecies(Bytes& image, GameVersion version)
{
    const SpeciesLayout& layout = layoutOf(version);
    putBaseStats(image, layout);
    putMoves(image, layout);
    putMachineMoves(image, layout);
    putTypeNames(image, layout);
    putEvosMoves(image, version, {});
}
