// tavrik harder end to end: the dry run prints the preview and writes nothing, the run writes exactly what the plan
// writes and says so, a second run is told of the first, and a wrong command line writes nothing.

#include "TempRom.h"
#include "app/CommandLine.h"
#include "app/HarderCommand.h"
#include "difficulty/DifficultyPlan.h"

#include <sstream>

namespace {

std::pair<int, std::string> run(const std::vector<std::string>& arguments)
{
    std::ostringstream out;
    const int code = runCommand(arguments, out, out);
    return {code, out.str()};
}

} // namespace

TEST(HarderCommand, ReadsRaises)
{
    const std::vector<std::pair<std::string, std::optional<LevelRaise>>> cases = {{"+10%", LevelRaise{true, 10}},
                                                                                  {"10%", LevelRaise{true, 10}},
                                                                                  {"+3", LevelRaise{false, 3}},
                                                                                  {"-5%", LevelRaise{true, -5}},
                                                                                  {"", std::nullopt},
                                                                                  {"%", std::nullopt},
                                                                                  {"+x%", std::nullopt},
                                                                                  {"10%%", std::nullopt},
                                                                                  {"+101", std::nullopt},
                                                                                  {"3 ", std::nullopt}};
    for (const auto& [text, raise] : cases) {
        EXPECT_EQ(readRaise(text), raise) << text;
    }
}

TEST(HarderCommand, DryRunPrintsThePreviewAndTheRunWritesIt)
{
    const TempDir dir;
    const Bytes built = SyntheticRom(GameVersion::Red).bytes();
    const std::string rom = dir.writeBytes(built, "red.gb");
    const std::vector<std::string> harder = {"harder", rom, "--levels", "+10%", "--wild", "+10%", "--min-party", "4"};
    std::vector<std::string> dry = harder;
    dry.push_back("--dry-run");
    const auto [code, said] = run(dry);
    EXPECT_EQ(code, 0);
    EXPECT_TRUE(said.ends_with("bytes would be written; this was a dry run, nothing was written.\n")) << said;
    EXPECT_NE(said.find("Trainer bank: "), std::string::npos) << said;
    EXPECT_NE(said.find("prize "), std::string::npos) << said;
    EXPECT_NE(said.find("\nThe trainer bank would be laid out anew to make room.\n"), std::string::npos) << said;
    EXPECT_EQ(said.find("earlier difficulty change"), std::string::npos) << said;
    EXPECT_EQ(fileBytes(rom), built);

    const auto [written, saidWritten] = run(harder);
    EXPECT_EQ(written, 0) << saidWritten;
    DifficultyOptions options;
    options.trainers = {true, 10};
    options.wildPercent = 10;
    options.minParty = 4;
    const DifficultyRom read = readDifficultyRom(built, profileOf(GameVersion::Red), false);
    Bytes planned = built;
    applyWritePlan(planned, planDifficultyWrites(read, planDifficulty(read, options))->plan);
    EXPECT_NE(planned, built);
    EXPECT_EQ(fileBytes(rom), planned);
    EXPECT_TRUE(saidWritten.ends_with(" bytes written.\n")) << saidWritten;

    // Again: told of the first change, and raised on top of it.
    const auto [again, saidAgain] = run(dry);
    EXPECT_EQ(again, 0);
    EXPECT_TRUE(saidAgain.starts_with("This ROM's history holds an earlier difficulty change")) << saidAgain;
    EXPECT_EQ(fileBytes(rom), planned);
}

TEST(HarderCommand, ARefusalSaysWhyAndWritesNothing)
{
    const TempDir dir;
    SyntheticRom built(GameVersion::Red);
    const FreeSpace free = readPartyTable(built.bytes(), profileOf(GameVersion::Red)).free;
    built.put(free.start, Bytes(static_cast<std::size_t>(free.length), 0x77));
    const std::string rom = dir.write(built, "full.gb");
    const auto [code, said] = run({"harder", rom, "--levels", "+5", "--min-party", "6"});
    EXPECT_EQ(code, ExitCode::Refused);
    EXPECT_TRUE(said.ends_with("Nothing was written.\n")) << said;
    EXPECT_NE(said.find("it does not fit."), std::string::npos) << said;
    EXPECT_EQ(fileBytes(rom), built.bytes());
}

TEST(HarderCommand, AWrongCommandLineWritesNothing)
{
    const TempDir dir;
    const Bytes built = SyntheticRom(GameVersion::Yellow).bytes();
    const std::string rom = dir.writeBytes(built, "yellow.gb");
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"harder", rom, "--levels", "lots"}, "--levels takes +N% or +N levels, not lots"},
        {{"harder", rom, "--wild", "+3"}, "--wild takes a share such as +10%, not +3"},
        {{"harder", rom, "--min-party", "7"}, "--min-party takes 0 to 6, not 7"},
        {{"harder", rom, "--levels"}, "--levels takes a value"},
        {{"harder", rom, "--harder"}, "harder has no option --harder"},
        {{"harder", rom, rom}, "harder takes one ROM"},
    };
    for (const auto& [arguments, why] : cases) {
        const auto [code, said] = run(arguments);
        EXPECT_EQ(code, ExitCode::Unreadable) << why;
        EXPECT_TRUE(said.starts_with("tavrik: " + why + "\n")) << said;
    }
    EXPECT_EQ(fileBytes(rom), built);
}
