#include "TempRom.h"
#include "catalogues/NameCatalogues.h"
#include "rom/DisplayText.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using Names = std::vector<std::string>;

constexpr GameVersion AllVersions[] = {GameVersion::Red, GameVersion::Blue, GameVersion::Yellow};

// First and last species record of each cartridge, written out independently of the program's profile.
std::int32_t firstSpeciesRecord(GameVersion version)
{
    return version == GameVersion::Yellow ? 0xE8000 : 0x1C21E;
}

std::int32_t lastSpeciesRecord(GameVersion version)
{
    return version == GameVersion::Yellow ? 0xE8762 : 0x1C980;
}

Names readSpecies(const TempDir& dir, const SyntheticRom& rom)
{
    auto file = RomFile::open(dir.write(rom), RomFile::Mode::Read);
    EXPECT_TRUE(file.ok());
    const auto names = speciesNames(file.value(), profileOf(rom.version()));
    EXPECT_TRUE(names.ok());
    return names.ok() ? *names : Names{};
}

enum class Walk
{
    Moves,
    Items
};

// The byte each walk begins on: one before the first name of its table.
std::int32_t walkStart(Walk walk, GameVersion version)
{
    const bool yellow = version == GameVersion::Yellow;
    if (walk == Walk::Moves) {
        return yellow ? 0xBBFFF : 0xAFFFF;
    }
    return yellow ? 0x45B6 : 0x472A;
}

// Runs a walk over run, laid down at the walk's start byte and followed by nothing but terminators.
Names walkOver(Walk walk, GameVersion version, const Bytes& run)
{
    SyntheticRom rom(version);
    const std::int32_t start = walkStart(walk, version);
    rom.put(start, Bytes(static_cast<std::size_t>(MoveNameReads) * (NameWindow + 1), 0x50));
    rom.put(start, run);
    TempDir dir;
    auto file = RomFile::open(dir.write(rom), RomFile::Mode::Read);
    EXPECT_TRUE(file.ok());
    const auto names =
        walk == Walk::Moves ? moveNames(file.value(), profileOf(version)) : itemNames(file.value(), profileOf(version));
    EXPECT_TRUE(names.ok());
    return names.ok() ? *names : Names{};
}

Bytes operator+(Bytes left, const Bytes& right)
{
    left.insert(left.end(), right.begin(), right.end());
    return left;
}

} // namespace

TEST(SpeciesCatalogue, PositionIsTheSpeciesByte)
{
    TempDir dir;
    for (const GameVersion version : AllVersions) {
        SCOPED_TRACE(profileOf(version).code);
        SyntheticRom rom(version);
        rom.putText(firstSpeciesRecord(version), "FIRSTONE", true);
        rom.putText(lastSpeciesRecord(version), "LASTONE", true);
        const Names names = readSpecies(dir, rom);
        ASSERT_EQ(names.size(), 191u);
        EXPECT_EQ(names[0], "MISSINGNO.");
        EXPECT_EQ(names[1], "FIRSTONE");
        EXPECT_EQ(names[190], "LASTONE");
        for (int species = 2; species < 190; ++species) {
            EXPECT_EQ(names[static_cast<std::size_t>(species)], SyntheticRom::speciesName(species));
        }
    }
}

