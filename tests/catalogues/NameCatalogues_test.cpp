#include "TempRom.h"
#include "catalogues/NameCatalogues.h"
#include "rom/modGameText.h"

#include <gtest/gtest.h>
#include <string>
#include <tuple>
#include <vector>

namespace {

using Names = std::vector<std::string>;

constexpr GameVersion AllVersions[] = {GameVersion::Red, GameVersion::Blue, GameVersion::Yellow};

enum List
{
    Species,
    Moves,
    Items
};

// Where each list's reads begin in Red and Blue, and in Yellow, written out independently of the program's
// profile: the first species record, and for the walks one byte before the first name of their table.
constexpr std::int32_t Starts[3][2] = {{0x1C21E, 0xE8000}, {0xAFFFF, 0xBBFFF}, {0x472A, 0x45B6}};

std::int32_t startOf(List list, GameVersion version)
{
    return Starts[list][version == GameVersion::Yellow ? 1 : 0];
}

Names readList(List list, const SyntheticRom& rom)
{
    TempDir dir;
    RomFile file = std::move(RomFile::open(dir.write(rom), RomFile::Mode::Read).value());
    const VersionProfile& profile = profileOf(rom.version());
    return (list == Species ? speciesNames(file, profile)
            : list == Moves ? moveNames(file, profile)
                            : itemNames(file, profile))
        .value();
}

// Runs a walk over run, laid down at the walk's start byte and followed by nothing but terminators.
Names walkOver(List list, GameVersion version, const Bytes& run)
{
    SyntheticRom rom(version);
    rom.put(startOf(list, version), Bytes(static_cast<std::size_t>(MoveNameReads * (NameWindow + 1)), 0x50));
    rom.put(startOf(list, version), run);
    return readList(list, rom);
}

} // namespace

TEST(SpeciesCatalogue, PositionIsTheSpeciesByte)
{
    // Records without a terminator or without a name, each followed by a record that starts with a letter.
    const std::pair<Bytes, std::string> odd[] = {
        {{0x80, 0x81, 0x82, 0x83, 0x84, 0x85, 0x86, 0x87, 0x88, 0x89}, "ABCDEFGHIJ"},
        {Bytes(10, 0xBA), "éééééééééé"},
        {{0x7F, 0x80, 0x7F, 0x81, 0x00, 0x50, 0x82, 0x83, 0x84, 0x85}, "A B"},
        {{0x80, 0x34, 0x53, 0x81, 0x54, 0x82, 0x83, 0x84, 0x85, 0x86}, "ABCDEFG"},
        {{0x50, 0x80, 0x81, 0x82, 0x83, 0x84, 0x85, 0x86, 0x87, 0x88}, ""}};
    for (const GameVersion version : AllVersions) {
        SyntheticRom rom(version);
        Names expected{"MISSINGNO."};
        for (int species = 1; species <= 190; ++species) {
            expected.push_back(SyntheticRom::speciesName(species));
        }
        // Record k holds species k + 1.
        rom.putText(startOf(Species, version), expected[1] = "FIRSTONE", true);
        rom.putText(startOf(Species, version) + 10 * 189, expected[190] = "LASTONE", true);
        for (std::size_t k = 0; k < std::size(odd); ++k) {
            rom.put(startOf(Species, version) + 10 * static_cast<std::int32_t>(99 + 2 * k), odd[k].first);
            expected[100 + 2 * k] = odd[k].second;
        }
        EXPECT_EQ(readList(Species, rom), expected) << profileOf(version).code;
    }
}

TEST(NameWalk, StepsByTheCharactersItKept)
{
    const std::tuple<const char*, Bytes, Names> cases[] = {
        {"terminator before the first name", {0x50, 0x80, 0x81, 0x50, 0x82, 0x83, 0x50}, {"AB", "CD"}},
        {"blank before the first name", {0x7F, 0x80, 0x81, 0x50, 0x82, 0x83, 0x50}, {"AB", "CD"}},
        {"control code before the first name", {0x34, 0x80, 0x81, 0x50, 0x82, 0x83, 0x50}, {"AB", "CD"}},
        {"letter before the first name", {0x97, 0x80, 0x81, 0x50, 0x82, 0x83, 0x50}, {"XAB", "CD"}},
        {"twelve letters, terminator outside the window",
         {0x50, 0x80, 0x81, 0x82, 0x83, 0x84, 0x85, 0x86, 0x87, 0x88, 0x89, 0x8A, 0x8B, 0x50, 0x82, 0x83, 0x50},
         {"ABCDEFGHIJKL", "CD"}},
        // Two bytes that show nothing make the next read start two bytes early, inside the name.
        {"vanishing bytes inside a name",
         {0x50, 0x80, 0x81, 0x34, 0x54, 0x82, 0x83, 0x50, 0x82, 0x83, 0x50},
         {"ABCD", "D", "CD"}},
        {"trailing blank inside a name", {0x50, 0x80, 0x81, 0x7F, 0x50, 0x82, 0x83, 0x50}, {"AB", "CD"}},
        {"inner blank kept", {0x50, 0x80, 0x7F, 0x81, 0x50, 0x82, 0x83, 0x50}, {"A B", "CD"}},
        {"accented letters count once", {0x50, 0xBA, 0xBA, 0x50, 0x82, 0x83, 0x50}, {"éé", "CD"}}};
    for (const List walk : {Moves, Items}) {
        for (const GameVersion version : AllVersions) {
            for (const auto& [what, run, names] : cases) {
                EXPECT_EQ(walkOver(walk, version, run), names)
                    << (walk == Moves ? "moves, " : "items, ") << profileOf(version).code << ": " << what;
            }
        }
    }
}

TEST(NameWalk, MakesItsFixedNumberOfReads)
{
    // More one-letter names than reads: every read after the first (on the terminator) finds one.
    Bytes run{0x50};
    for (int k = 0; k < 200; ++k) {
        run.insert(run.end(), {static_cast<std::uint8_t>(0x80 + k % 26), GameText::Terminator});
    }
    for (const GameVersion version : AllVersions) {
        SCOPED_TRACE(profileOf(version).code);
        EXPECT_EQ(walkOver(Moves, version, run).size(), static_cast<std::size_t>(MoveNameReads - 1));
        EXPECT_EQ(walkOver(Items, version, run).size(), static_cast<std::size_t>(ItemNameReads - 1));
    }
}

TEST(ItemList, PlaceholdersThenMachines)
{
    EXPECT_EQ(itemPlaceholders(), Names(114, "?????"));
    Names machines;
    for (int hm = 1; hm <= 5; ++hm) {
        machines.push_back("HM0" + std::to_string(hm));
    }
    for (int tm = 1; tm <= 50; ++tm) {
        machines.push_back((tm < 10 ? "TM0" : "TM") + std::to_string(tm));
    }
    EXPECT_EQ(machineNames(), machines);
}
