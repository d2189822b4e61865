#include "history/HistoryFolder.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace {

// The name keeps the ROM's own file name readable; the hash tells apart two ROMs of one name in two folders.
constexpr std::size_t NameLength = 40;

std::string homeFolder()
{
    if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
        return home;
    }
    const passwd* user = ::getpwuid(::getuid());
    return user != nullptr && user->pw_dir != nullptr ? user->pw_dir : "/";
}

Failure unwritable(const std::string& what, int error)
{
    return {FailureNumber::HistoryUnwritable,
            "The history of saves cannot be kept: " + what + " (" + std::strerror(error) + ")."};
}

std::uint64_t pathHash(const std::string& text)
{
    // FNV-1a, 64 bits.
    std::uint64_t hash = 14695981039346656037ULL;
    for (const char c : text) {
        hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ULL;
    }
    return hash;
}

WriteStatus writeAll(int file, const std::string& text)
{
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t wrote = ::write(file, text.data() + done, text.size() - done);
        if (wrote < 0 && errno == EINTR) {
            continue;
        }
        if (wrote <= 0) {
            return unwritable("writing failed", errno);
        }
        done += static_cast<std::size_t>(wrote);
    }
    return std::nullopt;
}

} // namespace

std::filesystem::path historyFolder()
{
    const char* config = std::getenv("XDG_CONFIG_HOME");
    const std::filesystem::path base = config != nullptr && *config != '\0'
                                           ? std::filesystem::path(config)
                                           : std::filesystem::path(homeFolder()) / ".config";
    return base / "Tavrik" / "history";
}

Result<std::string> canonicalRomPath(const std::string& romPath)
{
    std::error_code error;
    const std::filesystem::path canonical = std::filesystem::canonical(romPath, error);
    if (error) {
        return Failure{FailureNumber::FileNotFound, "File not found: " + romPath};
    }
    return canonical.string();
}

std::filesystem::path historyFileOf(const std::string& canonicalPath)
{
    const std::string name = std::filesystem::path(canonicalPath).filename().string().substr(0, NameLength);
    char hash[17];
    std::snprintf(hash, sizeof hash, "%016llx", static_cast<unsigned long long>(pathHash(canonicalPath)));
    return historyFolder() / (name + "-" + hash + ".history");
}

Result<HistoryLock> HistoryLock::take()
{
    const std::filesystem::path folder = historyFolder();
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        return unwritable("the folder " + folder.string() + " cannot be made", error.value());
    }
    const int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0) {
        return unwritable("the folder " + folder.string() + " cannot be opened", errno);
    }
    while (::flock(descriptor, LOCK_EX) != 0) {
        if (errno != EINTR) {
            const int lockError = errno;
            ::close(descriptor);
            return unwritable("the folder " + folder.string() + " cannot be locked", lockError);
        }
    }
    return HistoryLock(descriptor);
}

HistoryLock::HistoryLock(HistoryLock&& other) noexcept : m_folder(other.m_folder)
{
    other.m_folder = -1;
}

HistoryLock::~HistoryLock()
{
    if (m_folder >= 0) {
        ::close(m_folder);
    }
}

WriteStatus HistoryLock::syncFolder() const
{
    if (::fsync(m_folder) != 0) {
        return unwritable("its folder cannot be flushed to disk", errno);
    }
    return std::nullopt;
}

Result<std::optional<std::string>> readWholeFile(const std::filesystem::path& path)
{
    const int file = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (file < 0) {
        if (errno == ENOENT) {
            return std::optional<std::string>();
        }
        return Failure{FailureNumber::HistoryUnreadable,
                       "The history of saves in " + path.string() + " cannot be read (" + std::strerror(errno) + ")."};
    }
    struct stat status = {};
    std::string text;
    if (::fstat(file, &status) == 0 && status.st_size > 0) {
        text.resize(static_cast<std::size_t>(status.st_size));
    }
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t got = ::read(file, text.data() + done, text.size() - done);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            break;
        }
        done += static_cast<std::size_t>(got);
    }
    ::close(file);
    if (done != text.size()) {
        return Failure{FailureNumber::HistoryUnreadable,
                       "The history of saves in " + path.string() + " cannot be read."};
    }
    return std::optional<std::string>(std::move(text));
}

WriteStatus appendToFile(const std::filesystem::path& path, const std::string& text, bool flush)
{
    const int file = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
    if (file < 0) {
        return unwritable(path.string() + " cannot be opened", errno);
    }
    auto failure = writeAll(file, text);
    if (!failure && flush && ::fdatasync(file) != 0) {
        failure = unwritable(path.string() + " cannot be flushed to disk", errno);
    }
    ::close(file);
    return failure;
}

WriteStatus replaceFile(const std::filesystem::path& path, const std::string& text, const HistoryLock& folder)
{
    const std::filesystem::path temporary = path.string() + ".new";
    const int file =
        ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, S_IRUSR | S_IWUSR | S_IRGRP | S_IROTH);
    if (file < 0) {
        return unwritable(temporary.string() + " cannot be made", errno);
    }
    auto failure = writeAll(file, text);
    if (!failure && ::fsync(file) != 0) {
        failure = unwritable(temporary.string() + " cannot be flushed to disk", errno);
    }
    ::close(file);
    if (!failure && ::rename(temporary.c_str(), path.c_str()) != 0) {
        failure = unwritable(path.string() + " cannot be replaced", errno);
    }
    if (failure) {
        ::unlink(temporary.c_str());
        return failure;
    }
    return folder.syncFolder();
}
