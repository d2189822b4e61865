#include "app/CommandLine.h"
#include "app/Form1.h"
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

// tavrik [--help] [--version] [ROM]: the ROM to open, if any. A wrong option, or more than one ROM, ends the
// program with a message, as --help and --version end it with theirs.
QString romFromCommandLine(const QCoreApplication& application)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Edits the trainer and overworld battles of Pokémon Red, Blue and Yellow ROM files.\n\n") +
        QString::fromUtf8(CommandsHelp));
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

// Whether the command line only asks for text, which needs no window system.
bool onlyPrints(int argc, char** argv)
{
    const std::string_view printing[] = {"-h", "--help", "--help-all", "-v", "--version"};
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
    if (onlyPrints(argc, argv)) {
        QCoreApplication application(argc, argv);
        nameApplication();
        romFromCommandLine(application);
    }
    // The window system's application takes its own options (such as -platform) before the rest is read.
    QApplication app(argc, argv);
    nameApplication();
    QApplication::setDesktopFileName(QStringLiteral("tavrik"));
    const QString rom = romFromCommandLine(app);
    Form1 window;
    window.show();
    if (!rom.isEmpty()) {
        window.openRomFile(rom);
    }
    return QApplication::exec();
}
