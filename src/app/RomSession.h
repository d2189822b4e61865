#pragma once

// The one open ROM of a main window: its path, version and the session's own read handle, through
// which the roster and the name catalogues are read.

#include "app/VersionProfile.h"
#include "rom/RomFile.h"

#include <optional>
#include <string>

struct RomSession
{
    std::string path;
    std::string versionCode;
    const VersionProfile* profile = nullptr;
    std::optional<RomFile> file;

    bool loaded() const { return profile != nullptr && !path.empty(); }
    void reset();
};

// What the open flow makes of a chosen file.
struct Recognition
{
    std::string versionCode;
    // nullptr: not a ROM this program edits (unknown code, or too short for its version's layout).
    const VersionProfile* profile = nullptr;
};

Result<Recognition> recognizeRom(const std::string& path);

// Before a save writes anything: the file at path must still be a ROM of this version and long
// enough, so that a ROM replaced or cut short since it was opened is never written into.
WriteStatus verifyRomBeforeWrite(const std::string& path, const VersionProfile& profile);
