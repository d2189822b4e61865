// A save of the Maps window changes exactly the bytes the game reads for what was edited: in place, in the free
// space with only the edited map repointed, shorter with the freed bytes zeroed, for every map of a shared table;
// and it writes nothing at all when it refuses.

#include "MapIds.h"
#include "TempRom.h"
#include "maps/MapSave.h"

namespace {

using namespace MapIds;

WildArea area(int rate, int firstSpecies, int level)
{
    WildArea made;
    made.rate = static_cast<std::uint8_t>(rate);
    for (int k = 0; k < WildSlotCount; ++k) {
        made.slot[static_cast<std::size_t>(k)] = {static_cast<std::uint8_t>(level),
                                                  static_cast<std::uint8_t>(firstSpecies + k)};
    }
    return made;
}

struct Case
{
    const char* what;
    MapEdits edits;
    // The writes it must make, else the start of the failure it must give.
    Writes writes;
    std::string failure;
    std::string note;
};

constexpr std::int32_t FreeTable = 0xFC4A + 16;

std::vector<Case> cases(const MapTable& table)
{
    const MapProfile& profile = mapProfile(GameVersion::Red);
    const WildTable& route1 = *table.wildOf(Route1);
    const WildTable& route3 = *table.wildOf(Route3);
    const WildTable& route19 = *table.wildOf(Route19);
    WildArea slot3 = route1.grass;
    slot3.slot[2] = {42, 99};
    WildArea rate = route1.grass;
    rate.rate = 200;
    WildArea shared = route19.water;
    shared.slot[0].level = 77;
    WildArea species0 = route1.grass;
    species0.slot[4].species = 0;
    WildArea level101 = route1.grass;
    level101.slot[9].level = 101;
    const WildArea pallet = area(10, 1, 5);
    const WildArea water = area(3, 100, 20);
    Writes turnedOn;
    addBytes(turnedOn, FreeTable, wildBytes(pallet, {}));
    addBytes(turnedOn, wildPointerOffset(profile, PalletTown), bankPointer(FreeTable));
    Writes moved;
    addBytes(moved, FreeTable, wildBytes(route1.grass, water));
    addBytes(moved, wildPointerOffset(profile, Route1), bankPointer(FreeTable));
    addBytes(moved, route1.offset, Bytes(22, 0x00));
    const MapObject& voltorb = table.row(PowerPlant)->objects[0];
    const auto zapdos = LayoutOffsets::battle(GameVersion::Red, 0);
    return {
        {"a slot in place",
         {{}, {{Route1, slot3, {}}}, {}},
         {{route1.offset + 5, 42}, {route1.offset + 6, 99}},
         "",
         ""},
        {"a rate in place", {{}, {{Route1, rate, {}}}, {}}, {{route1.offset, 200}}, "", ""},
        {"turned on: a table of its own in the free space",
         {{}, {{PalletTown, pallet, {}}}, {}},
         turnedOn,
         "",
         "Pallet Town's wild Pokémon moved to free space at 0xFC5A: 22 of 950 free bytes used."},
        {"water turned on: the table moves",
         {{}, {{Route1, {}, water}}, {}},
         moved,
         "",
         "Route 1's wild Pokémon moved to free space at 0xFC5A: 42 of 950 free bytes used."},
        {"water turned off: shorter, in place",
         {{}, {{Route3, {}, WildArea{}}}, {}},
         [&] {
             Writes zeroes;
             addBytes(zeroes, route3.offset + 21, Bytes(21, 0x00));
             return zeroes;
         }(),
         "",
         ""},
        {"a shared table, edited for both", {{}, {{Route20, {}, shared}}, {}}, {{route19.offset + 2, 77}}, "", ""},
        {"a Voltorb",
         {{{PowerPlant, 1, 7, 41}}, {}, {}},
         {{voltorb.valuesOffset, 7}, {voltorb.valuesOffset + 1, 41}},
         "",
         ""},
        {"Zapdos and its cry",
         {{{PowerPlant, 9, 5, 60}}, {}, {}},
         {{zapdos.species, 5}, {zapdos.level, 60}, {*zapdos.secondSpecies, 5}},
         "",
         ""},
        {"species 0", {{}, {{Route1, species0, {}}}, {}}, {}, "Route 1: grass slot 5 has species 0", ""},
        {"level 101", {{}, {{Route1, level101, {}}}, {}}, {}, "Route 1: grass slot 10 has level 101", ""},
        {"a shared table given twice otherwise",
         {{}, {{Route19, {}, shared}, {Route20, {}, route19.water}}, {}},
         {},
         "Route 20 shares its wild Pokémon with other maps",
         ""},
        {"no map", {{}, {{0x0B, pallet, {}}}, {}}, {}, "Map 0x0B's wild Pokémon are left alone: it is no map", ""},
        {"a copy",
         {{}, {{0x45, pallet, {}}}, {}},
         {},
         "Cerulean Trashed House (copy)'s wild Pokémon are left alone",
         ""},
        {"a static species 0", {{{PowerPlant, 1, 0, 41}}, {}, {}}, {}, "Power Plant object 1: species 0", ""},
        {"a static level 101", {{{PowerPlant, 1, 7, 101}}, {}, {}}, {}, "Power Plant object 1: level 101", ""},
        {"a static item", {{{PowerPlant, 10, 7, 41}}, {}, {}}, {}, "Power Plant object 10 is no Pokémon", ""},
    };
}

} // namespace

