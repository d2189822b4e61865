#include "app/GuideCommand.h"

#include "app/CommandLine.h"
#include "app/PicturesCommand.h"
#include "battles/GuideBattlers.h"
#include "guide/GuideHtml.h"
#include "maps/MapImage.h"
#include "maps/MapLooks.h"
#include "pictures/PictureBook.h"

#include <QFile>
#include <algorithm>
#include <ostream>

namespace {

bool writeText(const QDir& folder, const std::string& file, const std::string& text, std::ostream& err)
{
    QFile out(folder.filePath(QString::fromStdString(file)));
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        out.write(text.data(), static_cast<qint64>(text.size())) != static_cast<qint64>(text.size()) || !out.flush()) {
        err << "tavrik: cannot write " << out.fileName().toStdString() << "\n";
        return false;
    }
    return true;
}

// The maps drawn with their people; a map that cannot be drawn keeps the reason for its page.
bool writeMaps(const Bytes& image, const VersionProfile& profile, Guide& guide, PictureFolder& pictures)
{
    MapDrawing drawing(image, profile.version);
    const std::vector<MapToDraw> maps = mapsToDraw(image, profile);
    for (GuideMap& page : guide.maps) {
        const auto map =
            std::find_if(maps.begin(), maps.end(), [&page](const MapToDraw& drawn) { return drawn.id == page.id; });
        if (map == maps.end()) {
            page.drawProblem = "its blocks cannot be read";
            continue;
        }
        MapPicture picture = drawing.bare(map->look);
        if (picture.sound()) {
            // People that cannot be drawn leave the bare map, which still shows where everything is.
            MapPicture withPeople = picture;
            if (drawing.addPeople(withPeople, map->people).empty()) {
                picture = std::move(withPeople);
            }
        }
        page.drawProblem = picture.problem;
        page.width = picture.width;
        page.height = picture.height;
        if (!pictures.write(mapImage(picture),
                            picture.problem,
                            QString::fromStdString(mapPictureFile(page.id)),
                            "map " + std::to_string(page.id))) {
            return false;
        }
    }
    return true;
}

} // namespace

bool writeGuide(const Bytes& image,
                const VersionProfile& profile,
                const std::string& folder,
                GuideWritten& written,
                std::ostream& err)
{
    PictureFolder pictures(folder, err);
    if (!pictures.make(QStringLiteral("pictures"))) {
        return false;
    }
    Guide guide = buildGuide(image, profile, guideBattlers(image, profile));
    if (!writeMaps(image, profile, guide, pictures)) {
        return false;
    }
    PictureBook book;
    book.setImage(image, profile.version);
    const GuidePictures wanted = picturesOf(guide);
    GuidePictures shown;
    for (const int species : wanted.species) {
        const std::string& problem = book.species(species).problem;
        if (!pictures.write(book.speciesImage(species),
                            problem,
                            QString::fromStdString(speciesPictureFile(species)),
                            "species " + std::to_string(species))) {
            return false;
        }
        if (problem.empty()) {
            shown.species.insert(species);
        }
    }
    for (const int classNumber : wanted.classes) {
        const std::string& problem = book.trainer(classNumber).problem;
        if (!pictures.write(book.trainerImage(classNumber),
                            problem,
                            QString::fromStdString(trainerPictureFile(classNumber)),
                            "trainer class " + std::to_string(classNumber))) {
            return false;
        }
        if (problem.empty()) {
            shown.classes.insert(classNumber);
        }
    }
    const QDir dir(QString::fromStdString(folder));
    if (!writeText(dir, GuideStyleFile, guideStyle(), err) ||
        !writeText(dir, "index.html", guideIndex(guide, shown), err)) {
        return false;
    }
    written.pages = 1;
    for (const GuideMap& map : guide.maps) {
        if (!writeText(dir, mapPageFile(map.id), guideMapPage(guide, map, shown), err)) {
            return false;
        }
        ++written.pages;
    }
    written.pictures = pictures.written();
    return true;
}

bool isGuideCommand(const std::vector<std::string>& arguments)
{
    return !arguments.empty() && arguments.front() == "guide";
}

int guideCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err)
{
    const std::vector<std::string> paths(arguments.begin() + 1, arguments.end());
    if (paths.size() != 2) {
        err << "tavrik: guide takes a ROM and a folder\n";
        return ExitCode::Unreadable;
    }
    const auto rom = openRom(paths[0], err);
    if (!rom) {
        return ExitCode::Unreadable;
    }
    GuideWritten written;
    if (!writeGuide(rom->first, *rom->second, paths[1], written, err)) {
        return ExitCode::WriteFailed;
    }
    out << written.pages << " pages and " << written.pictures << " pictures written.\n";
    return 0;
}
