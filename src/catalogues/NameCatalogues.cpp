#include "catalogues/NameCatalogues.h"

#include "rom/DisplayText.h"
#include "rom/modGameText.h"

#include <algorithm>

namespace {

// Steps over a run of 0x50-terminated names in 12-byte windows. The step is the decoded, trimmed length
// plus one for the terminator, so a byte that decodes to nothing makes the next window start early; an
// empty window (one that starts on a terminator) adds nothing and moves on by one byte.
Result<std::vector<std::string>> walkNames(RomFile& file, std::int32_t start, int reads)
{
    std::vector<std::string> names;
    std::int64_t displacement = 0;
    for (int read = 0; read < reads; ++read) {
        const auto bytes = file.read(start + displacement, NameWindow);
        if (!bytes) {
            return bytes.failure();
        }
        const std::string name = trimBlanks(fitText(DecodeText(*bytes), NameWindow));
        if (!name.empty()) {
            names.push_back(name);
        }
        displacement += static_cast<std::int64_t>(characterCount(name)) + 1;
    }
    return names;
}

} // namespace

Result<std::vector<std::string>> speciesNames(RomFile& file, const VersionProfile& profile)
{
    std::vector<std::string> names{"MISSINGNO."};
    for (int record = 0; record < SpeciesRecordCount; ++record) {
        const auto bytes = file.read(profile.speciesNamesOffset + SpeciesRecordLength * record, SpeciesRecordLength);
        if (!bytes) {
            return bytes.failure();
        }
        names.push_back(trimBlanks(leftText(DecodeText(*bytes), SpeciesRecordLength)));
    }
    return names;
}

Result<std::vector<std::string>> moveNames(RomFile& file, const VersionProfile& profile)
{
    return walkNames(file, profile.moveNamesOffset, MoveNameReads);
}

Result<std::vector<std::string>> itemNames(RomFile& file, const VersionProfile& profile)
{
    return walkNames(file, profile.itemNamesOffset, ItemNameReads);
}

std::vector<std::string> itemPlaceholders()
{
    return std::vector<std::string>(ItemPlaceholderCount, "?????");
}

std::vector<std::string> machineNames()
{
    const auto numbered = [](const char* prefix, int number) {
        return prefix + std::string(number < 10 ? "0" : "") + std::to_string(number);
    };
    std::vector<std::string> names;
    for (int hm = 1; hm <= 5; ++hm) {
        names.push_back(numbered("HM", hm));
    }
    for (int tm = 1; tm <= 50; ++tm) {
        names.push_back(numbered("TM", tm));
    }
    return names;
}

std::int64_t catalogueReadsEnd(const VersionProfile& profile)
{
    // A walk moves at most a full window plus its terminator per read.
    const auto walkEnd = [](std::int64_t start, int reads) {
        return start + (NameWindow + 1) * (reads - 1) + NameWindow;
    };
    return std::max({static_cast<std::int64_t>(profile.speciesNamesOffset) + SpeciesRecordLength * SpeciesRecordCount,
                     walkEnd(profile.moveNamesOffset, MoveNameReads),
                     walkEnd(profile.itemNamesOffset, ItemNameReads)});
}
