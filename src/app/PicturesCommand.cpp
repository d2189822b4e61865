#include "app/PicturesCommand.h"

#include "app/RomSession.h"
#include "pictures/PictureBook.h"

#include <QDir>
#include <ostream>

namespace {

constexpr int Unreadable = 2;
constexpr int WriteFailed = 3;

bool save(const QImage& image, const QString& path, std::ostream& err)
{
    if (image.save(path, "PNG")) {
        return true;
    }
    err << "tavrik: cannot write " << path.toStdString() << "\n";
    return false;
}

} // namespace

bool isPicturesCommand(const std::vector<std::string>& arguments)
{
    return !arguments.empty() && arguments.front() == "pictures";
}

int picturesCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err)
{
    std::vector<std::string> paths;
    bool colour = false;
    for (std::size_t k = 1; k < arguments.size(); ++k) {
        if (arguments[k] == "--colour") {
            colour = true;
        } else {
            paths.push_back(arguments[k]);
        }
    }
    if (paths.size() != 2) {
        err << "tavrik: pictures takes a ROM and a folder\n";
        return Unreadable;
    }
    auto image = readRomImage(paths[0]);
    if (!image) {
        err << "Error: " << image.failure().number << ": " << image.failure().description << "\n";
        return Unreadable;
    }
    const Recognition recognition = recognizeRom(*image);
    if (recognition.profile == nullptr) {
        err << "Unsupported ROM!\n";
        return Unreadable;
    }
    const QDir folder(QString::fromStdString(paths[1]));
    if (!folder.mkpath(QStringLiteral("species")) || !folder.mkpath(QStringLiteral("trainers"))) {
        err << "tavrik: cannot make the folders in " << paths[1] << "\n";
        return WriteFailed;
    }
    PictureBook book;
    book.setImage(*image, recognition.profile->version);
    book.setColour(colour);
    int written = 0;
    for (int species = 1; species <= PictureSpeciesCount; ++species) {
        if (pokedexNumber(*image, recognition.profile->version, species) == 0) {
            continue;
        }
        if (const auto& problem = book.species(species).problem; !problem.empty()) {
            err << "species " << species << ": no picture: " << problem << "\n";
        } else if (!save(book.speciesImage(species),
                         folder.filePath(QStringLiteral("species/%1.png").arg(species)),
                         err)) {
            return WriteFailed;
        } else {
            ++written;
        }
    }
    for (int classNumber = 1; classNumber <= PortraitClassCount; ++classNumber) {
        if (const auto& problem = book.trainer(classNumber).problem; !problem.empty()) {
            err << "trainer class " << classNumber << ": no picture: " << problem << "\n";
        } else if (!save(book.trainerImage(classNumber),
                         folder.filePath(QStringLiteral("trainers/%1.png").arg(classNumber)),
                         err)) {
            return WriteFailed;
        } else {
            ++written;
        }
    }
    out << written << " pictures written.\n";
    return 0;
}
