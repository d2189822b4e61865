#pragma once

// A history as the text of its file: a line for the ROM, one for its identity, then for each save, oldest first,
// a line of its time and state, one of its label and one for each run of changed bytes in hexadecimal:
//
//   Tavrik history 1
//   rom /home/ash/hacks/red.gb
//   identity 1048576 504F4B454D4F4E2052454400000000FF
//   entry 1717171717 done settled whole -
//   label the save of BROCK party 1
//   run 3A3B6 0C 0F
//
// The path and the label keep a line break, a carriage return and "%" as %0A, %0D and %25. Anything else
// (another first word, a bad number, runs of unequal lengths) makes the whole file unreadable.

#include "history/SaveHistory.h"
#include "rom/Failure.h"

#include <string>
#include <string_view>

std::string historyText(const SaveHistory& history);
// The history text holds; source names the file in the failure.
Result<SaveHistory> parseHistory(std::string_view text, const std::string& source);
