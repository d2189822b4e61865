#pragma once

// How a window's save is committed, from the user's settings: whether it keeps the cartridge's global checksum
// right as well (File > Properties), off unless the user turned it on; and the words a save's note adds for it.

#include "history/CommitSave.h"

#include <QString>

bool keepGlobalChecksumSetting();
void setKeepGlobalChecksum(bool on);

// The options of a save made in a window; kind as CommitOptions has it.
CommitOptions windowSaveOptions(const std::string& kind = {});

// " The global checksum was written too." when the save wrote it, else empty: appended to the save's note.
QString checksumNote(const Commit& commit);
