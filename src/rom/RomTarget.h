#pragma once

// The open ROM as the readers and savers of every subsystem see it: its path, its version, and how long an
// image of that version must be to hold every byte the editor reads. Each action reads the file afresh,
// once and whole, and works from that copy.

#include "rom/RomFile.h"
#include "rom/VersionProfile.h"

#include <cstdint>
#include <string>

struct RomTarget
{
    std::string path;
    const VersionProfile* profile = nullptr;
    std::int64_t requiredSize = 0;

    // The file at path, read once, provided it is still a ROM of this version and long enough: a ROM
    // replaced or cut short since it was opened is neither shown nor written into.
    Result<Bytes> readAgain() const;
};
