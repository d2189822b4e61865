#include "app/MapsCommand.h"

#include "app/CommandLine.h"
#include "app/PicturesCommand.h"
#include "maps/MapImage.h"
#include "maps/MapLooks.h"

#include <QDir>
#include <ostream>

namespace {

constexpr int Unreadable = 2;
constexpr int WriteFailed = 3;

} // namespace

bool isMapsCommand(const std::vector<std::string>& arguments)
{
    return !arguments.empty() && arguments.front() == "maps";
}

int mapsCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err)
{
    const auto [paths, objects] = splitArguments(arguments, "--objects");
    if (paths.size() != 2) {
        err << "tavrik: maps takes a ROM and a folder\n";
        return Unreadable;
    }
    const auto rom = openRom(paths[0], err);
    if (!rom) {
        return Unreadable;
    }
    const QDir folder(QString::fromStdString(paths[1]));
    if (!folder.mkpath(QStringLiteral("maps"))) {
        err << "tavrik: cannot make the folder maps in " << paths[1] << "\n";
        return WriteFailed;
    }
    const Bytes& image = rom->first;
    MapDrawing drawing(image, rom->second->version);
    int written = 0;
    // One picture into its file; false when the file cannot be written. A picture that cannot be drawn is named
    // on err and left out.
    const auto write = [&](const MapPicture& picture, const QString& file, const std::string& what) {
        if (!picture.sound()) {
            err << what << ": no picture: " << picture.problem << "\n";
            return true;
        }
        if (!savePicture(mapImage(picture), folder.filePath(file), err)) {
            return false;
        }
        ++written;
        return true;
    };
    for (const MapToDraw& map : mapsToDraw(image, *rom->second)) {
        const std::string what = "map " + std::to_string(map.id) + " (" + map.name + ")";
        const MapPicture bare = drawing.bare(map.look);
        if (!write(bare, QStringLiteral("maps/%1.png").arg(map.id), what)) {
            return WriteFailed;
        }
        // A map that cannot be drawn is named once.
        if (objects && bare.sound() &&
            !write(drawing.withPeople(map.look, map.people),
                   QStringLiteral("maps/%1-objects.png").arg(map.id),
                   what + " with its objects")) {
            return WriteFailed;
        }
    }
    out << written << " pictures written.\n";
    return 0;
}
