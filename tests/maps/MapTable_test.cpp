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

// One row's header or object data made implausible in each way the game could not use it: that row is no map, for
// that reason, and every other row reads as before.
TEST(MapTable, ARowTheGameCouldNotUseIsNoMap)
{
    const SyntheticRom built(GameVersion::Yellow);
    const MapTable before = readMaps(built.bytes(), profileOf(GameVersion::Yellow));
    const MapProfile& profile = mapProfile(GameVersion::Yellow);
    constexpr int Route1 = 0x0C;
    const MapRow& route = *before.row(Route1);
    ASSERT_EQ(route.connections.size(), 2U);
    const std::int32_t header = route.headerOffset;
    const std::int32_t objects = route.objectsOffset;
    const std::int32_t objectPointer = header + 10 + 11 * 2;
    const std::int32_t bankEnd = bankStart(route.headerBank) + BankSize;
    const std::vector<std::tuple<const char*, Writes, std::string>> cases = {
        {"tileset", {{header, 25}}, "its tileset 25 is not one of the game's 25"},
        {"height", {{header + 1, 0}}, "its size is 0"},
        {"width", {{header + 2, 0}}, "its size is 0"},
        {"blocks", {{header + 4, 0x3F}}, "its blocks pointer 0x3F"},
        {"script", {{header + 8, 0x80}}, "its script pointer 0x80"},
        {"flags", {{header + 9, 0x1D}}, "its connection flags 0x1D name directions"},
        {"connection", {{header + 10 + 11, 249}}, "it connects to map 0xF9, past the last map"},
        {"objects pointer", {{objectPointer + 1, 0xC0}}, "its object data pointer 0xC0"},
        {"header pointer", {{profile.headerPointers + 2 * Route1 + 1, 0x80}}, "its header pointer 0x80"},
        {"header bank", {{profile.headerBanks + Route1, 0x00}}, "its header bank 0x00 is not a bank of this file"},
        {"bank past the file", {{profile.headerBanks + Route1, 0x40}}, "its header bank 0x40 is not a bank"},
        {"warps", {{objects + 1, 33}}, "it has 33 warps, more than 32"},
        {"signs", {{objects + 2 + 4 * route.warps, 17}}, "it has 17 signs, more than 16"},
        {"objects", {{route.objects.front().offset - 1, 17}}, "it has 17 objects, more than 16"},
        {"objects past the bank",
         {{objectPointer, 0xFA},
          {objectPointer + 1, 0x7F},
          {bankEnd - 6, 0},
          {bankEnd - 5, 0},
          {bankEnd - 4, 0},
          {bankEnd - 3, 1}},
         "its object data runs past the end of its bank"},
        {"header past the bank",
         {{profile.headerPointers + 2 * Route1, 0xF8}, {profile.headerPointers + 2 * Route1 + 1, 0x7F}},
         "its header runs past the end of its bank"},
    };
    for (const auto& [what, writes, problem] : cases) {
        SCOPED_TRACE(what);
        Bytes image = built.bytes();
        for (const auto& [offset, value] : writes) {
            image.at(static_cast<std::size_t>(offset)) = value;
        }
        const MapTable after = readMaps(image, profileOf(GameVersion::Yellow));
        EXPECT_EQ(after.row(Route1)->problem.substr(0, problem.size()), problem);
        EXPECT_TRUE(after.row(Route1)->objects.empty() && after.row(Route1)->wild < 0);
        for (const MapRow& row : after.rows) {
            if (row.id != Route1) {
                EXPECT_EQ(row.problem, before.rows[static_cast<std::size_t>(row.id)].problem);
                EXPECT_EQ(row.objects.size(), before.rows[static_cast<std::size_t>(row.id)].objects.size());
            }
        }
    }
}

// An image cut anywhere reads without a read past its end: the rows it no longer holds are no maps.
TEST(MapTable, ACutImageReadsWhatItHolds)
{
    const Bytes whole = SyntheticRom(GameVersion::Red).bytes();
    for (const std::size_t size : {0x0UL, 0x1B0UL, 0xD0E0UL, 0x45F40UL, 0x7C123UL, 0x90000UL}) {
        SCOPED_TRACE(size);
        const Bytes cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(size));
        const MapTable table = readMaps(cut, profileOf(GameVersion::Red));
        ASSERT_EQ(table.rows.size(), 248U);
        for (const MapRow& row : table.rows) {
            EXPECT_TRUE(!row.isMap() || row.headerOffset + MapHeaderLength <= static_cast<std::int32_t>(size));
        }
        for (const WildTable& wild : table.wild) {
            EXPECT_EQ(wild.length, wildLength(wild.grass, wild.water)) << wild.offset;
            EXPECT_LE(wild.offset + wild.length, static_cast<std::int32_t>(size));
        }
    }
}

// A wild data pointer that leads to a table running past bank 3: that map's wild Pokémon are not read, and no
// table is listed for it.
TEST(MapTable, AWildTablePastItsBankIsNotRead)
{
    SyntheticRom rom(GameVersion::Red);
    constexpr int Route1 = 0x0C;
    rom.put(wildPointerOffset(mapProfile(GameVersion::Red), Route1), {0xF8, 0x7F});
    rom.set(0xFFF8, 5);
    const MapTable table = readMaps(rom.bytes(), profileOf(GameVersion::Red));
    EXPECT_EQ(table.row(Route1)->wild, -1);
    EXPECT_EQ(table.row(Route1)->wildProblem, "its wild Pokémon at 0x0FFF8 run past the end of bank 3");
    // The empty table and every other map's own; Route 1's is no longer led to.
    EXPECT_EQ(table.wild.size(), 48U);
    EXPECT_TRUE(std::all_of(table.wild.begin(), table.wild.end(), [](const WildTable& w) { return w.length > 0; }));
    EXPECT_EQ(table.free.start, 0xFFF9);
}
