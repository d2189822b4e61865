#pragma once

// tavrik pictures ROM DIR [--colour]: every Pokémon picture of the ROM as DIR/species/<byte>.png (the
// species bytes 1..190 that have a Pokédex number) and every trainer class's portrait as
// DIR/trainers/<class>.png, each at its own size, in the four greys 255, 170, 85, 0 as 8-bit greyscale or,
// with --colour, in its Super Game Boy colours. Needs no display. Exit codes as the other commands: 0 done,
// 2 the ROM cannot be read or the command line is wrong, 3 a file could not be written.

#include <QImage>
#include <QString>
#include <iosfwd>
#include <string>
#include <vector>

// Writes image as a PNG file at path; false, after saying so on err, when it cannot.
bool savePicture(const QImage& image, const QString& path, std::ostream& err);

bool isPicturesCommand(const std::vector<std::string>& arguments);
int picturesCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);
