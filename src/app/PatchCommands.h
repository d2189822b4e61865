#pragma once

// The commands that make and apply patches and check a cartridge's checksums, with the exit codes of CommandLine.h:
//   tavrik patch ORIGINAL ROM -o FILE   a BPS or IPS patch (by FILE's name) that turns ORIGINAL into ROM
//   tavrik apply ORIGINAL PATCH -o OUT  ORIGINAL patched, written as OUT, never over ORIGINAL or PATCH
//   tavrik checksum ROM [--fix]         the header and global checksums, right or wrong; --fix writes them
// A refused patch writes nothing; OUT and FILE appear whole or not at all.

#include <iosfwd>
#include <string>
#include <vector>

// The arguments start with the command's name.
int patchCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);
int applyCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);
int checksumCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);
