#include "rom/RomFile.h"

#include "rom/DisplayText.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <unistd.h>

namespace {

Failure openFailure(const std::string& path, int error)
{
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return {FailureNumber::FileNotFound, "File not found: " + path};
    case EACCES:
    case EPERM:
    case EROFS:
        return {FailureNumber::PermissionDenied, "Permission denied: " + path};
    default:
        return {FailureNumber::PathFileAccess, "Path/File access error: " + path + " (" + std::strerror(error) + ")"};
    }
}

} // namespace

void RomFile::Closer::operator()(std::FILE* file) const
{
    std::fclose(file);
}

Result<RomFile> RomFile::open(const std::string& path, Mode mode)
{
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (error || !std::filesystem::exists(status)) {
        return openFailure(path, ENOENT);
    }
    if (!std::filesystem::is_regular_file(status)) {
        return Failure{FailureNumber::PathFileAccess, "Path/File access error: " + path + " is not a file"};
    }
    // "r+b" never creates a file, so a ROM deleted behind our back stays deleted.
    std::FILE* file = std::fopen(path.c_str(), mode == Mode::Read ? "rb" : "r+b");
    if (file == nullptr) {
        return openFailure(path, errno);
    }
    std::setvbuf(file, nullptr, _IONBF, 0);
    return RomFile(path, file);
}

Failure RomFile::ioFailure(int number, const std::string& what) const
{
    const char* reason = errno != 0 ? std::strerror(errno) : "unknown cause";
    return {number, what + " in " + m_path + " (" + reason + ")"};
}

Result<std::int64_t> RomFile::size()
{
    errno = 0;
    if (std::fseek(m_file.get(), 0, SEEK_END) != 0) {
        return ioFailure(FailureNumber::DeviceIo, "Device I/O error while measuring the file");
    }
    const long end = std::ftell(m_file.get());
    if (end < 0) {
        return ioFailure(FailureNumber::DeviceIo, "Device I/O error while measuring the file");
    }
    return static_cast<std::int64_t>(end);
}

Result<Bytes> RomFile::read(std::int64_t offset, std::int64_t count)
{
    if (offset < 0 || count < 0) {
        return Failure{FailureNumber::BadRecordNumber, "Bad record number: offset " + std::to_string(offset)};
    }
    const auto length = size();
    if (!length) {
        return length.failure();
    }
    if (offset + count > *length) {
        return Failure{FailureNumber::InputPastEnd,
                       "Input past end of file: " + std::to_string(count) + " bytes at " + hexNumber(offset) +
                           " lie beyond the end of " + m_path + " (" + std::to_string(*length) + " bytes)"};
    }
    Bytes bytes(static_cast<std::size_t>(count));
    errno = 0;
    if (std::fseek(m_file.get(), static_cast<long>(offset), SEEK_SET) != 0 ||
        std::fread(bytes.data(), 1, bytes.size(), m_file.get()) != bytes.size()) {
        return ioFailure(FailureNumber::DeviceIo, "Device I/O error reading at " + hexNumber(offset));
    }
    return bytes;
}

WriteStatus RomFile::write(std::int64_t offset, const Bytes& bytes)
{
    const auto length = size();
    if (!length) {
        return length.failure();
    }
    const auto count = static_cast<std::int64_t>(bytes.size());
    if (offset < 0 || offset + count > *length) {
        return Failure{FailureNumber::BadRecordNumber,
                       "Bad record number: writing " + std::to_string(count) + " bytes at " + hexNumber(offset) +
                           " would go past the end of " + m_path + " (" + std::to_string(*length) +
                           " bytes); nothing was written there"};
    }
    errno = 0;
    if (std::fseek(m_file.get(), static_cast<long>(offset), SEEK_SET) != 0 ||
        std::fwrite(bytes.data(), 1, bytes.size(), m_file.get()) != bytes.size() || std::fflush(m_file.get()) != 0) {
        return ioFailure(FailureNumber::DeviceIo, "Device I/O error writing at " + hexNumber(offset));
    }
    return std::nullopt;
}

WriteStatus RomFile::sync()
{
    errno = 0;
    if (std::fflush(m_file.get()) != 0 || ::fdatasync(::fileno(m_file.get())) != 0) {
        return ioFailure(FailureNumber::DeviceIo, "Device I/O error flushing to disk");
    }
    return std::nullopt;
}

Result<Bytes> RomFile::readAll()
{
    const auto length = size();
    if (!length) {
        return length.failure();
    }
    Bytes bytes(static_cast<std::size_t>(*length));
    errno = 0;
    if (std::fseek(m_file.get(), 0, SEEK_SET) != 0 ||
        std::fread(bytes.data(), 1, bytes.size(), m_file.get()) != bytes.size()) {
        return ioFailure(FailureNumber::DeviceIo, "Device I/O error reading the file");
    }
    return bytes;
}

Result<Bytes> readRomImage(const std::string& path)
{
    auto file = RomFile::open(path, RomFile::Mode::Read);
    if (!file) {
        return file.failure();
    }
    return file.value().readAll();
}
