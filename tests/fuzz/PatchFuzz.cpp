// The patch readers on arbitrary bytes, against a 2 KiB stretch of a synthetic trainer bank. The first byte says
// what the rest is: 0, the header and actions of a BPS patch, sealed here with the right CRC32s of the source and
// of the patch (so the actions are reached, not refused for the patch's CRC); anything else, a patch as it comes,
// read as BPS or IPS by how it begins. A patch is refused with a reason that names it, or applied; a sealed patch
// refused only for its target's CRC32 is applied once sealed with the CRC32 the refusal names; and a patch made
// from the source to whatever was applied, in either format, gives it back.

#include "FuzzCheck.h"
#include "demo/SyntheticRom.h"
#include "patches/Bps.h"
#include "patches/Crc32.h"
#include "patches/Ips.h"
#include "patches/Patch.h"

#include <algorithm>
#include <cstdlib>

namespace {

const std::string Name = "fuzz.patch";
// The largest file a patch may make here: larger ones take the same paths and only cost the page faults of
// megabytes, which would slow the search down tenfold.
constexpr std::size_t Largest = 0x10000;

const Bytes& source()
{
    static const Bytes bytes = [] {
        const Bytes image = SyntheticRom(GameVersion::Red).bytes();
        return Bytes(image.begin() + 0x39D00, image.begin() + 0x3A500);
    }();
    return bytes;
}

void putLittleEndian(Bytes& patch, std::uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8) {
        patch.push_back(static_cast<std::uint8_t>(value >> shift));
    }
}

Bytes sealed(const std::uint8_t* body, std::size_t size, std::uint32_t targetCrc)
{
    Bytes patch(4 + size);
    std::copy_n("BPS1", 4, patch.begin());
    std::copy_n(body, size, patch.begin() + 4);
    putLittleEndian(patch, crc32Of(source()));
    putLittleEndian(patch, targetCrc);
    putLittleEndian(patch, crc32Of(patch));
    return patch;
}

// The CRC32 a refusal for the target's CRC32 names, if it is one.
std::optional<std::uint32_t> madeCrc(const Failure& failure)
{
    const std::string said = " is damaged: the ROM it makes has CRC32 ";
    const std::size_t at = failure.description.find(said);
    if (at == std::string::npos) {
        return std::nullopt;
    }
    return static_cast<std::uint32_t>(
        std::strtoul(failure.description.substr(at + said.size(), 8).c_str(), nullptr, 16));
}

Result<Bytes> applied(const Bytes& patch)
{
    return patchFormatOf(patch) == PatchFormat::Ips ? applyIps(source(), patch, Name, Largest)
                                                    : applyBps(source(), patch, Name, Largest);
}

void checkMadeAgain(const Bytes& made)
{
    const auto bps = applyBps(source(), makeBps(source(), made), Name);
    FUZZ_CHECK(bps.ok() && *bps == made);
    if (made.size() >= source().size()) {
        const auto ips = makeIps(source(), made);
        FUZZ_CHECK(ips.ok());
        const auto again = applyIps(source(), *ips, Name);
        FUZZ_CHECK(again.ok() && *again == made);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0) {
        return 0;
    }
    const Bytes patch = data[0] == 0 ? sealed(data + 1, size - 1, 0) : Bytes(data + 1, data + size);
    auto patched = applied(patch);
    if (!patched && data[0] == 0) {
        if (const auto crc = madeCrc(patched.failure())) {
            patched = applied(sealed(data + 1, size - 1, *crc));
            FUZZ_CHECK(patched.ok());
        }
    }
    if (!patched) {
        FUZZ_CHECK(patched.failure().description.starts_with(Name + " "));
        return 0;
    }
    checkMadeAgain(*patched);
    return 0;
}
