// A save of the rods changes exactly the bytes the game reads for what was edited: a group shrunk where it lies, a
// wild table and a group made a map's own moved into the free space in one save; and it writes nothing at all when it
// refuses: slots the table cannot hold, a copy, a shared group asked for twice, a full bank, a file changed since.

#include "MapIds.h"
#include "TempRom.h"
#include "maps/MapSave.h"

namespace {

using namespace MapIds;

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

// The window's tests save the other edits through the same planner.
std::vector<Case> redCases(const MapTable& table)
{
    const SuperRod& rod = table.fishing.superRod;
    const SuperRodGroup& cerulean = *rod.groupOf(CeruleanCity);
    const std::int32_t free = table.free.placeAt();
    Writes shrunk;
    addBytes(shrunk, cerulean.offset, Bytes{1, 9, 9, 0, 0, 0, 0});
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
        {"shrunk: in place, the freed bytes zeroed", {{}, {}, superRod(Route24, {{9, 9}})}, shrunk, "", ""},
        {"a wild table and a group in one save",
         {{}, {{PalletTown, pallet, {}}}, ownGroup(CeruleanCity)},
         both,
         "",
         "Pallet Town's wild Pokémon moved to free space at 0xFC5A: 22 of 950 free bytes used."},
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

std::vector<Case> yellowCases()
{
    return {{"three slots",
             {{}, {}, superRod(Route1, {{5, 5}, {5, 5}, {5, 5}})},
             {},
             "Route 1: the super rod holds 4 Pokémon a map in this game, not 3.",
             ""}};
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
        const auto saved = writeMapEdits({path, &profile, requiredRomSize(profile)}, loaded, c.edits, "the rods");
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

TEST(FishingSave, WritesExactlyWhatWasEditedOrNothing)
{
    runCases(GameVersion::Red, redCases(readMaps(SyntheticRom(GameVersion::Red).bytes(), profileOf(GameVersion::Red))));
    runCases(GameVersion::Yellow, yellowCases());
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
        const auto full = writeMapEdits(target, loaded, addRow, "the rods");
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
        const auto changed = writeMapEdits(target, loaded, {{}, {}, {{}, WildSlot{5, 5}, {}}}, "the rods");
        ASSERT_FALSE(changed.ok());
        EXPECT_EQ(changed.failure().number, FailureNumber::RomChanged);
        EXPECT_EQ(fileBytes(path), rom.bytes());
    }
}
