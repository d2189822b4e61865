// The maps section of the battles document: an import that turns tables on and off, edits slots and a Pokémon that
// stands on a map changes exactly those bytes and says so line by line; so does one that changes the rods; a file
// without the section imports as before; a bad section is refused whole, every error with its JSON path.

#include "MapIds.h"
#include "TempRom.h"
#include "app/BattleJson.h"
#include "app/CommandLine.h"
#include "maps/MapTable.h"

#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

namespace {

using namespace MapIds;

using Json = nlohmann::ordered_json;

std::pair<int, std::string> import(const TempDir& dir, const std::string& rom, const Json& document)
{
    std::ofstream(dir.file("maps.json")) << document.dump(2);
    std::ostringstream out;
    std::ostringstream err;
    const int code = runCommand({"import", rom, dir.file("maps.json")}, out, err);
    return {code, out.str() + err.str()};
}

Json& entry(Json& document, int map)
{
    for (Json& item : document["maps"]) {
        if (item["map"] == map) {
            return item;
        }
    }
    throw std::logic_error("no such map in the export");
}

Json slots(int firstSpecies, int level)
{
    Json all = Json::array();
    for (int k = 0; k < WildSlotCount; ++k) {
        all.push_back({{"species", SyntheticRom::speciesName(firstSpecies + k)}, {"level", level}});
    }
    return all;
}

} // namespace

TEST(MapJson, ImportTurnsTablesOnAndOffAndSaysEachChange)
{
    TempDir dir;
    const SyntheticRom rom(GameVersion::Red);
    const MapTable table = readMaps(rom.bytes(), profileOf(GameVersion::Red));
    const std::string path = dir.write(rom);
    Json document = Json::parse(exportBattles(rom.bytes(), profileOf(GameVersion::Red)));
    entry(document, PalletTown)["grass"] = {{"rate", 10}, {"slots", slots(1, 5)}};
    Json& slot3 = entry(document, Route1)["grass"]["slots"][2];
    const WildSlot was = table.wildOf(Route1)->grass.slot[2];
    slot3 = {{"species", SyntheticRom::speciesName(2)}, {"level", 9}};
    entry(document, Route3)["water"] = {{"rate", 0}, {"slots", Json::array()}};
    // An entry gives only what it changes: object 3 keeps its level, Route 3 gives no objects.
    entry(document, Route3).erase("pokemon");
    entry(document, PowerPlant)["pokemon"] = Json::array({{{"object", 3}, {"species", 7}}});
    // The other sections are left out: only the maps change.
    for (const char* key : {"classes", "leaders", "overworld"}) {
        document.erase(key);
    }
    const auto [code, out] = import(dir, path, document);
    EXPECT_EQ(code, 0) << out;
    const std::string route1 = "Route 1: grass slot 3 ";
    EXPECT_EQ(out,
              "Power Plant: object 3 species " + SyntheticRom::speciesName(6) + " → " + SyntheticRom::speciesName(7) +
                  "\nPallet Town: grass turned on (22 bytes in free space at "
                  "0xFC5A)\n" +
                  route1 + "species " + SyntheticRom::speciesName(was.species) + " → " + SyntheticRom::speciesName(2) +
                  "\n" + route1 + "level " + std::to_string(was.level) +
                  " → 9\nRoute 3: water turned off\nPallet Town: grass slot 5 is " + SyntheticRom::speciesName(5) +
                  ", a species without a Pokédex number: the game may show it oddly\n64 bytes written.\n");
    Writes writes{{table.row(PowerPlant)->objects[2].valuesOffset, 7},
                  {table.wildOf(Route1)->offset + 5, 9},
                  {table.wildOf(Route1)->offset + 6, 2},
                  {0xCEEB, 0x5A},
                  {0xCEEC, 0x7C},
                  {0xFC5A, 10}};
    for (int k = 0; k < WildSlotCount; ++k) {
        writes[0xFC5B + 2 * k] = 5;
        writes[0xFC5C + 2 * k] = static_cast<std::uint8_t>(1 + k);
    }
    writes[0xFC5A + 21] = 0;
    for (std::int32_t at = table.wildOf(Route3)->offset + 21; at < table.wildOf(Route3)->offset + 42; ++at) {
        writes[at] = 0;
    }
    EXPECT_TRUE(changedExactly(rom.bytes(), fileBytes(path), writes));
    EXPECT_EQ(import(dir, path, document).second, "Nothing to change.\n");
}

