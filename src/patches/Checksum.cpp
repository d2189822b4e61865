#include "patches/Checksum.h"

namespace {

constexpr std::int32_t HeaderChecksumFirst = 0x134;
constexpr std::size_t HeaderEnd = 0x150;

} // namespace

std::optional<CartridgeChecksums> cartridgeChecksums(const Bytes& image)
{
    if (image.size() < HeaderEnd) {
        return std::nullopt;
    }
    CartridgeChecksums sums;
    for (std::int32_t offset = HeaderChecksumFirst; offset < HeaderChecksumOffset; ++offset) {
        sums.header = static_cast<std::uint8_t>(sums.header - image[static_cast<std::size_t>(offset)] - 1);
    }
    std::uint32_t global = 0;
    for (std::size_t offset = 0; offset < image.size(); ++offset) {
        if (offset != GlobalChecksumOffset && offset != GlobalChecksumOffset + 1) {
            global += image[offset];
        }
    }
    sums.global = static_cast<std::uint16_t>(global);
    sums.storedHeader = image[HeaderChecksumOffset];
    sums.storedGlobal = static_cast<std::uint16_t>(image[GlobalChecksumOffset] << 8 | image[GlobalChecksumOffset + 1]);
    return sums;
}

std::optional<ByteWrite> headerChecksumFix(const Bytes& image)
{
    const auto sums = cartridgeChecksums(image);
    if (!sums || sums->headerRight()) {
        return std::nullopt;
    }
    return ByteWrite{HeaderChecksumOffset, {sums->header}};
}

std::optional<ByteWrite> globalChecksumFix(const Bytes& image)
{
    const auto sums = cartridgeChecksums(image);
    if (!sums || sums->globalRight()) {
        return std::nullopt;
    }
    return ByteWrite{GlobalChecksumOffset,
                     {static_cast<std::uint8_t>(sums->global >> 8), static_cast<std::uint8_t>(sums->global & 0xFF)}};
}
