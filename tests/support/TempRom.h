#pragma once

// What the tests share: synthetic images and the changes other tools make to real ROMs, a temporary
// folder removed with everything in it, a guard that makes a file immutable as `chattr +i` does (so
// that not even root may write it), and whole-file comparisons.

#include "LayoutOffsets.h"
#include "app/RomSession.h"
#include "app/SyntheticRom.h"
#include "catalogues/NameCatalogues.h"
#include "overworld/OverworldBattle.h"
#include "rom/HexFunctions.h"
#include "rom/modGameText.h"
#include "trainers/TrainerRecord.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <random>
#include <set>

class TempDir
{
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    std::string file(const std::string& name) const { return (m_path / name).string(); }
    // Writes the image, or raw bytes, as name in this folder and returns its path.
    std::string write(const SyntheticRom& rom, const std::string& name = "test.gb") const;
    std::string writeBytes(const Bytes& bytes, const std::string& name) const;

private:
    std::filesystem::path m_path;
};

// active() is false where the file system or the user does not allow the attribute.
class ImmutableFile
{
public:
    explicit ImmutableFile(std::string path);
    ~ImmutableFile();
    ImmutableFile(const ImmutableFile&) = delete;
    ImmutableFile& operator=(const ImmutableFile&) = delete;

    bool active() const { return m_active; }

private:
    std::string m_path;
    bool m_active = false;
};

// The whole file; empty when it cannot be read.
Bytes fileBytes(const std::string& path);

// after is before with exactly the bytes of writes set: every offset of writes holds its value and no
// other byte differs (the length included).
::testing::AssertionResult
changedExactly(const Bytes& before, const Bytes& after, const std::map<std::int64_t, std::uint8_t>& writes);

// Entry rosterIndex's party gets one more member (level, species) at its end; every party stored after
// it moves 2 bytes and the class pointers to them follow.
void growParty(SyntheticRom& rom, int rosterIndex, std::uint8_t level, std::uint8_t species);
// Entry rosterIndex's name gets one more letter at its end; every class name after it moves 1 byte.
void growName(SyntheticRom& rom, int rosterIndex, char letter);
