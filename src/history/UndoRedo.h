#pragma once

// Undo and redo of the saves of a ROM, by its path. An undo writes back the bytes the newest save in effect
// replaced, a redo the bytes the oldest undone save wrote, both at once and fsynced, recorded in the history as
// its saves are. Either refuses, writing nothing, when the file is another ROM now (another size, or another
// title or version code in its header), or when the file's bytes at the save's places are no longer what the
// save left there (for an undo) or found there (for a redo): another program changed them.

#include "history/SaveHistory.h"
#include "rom/Failure.h"

#include <cstdint>
#include <string>

struct HistoryStep
{
    std::string label;
    std::int64_t bytes = 0;
    bool undone = false;

    // "Undid the save of BROCK party 1: 6 bytes restored." or "Redid the save of BROCK party 1: 6 bytes written."
    std::string sentence() const;
};

// The history of the ROM at romPath as it stands now, pending entries settled; empty when no save was recorded.
Result<SaveHistory> readHistory(const std::string& romPath);
Result<HistoryStep> undoSave(const std::string& romPath);
Result<HistoryStep> redoSave(const std::string& romPath);
