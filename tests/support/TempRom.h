#pragma once

// A temporary folder for one test's files, removed with everything in it when the test ends.

#include "SyntheticRom.h"

#include <filesystem>
#include <string>

class TempDir
{
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    std::string file(const std::string& name) const { return (m_path / name).string(); }
    const std::filesystem::path& path() const { return m_path; }

    // Writes the image as name in this folder and returns its path.
    std::string write(const SyntheticRom& rom, const std::string& name = "test.gb") const;

private:
    std::filesystem::path m_path;
};

// The offsets at which two files of the same length differ; the length mismatch is a difference at -1.
std::vector<std::int64_t> differingOffsets(const Bytes& before, const Bytes& after);
