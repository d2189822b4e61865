#include "app/Emulator.h"

#include "app/CommandLine.h"
#include "app/EmulatorCommand.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <ostream>

namespace {

const QString EmulatorKey = QStringLiteral("emulator/command");

std::string pathVariable()
{
    return qEnvironmentVariable("PATH").toStdString();
}

} // namespace

QString emulatorSetting()
{
    return QSettings().value(EmulatorKey).toString();
}

void setEmulatorSetting(const QString& command)
{
    QSettings().setValue(EmulatorKey, command);
}

QString emulatorOnPath()
{
    return QString::fromStdString(firstKnownEmulator(pathVariable()));
}

QString emulatorName(const QString& command)
{
    std::string problem;
    const std::vector<std::string> words = commandWords(command.toStdString(), problem);
    return words.empty() ? command.trimmed() : QFileInfo(QString::fromStdString(words.front())).fileName();
}

QString startEmulator(const QString& command, const QString& rom)
{
    const QFileInfo file(rom);
    const EmulatorLaunch launch =
        emulatorLaunch(command.toStdString(), file.absoluteFilePath().toStdString(), pathVariable());
    const auto why = [&command](const QString& reason) {
        return QStringLiteral("Tavrik could not start %1: %2").arg(command.trimmed(), reason);
    };
    if (!launch.problem.empty()) {
        return why(QString::fromStdString(launch.problem));
    }
    QProcess process;
    process.setProgram(QString::fromStdString(launch.program));
    QStringList arguments;
    for (const std::string& argument : launch.arguments) {
        arguments << QString::fromStdString(argument);
    }
    process.setArguments(arguments);
    // Beside the ROM, where emulators keep the game's saves; nothing to read from Tavrik's input.
    process.setWorkingDirectory(file.absolutePath());
    process.setStandardInputFile(QProcess::nullDevice());
    return process.startDetached() ? QString() : why(process.errorString());
}

int playCommand(const QString& rom, std::ostream& err)
{
    if (!openRom(rom.toStdString(), err)) {
        return 1;
    }
    QString command = emulatorSetting();
    if (command.trimmed().isEmpty()) {
        command = emulatorOnPath();
    }
    if (command.isEmpty()) {
        err << "tavrik: no emulator is set, and none of";
        for (const std::string_view name : KnownEmulators) {
            err << (name == KnownEmulators.front() ? " " : name == KnownEmulators.back() ? " and " : ", ") << name;
        }
        err << " is on the PATH; choose one with File > Choose Emulator...\n";
        return 1;
    }
    const QString why = startEmulator(command, rom);
    if (!why.isEmpty()) {
        err << "tavrik: " << why.toStdString() << "\n";
        return 1;
    }
    return 0;
}
