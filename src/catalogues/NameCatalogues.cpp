#include "catalogues/NameCatalogues.h"

#include "rom/DisplayText.h"
#include "rom/modGameText.h"

#include <algorithm>
#include <span>

namespace {

// The bytes of a name's window, cut short at the end of the image; a view, so a name costs no copy.
std::span<const std::uint8_t> window(const Bytes& image, std::int64_t offset, int length)
{
    const auto begin =
        static_cast<std::size_t>(std::min<std::int64_t>(offset, static_cast<std::int64_t>(image.size())));
    const auto end = std::min(begin + static_cast<std::size_t>(length), image.size());
    return std::span<const std::uint8_t>(image).subspan(begin, end - begin);
}

// Steps over a run of 0x50-terminated names in 12-byte windows, from each name's first byte to the next
// one's, as the game counts them: one decoded character may stand for one byte ("A") or take two ("'s"). An
// empty window (one that starts on a terminator) adds nothing and moves on by one byte. After its reads the
// walk may go on, by extraReads at most, until it has wanted names.
std::vector<std::string>
walkNames(const Bytes& image, std::int32_t start, int reads, std::size_t wanted = 0, int extraReads = 0)
{
    std::vector<std::string> names;
    names.reserve(static_cast<std::size_t>(reads + extraReads));
    std::int64_t displacement = 0;
    for (int read = 0; read < reads || (read < reads + extraReads && names.size() < wanted); ++read) {
        const auto bytes = window(image, start + displacement, NameWindow);
        const std::string name = trimBlanks(DecodeText(bytes));
        if (!name.empty()) {
            names.push_back(name);
        }
        const auto length = std::find(bytes.begin(), bytes.end(), GameText::Terminator) - bytes.begin();
        displacement += static_cast<std::int64_t>(length) + 1;
    }
    return names;
}

} // namespace

std::vector<std::string> speciesNames(const Bytes& image, const VersionProfile& profile)
{
    std::vector<std::string> names{"MISSINGNO."};
    names.reserve(SpeciesRecordCount + 1);
    for (int record = 0; record < SpeciesRecordCount; ++record) {
        const auto bytes =
            window(image, profile.speciesNamesOffset + SpeciesRecordLength * record, SpeciesRecordLength);
        names.push_back(trimBlanks(DecodeText(bytes)));
    }
    return names;
}

std::vector<std::string> moveNames(const Bytes& image, const VersionProfile& profile)
{
    return walkNames(image, profile.moveNamesOffset, MoveNameReads);
}

std::vector<std::string> itemNames(const Bytes& image, const VersionProfile& profile)
{
    return walkNames(image, profile.itemNamesOffset, ItemNameReads, ItemNameCount, ItemNameExtraReads);
}

std::vector<std::string> itemPlaceholders(std::size_t itemNameCount)
{
    return std::vector<std::string>(FirstMachinePosition - std::min<std::size_t>(itemNameCount, FirstMachinePosition),
                                    "?????");
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
                     walkEnd(profile.itemNamesOffset, ItemNameReads + ItemNameExtraReads)});
}
