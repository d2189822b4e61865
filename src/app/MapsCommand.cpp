#include "app/MapsCommand.h"

#include "app/CommandLine.h"
#include "app/PicturesCommand.h"
#include "maps/MapImage.h"
#include "maps/MapLooks.h"

#include <ostream>

bool isMapsCommand(const std::vector<std::string>& arguments)
{
    return !arguments.empty() && arguments.front() == "maps";
}

int mapsCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err)
{
    const auto [paths, objects] = splitArguments(arguments, "--objects");
    if (paths.size() != 2) {
        err << "tavrik: maps takes a ROM and a folder\n";
        return ExitCode::Unreadable;
    }
    const auto rom = openRom(paths[0], err);
    if (!rom) {
        return ExitCode::Unreadable;
    }
    PictureFolder folder(paths[1], err);
    if (!folder.make(QStringLiteral("maps"))) {
        return ExitCode::WriteFailed;
    }
    const Bytes& image = rom->first;
    MapDrawing drawing(image, rom->second->version);
    const auto write = [&](const MapPicture& picture, const QString& file, const std::string& what) {
        return folder.write(mapImage(picture), picture.problem, file, what);
    };
    for (const MapToDraw& map : mapsToDraw(image, *rom->second)) {
        const std::string what = "map " + std::to_string(map.id) + " (" + map.name + ")";
        const MapPicture bare = drawing.bare(map.look);
        if (!write(bare, QStringLiteral("maps/%1.png").arg(map.id), what)) {
            return ExitCode::WriteFailed;
        }
        // A map that cannot be drawn is named once.
        if (!objects || !bare.sound()) {
            continue;
        }
        MapPicture withPeople = bare;
        withPeople.problem = drawing.addPeople(withPeople, map.people);
        if (!write(withPeople, QStringLiteral("maps/%1-objects.png").arg(map.id), what + " with its objects")) {
            return ExitCode::WriteFailed;
        }
    }
    out << folder.written() << " pictures written.\n";
    return 0;
}
