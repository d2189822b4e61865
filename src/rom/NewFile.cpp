#include "rom/NewFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace {

Failure writeFailure(const std::string& path, int error)
{
    if (error == EACCES || error == EPERM || error == EROFS) {
        return {FailureNumber::PermissionDenied, "Permission denied: " + path};
    }
    return {FailureNumber::DeviceIo, "Device I/O error writing " + path + " (" + std::strerror(error) + ")"};
}

bool writeAll(int descriptor, const Bytes& bytes)
{
    for (std::size_t done = 0; done < bytes.size();) {
        const ssize_t written = ::write(descriptor, bytes.data() + done, bytes.size() - done);
        if (written < 0 && errno != EINTR) {
            return false;
        }
        done += written < 0 ? 0 : static_cast<std::size_t>(written);
    }
    return true;
}

// What a file created in the usual way would get: read and write for everyone, less the process's umask.
mode_t newFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

WriteStatus writeNewFile(const std::string& path, const Bytes& bytes)
{
    const std::filesystem::path target(path);
    std::string temporary = (target.parent_path() / ("." + target.filename().string() + ".XXXXXX")).string();
    const int descriptor = ::mkstemp(temporary.data());
    if (descriptor < 0) {
        return writeFailure(path, errno);
    }
    int error = 0;
    if (::fchmod(descriptor, newFileMode()) != 0 || !writeAll(descriptor, bytes) || ::fsync(descriptor) != 0) {
        error = errno;
    }
    if (::close(descriptor) != 0 && error == 0) {
        error = errno;
    }
    if (error == 0 && ::rename(temporary.c_str(), path.c_str()) != 0) {
        error = errno;
    }
    if (error != 0) {
        ::unlink(temporary.c_str());
        return writeFailure(path, error);
    }
    // The rename itself reaches the disk with the folder's entry.
    const std::string folder = target.parent_path().empty() ? "." : target.parent_path().string();
    const int folderDescriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (folderDescriptor >= 0) {
        ::fsync(folderDescriptor);
        ::close(folderDescriptor);
    }
    return std::nullopt;
}
