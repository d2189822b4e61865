// Tavrik's patches read by another program's patcher: mGBA's patch loader (Debian's libmgba-dev) applies the BPS and
// IPS patches of every edit, and of changes at the IPS offset that reads as "EOF", and gives the edited ROM byte for
// byte.

#include "PatchEdits.h"
#include "TempRom.h"
#include "patches/Ips.h"
#include "patches/Patch.h"

#include <mgba-util/patch.h>
#include <mgba-util/vfs.h>

namespace {

// original patched by mGBA; none when its loader or its patcher refuses the patch.
std::optional<Bytes> mgbaPatched(const Bytes& original, const Bytes& patch)
{
    VFile* file = VFileFromConstMemory(patch.data(), patch.size());
    Patch loaded{};
    std::optional<Bytes> patched;
    if (file != nullptr && loadPatch(file, &loaded)) {
        Bytes out(loaded.outputSize(&loaded, original.size()));
        if (!out.empty() && loaded.applyPatch(&loaded, original.data(), original.size(), out.data(), out.size())) {
            patched = std::move(out);
        }
    }
    if (file != nullptr) {
        file->close(file);
    }
    return patched;
}

void expectSameFromMgba(const Bytes& original, const Bytes& edited, bool ips)
{
    for (const PatchFormat format : {PatchFormat::Bps, PatchFormat::Ips}) {
        SCOPED_TRACE(format == PatchFormat::Bps ? "BPS" : "IPS");
        if (format == PatchFormat::Ips && !ips) {
            continue;
        }
        const auto patch = makePatch(format, original, edited);
        ASSERT_TRUE(patch.ok()) << patch.failure().description;
        const std::optional<Bytes> patched = mgbaPatched(original, *patch);
        ASSERT_TRUE(patched.has_value());
        // mGBA's IPS patcher makes 16 MiB, room for any record: the ROM is the start of it.
        ASSERT_GE(patched->size(), edited.size());
        EXPECT_TRUE(std::equal(edited.begin(), edited.end(), patched->begin()));
        EXPECT_TRUE(format == PatchFormat::Ips || patched->size() == edited.size());
    }
}

} // namespace

TEST(MgbaPatcher, AppliesEveryPatchByteForByte)
{
    for (const GameVersion version : {GameVersion::Red, GameVersion::Blue, GameVersion::Yellow}) {
        const Bytes original = SyntheticRom(version).bytes();
        for (const PatchEdit& edit : patchEdits(original, version)) {
            SCOPED_TRACE(std::string(profileOf(version).code) + ", " + edit.name);
            expectSameFromMgba(original, edit.edited, edit.ips);
        }
    }
}

TEST(MgbaPatcher, ReadsChangesAtTheEofOffset)
{
    const Bytes original = SyntheticRom(GameVersion::Red, 0x500000).bytes();
    for (const std::size_t run : {std::size_t{1}, std::size_t{300}}) {
        SCOPED_TRACE(run);
        Bytes edited = original;
        std::fill_n(edited.begin() + static_cast<std::ptrdiff_t>(IpsEofOffset), run, 0xA5);
        expectSameFromMgba(original, edited, true);
    }
}
