#pragma once

// tavrik maps ROM DIR [--objects]: every map of the ROM as DIR/maps/<id>.png (the id in decimal, copies of another
// map's header included) and, with --objects, the map with its objects standing on it as DIR/maps/<id>-objects.png,
// 8-bit greyscale in the greys 255, 170, 85, 0. A map that cannot be drawn is named on the error stream with the
// reason and left out. Needs no display. Exit codes as the other commands: 0 done, 2 the ROM cannot be read or
// the command line is wrong, 3 a file could not be written.

#include <iosfwd>
#include <string>
#include <vector>

bool isMapsCommand(const std::vector<std::string>& arguments);
int mapsCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);
