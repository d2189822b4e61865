#pragma once

// The one open ROM of a main window: its path and version. Every action reads the file afresh, once
// and whole, and works from that copy.

#include "rom/RomTarget.h"

#include <string>

struct RomSession
{
    std::string path;
    std::string versionCode;
    const VersionProfile* profile = nullptr;

    bool loaded() const { return profile != nullptr && !path.empty(); }
    void reset();
    // What the subsystems read and write through; only meaningful while loaded().
    RomTarget target() const;
};

// What the open flow makes of a file's bytes.
struct Recognition
{
    std::string versionCode;
    // nullptr: not a ROM this program edits. Its code is unknown, it is too short for its version's
    // layout, or nothing of any trainer or battle lies where that version keeps it (another language
    // or region, or not the game at all).
    const VersionProfile* profile = nullptr;
    // Why the file is not taken, in one sentence for the line under "Unsupported ROM!"; empty when it is.
    std::string reason;
};

Recognition recognizeRom(const Bytes& image);

// The smallest file that holds every byte this version's subsystems read or write.
std::int64_t requiredRomSize(const VersionProfile& profile);
