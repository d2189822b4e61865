// A save of the rods changes exactly the bytes the game reads for what was edited: a shared group in place for all its
// maps, a group made a map's own in the free space with only that map's row repointed, a group grown and moved with
// every row, a new row with the rows moved whole, Yellow's rows in bank 0x3D, the Old and Good Rods where their code
// reads them, and a wild table and a group moved in one save; and it writes nothing at all when it refuses.

#include "MapIds.h"
#include "TempRom.h"
#include "maps/MapSave.h"
#include "rom/DisplayText.h"

namespace {

using namespace MapIds;

void addBytes(Writes& writes, std::int32_t offset, const Bytes& bytes)
{
    for (const std::uint8_t byte : bytes) {
        writes[offset++] = byte;
    }
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

FishingEdits superRod(int map, std::vector<WildSlot> slots, bool own = false)
{
    return {{{map, std::move(slots), own}}, {}, {}};
}

// The map's group made its own, its Pokémon as they are.
FishingEdits ownGroup(int map)
{
    return {{{map, std::nullopt, true}}, {}, {}};
}

std::vector<Case> redCases(const MapTable& table)
{
    const LayoutOffsets::Rods& at = LayoutOffsets::RedBlueRods;
    const SuperRod& rod = table.fishing.superRod;
    const SuperRodGroup& cerulean = *rod.groupOf(CeruleanCity);
    const SuperRodGroup& route22 = *rod.groupOf(Route22);
    const std::int32_t free = table.free.placeAt();
    std::vector<WildSlot> slot2 = cerulean.pokemon;
    slot2[1] = {33, 44};
    const std::vector<WildSlot> four{{20, 60}, {21, 61}, {22, 62}, {23, 63}};
    Writes own;
    addBytes(own, free, groupBytes(slot2));
    addBytes(own, rod.rowOf(CeruleanCity)->offset + 1, bankPointer(free));
    Writes grown;
    addBytes(grown, free, groupBytes(four));
    addBytes(grown, rod.rowOf(Route22)->offset + 1, bankPointer(free));
    addBytes(grown, route22.offset, Bytes(5, 0x00));
    Writes shrunk;
    addBytes(shrunk, cerulean.offset, Bytes{1, 9, 9, 0, 0, 0, 0});
    // A new row: its group first, then the rows, one row longer, behind it; the old rows cleared.
    const std::vector<WildSlot> two{{12, 70}, {14, 71}};
    Writes added;
    addBytes(added, at.superRodRows, Bytes(100, 0x00));
    addBytes(added, free, groupBytes(two));
    Bytes rows(static_cast<std::size_t>(table.fishing.superRod.length - 1));
    std::copy_n(SyntheticRom(GameVersion::Red).bytes().begin() + at.superRodRows, rows.size(), rows.begin());
    const Bytes pointer = bankPointer(free);
    rows.insert(rows.end(), {Route1, pointer[0], pointer[1], 0xFF});
    addBytes(added, free + 5 + 16, rows);
    addBytes(added, at.superRodPointer, bankPointer(free + 5 + 16));
    // A wild table turned on and a group made its own share the free space, one behind the other.
    WildArea pallet;
    pallet.rate = 9;
    pallet.slot.fill({4, 5});
    Writes both;
    addBytes(both, free, wildBytes(pallet, {}));
    addBytes(both, wildPointerOffset(mapProfile(GameVersion::Red), PalletTown), bankPointer(free));
    addBytes(both, free + 22 + 16, groupBytes(cerulean.pokemon));
    addBytes(both, rod.rowOf(CeruleanCity)->offset + 1, bankPointer(free + 22 + 16));
    return {
        {"a shared group, in place for all its maps",
         {{}, {}, superRod(Route4, slot2)},
         {{cerulean.offset + 3, 33}, {cerulean.offset + 4, 44}},
         "",
         ""},
        {"made its own: a copy, only its row repointed",
         {{}, {}, superRod(CeruleanCity, slot2, true)},
         own,
         "",
         "Cerulean City's super rod Pokémon moved to free space at 0xFC5A: 7 of 950 free bytes used."},
        {"grown: moved, its row following",
         {{}, {}, superRod(Route22, four)},
         grown,
         "",
         "Route 22's super rod Pokémon moved to free space at 0xFC5A: 9 of 950 free bytes used."},
        {"shrunk: in place, the freed bytes zeroed", {{}, {}, superRod(Route24, {{9, 9}})}, shrunk, "", ""},
        {"a map without a row gets one",
         {{}, {}, superRod(Route1, two)},
         added,
         "",
         "Route 1's super rod Pokémon moved to free space at 0xFC5A: 5 of 950 free bytes used."},
        {"the Old Rod",
         {{}, {}, {{}, WildSlot{7, 77}, {}}},
         {{at.oldRodInstruction + 1, 77}, {at.oldRodInstruction + 2, 7}},
         "",
         ""},
        {"the Good Rod",
         {{}, {}, {{}, {}, std::vector<WildSlot>{{11, 1}, {12, 2}}}},
         {{at.goodRodTable, 11}, {at.goodRodTable + 1, 1}, {at.goodRodTable + 2, 12}, {at.goodRodTable + 3, 2}},
         "",
         ""},
        {"a wild table and a group in one save",
         {{}, {{PalletTown, pallet, {}}}, ownGroup(CeruleanCity)},
         both,
         "",
         "Pallet Town's wild Pokémon moved to free space at 0xFC5A: 22 of 950 free bytes used."},
        {"species 0", {{}, {}, superRod(Route4, {{5, 0}})}, {}, "Route 4: super rod slot 1 has species 0", ""},
        {"five slots",
         {{}, {}, superRod(Route4, std::vector<WildSlot>(5, {5, 5}))},
         {},
         "Route 4: the super rod holds 1 to 4 Pokémon in this game, not 5.",
         ""},
        {"a copy",
         {{}, {}, superRod(0x45, {{5, 5}})},
         {},
         "Cerulean Trashed House (copy)'s super rod Pokémon are left alone",
         ""},
        {"a shared group given twice otherwise",
         {{},
          {},
          {{{Route4, std::vector<WildSlot>{{5, 5}}, false}, {CeruleanCity, std::vector<WildSlot>{{6, 6}}, false}},
           {},
           {}}},
         {},
         "Cerulean City shares its super rod Pokémon with other maps, and they were given Pokémon that differ.",
         ""},
        {"a Good Rod level 0",
         {{}, {}, {{}, {}, std::vector<WildSlot>{{11, 1}, {0, 2}}}},
         {},
         "Good Rod slot 2 has level 0",
         ""},
    };
}

std::vector<Case> yellowCases(const MapTable& table, const Bytes& image)
{
    const LayoutOffsets::Rods& at = LayoutOffsets::YellowRods;
    // Cerulean City's is the third row: its map id, then four (species, level) pairs.
    const std::int32_t cerulean = at.superRodRows + 2 * 9;
    const std::int32_t free = trailingFreeSpace(image, bankRange(at.superRodBank)).placeAt();
    const std::vector<WildSlot> four{{20, 60}, {21, 61}, {22, 62}, {23, 63}};
    Writes added;
    addBytes(added, at.superRodRows, Bytes(31 * 9 + 1, 0x00));
    Bytes rows(image.begin() + at.superRodRows, image.begin() + at.superRodRows + 31 * 9);
    rows.insert(rows.end(), {Route1, 60, 20, 61, 21, 62, 22, 63, 23, 0xFF});
    addBytes(added, free, rows);
    addBytes(added, at.superRodPointer, bankPointer(free));
    std::vector<WildSlot> slot4 = table.fishing.superRod.groupOf(CeruleanCity)->pokemon;
    slot4[3] = {50, 150};
    return {
        {"a row's Pokémon in place",
         {{}, {}, superRod(CeruleanCity, slot4)},
         {{cerulean + 7, 150}, {cerulean + 8, 50}},
         "",
         ""},
        {"a map without a row gets one in bank 0x3D",
         {{}, {}, superRod(Route1, four)},
         added,
         "",
         "The super rod's rows moved to free space at " + hexNumber(free) + ": 289 of " +
             groupedNumber(bankRange(at.superRodBank).end - free + 16) + " free bytes used."},
        {"three slots",
         {{}, {}, superRod(Route1, {{5, 5}, {5, 5}, {5, 5}})},
         {},
         "Route 1: the super rod holds 4 Pokémon a map in this game, not 3.",
         ""},
        {"the Old Rod",
         {{}, {}, {{}, WildSlot{9, 99}, {}}},
         {{at.oldRodInstruction + 1, 99}, {at.oldRodInstruction + 2, 9}},
         "",
         ""},
    };
}

void runCases(GameVersion version, const std::vector<Case>& cases)
{
    TempDir dir;
    const SyntheticRom rom(version);
    const VersionProfile& profile = profileOf(version);
    const MapTable loaded = readMaps(rom.bytes(), profile);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string path = dir.write(rom);
        const auto saved = writeMapEdits({path, &profile, requiredRomSize(profile)}, loaded, c.edits);
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
    }
}

} // namespace

