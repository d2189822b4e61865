#include "app/CommandLine.h"
#include "app/Emulator.h"
#include "app/Form1.h"
#include "app/GuideCommand.h"
#include "app/MapsCommand.h"
#include "app/PicturesCommand.h"

#include <QApplication>
#include <QCommandLineParser>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string_view>

namespace {

void nameApplication()
{
    QCoreApplication::setOrganizationName(QStringLiteral("Tavrik"));
    QCoreApplication::setApplicationName(QStringLiteral("Tavrik"));
    QCoreApplication::setApplicationVersion(QStringLiteral("1.0.1"));
}

struct Launch
{
    QString rom;
    bool play = false;
};

// tavrik [--help] [--version] [--play] [ROM]: the ROM to open, if any, and whether to start the emulator on it
// instead. A wrong option, or more than one ROM, ends the program with a message, as --help and --version end
// it with theirs.
Launch readCommandLine(const QCoreApplication& application)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral(
            "Edits every trainer, wild and overworld battle of Pokémon Red, Blue and Yellow ROM files.\n\n") +
        QString::fromUtf8(CommandsHelp));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption play(
        QStringLiteral("play"),
        QStringLiteral("Starts the emulator on the ROM and ends: the one chosen with File > Choose Emulator..., or "
                       "else the first known one on the PATH. No window, no question."));
    parser.addOption(play);
    parser.addPositionalArgument(
        QStringLiteral("rom"), QStringLiteral("The ROM to open (.gb or .gbc)."), QStringLiteral("[rom]"));
    parser.process(application);
    const QStringList roms = parser.positionalArguments();
    if (roms.size() > 1 || (parser.isSet(play) && roms.isEmpty())) {
        std::fprintf(stderr,
                     "tavrik: %s\n\n%s",
                     roms.isEmpty() ? "--play takes the ROM to start" : "one ROM at a time, please",
                     qPrintable(parser.helpText()));
        std::exit(1);
    }
    return {roms.isEmpty() ? QString() : roms.front(), parser.isSet(play)};
}

// Whether the command line only asks for text or for the emulator, which need no window system.
bool needsNoDisplay(int argc, char** argv)
{
    const std::string_view printing[] = {"-h", "--help", "--help-all", "-v", "--version", "--play"};
    return std::any_of(argv + 1, argv + argc, [&](const char* argument) {
        return std::find(std::begin(printing), std::end(printing), argument) != std::end(printing);
    });
}

} // namespace

int main(int argc, char** argv)
{
    // The commands work on files alone: no window system, no Qt application.
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    if (isCommand(arguments)) {
        return runCommand(arguments, std::cout, std::cerr);
    }
    if (isPicturesCommand(arguments)) {
        return picturesCommand(arguments, std::cout, std::cerr);
    }
    if (isMapsCommand(arguments)) {
        return mapsCommand(arguments, std::cout, std::cerr);
    }
    if (isGuideCommand(arguments)) {
        return guideCommand(arguments, std::cout, std::cerr);
    }
    if (needsNoDisplay(argc, argv)) {
        QCoreApplication application(argc, argv);
        nameApplication();
        const Launch launch = readCommandLine(application);
        if (launch.play) {
            return playCommand(launch.rom, std::cerr);
        }
    }
    // The window system's application takes its own options (such as -platform) before the rest is read.
    QApplication app(argc, argv);
    nameApplication();
    QApplication::setDesktopFileName(QStringLiteral("tavrik"));
    const Launch launch = readCommandLine(app);
    Form1 window;
    window.show();
    if (!launch.rom.isEmpty()) {
        window.openRomFile(launch.rom);
    }
    return QApplication::exec();
}
