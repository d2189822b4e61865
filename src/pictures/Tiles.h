#pragma once

// Plain 2bpp tiles as the Game Boy's video memory holds them: 16 bytes a tile of 8 x 8 pixels, two bytes a
// pixel row from the top. In each pair the first byte holds the low bit of every pixel's colour number and the
// second the high bit; bit 7 is the leftmost pixel. A colour number (0..3) becomes a shade by the palette the
// tile is drawn with.

#include "pictures/Picture.h"

#include <array>
#include <cstdint>
#include <span>

constexpr int TileBytes = 16;

// Colour numbers 0..3, row by row from the top left.
using TileColours = std::array<std::uint8_t, TilePixels * TilePixels>;

TileColours decodeTile(std::span<const std::uint8_t, TileBytes> bytes);
