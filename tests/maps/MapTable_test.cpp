// Every map of every synthetic image reads as the builder laid it, and a row whose header or object data the game
// could not use is no map, for the reason it fails, whatever its bytes.

#include "TempRom.h"
#include "demo/SyntheticMaps.h"
#include "maps/MapTable.h"

#include <tuple>

namespace {

constexpr GameVersion AllVersions[] = {GameVersion::Red, GameVersion::Blue, GameVersion::Yellow};

auto contentOf(const MapObject& o)
{
    return std::tuple(o.number,
                      o.sprite,
                      o.x,
                      o.y,
                      o.movement,
                      o.rangeOrFacing,
                      o.text,
                      o.kind,
                      o.classNumber,
                      o.party,
                      o.species,
                      o.level,
                      o.item);
}

void expectReadAsPlanned(const MapRow& row, const PlannedMap& planned)
{
    ASSERT_EQ(row.isMap(), !planned.junk) << row.problem;
    EXPECT_EQ(row.copyOf, planned.copyOf);
    if (planned.junk || planned.copyOf) {
        EXPECT_TRUE(row.objects.empty());
        return;
    }
    EXPECT_EQ(
        std::tuple(row.tileset, row.height, row.width, row.borderBlock, row.warps, row.signs),
        std::tuple(planned.tileset, planned.height, planned.width, planned.borderBlock, planned.warps, planned.signs));
    ASSERT_EQ(row.connections.size(), planned.connections.size());
    for (std::size_t k = 0; k < row.connections.size(); ++k) {
        EXPECT_EQ(row.connections[k].direction, planned.connections[k].direction);
        EXPECT_EQ(row.connections[k].map, planned.connections[k].map);
    }
    ASSERT_EQ(row.objects.size(), planned.objects.size());
    for (std::size_t k = 0; k < row.objects.size(); ++k) {
        EXPECT_EQ(contentOf(row.objects[k]), contentOf(planned.objects[k])) << "object " << k + 1;
    }
}

} // namespace

TEST(MapTable, EveryMapReadsAsBuilt)
{
    for (const GameVersion version : AllVersions) {
        SCOPED_TRACE(profileOf(version).code);
        const SyntheticRom rom(version);
        const SyntheticMapPlan plan = syntheticMapPlan(rom.bytes(), version);
        const MapTable table = readMaps(rom.bytes(), profileOf(version));
        ASSERT_EQ(table.rows.size(), plan.maps.size());
        std::map<std::pair<int, int>, int> parties;
        int junk = 0;
        int pokemon = 0;
        std::set<int> connectionCounts;
        for (const MapRow& row : table.rows) {
            SCOPED_TRACE(std::string(row.name));
            const PlannedMap& planned = plan.maps[static_cast<std::size_t>(row.id)];
            expectReadAsPlanned(row, planned);
            junk += row.isMap() ? 0 : 1;
            connectionCounts.insert(static_cast<int>(row.connections.size()));
            for (const MapObject& object : row.objects) {
                parties[{object.classNumber, object.party}] += object.kind == ObjectKind::Trainer ? 1 : 0;
                pokemon += object.kind == ObjectKind::Pokemon ? 1 : 0;
                if (object.kind == ObjectKind::Pokemon || object.kind == ObjectKind::Trainer) {
                    EXPECT_EQ(object.valuesOffset, object.offset + 6);
                }
            }
            if (!row.isMap()) {
                continue;
            }
            // The wild Pokémon as built, and every map that shares them.
            const WildTable* wild = table.wildOf(row.id);
            ASSERT_NE(wild, nullptr) << row.wildProblem;
            const auto& [grass, water] = plan.wild[static_cast<std::size_t>(planned.wild)];
            EXPECT_TRUE(wild->grass == grass && wild->water == water);
            for (const int other : wild->maps) {
                EXPECT_EQ(plan.maps[static_cast<std::size_t>(other)].wild, planned.wild);
            }
        }
        EXPECT_EQ(junk, 22);
        EXPECT_EQ(connectionCounts, (std::set<int>{0, 1, 2, 3, 4}));
        EXPECT_EQ(pokemon, 12);
        EXPECT_EQ(std::count_if(parties.begin(), parties.end(), [](const auto& used) { return used.second == 2; }), 5);
        // One empty table most maps share, one shared by two routes; the rest each a map's own.
        EXPECT_EQ(table.wild.size(), plan.wild.size());
        EXPECT_GT(table.wild.front().maps.size(), 150U);
        EXPECT_EQ(table.wildOf(0x1E), table.wildOf(0x1F));
        EXPECT_EQ(table.wildOf(0x1E)->maps.size(), 2U);
        EXPECT_TRUE(table.wildProblem.empty());
        EXPECT_EQ(table.chances.chances, (std::array<int, 10>{51, 51, 39, 25, 25, 25, 13, 13, 11, 3}));
        EXPECT_EQ(table.free.start, releasedWildFreeSpace(version));
        EXPECT_EQ(table.free.length, 0x10000 - releasedWildFreeSpace(version));
    }
}
