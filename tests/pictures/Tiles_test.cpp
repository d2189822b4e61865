#include "demo/SyntheticTiles.h"
#include "pictures/Tiles.h"

#include <algorithm>
#include <gtest/gtest.h>

// The example every description of the format gives: the row 0x3C, 0x7E is 0 2 3 3 3 3 2 0.
TEST(Tiles, TakesTheFirstByteOfARowAsTheLowBitAndBit7AsTheLeftmostPixel)
{
    std::array<std::uint8_t, TileBytes> bytes{};
    bytes[6] = 0x3C;
    bytes[7] = 0x7E;
    bytes[14] = 0x80;
    const TileColours tile = decodeTile(bytes);
    const std::array<std::uint8_t, 8> row3{0, 2, 3, 3, 3, 3, 2, 0};
    EXPECT_TRUE(std::equal(row3.begin(), row3.end(), tile.begin() + 3 * TilePixels));
    EXPECT_EQ(tile[7 * TilePixels], 1);
    EXPECT_EQ(std::count(tile.begin(), tile.end(), 0), 64 - 7);
}

// Every pair of bytes, in every row: decoded and encoded again, the same bytes; and the other way, every row of
// colours.
TEST(Tiles, DecodesEveryRowOfEveryTileBackToItsBytes)
{
    for (int pair = 0; pair < 0x10000; ++pair) {
        std::array<std::uint8_t, TileBytes> bytes{};
        for (int row = 0; row < TilePixels; ++row) {
            const int rotated = (pair << row | pair >> (16 - row)) & 0xFFFF;
            bytes[static_cast<std::size_t>(2 * row)] = static_cast<std::uint8_t>(rotated & 0xFF);
            bytes[static_cast<std::size_t>(2 * row + 1)] = static_cast<std::uint8_t>(rotated >> 8);
        }
        const TileColours colours = decodeTile(bytes);
        ASSERT_EQ(encodeTile(colours), bytes) << pair;
        TileColours spread{};
        for (std::size_t k = 0; k < spread.size(); ++k) {
            spread[k] = static_cast<std::uint8_t>((pair >> (2 * (k % 8)) & 3) ^ (k / 8 % 4));
        }
        ASSERT_EQ(decodeTile(encodeTile(spread)), spread) << pair;
    }
}
