// Export and import as JSON: a round trip writes nothing on every image, one edited value changes exactly its
// bytes, and a bad file is refused whole with every error's JSON path, the ROM unchanged. Through the same
// command the binary runs, with its exit codes.

#include "TempRom.h"
#include "app/BattleJson.h"
#include "app/CommandLine.h"
#include "demo/SyntheticParties.h"

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

Outcome run(const std::vector<std::string>& arguments)
{
    std::ostringstream out;
    std::ostringstream err;
    const int code = runCommand(arguments, out, err);
    return {code, out.str(), err.str()};
}

Json exported(const Bytes& image, GameVersion version)
{
    return Json::parse(exportBattles(image, profileOf(version)));
}

std::string saved(const TempDir& dir, const Json& document, const std::string& name = "edit.json")
{
    std::ofstream(dir.file(name)) << document.dump(2);
    return dir.file(name);
}

} // namespace

TEST(BattleJson, ExportThenImportChangesNothingOnEveryImage)
{
    SyntheticRom changed(GameVersion::Red);
    changed.growParty(0, 50, 7);
    changed.growName(2, 'X');
    SyntheticRom misplaced(GameVersion::Blue);
    misplaced.set(*LayoutOffsets::Blue[5].prizeAmount - 1, 0x00);
    misplaced.put(0x39D3B + 2 * 38, {0x00, 0x80});
    const std::pair<GameVersion, Bytes> images[] = {{GameVersion::Red, SyntheticRom(GameVersion::Red).bytes()},
                                                    {GameVersion::Blue, misplaced.bytes()},
                                                    {GameVersion::Yellow, SyntheticRom(GameVersion::Yellow).bytes()},
                                                    {GameVersion::Red, changed.bytes()}};
    for (const auto& [version, image] : images) {
        SCOPED_TRACE(profileOf(version).code);
        const std::string text = exportBattles(image, profileOf(version));
        EXPECT_EQ(exportBattles(image, profileOf(version)), text);
        const ImportPlan plan = planImport(image, profileOf(version), text);
        EXPECT_TRUE(plan.errors.empty() && plan.steps.empty()) << (plan.errors.empty() ? "" : plan.errors.front());
    }
    // What is not in place is null, and the notes say why.
    const Json blue = exported(misplaced.bytes(), GameVersion::Blue);
    EXPECT_TRUE(blue["leaders"][5]["prize"].is_null() && blue["classes"][38]["parties"].is_null());
    EXPECT_EQ(blue["notes"].size(), 2U);
    EXPECT_EQ(blue["notes"][0], "classes[38].parties is null: its pointer leads out of the trainer bank.");
    // The shared lists are written once, under the class the other points to.
    EXPECT_EQ(blue["classes"][12]["partiesOf"], 14);
    EXPECT_TRUE(blue["classes"][13].contains("parties"));
}

