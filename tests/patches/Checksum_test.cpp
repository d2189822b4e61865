// The cartridge checksums on synthetic images: the header's as the boot ROM computes it, the global one as the sum
// of every byte but its own two.

#include "TempRom.h"
#include "patches/Checksum.h"

TEST(Checksum, HeaderAndGlobalFollowEveryByteTheyCover)
{
    SyntheticRom rom(GameVersion::Red);
    for (std::int64_t offset = 0x134; offset < 0x14D; ++offset) {
        rom.set(offset, 0);
    }
    Bytes image = rom.bytes();
    // 25 header bytes of 0: 0 - 25 * (0 + 1), kept to a byte.
    EXPECT_EQ(cartridgeChecksums(image)->header, 0xE7);
    const auto fix = globalChecksumFix(image);
    ASSERT_TRUE(fix);
    applyWritePlan(image, {*fix});
    EXPECT_TRUE(cartridgeChecksums(image)->globalRight());
    EXPECT_FALSE(globalChecksumFix(image));
    // Every byte counts once, whichever it is; the checksum's own bytes do not.
    for (const std::size_t offset : {std::size_t{0}, std::size_t{0x14D}, std::size_t{0x150}, image.size() - 1}) {
        Bytes changed = image;
        ++changed[offset];
        EXPECT_EQ(cartridgeChecksums(changed)->global,
                  static_cast<std::uint16_t>(cartridgeChecksums(image)->global + 1));
    }
    Bytes own = image;
    own[0x14E] ^= 0xFF;
    EXPECT_EQ(cartridgeChecksums(own)->global, cartridgeChecksums(image)->global);
    EXPECT_FALSE(cartridgeChecksums(own)->globalRight());
    EXPECT_FALSE(cartridgeChecksums(Bytes(0x14F, 0)));
}
