#pragma once

// tavrik pictures ROM DIR [--colour]: every Pokémon picture of the ROM as DIR/species/<byte>.png (the
// species bytes 1..190 that have a Pokédex number) and every trainer class's portrait as
// DIR/trainers/<class>.png, each at its own size, in the four greys 255, 170, 85, 0 as 8-bit greyscale or,
// with --colour, in its Super Game Boy colours. Needs no display. Exit codes as the other commands: 0 done,
// 2 the ROM cannot be read or the command line is wrong, 3 a file could not be written.

#include <QDir>
#include <QImage>
#include <iosfwd>
#include <string>
#include <vector>

// The folder a picture command writes its PNG files into, and how many it wrote.
class PictureFolder
{
public:
    PictureFolder(const std::string& path, std::ostream& err) : m_folder(QString::fromStdString(path)), m_err(err) {}

    // false, after saying so on err, when the folder and its subfolder cannot be made.
    bool make(const QString& subfolder);
    // image into file (a path inside the folder). A picture with a problem is named on err with it and left out;
    // false, after saying so on err, when the file cannot be written.
    bool write(const QImage& image, const std::string& problem, const QString& file, const std::string& what);
    int written() const { return m_written; }

private:
    QDir m_folder;
    std::ostream& m_err;
    int m_written = 0;
};

bool isPicturesCommand(const std::vector<std::string>& arguments);
int picturesCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);