TEST(BattleJson, AnEditedValueChangesExactlyItsBytes)
{
    TempDir dir;
    const SyntheticRom rom(GameVersion::Red);
    const Json document = exported(rom.bytes(), GameVersion::Red);
    const auto& rocky = LayoutOffsets::Red[0];
    const std::int32_t money = 0x39914 + 5 * 33 + 2;
    const auto battle = LayoutOffsets::battle(GameVersion::Red, 5);
    Writes name;
    addText(name, rocky.name, "ROCK");
    name[rocky.name + 4] = 0x7F;
    const std::vector<std::tuple<const char*, std::function<void(Json&)>, Writes, std::string>> edits = {
        {"a level",
         [](Json& d) { d["classes"][33]["parties"][0][1]["level"] = 77; },
         {{rocky.party + 2, 77}},
         "ROCKY party 1: member 2 level 13 → 77"},
        {"a species by name",
         [](Json& d) { d["classes"][33]["parties"][0][0]["species"] = SyntheticRom::speciesName(2); },
         {{rocky.party + 1, 2}},
         "ROCKY party 1: member 1 species " + SyntheticRom::speciesName(1) + " → " + SyntheticRom::speciesName(2)},
        {"the money",
         [](Json& d) { d["classes"][33]["money"] = 1234; },
         {{money, 0x12}, {money + 1, 0x34}},
         "ROCKY: money " + std::to_string(syntheticMoney(34)) + " → 1234"},
        {"a name", [](Json& d) { d["classes"][33]["name"] = "ROCK"; }, name, "ROCKY: name ROCKY → ROCK"},
        {"a prize",
         [](Json& d) {
             d["leaders"][0]["prize"] = {{"item", "HM01"}, {"amount", 9}};
         },
         {{*rocky.prizeAmount, 9}, {*rocky.prizeAmount + 1, 0xC4}},
         "ROCKY: prize item " + SyntheticRom::itemName(1) + " → HM01"},
        {"a special move user",
         [](Json& d) { d["leaders"][1]["specialMove"]["user"] = 1; },
         {{*LayoutOffsets::Red[1].moveUser, 0}},
         "MISTA: special move user 2 → 1"},
        {"an Elite Four move by its byte",
         [](Json& d) { d["leaders"][8]["specialMove"]["move"] = 3; },
         {{*LayoutOffsets::Red[8].move, 3}},
         "LORELAI: special move " + SyntheticRom::moveName(1 + 88 % 165) + " → " + SyntheticRom::moveName(3)},
        {"the champion's first move",
         [](Json& d) { d["championMoves"]["first"] = 3; },
         {{LayoutOffsets::ChampionFirstMove, 3}},
         "Champion: member 1's move " + SyntheticRom::moveName(0x8F) + " → " + SyntheticRom::moveName(3)},
        {"the champion's sixth moves",
         [](Json& d) {
             Json& sixth = d["championMoves"]["sixth"];
             sixth.begin().value() = 4;
             (++sixth.begin()).value() = 5;
             sixth["otherwise"] = 6;
         },
         {{LayoutOffsets::ChampionBulbasaurMove, 4},
          {LayoutOffsets::ChampionCharmanderMove, 5},
          {LayoutOffsets::ChampionOtherwiseMove, 6}},
         "Champion: member 6's move against the rival's " + SyntheticRom::speciesName(0x99) + " " +
             SyntheticRom::moveName(0x48) + " → " + SyntheticRom::moveName(4)},
        {"a battle",
         [](Json& d) {
             d["overworld"][5] = {{"battle", 6}, {"species", 5}, {"level", 99}};
         },
         {{battle.species, 5}, {battle.level, 99}},
         "Route 16 Snorlax: species " + SyntheticRom::speciesName(150) + " → " + SyntheticRom::speciesName(5)}};
    for (const auto& [what, edit, writes, report] : edits) {
        SCOPED_TRACE(what);
        const std::string path = dir.write(rom);
        Json edited = document;
        edit(edited);
        const Outcome result = run({"import", path, saved(dir, edited)});
        EXPECT_EQ(result.code, 0) << result.err;
        EXPECT_TRUE(changedExactly(rom.bytes(), fileBytes(path), writes));
        EXPECT_EQ(result.out.substr(0, result.out.find('\n')), report);
    }
}

