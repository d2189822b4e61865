#pragma once

// How the user's emulator is started on a ROM. The command is stored as one line a shell would read: words
// split at blanks, '...' and "..." quote, a backslash escapes the next character. The ROM's path stands in
// for each %f, or is added as the last argument when there is none. Nothing here starts a process.

#include <array>
#include <string>
#include <string_view>
#include <vector>

// The emulators looked for on the PATH when none is set, best first.
constexpr std::array<std::string_view, 6> KnownEmulators = {
    "mgba-qt", "mgba", "sameboy", "bgb", "visualboyadvance-m", "mednafen"};

struct EmulatorLaunch
{
    std::string program;
    std::vector<std::string> arguments;
    // Why the command cannot be started; empty when it can.
    std::string problem;
};

// The program and its arguments for rom; program is the full path of the file to run.
// path is the PATH variable's value, searched for a program named without a '/'.
EmulatorLaunch emulatorLaunch(std::string_view command, const std::string& rom, std::string_view path);

// The command's words; empty, with the reason in problem, when a quote is left open or nothing is given.
std::vector<std::string> commandWords(std::string_view command, std::string& problem);

// The full path of program: itself when it holds a '/', else the first executable file of that name in
// path's folders (empty entries are skipped, never taken for the current folder). Empty, with the reason in
// problem, when there is none.
std::string findProgram(const std::string& program, std::string_view path, std::string& problem);

// The first of KnownEmulators found on path, by its name; empty when none is.
std::string firstKnownEmulator(std::string_view path);

// A program's path as a command: quoted when it holds blanks, quotes or backslashes.
std::string commandOf(const std::string& program);
