#pragma once

// What the tests share: the program's headers, a temporary folder removed with everything in it, a guard that makes a
// file immutable as `chattr +i` does (so that not even root may write it), and whole-file comparisons.

#include "LayoutOffsets.h"
#include "app/RomSession.h"
#include "catalogues/NameCatalogues.h"
#include "demo/SyntheticRom.h"
#include "overworld/OverworldBattle.h"
#include "rom/HexFunctions.h"
#include "rom/modGameText.h"
#include "trainers/TrainerRecord.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <random>
#include <set>

using Writes = std::map<std::int64_t, std::uint8_t>;

struct TempDir
{
    TempDir();
    ~TempDir() { std::filesystem::remove_all(path); }
    std::string file(const std::string& name) const { return (path / name).string(); }
    // Writes the image, or raw bytes, as name in this folder and returns its path.
    std::string write(const SyntheticRom& rom, const std::string& name = "test.gb") const
    {
        return writeBytes(rom.bytes(), name);
    }
    std::string writeBytes(const Bytes& bytes, const std::string& name) const;

    std::filesystem::path path;
};

// active is false where the file system does not allow the attribute.
struct ImmutableFile
{
    explicit ImmutableFile(const std::string& file);
    ~ImmutableFile();

    std::string path;
    bool active;
};

// The whole file; empty when it cannot be read.
Bytes fileBytes(const std::string& path);
// after is before with exactly the bytes of writes set: every offset of writes holds its value and no
// other byte differs (the length included).
::testing::AssertionResult changedExactly(const Bytes& before, const Bytes& after, const Writes& writes);
// writes with the bytes of text, encoded, from offset on.
void addText(Writes& writes, std::int32_t offset, const std::string& text);
// writes with bytes from offset on.
void addBytes(Writes& writes, std::int32_t offset, const Bytes& bytes);
