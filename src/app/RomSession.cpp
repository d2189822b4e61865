#include "app/RomSession.h"

void RomSession::reset()
{
    path.clear();
    versionCode.clear();
    profile = nullptr;
    file.reset();
}

Result<Recognition> recognizeRom(const std::string& path)
{
    const auto code = ReadVersionCode(path);
    if (!code) {
        return code.failure();
    }
    Recognition recognition{*code, profileFor(*code)};
    if (recognition.profile != nullptr) {
        const auto size = fileSize(path);
        if (!size) {
            return size.failure();
        }
        if (*size < requiredRomSize(*recognition.profile)) {
            recognition.profile = nullptr;
        }
    }
    return recognition;
}

WriteStatus verifyRomBeforeWrite(const std::string& path, const VersionProfile& profile)
{
    const auto recognition = recognizeRom(path);
    if (!recognition) {
        return recognition.failure();
    }
    if (recognition->profile != &profile) {
        return Failure{FailureNumber::RomChanged,
                       "The file " + path + " is no longer the " + std::string(profile.title) +
                           " ROM that was opened; nothing was written. Open it again."};
    }
    return std::nullopt;
}
