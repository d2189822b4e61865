#include "TempRom.h"

namespace {

using Names = std::vector<std::string>;

constexpr GameVersion AllVersions[] = {GameVersion::Red, GameVersion::Blue, GameVersion::Yellow};

// Where the reads begin in Red and Blue, and in Yellow, written out apart from the program's profile: the
// first species record, and for the walks one byte before the first name of their table.
constexpr std::int32_t SpeciesStart[] = {0x1C21E, 0x1C21E, 0xE8000};
constexpr std::int32_t MovesStart[] = {0xAFFFF, 0xAFFFF, 0xBBFFF};
constexpr std::int32_t ItemsStart[] = {0x472A, 0x472A, 0x45B6};

// The walk over run, laid down at the walk's start byte and followed by nothing but terminators.
Names walk(bool items, GameVersion version, const Bytes& run)
{
    SyntheticRom rom(version);
    const std::int32_t start = (items ? ItemsStart : MovesStart)[static_cast<int>(version)];
    rom.put(start, Bytes(MoveNameReads * (NameWindow + 1), GameText::Terminator));
    rom.put(start, run);
    return items ? itemNames(rom.bytes(), profileOf(version)) : moveNames(rom.bytes(), profileOf(version));
}

} // namespace

TEST(SpeciesCatalogue, PositionIsTheSpeciesByte)
{
    // A record without a terminator, one with a blank and a vanishing byte, and one that starts with the
    // terminator: each keeps its position.
    const std::pair<Bytes, std::string> odd[] = {
        {{0x80, 0x81, 0x82, 0x83, 0x84, 0x85, 0x86, 0x87, 0x88, 0x89}, "ABCDEFGHIJ"},
        {{0x7F, 0x80, 0x7F, 0x81, 0x34, 0x50, 0x82}, "A B"},
        {{0x50, 0x80, 0x81}, ""}};
    for (const GameVersion version : AllVersions) {
        SyntheticRom rom(version);
        Names expected{"MISSINGNO."};
        for (int species = 1; species <= 190; ++species) {
            expected.push_back(SyntheticRom::speciesName(species));
        }
        for (std::size_t k = 0; k < std::size(odd); ++k) {
            rom.put(SpeciesStart[static_cast<int>(version)] + 10 * static_cast<std::int32_t>(99 + 45 * k),
                    odd[k].first);
            expected[100 + 45 * k] = odd[k].second;
        }
        EXPECT_EQ(speciesNames(rom.bytes(), profileOf(version)), expected) << profileOf(version).code;
    }
}

TEST(NameWalk, StepsByTheCharactersItKept)
{
    const std::tuple<const char*, Bytes, Names> cases[] = {
        {"terminator before the first name", {0x50, 0x80, 0x81, 0x50, 0x82, 0x83, 0x50}, {"AB", "CD"}},
        {"blank before the first name", {0x7F, 0x80, 0x81, 0x50, 0x82, 0x83, 0x50}, {"AB", "CD"}},
        {"letter before the first name", {0x97, 0x80, 0x81, 0x50, 0x82, 0x83, 0x50}, {"XAB", "CD"}},
        {"twelve letters, terminator outside the window",
         {0x50, 0x80, 0x81, 0x82, 0x83, 0x84, 0x85, 0x86, 0x87, 0x88, 0x89, 0x8A, 0x8B, 0x50, 0x82, 0x83, 0x50},
         {"ABCDEFGHIJKL", "CD"}},
        // Two bytes that show nothing make the next read start two bytes early, inside the name.
        {"vanishing bytes inside a name",
         {0x50, 0x80, 0x81, 0x34, 0x54, 0x82, 0x83, 0x50, 0x82, 0x83, 0x50},
         {"ABCD", "D", "CD"}},
        {"accented letters count once", {0x50, 0xBA, 0xBA, 0x50, 0x82, 0x83, 0x50}, {"éé", "CD"}}};
    for (const bool items : {false, true}) {
        for (const GameVersion version : AllVersions) {
            for (const auto& [what, run, names] : cases) {
                EXPECT_EQ(walk(items, version, run), names) << items << profileOf(version).code << ": " << what;
            }
        }
    }
}

TEST(ItemList, EveryPositionIsItsItemByte)
{
    // One-letter names, two of which end with a byte that vanishes, so that two of the first 83 reads land
    // on a terminator: the item walk reads on until it has 83 names, the move walk stops at its 168 reads.
    Bytes run{0x50};
    for (int k = 0; k < 200; ++k) {
        run.insert(run.end(), {static_cast<std::uint8_t>(0x80 + k % 26), GameText::Terminator});
        if (k == 10 || k == 20) {
            run.insert(run.end() - 1, 0x34);
        }
    }
    for (const GameVersion version : AllVersions) {
        SCOPED_TRACE(profileOf(version).code);
        EXPECT_EQ(walk(false, version, run).size(), static_cast<std::size_t>(MoveNameReads - 3));
        const Names found = walk(true, version, run);
        ASSERT_EQ(found.size(), static_cast<std::size_t>(ItemNameCount));
        EXPECT_EQ(found.back(), std::string(1, static_cast<char>('A' + 82 % 26)));

        Names list = itemNames(SyntheticRom(version).bytes(), profileOf(version));
        for (const auto& more : {itemPlaceholders(list.size()), machineNames()}) {
            list.insert(list.end(), more.begin(), more.end());
        }
        ASSERT_EQ(list.size(), 250U);
        for (std::size_t position = 0; position < list.size(); ++position) {
            const std::size_t byte = position + 1;
            const std::string expected = byte <= 83    ? SyntheticRom::itemName(static_cast<int>(byte))
                                         : byte < 0xC4 ? "?????"
                                         : byte < 0xC9
                                             ? "HM0" + std::to_string(byte - 0xC3)
                                             : "TM" + std::string(byte < 0xD2 ? "0" : "") + std::to_string(byte - 0xC8);
            EXPECT_EQ(list[position], expected) << "item byte " << byte;
        }
    }
    EXPECT_EQ(itemPlaceholders(81).size(), 114U);
}
