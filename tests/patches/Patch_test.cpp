// Patches in both formats on synthetic images: every edit comes back byte for byte, the trainer bank's saves give
// small BPS patches, the wrong base and broken patches are refused with their reason, and the IPS writer keeps
// clear of the offset that reads as "EOF".

#include "PatchEdits.h"
#include "TempRom.h"
#include "patches/Bps.h"
#include "patches/Crc32.h"
#include "patches/Ips.h"
#include "patches/Patch.h"

namespace {

constexpr GameVersion AllVersions[] = {GameVersion::Red, GameVersion::Blue, GameVersion::Yellow};

using PatchRoundTrip = ::testing::TestWithParam<GameVersion>;

// The largest BPS patch each of the trainer bank's saves, and a fill, may give.
const std::map<std::string, std::size_t> BpsLimits = {
    {"one party", 200}, {"moved list", 300}, {"repacked bank", 1800}, {"filled", 100}};

} // namespace

TEST_P(PatchRoundTrip, EveryEditComesBackByteForByte)
{
    const Bytes original = SyntheticRom(GetParam()).bytes();
    for (const PatchEdit& edit : patchEdits(original, GetParam())) {
        ASSERT_NE(edit.edited, original) << edit.name;
        for (const PatchFormat format : {PatchFormat::Bps, PatchFormat::Ips}) {
            const std::string name = format == PatchFormat::Bps ? "edit.bps" : "edit.ips";
            SCOPED_TRACE(edit.name + ", " + name);
            const auto patch = makePatch(format, original, edit.edited);
            if (format == PatchFormat::Ips && !edit.ips) {
                ASSERT_FALSE(patch.ok());
                EXPECT_EQ(patch.failure().number, FailureNumber::CannotPatch);
                continue;
            }
            ASSERT_TRUE(patch.ok()) << patch.failure().description;
            const auto patched = applyPatch(original, *patch, name);
            ASSERT_TRUE(patched.ok()) << patched.failure().description;
            EXPECT_EQ(patched->format, format);
            EXPECT_TRUE(patched->bytes == edit.edited);
            std::cout << "[ figures  ] " << profileOf(GetParam()).code << ", " << edit.name << ": " << name << " of "
                      << patch->size() << " bytes\n";
            if (format == PatchFormat::Bps && BpsLimits.contains(edit.name)) {
                EXPECT_LT(patch->size(), BpsLimits.at(edit.name));
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(AllVersions, PatchRoundTrip, ::testing::ValuesIn(AllVersions));

TEST(Patch, WrongBaseIsRefusedByItsCrc)
{
    const Bytes red = SyntheticRom(GameVersion::Red).bytes();
    const Bytes blue = SyntheticRom(GameVersion::Blue).bytes();
    const auto patch = makePatch(PatchFormat::Bps, red, patchEdits(red, GameVersion::Red).front().edited);
    const auto refused = applyPatch(blue, *patch, "hack.bps");
    ASSERT_FALSE(refused.ok());
    EXPECT_EQ(refused.failure().number, FailureNumber::PatchForAnotherRom);
    EXPECT_EQ(refused.failure().description,
              "hack.bps was made for another ROM (CRC32 " + crcText(crc32Of(red)) + ", this one has " +
                  crcText(crc32Of(blue)) + ").");
    EXPECT_EQ(crcText(0x0C1E7A3B), "0C1E7A3B");
    // The CRC zlib computes is the one every patcher checks: that of "123456789" is CBF43926.
    const std::string check = "123456789";
    EXPECT_EQ(crc32Of(std::span(reinterpret_cast<const std::uint8_t*>(check.data()), check.size())), 0xCBF43926U);
}

// Every patch cut short anywhere, and every BPS patch with any one byte changed, is refused with its reason.
TEST(Patch, CutOrChangedPatchesAreRefused)
{
    const Bytes original = SyntheticRom(GameVersion::Yellow).bytes();
    const Bytes edited = patchEdits(original, GameVersion::Yellow).front().edited;
    for (const PatchFormat format : {PatchFormat::Bps, PatchFormat::Ips}) {
        const Bytes patch = *makePatch(format, original, edited);
        for (std::size_t length = 0; length < patch.size(); ++length) {
            SCOPED_TRACE(length);
            const auto refused = applyPatch(
                original, Bytes(patch.begin(), patch.begin() + static_cast<std::ptrdiff_t>(length)), "cut.patch");
            ASSERT_FALSE(refused.ok());
            EXPECT_EQ(refused.failure().number, FailureNumber::BadPatch);
            EXPECT_TRUE(refused.failure().description.starts_with("cut.patch is ")) << refused.failure().description;
        }
        // The patch's own CRC32 covers every byte before it, and itself.
        for (std::size_t at = 0; format == PatchFormat::Bps && at < patch.size(); ++at) {
            Bytes changed = patch;
            changed[at] ^= 0x10;
            const auto refused = applyPatch(original, changed, "changed.bps");
            ASSERT_FALSE(refused.ok()) << at;
            EXPECT_EQ(refused.failure().number, FailureNumber::BadPatch) << at;
        }
    }
}
