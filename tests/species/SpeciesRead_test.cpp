// Every species table read as the builder laid it out, checked against the bytes at the test's own offsets with
// the game's own walks; and the lists other tools leave shared or without an end, read as the game reads them.

#include "TempRom.h"
#include "demo/SyntheticSpecies.h"
#include "species/SpeciesData.h"

namespace {

constexpr GameVersion AllVersions[] = {GameVersion::Red, GameVersion::Blue, GameVersion::Yellow};

int wordIn(const Bytes& image, std::int32_t at)
{
    return image[static_cast<std::size_t>(at)] | image[static_cast<std::size_t>(at) + 1] << 8;
}

// The learnset of a species as WriteMonMoves finds it: the pointer, every byte up to the first 0, then pairs up to
// a level of 0.
std::vector<LearnedMove> gameLearnset(const Bytes& image, GameVersion version, int species)
{
    auto at = static_cast<std::size_t>(
        wordIn(image, LayoutOffsets::species(version).evosMovesPointers + 2 * (species - 1)) + 0x34000);
    while (image[at++] != 0) {
    }
    std::vector<LearnedMove> learnset;
    for (; image[at] != 0; at += 2) {
        learnset.push_back({image[at], image[at + 1]});
    }
    return learnset;
}

using SpeciesRead = ::testing::TestWithParam<GameVersion>;

} // namespace

TEST_P(SpeciesRead, ReadsEveryTableAsTheGameFindsIt)
{
    const GameVersion version = GetParam();
    const LayoutOffsets::SpeciesTables& at = LayoutOffsets::species(version);
    const Bytes image = SyntheticRom(version).bytes();
    const SpeciesData data = readSpeciesData(image, profileOf(version));
    ASSERT_EQ(data.records.size(), 151U);
    for (int number = 1; number <= 151; ++number) {
        SCOPED_TRACE(number);
        const SpeciesRecord& record = data.records[static_cast<std::size_t>(number - 1)];
        const std::int32_t offset = LayoutOffsets::baseStats(version, number);
        ASSERT_TRUE(record.readable());
        EXPECT_EQ(baseStatsBytes(record.stats), Bytes(image.begin() + offset, image.begin() + offset + 28));
        const auto byte = [&](int k) { return image[static_cast<std::size_t>(offset + k)]; };
        EXPECT_TRUE(record.stats.dex == number && record.stats.speed == byte(4) && record.stats.type2 == byte(7) &&
                    record.stats.moves[1] == byte(16) && record.stats.growth == byte(19));
        EXPECT_EQ(record.stats.learns(9), (byte(21) & 2) != 0);
        EXPECT_EQ(data.speciesOf(number), std::vector<int>{record.species});
        EXPECT_EQ(image[static_cast<std::size_t>(at.pokedexNumbers + record.species - 1)], number);
    }
    int empty = 0;
    for (int species = 1; species <= 190; ++species) {
        SCOPED_TRACE(species);
        const EvosMovesList* list = data.evosMoves.listOf(species);
        ASSERT_TRUE(list != nullptr && list->editable()) << data.evosMoves.problemOf(species);
        EXPECT_EQ(list->offset, wordIn(image, at.evosMovesPointers + 2 * (species - 1)) + 0x34000);
        EXPECT_EQ(list->content.learnset, gameLearnset(image, version, species));
        EXPECT_EQ(evosMovesBytes(list->content), Bytes(image.begin() + list->offset, image.begin() + list->end));
        empty += list->end - list->offset == 2;
    }
    // Every list is its own, the glitch species' empty ones too, and they take the released games' bytes.
    EXPECT_EQ(data.evosMoves.lists.size(), 190U);
    EXPECT_EQ(empty, 39);
    EXPECT_EQ(data.evosMoves.lists.back().end - data.evosMoves.lists.front().offset,
              version == GameVersion::Yellow ? 2122 : 2068);
    for (int move = 1; move <= 165; ++move) {
        const auto offset = static_cast<std::size_t>(at.moves + 6 * (move - 1));
        EXPECT_EQ(moveBytes(data.moves.values[static_cast<std::size_t>(move - 1)]),
                  Bytes(image.begin() + static_cast<std::ptrdiff_t>(offset),
                        image.begin() + static_cast<std::ptrdiff_t>(offset + 6)));
    }
    EXPECT_EQ(data.machineMoves.values, Bytes(image.begin() + at.machineMoves, image.begin() + at.machineMoves + 55));
    for (int type = 0; type < 27; ++type) {
        EXPECT_EQ(data.typeNames.values[static_cast<std::size_t>(type)], syntheticTypeName(type)) << type;
    }
    EXPECT_TRUE(data.moves.problem.empty() && data.machineMoves.problem.empty() && data.typeNames.problem.empty());
    EXPECT_EQ(data.effectNames[2], "POISON_SIDE_EFFECT1");
    EXPECT_EQ(data.growthNames[3], "MEDIUM_SLOW");
}

