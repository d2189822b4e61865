// The overworld editor's first four battles are the legendaries standing on their maps: found through the maps'
// objects, they are the same bytes for both editors, also after another tool moved a map's objects; where a map
// cannot be read they stay at their fixed places.

#include "MapIds.h"
#include "TempRom.h"
#include "maps/StaticBattles.h"

TEST(OverworldPositions, FollowTheLegendariesObjects)
{
    TempDir dir;
    SyntheticRom rom(GameVersion::Red);
    const VersionProfile& profile = profileOf(GameVersion::Red);
    for (const GameVersion version : {GameVersion::Red, GameVersion::Blue, GameVersion::Yellow}) {
        const BattlePositions found = overworldPositions(SyntheticRom(version).bytes(), profileOf(version));
        for (int battle = 0; battle < OverworldBattleCount; ++battle) {
            EXPECT_EQ(found[static_cast<std::size_t>(battle)].speciesOffset,
                      LayoutOffsets::battle(version, battle).species);
        }
    }
    // Power Plant's object data copied further on in its bank, its header pointing there.
    const MapTable table = readMaps(rom.bytes(), profile);
    const MapRow& plant = *table.row(MapIds::PowerPlant);
    constexpr std::int32_t Moved = 0x1F000;
    const std::int32_t length = plant.objects.back().offset + 7 - plant.objectsOffset;
    rom.put(Moved,
            Bytes(rom.bytes().begin() + plant.objectsOffset, rom.bytes().begin() + plant.objectsOffset + length));
    rom.put(plant.headerOffset + 10 + 11 * static_cast<std::int32_t>(plant.connections.size()), bankPointer(Moved));
    const std::int32_t species = Moved + (plant.objects[8].valuesOffset - plant.objectsOffset);
    EXPECT_EQ(overworldPositions(rom.bytes(), profile)[0].speciesOffset, species);
    const std::string path = dir.write(rom);
    BattleEdits edits;
    edits[0] = BattleValues{9, 66};
    ASSERT_TRUE(writeBattles({path, &profile, requiredRomSize(profile)}, edits, "Zapdos", &overworldPositions));
    const auto zapdos = LayoutOffsets::battle(GameVersion::Red, 0);
    EXPECT_TRUE(
        changedExactly(rom.bytes(), fileBytes(path), {{species, 9}, {species + 1, 66}, {*zapdos.secondSpecies, 9}}));
    // A map that is no map: the fixed place.
    rom.set(plant.headerOffset, 0xFF);
    EXPECT_EQ(overworldPositions(rom.bytes(), profile)[0].speciesOffset, zapdos.species);
}
