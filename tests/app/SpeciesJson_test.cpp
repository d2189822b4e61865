// The "pokemon" and "moves" sections: an export of a changed ROM imports to nothing, each kind of edited value
// changes exactly its bytes at the test's own offsets with its line in the report, and a bad value is refused with
// its path, the ROM unchanged.

#include "TempRom.h"
#include "app/BattleJson.h"
#include "app/CommandLine.h"
#include "demo/SyntheticPictures.h"
#include "demo/SyntheticSpecies.h"
#include "species/SpeciesData.h"

#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

namespace {

using Json = nlohmann::ordered_json;

struct Outcome
{
    int code;
    std::string out;
    std::string err;
};

Outcome import(const std::string& rom, const std::string& file)
{
    std::ostringstream out;
    std::ostringstream err;
    const int code = runCommand({"import", rom, file}, out, err);
    return {code, out.str(), err.str()};
}

} // namespace

TEST(SpeciesJson, SharedAndBrokenListsExportAndImportToNothing)
{
    SyntheticRom rom(GameVersion::Yellow);
    rom.changeEvosMoves({{{7, 3}}, 20});
    const std::string text = exportBattles(rom.bytes(), profileOf(GameVersion::Yellow));
    const Json document = Json::parse(text);
    const ImportPlan plan = planImport(rom.bytes(), profileOf(GameVersion::Yellow), text);
    EXPECT_TRUE(plan.errors.empty() && plan.steps.empty()) << (plan.errors.empty() ? "" : plan.errors.front());
    EXPECT_EQ(document["pokemon"].size(), 151U);
    EXPECT_EQ(document["moves"].size(), 165U);
    const int number = inventedPokedexNumber(20);
    const Json& broken = document["pokemon"][static_cast<std::size_t>(number - 1)];
    EXPECT_TRUE(broken["learnset"].is_null() && broken["evolutions"].is_null());
    EXPECT_EQ(document["notes"].back(),
              "pokemon[" + std::to_string(number - 1) + "].evolutions and pokemon[" + std::to_string(number - 1) +
                  "].learnset are null: it has no end before the next list or the end of the bank.");
    // A byte no percentage gives stays a byte.
    EXPECT_EQ(document["moves"][16]["accuracy"], (Json{{"byte", 200}}));
}

TEST(SpeciesJson, AnEditedValueChangesExactlyItsBytes)
{
    TempDir dir;
    const SyntheticRom rom(GameVersion::Red);
    const Json document = Json::parse(exportBattles(rom.bytes(), profileOf(GameVersion::Red)));
    const LayoutOffsets::SpeciesTables& at = LayoutOffsets::species(GameVersion::Red);
    const std::int32_t record = LayoutOffsets::baseStats(GameVersion::Red, 1);
    const Json& first = document["pokemon"][0];
    const std::string name = first["species"];
    const int speed = first["speed"];
    const std::int32_t move = at.moves + 6 * 4;
    const std::vector<std::tuple<const char*, std::function<void(Json&)>, Writes, std::string>> edits = {
        {"a base stat",
         [](Json& d) { d["pokemon"][0]["speed"] = d["pokemon"][0]["speed"].get<int>() + 10; },
         {{record + 4, speed + 10}},
         name + ": speed " + std::to_string(speed) + " → " + std::to_string(speed + 10)},
        {"a type by name",
         [](Json& d) { d["pokemon"][0]["types"][1] = syntheticTypeName(0x17); },
         {{record + 7, 0x17}},
         name + ": type 2 "},
        {"a growth rate by name", [](Json& d) { d["pokemon"][0]["growth"] = "SLOW"; }, {{record + 19, 5}}, ""},
        {"the machines",
         [](Json& d) {
             d["pokemon"][0]["tmhm"] = {"TM02", "HM05"};
         },
         {{record + 20, 0x02},
          {record + 21, 0},
          {record + 22, 0},
          {record + 23, 0},
          {record + 24, 0},
          {record + 25, 0},
          {record + 26, 0x40}},
         name + ": TM/HM list changed"},
        {"an accuracy in percent", [](Json& d) { d["moves"][4]["accuracy"] = 85; }, {{move + 4, 216}}, ""},
        {"an accuracy as a byte",
         [](Json& d) {
             d["moves"][4]["accuracy"] = {{"byte", 1}};
         },
         {{move + 4, 1}},
         SyntheticRom::moveName(5) + ": accuracy byte "},
        {"an effect by name",
         [](Json& d) { d["moves"][4]["effect"] = "SWIFT_EFFECT"; },
         {{move + 1, 0x11}},
         SyntheticRom::moveName(5) + ": effect "},
    };
    for (const auto& [what, edit, writes, report] : edits) {
        SCOPED_TRACE(what);
        const std::string path = dir.write(rom);
        Json edited = document;
        edit(edited);
        std::ofstream(dir.file("edit.json")) << edited.dump(2);
        const Outcome result = import(path, dir.file("edit.json"));
        EXPECT_EQ(result.code, 0) << result.err;
        const Bytes after = fileBytes(path);
        Writes expected = writes;
        // Bytes the edit leaves as they were are no change.
        for (auto it = expected.begin(); it != expected.end();) {
            it = rom.at(it->first) == it->second ? expected.erase(it) : std::next(it);
        }
        EXPECT_TRUE(changedExactly(rom.bytes(), after, expected));
        EXPECT_EQ(result.out.rfind(report, 0), 0U) << result.out;
        EXPECT_EQ(import(path, dir.file("edit.json")).out, "Nothing to change.\n");
    }
}

