#pragma once

// Where the histories live and how their files are written. The folder is history/ beside the settings Qt keeps
// for Tavrik: $XDG_CONFIG_HOME/Tavrik/history, or ~/.config/Tavrik/history when XDG_CONFIG_HOME is not set. A ROM's
// history is one file there, named after the ROM's canonical path, so every path to the same file (a symbolic
// link, a path with "..") finds the same history.

#include "rom/Failure.h"

#include <filesystem>
#include <optional>
#include <string>

std::filesystem::path historyFolder();

// The path of the ROM with symbolic links and "." and ".." resolved; a failure when it does not exist.
Result<std::string> canonicalRomPath(const std::string& romPath);
// The history file of the ROM at canonicalPath: the ROM's file name, then a hash of the whole path.
std::filesystem::path historyFileOf(const std::string& canonicalPath);

// The history folder, created when missing and locked against every other Tavrik (a window and the command line
// on the same ROM, say) until the lock is destroyed.
class HistoryLock
{
public:
    static Result<HistoryLock> take();
    HistoryLock(HistoryLock&& other) noexcept;
    HistoryLock& operator=(HistoryLock&&) = delete;
    ~HistoryLock();

    // Pushes the folder's entries (a file renamed into it) to the disk.
    WriteStatus syncFolder() const;

private:
    explicit HistoryLock(int folder) : m_folder(folder) {}
    int m_folder;
};

// The whole file, or none when there is no file at path.
Result<std::optional<std::string>> readWholeFile(const std::filesystem::path& path);
// Appends text to the file at path, which must exist, and pushes it to the disk when flush is set.
WriteStatus appendToFile(const std::filesystem::path& path, const std::string& text, bool flush);
// Writes text to a temporary file beside path, pushes it to the disk and renames it over path, so that path holds
// either the old text or the new one whatever happens; then the folder, so that the new one stays.
WriteStatus replaceFile(const std::filesystem::path& path, const std::string& text, const HistoryLock& folder);
