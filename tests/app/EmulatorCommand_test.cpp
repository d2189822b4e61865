// The emulator's command line: words as a shell splits them, the ROM where %f stands or last, and the
// program found on the PATH the way a shell finds it, with the reason when it is not.

#include "TempRom.h"
#include "app/EmulatorCommand.h"

#include <fstream>

namespace {

std::string executable(const TempDir& dir, const std::string& name, std::filesystem::perms mode)
{
    std::ofstream(dir.file(name)) << "#!/bin/sh\n";
    std::filesystem::permissions(dir.file(name), mode);
    return dir.file(name);
}

} // namespace

TEST(EmulatorCommand, SplitsTheCommandAndPutsTheRomWhereItBelongs)
{
    TempDir dir;
    const std::string emu = executable(dir, "my emu", std::filesystem::perms::owner_all);
    const std::string rom = "/roms/it's a hack.gb";
    const std::pair<std::string, std::vector<std::string>> cases[] = {
        {commandOf(emu), {rom}},
        {commandOf(emu) + "  -f   --scale 2 ", {"-f", "--scale", "2", rom}},
        {commandOf(emu) + " --rom=%f -x", {"--rom=" + rom, "-x"}},
        {commandOf(emu) + " %f %f", {rom, rom}},
        {commandOf(emu) + R"( "a \"b\" c" 'd\e' f\ g '' "")", {R"(a "b" c)", R"(d\e)", "f g", "", "", rom}},
        {"\"" + dir.file("my") + "\"\\ emu\t-z a\\", {"-z", "a\\", rom}},
        {commandOf(emu) + " z\\q", {"zq", rom}},
    };
    for (const auto& [command, arguments] : cases) {
        SCOPED_TRACE(command);
        const EmulatorLaunch launch = emulatorLaunch(command, rom, "");
        EXPECT_EQ(launch.problem, "");
        EXPECT_EQ(launch.program, emu);
        EXPECT_EQ(launch.arguments, arguments);
    }
    const std::pair<std::string, std::string> refused[] = {
        {"  ", "no emulator is set"},
        {commandOf(emu) + " 'open", "a ' quote is not closed"},
        {commandOf(emu) + " \"open", "a \" quote is not closed"},
        {dir.file("missing"), "there is no such file"},
        {dir.file(""), "it is a folder"},
        {executable(dir, "plain", std::filesystem::perms::owner_read | std::filesystem::perms::owner_write),
         "the file is not executable"},
        {"no-such-emulator", "no program of that name is on the PATH"},
    };
    for (const auto& [command, problem] : refused) {
        SCOPED_TRACE(command);
        const EmulatorLaunch launch = emulatorLaunch(command, rom, dir.file(""));
        EXPECT_EQ(launch.problem, problem);
        EXPECT_TRUE(launch.program.empty() && launch.arguments.empty());
    }
}

TEST(EmulatorCommand, FindsTheFirstKnownEmulatorOnThePathAsAShellWould)
{
    TempDir first;
    TempDir second;
    std::filesystem::create_directory(first.file("mgba-qt"));
    executable(first, "mgba", std::filesystem::perms::owner_read);
    executable(first, "mednafen", std::filesystem::perms::owner_all);
    executable(second, "sameboy", std::filesystem::perms::owner_all);
    EXPECT_EQ(firstKnownEmulator(":" + first.file("") + ":" + second.file("") + "::"), "sameboy");
    EXPECT_EQ(firstKnownEmulator(first.file("")), "mednafen");
    // An empty entry is not the current folder.
    const auto current = std::filesystem::current_path();
    std::filesystem::current_path(second.path);
    EXPECT_EQ(firstKnownEmulator(":"), "");
    std::filesystem::current_path(current);
}