// Species sharing lists read as one list of both, a list that runs into the next is read-only with the reason, and
// tables past the end of a short image come back with theirs.
TEST_P(SpeciesRead, KeepsSharedListsTogetherAndListsWithoutAnEndApart)
{
    const GameVersion version = GetParam();
    SyntheticRom rom(version);
    rom.changeEvosMoves({{{7, 3}, {9, 3}, {12, 11}}, 20});
    const EvosMovesTable table = readEvosMovesTable(rom.bytes(), profileOf(version));
    EXPECT_EQ(table.listOf(7), table.listOf(3));
    EXPECT_EQ(table.listOf(3)->species, (std::vector<int>{3, 7, 9}));
    EXPECT_EQ(table.listOf(12)->species, (std::vector<int>{11, 12}));
    EXPECT_EQ(table.lists.size(), 187U);
    EXPECT_EQ(table.problemOf(20), "it has no end before the next list or the end of the bank");
    for (int species = 1; species <= 190; ++species) {
        EXPECT_EQ(table.listOf(species)->editable(), species != 20) << species;
    }
    // A kind of evolution the game does not have, a 0 the walk to the learnset would stop at, a pointer elsewhere.
    SyntheticRom odd(version);
    const std::int32_t pointers = LayoutOffsets::species(version).evosMovesPointers;
    const auto listAt = [&](int species) { return wordIn(odd.bytes(), pointers + 2 * (species - 1)) + 0x34000; };
    int evolving = 1;
    while (table.listOf(evolving)->content.evolutions.empty() || table.listOf(evolving)->species.size() > 1) {
        ++evolving;
    }
    odd.set(listAt(evolving), 9);
    odd.put(pointers + 2 * 30, {0x00, 0x80});
    const EvosMovesTable broken = readEvosMovesTable(odd.bytes(), profileOf(version));
    EXPECT_EQ(broken.problemOf(evolving), "evolution 1 has the kind byte 9, none of 1 (level), 2 (item), 3 (trade)");
    EXPECT_EQ(broken.problemOf(31), "its pointer leads out of the trainer bank");
    odd.set(listAt(evolving), 1);
    odd.set(listAt(evolving) + 1, 0);
    EXPECT_EQ(readEvosMovesTable(odd.bytes(), profileOf(version)).problemOf(evolving),
              "evolution 1 holds a byte 0, where the game's walk to the learnset would stop");

    SyntheticRom shortImage(version);
    shortImage.resize(0x38100);
    const SpeciesData cut = readSpeciesData(shortImage.bytes(), profileOf(version));
    EXPECT_EQ(cut.moves.problem, "the moves table lies past the end of the file");
    EXPECT_EQ(cut.records[149].problem, "its base stats lie past the end of the file");
    EXPECT_EQ(cut.evosMoves.problemOf(1), "its pointer lies past the end of the file");
}

INSTANTIATE_TEST_SUITE_P(AllVersions, SpeciesRead, ::testing::ValuesIn(AllVersions), [](const auto& param) {
    return std::string(profileOf(param.param).code);
});