TEST(SpeciesJson, RefusesABadValueNamingItsPath)
{
    TempDir dir;
    const SyntheticRom rom(GameVersion::Red);
    const std::string path = dir.write(rom);
    Json bad = Json::parse(exportBattles(rom.bytes(), profileOf(GameVersion::Red)));
    Json& pokemon = bad["pokemon"];
    pokemon[0]["types"] = {"Type A", "Type A", "Type B"};
    pokemon[1]["growth"] = "VERY_FAST";
    pokemon[2]["tmhm"] = {"TM51"};
    pokemon[3]["learnset"][0]["level"] = 0;
    pokemon[4]["evolutions"] = {{{"by", "magic"}, {"level", 5}, {"into", 3}}};
    pokemon[5]["evolutions"] = {{{"by", "item"}, {"item", 84}, {"level", 1}, {"into", 3}}};
    pokemon[6]["learnset"].push_back({{"level", 20}, {"move", 166}});
    pokemon[7]["types"][0] = 27;
    pokemon[8]["species"] = pokemon[9]["species"];
    bad["moves"][0]["effect"] = "NOPE";
    bad["moves"][1]["accuracy"] = 101;
    bad["moves"][2]["pp"] = 64;
    bad["moves"][3]["move"] = bad["moves"][4]["move"];
    const std::string file = dir.file("bad.json");
    std::ofstream(file) << bad.dump(2);
    const Outcome result = import(path, file);
    EXPECT_EQ(result.code, 1);
    for (const char* error : {
             "pokemon[0].types: a Pokémon has two type bytes",
             "pokemon[1].growth: the game has no constant named \"VERY_FAST\"",
             "pokemon[2].tmhm[0]: a machine is one of TM01-TM50 and HM01-HM05",
             "pokemon[3].learnset[0].level: a level of 0 ends the learnset for the game",
             "pokemon[4].evolutions[0].by: an evolution is by \"level\", \"item\" or \"trade\"",
             "pokemon[5].evolutions[0].item: the byte 84 is no item the game has",
             "].move: a learnset entry teaches one of the game's 165 moves, not the byte 166",
             "pokemon[7].types[0]: the type 27 lies past the game's 27 types",
             "pokemon[9].species: the species is given twice",
             "moves[0].effect: the game has no constant named \"NOPE\"",
             "moves[1].accuracy: a whole number of 0-100",
             "moves[2].pp: the game keeps PP in 6 bits",
             "moves[4].move: each of the game's 165 moves, once",
         }) {
        EXPECT_NE(result.err.find(error), std::string::npos) << error << "\n" << result.err;
    }
    EXPECT_EQ(fileBytes(path), rom.bytes());
}
