#pragma once

// A temporary folder for one test's files, removed with everything in it when the test ends.

#include "SyntheticRom.h"

#include <filesystem>
#include <string>
#include <vector>

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
    // Writes raw bytes as name in this folder and returns its path.
    std::string writeBytes(const Bytes& bytes, const std::string& name) const;

private:
    std::filesystem::path m_path;
};

// Keeps a file immutable while the guard lives, as `chattr +i` does, so that not even root can open it
// for writing. active() is false where the file system or the user does not allow the attribute.
class ImmutableFile
{
public:
    explicit ImmutableFile(std::string path);
    ~ImmutableFile();
    ImmutableFile(const ImmutableFile&) = delete;
    ImmutableFile& operator=(const ImmutableFile&) = delete;

    bool active() const { return m_active; }

private:
    bool setImmutable(bool on) const;

    std::string m_path;
    bool m_active = false;
};

// The offsets at which two files of the same length differ; the length mismatch is a difference at -1.
std::vector<std::int64_t> differingOffsets(const Bytes& before, const Bytes& after);
