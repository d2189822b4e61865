#pragma once

// An open cartridge file addressed by 0-based byte offsets. Reads and writes are unbuffered, so two
// RomFile objects on the same path always see each other's bytes. A RomFile never creates, grows or
// truncates a file: a write that would reach past the last byte fails instead.

#include "rom/Failure.h"

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

class RomFile
{
public:
    enum class Mode
    {
        Read,
        ReadWrite
    };

    static Result<RomFile> open(const std::string& path, Mode mode);

    // Exactly count bytes, or a failure (a read past the end included).
    Result<Bytes> read(std::int64_t offset, std::int64_t count);
    // The whole file, in one read.
    Result<Bytes> readAll();
    WriteStatus write(std::int64_t offset, const Bytes& bytes);
    // Pushes written bytes to the disk; a save reports success only after this. The bytes are all a ROM needs:
    // the file's times may reach the disk later (fdatasync), which spares the journal a commit.
    WriteStatus sync();
    Result<std::int64_t> size();

    const std::string& path() const { return m_path; }

private:
    struct Closer
    {
        void operator()(std::FILE* file) const;
    };

    RomFile(std::string path, std::FILE* file) : m_path(std::move(path)), m_file(file) {}
    Failure ioFailure(int number, const std::string& what) const;

    std::string m_path;
    std::unique_ptr<std::FILE, Closer> m_file;
};

// The whole file at path, read once.
Result<Bytes> readRomImage(const std::string& path);
