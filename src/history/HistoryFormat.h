#pragma once

// A history as the text of its file: a line for the ROM and one for its identity, then one line for each save as
// it stands, oldest first, then the journal: one line for each change since, appended as it happens, so that a
// step costs one short write rather than the whole file.
//
//   Tavrik history 1
//   rom /home/ash/hacks/red.gb
//   identity 1048576 504F4B454D4F4E2052454400000000FF
//   entry 1717171717 done settled whole - 3A3B6:0C0D:0F0E the save of BROCK party 1
//   save 1717171720 difficulty 3A3C0:05:07,3A3C8:10:12 the import of harder.json
//   mark 1 undone settled whole
//   drop 1
//
// An entry line holds a save's time, state, kind ("-" for none), runs (offset, bytes before and after, in
// hexadecimal) and label. A save line adds a new save, pending, as SaveHistory::record does; a mark line gives
// the save at an index (from 0, oldest first) a new state; a drop line removes it. The path, the kind and the label
// keep a line break, a carriage return and "%" as %0A, %0D and %25, and the kind a blank as %20. A last line
// without its line break is a write a crash cut short: it is left out. Any other line that does not read makes the
// whole file unreadable.

#include "history/SaveHistory.h"
#include "rom/Failure.h"

#include <cstddef>
#include <string>
#include <string_view>

// The header and one entry line for each save.
std::string historyText(const SaveHistory& history);
// The journal's lines, each with its line break.
std::string saveLine(const HistoryEntry& entry);
std::string markLine(std::size_t index, const HistoryEntry& entry);
std::string dropLine(std::size_t index);

struct StoredHistory
{
    SaveHistory history;
    // The lines after the entries, and whether the last one was cut short.
    std::size_t journalLines = 0;
    bool cutShort = false;
};

// The history text holds; source names the file in the failure.
Result<StoredHistory> parseHistory(std::string_view text, const std::string& source);
