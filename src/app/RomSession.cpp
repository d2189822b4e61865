#include "app/RomSession.h"

#include "catalogues/NameCatalogues.h"
#include "overworld/OverworldBattle.h"
#include "rom/DisplayText.h"
#include "trainers/TrainerPlacement.h"

#include <algorithm>

namespace {

// The battles first: they cost a few bytes' look, the trainers a walk over every party.
bool anyGroupInPlace(const Bytes& image, const VersionProfile& profile)
{
    for (int battle = 0; battle < OverworldBattleCount; ++battle) {
        if (battleInPlace(image, profile.version, battle)) {
            return true;
        }
    }
    for (const TrainerPlaces& places : locateRoster(image, profile)) {
        if (places.anyInPlace()) {
            return true;
        }
    }
    return false;
}

// Every release of the three games fills one MiB.
constexpr std::int64_t ReleasedSize = 0x100000;
constexpr std::size_t TitleOffset = 0x134;
constexpr std::size_t TitleLength = 16;

// The header's bytes as text: printable ASCII as it is, anything else as '?', the zero padding left out.
std::string headerText(const Bytes& image, std::size_t offset, std::size_t length)
{
    std::string text;
    for (std::size_t k = offset; k < offset + length && k < image.size() && image[k] != 0; ++k) {
        text += image[k] >= 0x20 && image[k] < 0x7F ? static_cast<char>(image[k]) : '?';
    }
    return text;
}

std::string sizeReason(const Bytes& image)
{
    return "The file has " + groupedNumber(static_cast<long long>(image.size())) +
           " bytes; Red, Blue and Yellow have " + groupedNumber(ReleasedSize) + ".";
}

std::string refusalReason(const Bytes& image, const VersionProfile* profile)
{
    if (image.empty()) {
        return "The file is empty.";
    }
    if (profile != nullptr && static_cast<std::int64_t>(image.size()) < requiredRomSize(*profile)) {
        return sizeReason(image);
    }
    if (profile == nullptr && image.size() < TitleOffset + TitleLength) {
        return sizeReason(image);
    }
    if (profile == nullptr) {
        const std::string title = headerText(image, TitleOffset, TitleLength);
        const std::string code = headerText(image, VersionCodeOffset, VersionCodeLength);
        if (title.empty()) {
            return "The cartridge header holds no title: this is not Pokémon Red, Blue or Yellow.";
        }
        return "The cartridge header names \"" + title + "\"" +
               (code.empty() ? std::string() : " (version code \"" + code + "\")") +
               ", not Pokémon Red, Blue or Yellow.";
    }
    const std::string title(profile->title);
    return "The header says " + title + ", but none of its trainers or battles lies where " + title +
           " keeps them: a ROM of another language or region, or not the game.";
}

} // namespace

void RomSession::reset()
{
    path.clear();
    versionCode.clear();
    profile = nullptr;
}

Recognition recognizeRom(const Bytes& image)
{
    Recognition recognition{ReadVersionCode(image), nullptr, {}};
    const VersionProfile* profile = profileFor(recognition.versionCode);
    if (profile != nullptr && static_cast<std::int64_t>(image.size()) >= requiredRomSize(*profile) &&
        anyGroupInPlace(image, *profile)) {
        recognition.profile = profile;
    } else {
        recognition.reason = refusalReason(image, profile);
    }
    return recognition;
}

RomTarget RomSession::target() const
{
    return {path, profile, profile != nullptr ? requiredRomSize(*profile) : 0};
}

std::int64_t requiredRomSize(const VersionProfile& profile)
{
    std::int64_t end = VersionCodeOffset + VersionCodeLength;
    end = std::max(end, trainerLayoutsEnd(profile.version));
    end = std::max(end, overworldBattlesEnd(profile.version));
    end = std::max(end, catalogueReadsEnd(profile));
    return end;
}
