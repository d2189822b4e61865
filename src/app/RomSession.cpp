#include "app/RomSession.h"

#include "catalogues/NameCatalogues.h"
#include "overworld/OverworldBattle.h"
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

} // namespace

void RomSession::reset()
{
    path.clear();
    versionCode.clear();
    profile = nullptr;
}

Recognition recognizeRom(const Bytes& image)
{
    Recognition recognition{ReadVersionCode(image), nullptr};
    const VersionProfile* profile = profileFor(recognition.versionCode);
    if (profile != nullptr && static_cast<std::int64_t>(image.size()) >= requiredRomSize(*profile) &&
        anyGroupInPlace(image, *profile)) {
        recognition.profile = profile;
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
