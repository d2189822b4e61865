#include "app/PicturesCommand.h"

#include "app/CommandLine.h"
#include "pictures/PictureBook.h"

#include <QDir>
#include <ostream>

namespace {

constexpr int Unreadable = 2;
constexpr int WriteFailed = 3;

} // namespace

bool savePicture(const QImage& image, const QString& path, std::ostream& err)
{
    if (image.save(path, "PNG")) {
        return true;
    }
    err << "tavrik: cannot write " << path.toStdString() << "\n";
    return false;
}

bool isPicturesCommand(const std::vector<std::string>& arguments)
{
    return !arguments.empty() && arguments.front() == "pictures";
}

int picturesCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err)
{
    const auto [paths, colour] = splitArguments(arguments, "--colour");
    if (paths.size() != 2) {
        err << "tavrik: pictures takes a ROM and a folder\n";
        return Unreadable;
    }
    const auto rom = openRom(paths[0], err);
    if (!rom) {
        return Unreadable;
    }
    const Bytes& image = rom->first;
    const GameVersion version = rom->second->version;
    const QDir folder(QString::fromStdString(paths[1]));
    if (!folder.mkpath(QStringLiteral("species")) || !folder.mkpath(QStringLiteral("trainers"))) {
        err << "tavrik: cannot make the folders in " << paths[1] << "\n";
        return WriteFailed;
    }
    PictureBook book;
    book.setImage(image, version);
    book.setColour(colour);
    int written = 0;
    // One picture into its file; false when the file cannot be written. A picture the ROM does not hold
    // soundly is named on err and left out.
    const auto write =
        [&](const DecodedPicture& decoded, const QImage& picture, const QString& file, const std::string& what) {
            if (!decoded.sound()) {
                err << what << ": no picture: " << decoded.problem << "\n";
                return true;
            }
            if (!savePicture(picture, folder.filePath(file), err)) {
                return false;
            }
            ++written;
            return true;
        };
    for (int species = 1; species <= PictureSpeciesCount; ++species) {
        if (pokedexNumber(image, version, species) != 0 && !write(book.species(species),
                                                                  book.speciesImage(species),
                                                                  QStringLiteral("species/%1.png").arg(species),
                                                                  "species " + std::to_string(species))) {
            return WriteFailed;
        }
    }
    for (int classNumber = 1; classNumber <= PortraitClassCount; ++classNumber) {
        if (!write(book.trainer(classNumber),
                   book.trainerImage(classNumber),
                   QStringLiteral("trainers/%1.png").arg(classNumber),
                   "trainer class " + std::to_string(classNumber))) {
            return WriteFailed;
        }
    }
    out << written << " pictures written.\n";
    return 0;
}
