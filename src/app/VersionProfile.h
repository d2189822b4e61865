#pragma once

// The three accepted game versions and where each keeps the tables the editor reads. The version code
// is three bytes of the cartridge title at 0x13C; the match is exact and case-sensitive.

#include "rom/Failure.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

enum class GameVersion
{
    Red,
    Blue,
    Yellow
};

struct VersionProfile
{
    GameVersion version;
    std::string_view code;
    std::string_view title;
    std::string_view caption;
    std::int32_t speciesNamesOffset;
    // The name walks start one byte before the first name of their table.
    std::int32_t moveNamesOffset;
    std::int32_t itemNamesOffset;
    std::optional<std::int32_t> specialMoveTableOffset;
    // Yellow keeps its gym leaders' special moves elsewhere; the editor leaves them alone there.
    bool specialMovesEditable;
};

constexpr std::int32_t VersionCodeOffset = 0x13C;
constexpr std::int32_t VersionCodeLength = 3;

// The profile of a code, or nullptr for anything but "RED", "BLU" and "YEL".
const VersionProfile* profileFor(std::string_view code);
const VersionProfile& profileOf(GameVersion version);

// The raw bytes at 0x13C (fewer than three when the file ends sooner); a failure when the file
// cannot be opened or read at all.
Result<std::string> ReadVersionCode(const std::string& path);

// The smallest file that holds every byte this version's layout reads or writes.
std::int64_t requiredRomSize(const VersionProfile& profile);