TEST(MapJson, RefusesABadSectionWholeNamingEveryPath)
{
    TempDir dir;
    const SyntheticRom rom(GameVersion::Red);
    const std::string path = dir.write(rom);
    Json bad = Json::parse(exportBattles(rom.bytes(), profileOf(GameVersion::Red)));
    Json& maps = bad["maps"];
    const auto index = [&](int map) { return &entry(bad, map) - &maps[0]; };
    const std::string pallet = "maps[" + std::to_string(index(PalletTown)) + "]";
    const std::string route1 = "maps[" + std::to_string(index(Route1)) + "]";
    const std::string plant = "maps[" + std::to_string(index(PowerPlant)) + "]";
    entry(bad, PalletTown)["grass"] = {{"rate", 5}, {"slots", Json::array({{{"species", 1}, {"level", 5}}})}};
    entry(bad, PalletTown)["water"] = {{"rate", 0}, {"slots", slots(1, 5)}};
    entry(bad, PalletTown)["bogus"] = 1;
    Json& grass = entry(bad, Route1)["grass"];
    grass["slots"][2]["species"] = 0;
    grass["slots"][4]["level"] = 101;
    entry(bad, Route1)["trainers"][0]["party"] = 99;
    entry(bad, 0x1F)["grass"] = grass;
    entry(bad, 0x1F)["wildOf"] = 12;
    entry(bad, 0x45)["pokemon"] = Json::array();
    Json& pokemon = entry(bad, PowerPlant)["pokemon"];
    pokemon[0]["x"] = 63;
    pokemon[1]["species"] = 0;
    pokemon[2]["object"] = 10;
    pokemon[8]["species"] = 3;
    bad["overworld"][0]["species"] = 4;
    maps.push_back({{"map", 11}});
    maps.push_back({{"map", 0}});
    const auto [code, out] = import(dir, path, bad);
    EXPECT_EQ(code, 1);
    const std::string plantPokemon = plant + ".pokemon";
    for (const std::string& error : std::vector<std::string>{
             pallet + ".grass.slots: a rate of 1-255 needs exactly 10 slots",
             pallet + ".water.slots: a rate of 0 keeps no slots: give []",
             pallet + ".bogus: there is no such key",
             route1 + ".grass.slots[2].species: species 0 is no Pokémon",
             route1 + ".grass.slots[4].level: a whole number of 1-100",
             route1 + ".trainers: a map's trainers are as the ROM has them",
             "].grass: this map's wild Pokémon are map 30's: give them there",
             "].wildOf: this map's wild Pokémon are map 30's",
             "].pokemon: this map is a copy of map 62",
             plantPokemon + "[0].x: the object stands at x 9",
             plantPokemon + "[1].species: species 0 is no Pokémon",
             plantPokemon + "[2].object: object 10 of this map is no Pokémon",
             "overworld[0].species: " + plantPokemon + "[8].species is the same byte of the ROM",
             "].map: map 11 is no map of this ROM (its tileset",
             "].map: 0 is given twice",
         }) {
        EXPECT_NE(out.find(error), std::string::npos) << error << "\n" << out;
    }
    EXPECT_EQ(fileBytes(path), rom.bytes());
    // A bank without room: refused at the entry of the map that would move.
    SyntheticRom full(GameVersion::Red);
    full.put(0xFC4A, Bytes(940, 0xC9));
    const std::string fullPath = dir.write(full, "full.gb");
    Json turnOn = Json::parse(exportBattles(full.bytes(), profileOf(GameVersion::Red)));
    entry(turnOn, PalletTown)["grass"] = {{"rate", 10}, {"slots", slots(1, 5)}};
    const auto [fullCode, fullOut] = import(dir, fullPath, turnOn);
    EXPECT_EQ(fullCode, 1);
    EXPECT_NE(fullOut.find("maps[0]: The wild Pokémon of Pallet Town would need 22 bytes"), std::string::npos)
        << fullOut;
    EXPECT_EQ(fileBytes(fullPath), full.bytes());
}

