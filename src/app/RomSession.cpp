#include "app/RomSession.h"

#include "overworld/OverworldBattle.h"
#include "trainers/TrainerPlacement.h"

namespace {

bool anyGroupInPlace(const Bytes& image, const VersionProfile& profile)
{
    for (const TrainerPlaces& places : locateRoster(image, profile)) {
        if (places.anyInPlace()) {
            return true;
        }
    }
    for (int battle = 0; battle < OverworldBattleCount; ++battle) {
        if (battleInPlace(image, profile.version, battle)) {
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

Result<Bytes> readRomAgain(const std::string& path, const VersionProfile& profile)
{
    auto image = readRomImage(path);
    if (!image) {
        return image.failure();
    }
    if (profileFor(ReadVersionCode(*image)) != &profile ||
        static_cast<std::int64_t>(image->size()) < requiredRomSize(profile)) {
        return Failure{FailureNumber::RomChanged,
                       "The file " + path + " is no longer the " + std::string(profile.title) +
                           " ROM that was opened, so Tavrik neither reads nor writes it. Open it again."};
    }
    return image;
}