TEST(FishingSave, RedWritesExactlyWhatWasEditedOrNothing)
{
    runCases(GameVersion::Red, redCases(readMaps(SyntheticRom(GameVersion::Red).bytes(), profileOf(GameVersion::Red))));
}

TEST(FishingSave, YellowWritesExactlyWhatWasEditedOrNothing)
{
    const SyntheticRom rom(GameVersion::Yellow);
    runCases(GameVersion::Yellow, yellowCases(readMaps(rom.bytes(), profileOf(GameVersion::Yellow)), rom.bytes()));
}

// A full bank refuses a new row with the bytes missing, in both banks the rows may move to; a file whose rods changed
// since they were read refuses the save. Nothing is written.
TEST(FishingSave, RefusesAFullBankOrAChangedFile)
{
    TempDir dir;
    for (const GameVersion version : {GameVersion::Red, GameVersion::Yellow}) {
        SCOPED_TRACE(profileOf(version).code);
        const VersionProfile& profile = profileOf(version);
        SyntheticRom rom(version);
        const int bank = LayoutOffsets::rods(version).superRodBank;
        const FreeSpace free = trailingFreeSpace(rom.bytes(), bankRange(bank));
        rom.put(free.start, Bytes(static_cast<std::size_t>(free.length - 20), 0xC9));
        const std::string path = dir.write(rom);
        const RomTarget target{path, &profile, requiredRomSize(profile)};
        const MapTable loaded = readMaps(rom.bytes(), profile);
        const MapEdits addRow{{}, {}, superRod(Route1, std::vector<WildSlot>(4, {5, 5}))};
        const auto full = writeMapEdits(target, loaded, addRow);
        ASSERT_FALSE(full.ok());
        EXPECT_EQ(full.failure().number, FailureNumber::NoRoomInBank);
        EXPECT_EQ(full.failure().description,
                  version == GameVersion::Yellow
                      ? "The super rod's rows and the Pokémon of Route 1 would need 289 bytes of the free space at the "
                        "end of bank 0x3D, which has room for 4: 285 bytes are missing. Nothing was written."
                      : "The super rod's rows and the Pokémon of Route 1 would need 128 bytes of the free space at the "
                        "end of bank 3, which has room for 4: 124 bytes are missing. Nothing was written.");
        rom.set(LayoutOffsets::rods(version).oldRodInstruction + 1, 0x42);
        dir.write(rom);
        const auto changed = writeMapEdits(target, loaded, {{}, {}, {{}, WildSlot{5, 5}, {}}});
        ASSERT_FALSE(changed.ok());
        EXPECT_EQ(changed.failure().number, FailureNumber::RomChanged);
        EXPECT_EQ(fileBytes(path), rom.bytes());
    }
}
