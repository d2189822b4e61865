#pragma once

// The commands of the tavrik binary that need no window:
//   tavrik export ROM [-o FILE]          every battle as JSON, on standard output or into FILE
//   tavrik import ROM FILE [--dry-run]   a JSON file applied to the ROM in place, as one save in its history
//   tavrik patch, apply, checksum        patches and the cartridge's checksums (PatchCommands.h)
//   tavrik undo ROM, redo ROM, history ROM   (HistoryCommand.h)
//   tavrik harder ROM --levels +10% ...       (HarderCommand.h)
// Exit codes: 0 done or nothing to change; 1 the JSON, a value in it or a patch was refused (nothing written);
// 2 the ROM cannot be read or is not supported, or the command line is wrong; 3 a write failed part way.

#include "rom/RomFile.h"
#include "rom/VersionProfile.h"

#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace ExitCode {
constexpr int Refused = 1;
constexpr int Unreadable = 2;
constexpr int WriteFailed = 3;
} // namespace ExitCode

constexpr const char* CommandsHelp =
    "Commands that need no display:\n"
    "  tavrik export ROM [-o FILE]         Writes every battle of ROM as JSON.\n"
    "  tavrik import ROM FILE [--dry-run]  Applies a JSON file to ROM in place.\n"
    "  tavrik undo ROM                     Undoes the newest save of ROM (a window's or an import's).\n"
    "  tavrik redo ROM                     Redoes the save of ROM undone last.\n"
    "  tavrik history ROM                  Lists the saves of ROM that undo and redo walk, newest first.\n"
    "  tavrik harder ROM --levels +10% [--wild +10%] [--standing +10%] [--min-party 4] [--evolve]\n"
    "                [--only-leaders | --all-but-leaders] [--dry-run]\n"
    "                                      Raises the trainers' levels by a share or (+3) by levels, the wild and\n"
    "                                      standing Pokémon's by a share, and fills every party to a least size\n"
    "                                      with its own kind; prints the preview, then saves it as one change.\n"
    "  tavrik pictures ROM DIR [--colour]  Writes every Pokémon and trainer picture of ROM as PNG files.\n"
    "  tavrik maps ROM DIR [--objects]     Writes every map of ROM as PNG files, with --objects also with its\n"
    "                                      people, items, trainers and Pokémon standing on it.\n"
    "  tavrik guide ROM DIR                Writes a guide to the game as ROM now is: a small website of its\n"
    "                                      maps, trainers and wild Pokémon, for a hack's players.\n"
    "  tavrik patch ORIGINAL ROM -o FILE   Writes a patch that turns ORIGINAL into ROM: a BPS patch when FILE\n"
    "                                      ends in .bps, an IPS patch when it ends in .ips.\n"
    "  tavrik apply ORIGINAL PATCH -o OUT  Applies a BPS or IPS patch to ORIGINAL and writes the result as OUT,\n"
    "                                      a new file; ORIGINAL stays as it is.\n"
    "  tavrik checksum ROM [--fix]         Says whether ROM's header and global checksums are right; --fix\n"
    "                                      writes the right ones into ROM (the header's only in a Red, Blue or\n"
    "                                      Yellow that Tavrik recognises).\n";

// The ROM at path and its version; none, after the message the window would show, on err.
std::optional<std::pair<Bytes, const VersionProfile*>> openRom(const std::string& path, std::ostream& err);
// The arguments after the command: all but flag, and whether flag was among them.
std::pair<std::vector<std::string>, bool> splitArguments(const std::vector<std::string>& arguments,
                                                         std::string_view flag);

// Whether the arguments (without the program's name) start with one of the commands.
bool isCommand(const std::vector<std::string>& arguments);
// Runs it; returns the exit code.
int runCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);
