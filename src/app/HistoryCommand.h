#pragma once

// The commands that walk a ROM's history of saves:
//   tavrik undo ROM      restores the bytes the newest save in effect replaced
//   tavrik redo ROM      writes again the bytes of the save undone last
//   tavrik history ROM   lists the saves, newest first, and where undo and redo stand
// Exit codes as the other commands: 0 done; 1 refused with the reason (nothing to undo, the file changed, another
// ROM), nothing written; 2 the ROM or its history cannot be read, or the command line is wrong; 3 a write failed.

#include "history/SaveHistory.h"

#include <iosfwd>
#include <string>
#include <vector>

bool isHistoryCommand(const std::vector<std::string>& arguments);
int historyCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

// The listing of tavrik history: one line a save, newest first, then the next undo and redo.
std::string historyListing(const SaveHistory& history, const std::string& romPath);