// The rods in the document: each map's super rod and the rods after the maps; an unchanged export imports to
// nothing; a shared group edited in every entry that shares it, a group made a map's own, a new row and the Old Rod
// change exactly those bytes, line by line; Yellow's rows in bank 0x3D too; and a bad value is refused with its path.
TEST(MapJson, FishingRoundTripsAndImportsEachChange)
{
    TempDir dir;
    for (const GameVersion version : {GameVersion::Red, GameVersion::Yellow}) {
        SCOPED_TRACE(profileOf(version).code);
        const VersionProfile& profile = profileOf(version);
        const SyntheticRom rom(version);
        const std::string path = dir.write(rom);
        const MapTable table = readMaps(rom.bytes(), profile);
        const std::string text = exportBattles(rom.bytes(), profile);
        EXPECT_NE(text.find("\n  ],\n  \"rods\": {\n    \"old\": {\"species\": "), std::string::npos);
        Json document = Json::parse(text);
        EXPECT_EQ(entry(document, Route1)["fishing"], Json::parse(R"({"slots": []})"));
        EXPECT_EQ(entry(document, CeruleanCity)["fishing"]["sharedWith"],
                  version == GameVersion::Yellow ? Json::array() : Json::array({15, 35, 36, 65}));
        EXPECT_EQ(import(dir, path, document).second, "Nothing to change.\n");
        // The shared group's first slot, in every entry that gives it; the Old Rod.
        const LayoutOffsets::Rods& at = LayoutOffsets::rods(version);
        const SuperRodGroup& group = *table.fishing.superRod.groupOf(Route4);
        for (const int map : group.maps) {
            entry(document, map)["fishing"]["slots"][0]["level"] = 77;
        }
        document["rods"]["old"]["level"] = 9;
        const auto [code, out] = import(dir, path, document);
        EXPECT_EQ(code, 0) << out;
        const std::string wasLevel = std::to_string(group.pokemon[0].level);
        std::string report;
        for (const int map : group.maps) {
            report += std::string(table.row(map)->name) + ": super rod slot 1 level " + wasLevel + " → 77\n";
        }
        EXPECT_EQ(out, report + "Old Rod: level 5 → 9\n2 bytes written.\n");
        // A group's first level follows its count; a Yellow row's follows its first species.
        const std::int32_t level = group.offset + 1;
        EXPECT_TRUE(changedExactly(rom.bytes(), fileBytes(path), {{level, 77}, {at.oldRodInstruction + 2, 9}}));
        // A map given Pokémon it had none of; in Red a group made its own.
        entry(document, Route1)["fishing"]["slots"] = Json::array();
        for (int k = 0; k < 4; ++k) {
            entry(document, Route1)["fishing"]["slots"].push_back({{"species", 3 + k}, {"level", 20 + k}});
        }
        if (version != GameVersion::Yellow) {
            entry(document, CeruleanCity)["fishing"]["sharedWith"] = Json::array();
            entry(document, CeruleanCity)["fishing"]["slots"][0]["level"] = 78;
        }
        const auto [moved, movedOut] = import(dir, path, document);
        EXPECT_EQ(moved, 0) << movedOut;
        EXPECT_NE(movedOut.find("Route 1: super rod slot 1 added (" + SyntheticRom::speciesName(3) + ", level 20)" +
                                (version == GameVersion::Yellow ? "\n" : " (9 bytes")),
                  std::string::npos)
            << movedOut;
        EXPECT_NE(movedOut.find("The super rod's rows moved to free space at "), std::string::npos) << movedOut;
        const MapTable now = readMaps(fileBytes(path), profile);
        EXPECT_EQ(now.fishing.superRod.groupOf(Route1)->pokemon[3], (WildSlot{23, 6}));
        EXPECT_EQ(now.fishing.superRod.groupOf(CeruleanCity)->pokemon[0].level,
                  version == GameVersion::Yellow ? table.fishing.superRod.groupOf(CeruleanCity)->pokemon[0].level : 78);
        EXPECT_EQ(now.fishing.superRod.groupOf(Route4)->pokemon[0].level, 77);
        const Json again = Json::parse(exportBattles(fileBytes(path), profile));
        EXPECT_EQ(import(dir, path, again).second, "Nothing to change.\n");
    }
}

TEST(MapJson, RefusesBadFishingNamingEveryPath)
{
    TempDir dir;
    for (const GameVersion version : {GameVersion::Red, GameVersion::Yellow}) {
        SCOPED_TRACE(profileOf(version).code);
        const SyntheticRom rom(version);
        const std::string path = dir.write(rom);
        Json bad = Json::parse(exportBattles(rom.bytes(), profileOf(version)));
        const auto pathOf = [&](int map) {
            return "maps[" + std::to_string(&entry(bad, map) - &bad["maps"][0]) + "].fishing";
        };
        entry(bad, Route1)["fishing"]["slots"] = Json::array({{{"species", 0}, {"level", 5}}});
        entry(bad, Route4)["fishing"]["bogus"] = 1;
        entry(bad, 0x45)["fishing"] = {{"slots", Json::array()}};
        bad["rods"]["good"].push_back(bad["rods"]["good"][0]);
        bad["rods"]["old"]["level"] = 101;
        const auto [code, out] = import(dir, path, bad);
        EXPECT_EQ(code, 1);
        for (const std::string& error : std::vector<std::string>{
                 pathOf(Route1) + (version == GameVersion::Yellow ? ".slots: exactly 4 slots were expected"
                                                                  : ".slots[0].species: species 0 is no Pokémon"),
                 pathOf(Route4) + ".bogus: there is no such key",
                 "].fishing: this map is a copy of map 62",
                 "rods.good: exactly 2 slots were expected",
                 "rods.old.level: a whole number of 1-100",
             }) {
            EXPECT_NE(out.find(error), std::string::npos) << error << "\n" << out;
        }
        EXPECT_EQ(fileBytes(path), rom.bytes());
    }
    // Two entries that share a group and ask for different Pokémon.
    const SyntheticRom red(GameVersion::Red);
    const std::string path = dir.write(red, "red.gb");
    Json differ = Json::parse(exportBattles(red.bytes(), profileOf(GameVersion::Red)));
    entry(differ, Route4)["fishing"]["slots"][0]["level"] = 50;
    const auto [code, out] = import(dir, path, differ);
    EXPECT_EQ(code, 1);
    EXPECT_NE(out.find(".fishing: Route 4 shares its super rod Pokémon with other maps, and they were given "
                       "Pokémon that differ."),
              std::string::npos)
        << out;
    EXPECT_EQ(fileBytes(path), red.bytes());
}
