#include "app/Form1.h"

#include <QApplication>
#include <QCommandLineParser>
#include <cstdio>
#include <cstdlib>

namespace {

void nameApplication()
{
    QCoreApplication::setApplicationName(QStringLiteral("Tavrik"));
    QCoreApplication::setApplicationVersion(QStringLiteral("1.0.1"));
}

// tavrik [--help] [--version] [ROM]: --help and --version answer without a display, as a terminal
// program does; a wrong option is refused the same way.
QString romFromCommandLine(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    nameApplication();
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Edits the gym leader, Elite Four and overworld battles of Pokémon Red, Blue and Yellow ROM files."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(
        QStringLiteral("rom"), QStringLiteral("The ROM to open (.gb or .gbc)."), QStringLiteral("[rom]"));
    parser.process(application);
    const QStringList roms = parser.positionalArguments();
    if (roms.size() > 1) {
        std::fprintf(stderr, "tavrik: one ROM at a time, please\n\n%s", qPrintable(parser.helpText()));
        std::exit(1);
    }
    return roms.isEmpty() ? QString() : roms.front();
}

} // namespace

int main(int argc, char** argv)
{
    const QString rom = romFromCommandLine(argc, argv);
    QApplication app(argc, argv);
    nameApplication();
    QApplication::setDesktopFileName(QStringLiteral("tavrik"));
    Form1 window;
    window.show();
    if (!rom.isEmpty()) {
        window.openRomFile(rom);
    }
    return QApplication::exec();
}