TEST(MapSave, WritesExactlyWhatWasEditedOrNothing)
{
    TempDir dir;
    const SyntheticRom rom(GameVersion::Red);
    const VersionProfile& profile = profileOf(GameVersion::Red);
    const MapTable loaded = readMaps(rom.bytes(), profile);
    for (const Case& c : cases(loaded)) {
        SCOPED_TRACE(c.what);
        const std::string path = dir.write(rom);
        const auto saved = writeMapEdits({path, &profile, requiredRomSize(profile)}, loaded, c.edits, c.what);
        const Bytes after = fileBytes(path);
        if (!c.failure.empty()) {
            ASSERT_FALSE(saved.ok());
            EXPECT_EQ(saved.failure().description.substr(0, c.failure.size()), c.failure);
            EXPECT_EQ(after, rom.bytes());
            continue;
        }
        ASSERT_TRUE(saved.ok()) << saved.failure().description;
        EXPECT_TRUE(changedExactly(rom.bytes(), after, c.writes));
        EXPECT_EQ(saved->notes.empty() ? "" : saved->notes.front(), c.note);
        // Every map that was not edited, nor shares an edited table, reads as before.
        const MapTable now = readMaps(after, profile);
        for (const WildEdit& edit : c.edits.wild) {
            for (const int map :
                 loaded.wildOf(edit.map)->empty() ? std::vector<int>{edit.map} : loaded.wildOf(edit.map)->maps) {
                EXPECT_TRUE(now.wildOf(map)->grass == edit.grass.value_or(loaded.wildOf(map)->grass));
                EXPECT_TRUE(now.wildOf(map)->water == edit.water.value_or(loaded.wildOf(map)->water));
            }
        }
    }
}

// A bank without room refuses the save whole and says how many bytes are missing; so does a file that changed
// since the maps were read.
TEST(MapSave, RefusesAFullBankOrAChangedFile)
{
    TempDir dir;
    SyntheticRom rom(GameVersion::Red);
    const VersionProfile& profile = profileOf(GameVersion::Red);
    const MapTable built = readMaps(rom.bytes(), profile);
    rom.put(0xFC4A, Bytes(950 - 20, 0xC9));
    rom.set(built.wildOf(Route1)->offset, 99);
    const std::string path = dir.write(rom);
    const RomTarget target{path, &profile, requiredRomSize(profile)};
    const MapEdits turnOn{{}, {{PalletTown, area(10, 1, 5), {}}}, {}};
    const auto full = writeMapEdits(target, readMaps(rom.bytes(), profile), turnOn, "Pallet Town");
    ASSERT_FALSE(full.ok());
    EXPECT_EQ(full.failure().number, FailureNumber::NoRoomInBank);
    EXPECT_EQ(full.failure().description,
              "The wild Pokémon of Pallet Town would need 22 bytes of the free space at the end of bank 3, which has "
              "room for 4: 18 bytes are missing. Nothing was written.");
    const auto changed = writeMapEdits(target, built, {{}, {{Route1, area(1, 1, 1), {}}}, {}}, "Route 1");
    ASSERT_FALSE(changed.ok());
    EXPECT_EQ(changed.failure().number, FailureNumber::RomChanged);
    EXPECT_EQ(fileBytes(path), rom.bytes());
}
