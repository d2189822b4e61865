#include "app/PicturesCommand.h"

#include "app/CommandLine.h"
#include "pictures/PictureBook.h"

#include <ostream>

bool PictureFolder::make(const QString& subfolder)
{
    if (m_folder.mkpath(subfolder)) {
        return true;
    }
    m_err << "tavrik: cannot make the folder " << subfolder.toStdString() << " in " << m_folder.path().toStdString()
          << "\n";
    return false;
}

bool PictureFolder::write(const QImage& image, const std::string& problem, const QString& file, const std::string& what)
{
    if (!problem.empty()) {
        m_err << what << ": no picture: " << problem << "\n";
        return true;
    }
    if (!image.save(m_folder.filePath(file), "PNG")) {
        m_err << "tavrik: cannot write " << m_folder.filePath(file).toStdString() << "\n";
        return false;
    }
    ++m_written;
    return true;
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
        return ExitCode::Unreadable;
    }
    const auto rom = openRom(paths[0], err);
    if (!rom) {
        return ExitCode::Unreadable;
    }
    const Bytes& image = rom->first;
    const GameVersion version = rom->second->version;
    PictureFolder folder(paths[1], err);
    if (!folder.make(QStringLiteral("species")) || !folder.make(QStringLiteral("trainers"))) {
        return ExitCode::WriteFailed;
    }
    PictureBook book;
    book.setImage(image, version);
    book.setColour(colour);
    const auto write =
        [&](const DecodedPicture& decoded, const QImage& picture, const QString& file, const std::string& what) {
            return folder.write(picture, decoded.problem, file, what);
        };
    for (int species = 1; species <= PictureSpeciesCount; ++species) {
        if (pokedexNumber(image, version, species) != 0 && !write(book.species(species),
                                                                  book.speciesImage(species),
                                                                  QStringLiteral("species/%1.png").arg(species),
                                                                  "species " + std::to_string(species))) {
            return ExitCode::WriteFailed;
        }
    }
    for (int classNumber = 1; classNumber <= PortraitClassCount; ++classNumber) {
        if (!write(book.trainer(classNumber),
                   book.trainerImage(classNumber),
                   QStringLiteral("trainers/%1.png").arg(classNumber),
                   "trainer class " + std::to_string(classNumber))) {
            return ExitCode::WriteFailed;
        }
    }
    out << folder.written() << " pictures written.\n";
    return 0;
}