// Every error of a file is reported with its path, and nothing is written; so is a plan the bank has no room
// for. The ROM's own troubles end with 2, a write that fails with 3, saying what was written.
TEST(BattleJson, RefusesABadFileWholeNamingEveryPath)
{
    TempDir dir;
    SyntheticRom rom(GameVersion::Red);
    rom.set(*LayoutOffsets::Red[5].prizeAmount - 1, 0x00);
    const std::string path = dir.write(rom);
    Json bad = exported(rom.bytes(), GameVersion::Red);
    Json& rocky = bad["classes"][33];
    rocky["parties"][0][1]["species"] = "ZUBATT";
    rocky["parties"][0][0]["level"] = 0;
    rocky["name"] = "ROCKYROCKY";
    bad["classes"][4]["parties"][0] = Json::array();
    bad["classes"][5]["parties"][0] = Json::array({rocky["parties"][0][1]});
    bad["classes"][5]["parties"][0].insert(bad["classes"][5]["parties"][0].end(), 6, {{"species", 1}, {"level", 2}});
    bad["classes"][6]["parties"].erase(0);
    bad["classes"][7]["money"] = 10000;
    bad["classes"][8]["bogus"] = true;
    bad["classes"][12]["parties"] = bad["classes"][13]["parties"];
    bad["classes"][14]["class"] = 14;
    bad["leaders"][0]["prize"]["item"] = "?????";
    bad["leaders"][5]["prize"] = {{"amount", 3}};
    bad["leaders"][8]["prize"] = {{"amount", 3}};
    bad["overworld"][0]["level"] = 256;
    bad["championMoves"]["first"] = 0;
    bad["championMoves"]["sixth"]["MEW"] = 1;
    const Outcome result = run({"import", path, saved(dir, bad)});
    EXPECT_EQ(result.code, 1);
    for (const char* error : {
             "classes[33].parties[0][1].species: this ROM has no species named \"ZUBATT\"",
             "classes[33].parties[0][0].level: a level of 0 ends a party",
             "classes[33].name: the name takes more than the 5 bytes",
             "classes[4].parties[0]: a party has 1 to 6 members",
             "classes[5].parties[0]: a party has 1 to 6 members",
             "classes[6].parties: this ROM's class has",
             "classes[7].money: a whole number of 0-9999",
             "classes[8].bogus: there is no such key",
             "classes[12].parties: this class shares the parties of class 14",
             "classes[14].class: 14 is given twice",
             "leaders[0].prize.item: the name \"?????\" stands for",
             "leaders[5].prize: the prize is not where the game keeps it",
             "leaders[8].prize: the Elite Four give no prize",
             "overworld[0].level: a whole number of 0-255",
             "championMoves.first: the champion's moves cannot be empty",
             "championMoves.sixth.MEW: there is no such key",
         }) {
        EXPECT_NE(result.err.find(error), std::string::npos) << error << "\n" << result.err;
    }
    EXPECT_EQ(fileBytes(path), rom.bytes());

    // A file of another game, a file that is no JSON, a bank without room: refused, nothing written.
    SyntheticRom full(GameVersion::Red);
    full.put(0x3BBE6, Bytes(1040, 0xC9));
    const std::string fullPath = dir.write(full, "full.gb");
    Json grown = exported(full.bytes(), GameVersion::Red);
    grown["classes"][33]["parties"][0].push_back({{"species", 1}, {"level", 5}});
    const std::vector<std::tuple<std::string, std::string, std::string>> refusals = {
        {path,
         saved(dir, exported(SyntheticRom(GameVersion::Yellow).bytes(), GameVersion::Yellow), "yellow.json"),
         "game: this ROM is RED"},
        {path, dir.writeBytes({'{', '"'}, "broken.json"), "(file): this is not JSON"},
        {path, dir.path.string(), "tavrik: cannot read " + dir.path.string()},
        {path,
         dir.writeBytes({'[', '1', 'e', '4', '0', '0', ']'}, "huge.json"),
         "(file): this is not JSON: number overflow parsing '1e400'"},
        {fullPath,
         saved(dir, grown),
         "classes[33].parties: The trainer parties and the species' evolutions and learnsets would need 4,011 bytes, "
         "more than the 4,009 bytes the trainer bank holds for them: 2 bytes are missing. Nothing was written."}};
    for (const auto& [target, file, error] : refusals) {
        const Bytes before = fileBytes(target);
        const Outcome refused = run({"import", target, file});
        EXPECT_EQ(refused.code, 1);
        EXPECT_NE(refused.err.find(error), std::string::npos) << error << "\n" << refused.err;
        EXPECT_EQ(fileBytes(target), before);
    }
    EXPECT_EQ(run({"export", dir.file("none.gb")}).code, 2);
    EXPECT_EQ(run({"import", dir.writeBytes({1, 2, 3}, "tiny.gb"), path}).err,
              "Unsupported ROM!\nThe file has 3 bytes; Red, Blue and Yellow have 1,048,576.\n");
    EXPECT_EQ(run({"export"}).code, 2);
}

TEST(BattleJson, ReportsEachChangeAndWritesNothingOnADryRunOrALockedFile)
{
    TempDir dir;
    const SyntheticRom rom(GameVersion::Yellow);
    const std::string path = dir.write(rom);
    Json edit = exported(rom.bytes(), GameVersion::Yellow);
    const std::string rocky = SyntheticRom::trainerName(0);
    edit["classes"][33]["parties"][0].push_back({{"species", SyntheticRom::speciesName(9)}, {"level", 10}});
    edit["classes"][33]["parties"][0][0]["level"] = 30;
    const std::string file = saved(dir, edit);
    const std::string lines = rocky + " party 1: member 1 level 12 → 30\n" + rocky + " party 1: member 3 added (" +
                              SyntheticRom::speciesName(9) + ", level 10)\n" + rocky +
                              ": parties moved to free space at 0x3BBBB (8 of 1109 free bytes used)\n";
    const Outcome dry = run({"import", path, file, "--dry-run"});
    EXPECT_EQ(dry.out, lines + "16 bytes would be written; this was a dry run, nothing was written.\n");
    EXPECT_EQ(fileBytes(path), rom.bytes());
    {
        const ImmutableFile locked(path);
        if (locked.active) {
            const Outcome failed = run({"import", path, file});
            EXPECT_EQ(failed.code, 3);
            EXPECT_NE(failed.err.find("Written: nothing"), std::string::npos) << failed.err;
        }
    }
    EXPECT_EQ(fileBytes(path), rom.bytes());
    EXPECT_EQ(run({"import", path, file}).out, lines + "16 bytes written.\n");
    EXPECT_EQ(run({"import", path, file}).out, "Nothing to change.\n");
}

