#include "rom/RomTarget.h"

Result<Bytes> RomTarget::readAgain() const
{
    auto image = readRomImage(path);
    if (!image) {
        return image.failure();
    }
    if (profile == nullptr || profileFor(ReadVersionCode(*image)) != profile ||
        static_cast<std::int64_t>(image->size()) < requiredSize) {
        const std::string title = profile != nullptr ? std::string(profile->title) : std::string("game");
        return Failure{FailureNumber::RomChanged,
                       "The file " + path + " is no longer the " + title +
                           " ROM that was opened, so Tavrik neither reads nor writes it. Open it again."};
    }
    return image;
}
