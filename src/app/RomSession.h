#pragma once

// The one open ROM of a main window: its path and version. Every action reads the file afresh, once
// and whole, and works from that copy.

#include "app/VersionProfile.h"
#include "rom/RomFile.h"

#include <string>

struct RomSession
{
    std::string path;
    std::string versionCode;
    const VersionProfile* profile = nullptr;

    bool loaded() const { return profile != nullptr && !path.empty(); }
    void reset();
};

// What the open flow makes of a file's bytes.
struct Recognition
{
    std::string versionCode;
    // nullptr: not a ROM this program edits. Its code is unknown, it is too short for its version's
    // layout, or nothing of any trainer or battle lies where that version keeps it (another language
    // or region, or not the game at all).
    const VersionProfile* profile = nullptr;
};

Recognition recognizeRom(const Bytes& image);

// The file at path, read once, provided it is still a ROM of this version and long enough: a ROM
// replaced or cut short since it was opened is neither shown nor written into.
Result<Bytes> readRomAgain(const std::string& path, const VersionProfile& profile);