TEST(SpeciesCatalogue, RecordsWithoutTerminatorOrWithoutName)
{
    TempDir dir;
    const struct
    {
        const char* what;
        Bytes record;
        std::string entry;
    } cases[] = {
        {"ten letters", {0x80, 0x81, 0x82, 0x83, 0x84, 0x85, 0x86, 0x87, 0x88, 0x89}, "ABCDEFGHIJ"},
        {"ten accents", Bytes(10, 0xBA), "éééééééééé"},
        {"blanks around", {0x7F, 0x80, 0x7F, 0x81, 0x00, 0x50, 0x82, 0x83, 0x84, 0x85}, "A B"},
        {"vanishing bytes", {0x80, 0x34, 0x53, 0x81, 0x54, 0x82, 0x83, 0x84, 0x85, 0x86}, "ABCDEFG"},
        {"terminator first", {0x50, 0x80, 0x81, 0x82, 0x83, 0x84, 0x85, 0x86, 0x87, 0x88}, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SyntheticRom rom(GameVersion::Red);
        // Record 99 holds species 100; the next record starts with a letter so no terminator follows.
        rom.put(0x1C21E + 10 * 99, c.record);
        const Names names = readSpecies(dir, rom);
        ASSERT_EQ(names.size(), 191u);
        EXPECT_EQ(names[100], c.entry);
        EXPECT_EQ(names[99], SyntheticRom::speciesName(99));
        EXPECT_EQ(names[101], SyntheticRom::speciesName(101));
    }
}

TEST(NameWalk, SyntheticTablesComeOutWhole)
{
    TempDir dir;
    for (const GameVersion version : AllVersions) {
        SCOPED_TRACE(profileOf(version).code);
        auto file = RomFile::open(dir.write(SyntheticRom(version)), RomFile::Mode::Read);
        ASSERT_TRUE(file.ok());
        const auto moves = moveNames(file.value(), profileOf(version));
        const auto items = itemNames(file.value(), profileOf(version));
        ASSERT_TRUE(moves.ok());
        ASSERT_TRUE(items.ok());
        ASSERT_EQ(moves->size(), static_cast<std::size_t>(SyntheticRom::MoveCount));
        ASSERT_EQ(items->size(), static_cast<std::size_t>(SyntheticRom::ItemCount));
        for (int move = 1; move <= SyntheticRom::MoveCount; ++move) {
            EXPECT_EQ((*moves)[static_cast<std::size_t>(move - 1)], SyntheticRom::moveName(move));
        }
        for (int item = 1; item <= SyntheticRom::ItemCount; ++item) {
            EXPECT_EQ((*items)[static_cast<std::size_t>(item - 1)], SyntheticRom::itemName(item));
        }
    }
}

TEST(NameWalk, StepsByTheCharactersItKept)
{
    const Bytes ab{0x80, 0x81, 0x50};
    const Bytes cd{0x82, 0x83, 0x50};
    const Bytes next{0x8D, 0x84, 0x97, 0x93, 0x50};
    const struct
    {
        const char* what;
        Bytes run;
        Names names;
    } cases[] = {
        {"terminator before the first name", Bytes{0x50} + ab + cd, {"AB", "CD"}},
        {"blank before the first name", Bytes{0x7F} + ab + cd, {"AB", "CD"}},
        {"control code before the first name", Bytes{0x34} + ab + cd, {"AB", "CD"}},
        {"letter before the first name", Bytes{0x97} + ab + cd, {"XAB", "CD"}},
        {"twelve letters, terminator outside the window",
         Bytes{0x50, 0x80, 0x81, 0x82, 0x83, 0x84, 0x85, 0x86, 0x87, 0x88, 0x89, 0x8A, 0x8B, 0x50} + next,
         {"ABCDEFGHIJKL", "NEXT"}},
        // Two bytes that show nothing make the next read start two bytes early, inside the name.
        {"vanishing bytes inside a name",
         Bytes{0x50, 0x80, 0x81, 0x34, 0x54, 0x82, 0x83, 0x50} + next,
         {"ABCD", "D", "NEXT"}},
        {"trailing blank inside a name", Bytes{0x50, 0x80, 0x81, 0x7F, 0x50} + cd, {"AB", "CD"}},
        {"inner blank kept", Bytes{0x50, 0x80, 0x7F, 0x81, 0x50} + cd, {"A B", "CD"}},
        {"accented letters count once", Bytes{0x50, 0xBA, 0xBA, 0x50} + cd, {"éé", "CD"}},
    };
    for (const Walk walk : {Walk::Moves, Walk::Items}) {
        for (const GameVersion version : AllVersions) {
            for (const auto& c : cases) {
                SCOPED_TRACE(std::string(walk == Walk::Moves ? "moves" : "items") + ", " +
                             std::string(profileOf(version).code) + ": " + c.what);
                EXPECT_EQ(walkOver(walk, version, c.run), c.names);
            }
        }
    }
}

TEST(NameWalk, MakesItsFixedNumberOfReads)
{
    // More one-letter names than reads: every read after the first (on the terminator) finds one.
    Bytes run{0x50};
    for (int k = 0; k < 200; ++k) {
        run = run + Bytes{static_cast<std::uint8_t>(0x80 + k % 26), 0x50};
    }
    for (const GameVersion version : AllVersions) {
        SCOPED_TRACE(profileOf(version).code);
        EXPECT_EQ(walkOver(Walk::Moves, version, run).size(), static_cast<std::size_t>(MoveNameReads - 1));
        EXPECT_EQ(walkOver(Walk::Items, version, run).size(), static_cast<std::size_t>(ItemNameReads - 1));
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
