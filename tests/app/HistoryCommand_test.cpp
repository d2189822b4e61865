// tavrik undo, redo and history end to end, through the command the binary runs: an import undone and redone byte
// for byte, the listing, and each refusal with its exit code and nothing written.

#include "TempRom.h"
#include "app/BattleJson.h"
#include "app/CommandLine.h"
#include "rom/DisplayText.h"

#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

namespace {

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

} // namespace

TEST(HistoryCommand, UndoesAndRedoesAnImportAndListsIt)
{
    TempDir dir;
    const Bytes built = SyntheticRom(GameVersion::Red).bytes();
    const std::string rom = dir.writeBytes(built, "red.gb");
    auto document = nlohmann::ordered_json::parse(exportBattles(built, profileOf(GameVersion::Red)));
    document["classes"][33]["parties"][0][1]["level"] = 77;
    document["overworld"][5]["level"] = 99;
    std::ofstream(dir.file("harder.json")) << document.dump();
    EXPECT_EQ(run({"history", rom}).out, "No save of " + rom + " is in its history.\n");
    ASSERT_EQ(run({"import", rom, dir.file("harder.json")}).code, 0);
    const Bytes imported = fileBytes(rom);

    const Outcome listed = run({"history", rom});
    EXPECT_EQ(listed.code, 0);
    EXPECT_NE(listed.out.find("  the import of harder.json: 2 bytes\n"), std::string::npos) << listed.out;
    EXPECT_TRUE(listed.out.ends_with("Next undo: the import of harder.json. Nothing to redo.\n")) << listed.out;
    const Outcome undone = run({"undo", rom});
    EXPECT_EQ(undone.code, 0);
    EXPECT_EQ(undone.out, "Undid the import of harder.json: 2 bytes restored.\n");
    EXPECT_EQ(fileBytes(rom), built);
    EXPECT_NE(
        run({"history", rom}).out.find("2 bytes (undone)\nNothing to undo. Next redo: the import of harder.json."),
        std::string::npos);
    const Outcome nothing = run({"undo", rom});
    EXPECT_EQ(nothing.code, ExitCode::Refused);
    EXPECT_EQ(nothing.err, "No save of " + rom + " is left to undo. Nothing was written.\n");
    EXPECT_EQ(run({"redo", rom}).out, "Redid the import of harder.json: 2 bytes written.\n");
    EXPECT_EQ(fileBytes(rom), imported);

    // Another program's byte where the import wrote: refused, the file as that program left it.
    Bytes changed = imported;
    const std::int32_t level = LayoutOffsets::battle(GameVersion::Red, 5).level;
    changed[static_cast<std::size_t>(level)] = 12;
    dir.writeBytes(changed, "red.gb");
    const Outcome refused = run({"undo", rom});
    EXPECT_EQ(refused.code, ExitCode::Refused);
    EXPECT_NE(refused.err.find("changed at " + hexNumber(level)), std::string::npos) << refused.err;
    EXPECT_EQ(fileBytes(rom), changed);

    for (const std::vector<std::string>& wrong :
         {std::vector<std::string>{"undo"}, {"redo", rom, rom}, {"history", dir.file("missing.gb")}}) {
        EXPECT_EQ(run(wrong).code, ExitCode::Unreadable);
    }
    EXPECT_EQ(fileBytes(rom), changed);
}
