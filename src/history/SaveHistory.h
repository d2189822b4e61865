#pragma once

// The saves made to one ROM, oldest first, as undo and redo walk them: the bytes each save replaced and wrote,
// what it was, when, and whether it is undone. Undone saves are always the newest: a new save drops them, and
// the history keeps the last HistoryLimit saves. This is the history as values; HistoryStore reads and writes it.

#include "rom/RomFile.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Consecutive bytes a save changed: before and after have the same length and differ at every byte.
struct ChangedRun
{
    std::int32_t offset = 0;
    Bytes before;
    Bytes after;

    bool operator==(const ChangedRun&) const = default;
};

// What tells one ROM from another at the same path: its size and the 16 bytes of its header's title field
// (0x134-0x143, which hold the version code). No save of Tavrik changes either.
struct RomIdentity
{
    std::int64_t size = 0;
    Bytes title;

    bool operator==(const RomIdentity&) const = default;
};

constexpr std::int32_t TitleOffset = 0x134;
constexpr std::int32_t TitleLength = 16;

RomIdentity identityOf(const Bytes& image);

// A write of an entry's bytes (its save, its undo or its redo) that began, and whose end the history has not
// seen yet: a crash came in between. Opening the history settles it by looking at the file.
enum class Pending
{
    None,
    Save,
    Undo,
    Redo
};

struct HistoryEntry
{
    // Seconds since 1970-01-01 UTC.
    std::int64_t time = 0;
    // What was saved, as the sentences name it: "the save of BROCK party 1", "the import of hack.json".
    std::string label;
    // A word the caller gives saves of one sort ("difficulty"), or empty.
    std::string kind;
    std::vector<ChangedRun> runs;
    bool undone = false;
    Pending pending = Pending::None;
    // A write of these bytes was cut short: each byte may hold its before or its after value. Such an entry is
    // never undone, and its undo restores every before byte.
    bool mixed = false;

    std::int64_t bytes() const;
    bool operator==(const HistoryEntry&) const = default;
};

constexpr std::size_t HistoryLimit = 50;

class SaveHistory
{
public:
    SaveHistory() = default;
    SaveHistory(std::string romPath, RomIdentity identity);

    // The ROM's canonical path, and the ROM the saves were made to.
    const std::string& romPath() const { return m_romPath; }
    const RomIdentity& identity() const { return m_identity; }
    // Oldest first.
    const std::vector<HistoryEntry>& entries() const { return m_entries; }

    bool canUndo() const { return nextUndo() != nullptr; }
    bool canRedo() const { return nextRedo() != nullptr; }
    // The save the next undo restores, or the next redo writes again; nullptr when there is none.
    const HistoryEntry* nextUndo() const;
    const HistoryEntry* nextRedo() const;
    // Whether a save of kind is in effect: recorded and not undone.
    bool holdsKind(std::string_view kind) const;

    // The history of the ROM the entries belong to, edited by the store.
    std::vector<HistoryEntry>& entries() { return m_entries; }
    HistoryEntry* nextUndo();
    HistoryEntry* nextRedo();
    // Drops the undone saves, then adds entry as the newest, then the oldest beyond HistoryLimit.
    void record(HistoryEntry entry);
    // Forgets every save: the file at the path is another ROM now.
    void restart(RomIdentity identity);

private:
    std::string m_romPath;
    RomIdentity m_identity;
    std::vector<HistoryEntry> m_entries;
};
