#pragma once

// One ROM's history while a save, an undo or a redo works on it: read from its file under the histories' lock,
// pending entries settled against the ROM, each change appended to the file's journal and flushed to disk, and
// now and then the whole history written anew (a temporary file, fsync, rename, the folder's fsync).
//
// Every write of recorded bytes goes: the entry marked pending in the history, on disk; then the ROM written and
// fsynced; then the entry marked settled, on disk. A crash anywhere leaves a history that the next open settles by
// looking at the ROM: the bytes a pending entry would write are all there, it happened; the bytes it would replace
// are all there, it did not; a mix, the entry stays, marked so that its undo restores exactly the bytes the save
// replaced.

#include "history/HistoryFolder.h"
#include "history/SaveHistory.h"
#include "rom/WritePlan.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

// Tests stand a crash in here. The seam is asked before each run of a recorded write with the number of runs
// written so far, and once more after the last run and the ROM's fsync; true stops the write there, as a power cut
// would, with the history's entry left pending. No seam: nothing stops.
using CrashSeam = std::function<bool(std::size_t runsWritten)>;
void setCrashSeam(CrashSeam seam);

// How far the runs of a plan got.
struct RomWrite
{
    WriteStatus failure;
    // Runs written whole: all of them when only the fsync failed.
    std::size_t runsWritten = 0;
    // The crash seam stopped it.
    bool crashed = false;
};

// The runs of plan into file, in order, through the crash seam, then fsync.
RomWrite writeRuns(RomFile& file, const WritePlan& plan);

// Where the file's bytes stand at the places of an entry: the offset of the first byte that is not its after
// value, not its before value, and neither; none for each that every byte is.
struct FileBytes
{
    std::optional<std::int32_t> notAfter;
    std::optional<std::int32_t> notBefore;
    std::optional<std::int32_t> neither;
};
Result<FileBytes> compareFile(RomFile& file, const HistoryEntry& entry);
Result<RomIdentity> identityOfFile(RomFile& file);

class HistoryStore
{
public:
    // Locks the histories, reads the history of the ROM at romPath and settles its pending entries against the
    // file. A history that cannot be read opens empty, with the reason in unreadable().
    static Result<HistoryStore> open(const std::string& romPath);

    SaveHistory& history() { return m_history; }
    const std::optional<Failure>& unreadable() const { return m_unreadable; }

    // Settles every pending entry against file: dropped, done, undone, or done and mixed; whether any was. Nothing
    // happens while file is another ROM than the history's.
    bool settle(RomFile& file);
    // Puts on disk a change already made to history(): line (HistoryFormat.h) appended to the journal, or the
    // whole history written anew when there is no line, no file yet, a file of another ROM or cut short, or a
    // journal of JournalLimit lines. Without flush a line appended may reach the disk later: for the settling of
    // an entry, which a crash leaves to the next open.
    WriteStatus write(const std::optional<std::string>& line, bool flush = true);

private:
    static constexpr std::size_t JournalLimit = 2 * HistoryLimit;

    HistoryStore(HistoryLock lock, std::filesystem::path file) : m_lock(std::move(lock)), m_file(std::move(file)) {}

    HistoryLock m_lock;
    std::filesystem::path m_file;
    SaveHistory m_history;
    std::optional<Failure> m_unreadable;
    // Whether a line may go at the end of the file as it is, and how many the journal holds.
    bool m_appendable = false;
    std::size_t m_journalLines = 0;
};
