#pragma once

// The user's emulator: the command kept in the settings and its start on a ROM, detached, so that it runs on
// after Tavrik closes. Needs a QCoreApplication for the settings, never a display.

#include <QString>
#include <iosfwd>

// The command chosen with File > Choose Emulator..., or empty.
QString emulatorSetting();
void setEmulatorSetting(const QString& command);

// The first known emulator on the PATH, by its name; empty when none is.
QString emulatorOnPath();

// The program command starts, by the name of its file ("mgba-qt"); the command itself when it has no words.
QString emulatorName(const QString& command);

// Starts command on rom; empty once it runs, else the sentence that says why it does not.
QString startEmulator(const QString& command, const QString& rom);

// tavrik --play ROM: the emulator set, or else the first one on the PATH, on rom, without a question.
// 0 once it runs; 1 with the reason on err when the ROM cannot be read or no emulator can be started.
int playCommand(const QString& rom, std::ostream& err);
