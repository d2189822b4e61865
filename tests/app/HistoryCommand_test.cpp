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

// The exit code, and what was written to standard output and standard error.
std::pair<int, std::string> run(const std::vector<std::string>& arguments)
{
    std::ostringstream out;
    const int code = runCommand(arguments, out, out);
    return {code, out.str()};
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
    using Said = std::pair<int, std::string>;
    EXPECT_EQ(run({"history", rom}), Said(0, "No save of " + rom + " is in its history.\n"));
    ASSERT_EQ(run({"import", rom, dir.file("harder.json")}).first, 0);
    const Bytes imported = fileBytes(rom);
    const std::string listed = run({"history", rom}).second;
    EXPECT_NE(listed.find("  the import of harder.json: 2 bytes\n"), std::string::npos) << listed;
    EXPECT_TRUE(listed.ends_with("Next undo: the import of harder.json. Nothing to redo.\n")) << listed;
    EXPECT_EQ(run({"undo", rom}), Said(0, "Undid the import of harder.json: 2 bytes restored.\n"));
    EXPECT_EQ(fileBytes(rom), built);
    EXPECT_TRUE(run({"history", rom})
                    .second.ends_with("2 bytes (undone)\nNothing to undo. Next redo: the import of harder.json.\n"));
    EXPECT_EQ(run({"undo", rom}),
              Said(ExitCode::Refused, "No save of " + rom + " is left to undo. Nothing was written.\n"));
    EXPECT_EQ(run({"redo", rom}), Said(0, "Redid the import of harder.json: 2 bytes written.\n"));
    EXPECT_EQ(fileBytes(rom), imported);
    // Another program's byte where the import wrote: refused, the file as that program left it.
    Bytes changed = imported;
    const std::int32_t level = LayoutOffsets::battle(GameVersion::Red, 5).level;
    changed[static_cast<std::size_t>(level)] = 12;
    dir.writeBytes(changed, "red.gb");
    const auto [code, said] = run({"undo", rom});
    EXPECT_EQ(code, ExitCode::Refused);
    EXPECT_NE(said.find("changed at " + hexNumber(level)), std::string::npos) << said;
    for (const std::vector<std::string>& wrong :
         {std::vector<std::string>{"undo"}, {"redo", rom, rom}, {"history", dir.file("missing.gb")}}) {
        EXPECT_EQ(run(wrong).first, ExitCode::Unreadable);
    }
    EXPECT_EQ(fileBytes(rom), changed);
}
