#include "pictures/Tiles.h"

TileColours decodeTile(std::span<const std::uint8_t, TileBytes> bytes)
{
    TileColours colours{};
    for (int row = 0; row < TilePixels; ++row) {
        const int low = bytes[static_cast<std::size_t>(2 * row)];
        const int high = bytes[static_cast<std::size_t>(2 * row + 1)];
        for (int x = 0; x < TilePixels; ++x) {
            const int bit = 7 - x;
            colours[static_cast<std::size_t>(row * TilePixels + x)] =
                static_cast<std::uint8_t>((low >> bit & 1) | (high >> bit & 1) << 1);
        }
    }
    return colours;
}