// The champion's moves are null where the instructions around them are not the game's; a value is then refused.
TEST(BattleJson, ChampionMovesOnlyWhereTheCodeIsTheGames)
{
    SyntheticRom rom(GameVersion::Blue);
    EXPECT_FALSE(exported(SyntheticRom(GameVersion::Yellow).bytes(), GameVersion::Yellow).contains("championMoves"));
    const Json released = exported(rom.bytes(), GameVersion::Blue);
    EXPECT_EQ(released["championMoves"]["first"], SyntheticRom::moveName(0x8F));
    EXPECT_EQ(released["championMoves"]["sixth"].size(), 3U);
    rom.set(LayoutOffsets::ChampionBranch, 0x00);
    const Json changed = exported(rom.bytes(), GameVersion::Blue);
    EXPECT_TRUE(changed["championMoves"].is_null());
    EXPECT_EQ(changed["notes"].back(),
              "championMoves is null: the code that gives the champion's moves at 0x39CE9 is "
              "not the game's.");
    const ImportPlan plan = planImport(rom.bytes(), profileOf(GameVersion::Blue), released.dump());
    ASSERT_EQ(plan.errors.size(), 1U);
    EXPECT_EQ(plan.errors[0].substr(0, 30), "championMoves: The code that g");
}

TEST(BattleJson, YellowCustomMovesExportImportAndRefuseWhatTheGameCouldNotRead)
{
    const Bytes before = SyntheticRom(GameVersion::Yellow).bytes();
    const VersionProfile& yellow = profileOf(GameVersion::Yellow);
    Json document = exported(before, GameVersion::Yellow);
    const auto move = [](std::uint8_t byte) { return SyntheticRom::moveName(byte); };
    // The builder's table: {2, 1: (1, 2, 33), (1, 3, 40)}, {35, 1: (2, 2, 57)}, {15, 1: (1, 3, 21), (2, 3, 22)}.
    EXPECT_EQ(document["classes"][34]["customMoves"],
              Json::parse(R"([{"party": 1, "member": 2, "slot": 2, "move": ")" + move(57) + "\"}]"));
    EXPECT_EQ(document["classes"][1]["customMoves"].size(), 2U);
    EXPECT_TRUE(document["classes"][6]["customMoves"].empty());
    EXPECT_FALSE(
        exported(SyntheticRom(GameVersion::Red).bytes(), GameVersion::Red)["classes"][0].contains("customMoves"));

    document["classes"][34]["customMoves"][0] = {{"party", 1}, {"member", 3}, {"slot", 4}, {"move", move(58)}};
    document["classes"][1]["customMoves"] = Json::array();
    document["classes"][6]["customMoves"] = {{{"party", 1}, {"member", 1}, {"slot", 1}, {"move", move(5)}}};
    const ImportPlan plan = planImport(before, yellow, document.dump());
    ASSERT_TRUE(plan.errors.empty()) << plan.errors.front();
    ASSERT_EQ(plan.steps.size(), 1U);
    EXPECT_EQ(plan.steps[0].lines.size(), 3U);
    Bytes after = before;
    applyWritePlan(after, plan.steps[0].plan);
    // Class 35's entry stays where it was, class 2's goes, class 7's comes last; the freed bytes become 0x00.
    Writes writes;
    addBytes(writes, 0x39C6B, {35, 1, 3, 4, 58, 0, 15, 1, 1, 3, 21, 2, 3, 22, 0, 7, 1, 1, 1, 5, 0, 0xFF, 0, 0, 0});
    EXPECT_TRUE(changedExactly(before, after, writes));
    EXPECT_TRUE(planImport(after, yellow, exported(after, GameVersion::Yellow).dump()).steps.empty());

    Json bad = exported(before, GameVersion::Yellow);
    bad["classes"][0]["customMoves"] = {{{"party", 1}, {"member", 7}, {"slot", 0}, {"move", 0}, {"level", 3}}};
    bad["classes"][2]["customMoves"] = {{{"party", 1}}};
    const ImportPlan refused = planImport(before, yellow, bad.dump());
    const std::vector<std::string> expected = {"classes[0].customMoves[0].level: ",
                                               "classes[0].customMoves[0].member: ",
                                               "classes[0].customMoves[0].slot: ",
                                               "classes[0].customMoves[0].move: a move of 0 ends",
                                               "classes[2].customMoves[0]: a custom move has its"};
    ASSERT_EQ(refused.errors.size(), expected.size()) << refused.errors.front();
    for (std::size_t k = 0; k < expected.size(); ++k) {
        EXPECT_EQ(refused.errors[k].substr(0, expected[k].size()), expected[k]) << refused.errors[k];
    }
    Json red = exported(SyntheticRom(GameVersion::Red).bytes(), GameVersion::Red);
    red["classes"][0]["customMoves"] = Json::array();
    const ImportPlan notRed =
        planImport(SyntheticRom(GameVersion::Red).bytes(), profileOf(GameVersion::Red), red.dump());
    ASSERT_EQ(notRed.errors.size(), 1U);
    EXPECT_EQ(notRed.errors[0], "classes[0].customMoves: Pokémon Red keeps no custom moves table");
}
