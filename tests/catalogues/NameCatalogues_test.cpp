#include "TempRom.h"

namespace {

using Names = std::vector<std::string>;

constexpr GameVersion AllVersions[] = {GameVersion::Red, GameVersion::Blue, GameVersion::Yellow};
// Where the reads begin in Red, Blue and Yellow, written out apart from the program's profile: the first
// species record, and for the walks one byte before the first name of their table.
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
    for (const GameVersion version : AllVersions) {
        SyntheticRom rom(version);
        Names expected{"MISSINGNO."};
        for (int species = 1; species <= 190; ++species) {
            expected.push_back(SyntheticRom::speciesName(species));
        }
        // A record without a terminator, and one that starts with it: each keeps its position.
        rom.putText(SpeciesStart[static_cast<int>(version)] + 10 * 99, "ABCDEFGHIJ", false);
        rom.put(SpeciesStart[static_cast<int>(version)] + 10 * 189, {0x50, 0x80});
        expected[100] = "ABCDEFGHIJ";
        expected[190] = "";
        EXPECT_EQ(speciesNames(rom.bytes(), profileOf(version)), expected) << profileOf(version).code;
    }
}

TEST(NameWalk, StepsFromNameToName)
{
    const std::tuple<const char*, Bytes, Names> cases[] = {
        {"terminator before the first name", {0x50, 0x80, 0x81, 0x50, 0x82, 0x83, 0x50}, {"AB", "CD"}},
        {"blank before the first name", {0x7F, 0x80, 0x81, 0x50, 0x82, 0x83, 0x50}, {"AB", "CD"}},
        {"letter before the first name", {0x97, 0x80, 0x81, 0x50, 0x82, 0x83, 0x50}, {"XAB", "CD"}},
        {"twelve letters, terminator outside the window",
         {0x50, 0x80, 0x81, 0x82, 0x83, 0x84, 0x85, 0x86, 0x87, 0x88, 0x89, 0x8A, 0x8B, 0x50, 0x82, 0x83, 0x50},
         {"ABCDEFGHIJKL", "CD"}},
        // Bytes that show nothing or two characters: the next read still starts at the next name.
        {"vanishing bytes", {0x50, 0x80, 0xBA, 0x34, 0x54, 0x82, 0x83, 0x50, 0x82, 0x83, 0x50}, {"AéCD", "CD"}},
        {"joined letters", {0x50, 0x8E, 0xBD, 0xBD, 0xBD, 0x50, 0x82, 0x83, 0x50}, {"O's's's", "CD"}}};
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
    // One-letter names, two of them followed by a second terminator, so that two of the first 83 reads land on
    // a terminator: the item walk reads on until it has 83 names, the move walk stops at its 168 reads.
    Bytes run{0x50};
    for (int k = 0; k < 200; ++k) {
        run.insert(run.end(), {static_cast<std::uint8_t>(0x80 + k % 26), GameText::Terminator});
        if (k == 10 || k == 20) {
            run.push_back(GameText::Terminator);
        }
    }
    for (const GameVersion version : AllVersions) {
        SCOPED_TRACE(profileOf(version).code);
        const Names moves = walk(false, version, run);
        EXPECT_EQ(moves.size(), static_cast<std::size_t>(MoveNameReads - 3));
        EXPECT_EQ(walk(true, version, run), Names(moves.begin(), moves.begin() + ItemNameCount));
        Names list = itemNames(SyntheticRom(version).bytes(), profileOf(version));
        for (const auto& more : {itemPlaceholders(list.size()), machineNames()}) {
            list.insert(list.end(), more.begin(), more.end());
        }
        ASSERT_EQ(list.size(), 250U);
        for (std::size_t byte = 1; byte <= list.size(); ++byte) {
            const std::string expected = byte <= 83    ? SyntheticRom::itemName(static_cast<int>(byte))
                                         : byte < 0xC4 ? "?????"
                                         : byte < 0xC9 ? "HM0" + std::to_string(byte - 0xC3)
                                                       : (byte < 0xD2 ? "TM0" : "TM") + std::to_string(byte - 0xC8);
            EXPECT_EQ(list[byte - 1], expected);
        }
    }
}
