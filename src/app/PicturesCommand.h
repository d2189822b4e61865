#pragma once

// tavrik pictures ROM DIR [--colour]: every Pokémon picture of the ROM as DIR/species/<byte>.png (the
// species bytes 1..190 that have a Pokédex number) and every trainer class's portrait as
// DIR/trainers/<class>.png, each at its own size, in the four greys 255, 170, 85, 0 as 8-bit greyscale or,
// with --colour, in its Super Game Boy colours. Needs no display. Exit codes as the other commands: 0 done,
// 2 the ROM cannot be read or the command line is wrong, 3 a file could not be written.

#include <iosfwd>
#include <string>
#include <vector>

bool isPicturesCommand(const std::vector<std::string>& arguments);
int picturesCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);
