#include "TempRom.h"

#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <linux/fs.h>
#include <stdexcept>
#include <sys/ioctl.h>
#include <unistd.h>
#include <utility>

TempDir::TempDir()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "tavrik-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot make a temporary folder");
    }
    m_path = pattern;
}

TempDir::~TempDir()
{
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

std::string TempDir::write(const SyntheticRom& rom, const std::string& name) const
{
    const std::string path = file(name);
    rom.writeTo(path);
    return path;
}

std::string TempDir::writeBytes(const Bytes& bytes, const std::string& name) const
{
    const std::string path = file(name);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        throw std::runtime_error("cannot write " + path);
    }
    return path;
}

ImmutableFile::ImmutableFile(std::string path) : m_path(std::move(path))
{
    m_active = setImmutable(true);
}

ImmutableFile::~ImmutableFile()
{
    if (m_active) {
        setImmutable(false);
    }
}

bool ImmutableFile::setImmutable(bool on) const
{
    const int fd = ::open(m_path.c_str(), O_RDONLY);
    if (fd < 0) {
        return false;
    }
    int flags = 0;
    bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (done) {
        flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
        done = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    ::close(fd);
    return done;
}

std::vector<std::int64_t> differingOffsets(const Bytes& before, const Bytes& after)
{
    if (before.size() != after.size()) {
        return {-1};
    }
    std::vector<std::int64_t> offsets;
    for (std::size_t i = 0; i < before.size(); ++i) {
        if (before[i] != after[i]) {
            offsets.push_back(static_cast<std::int64_t>(i));
        }
    }
    return offsets;
}
