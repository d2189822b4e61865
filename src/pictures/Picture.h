#pragma once

// A Pokémon or trainer picture as the game draws it: widthTiles x heightTiles tiles of 8 x 8 pixels (1..7
// each, or 0 x 0 for no picture), one shade a pixel from 0 (white) to 3 (black), row by row from the top left.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// The game decodes every picture into buffers of 7 x 7 tiles.
// The greys of shades 0..3 on the Game Boy's screen, 8 bits each.
constexpr std::array<std::uint8_t, 4> ShadeGreys{255, 170, 85, 0};

constexpr int MaxPictureTiles = 7;
constexpr int TilePixels = 8;

struct Picture
{
    int widthTiles = 0;
    int heightTiles = 0;
    std::vector<std::uint8_t> shades;

    Picture() = default;
    // All white.
    Picture(int width, int height)
        : widthTiles(width), heightTiles(height),
          shades(static_cast<std::size_t>(width * height * TilePixels * TilePixels), 0)
    {}

    int widthPixels() const { return widthTiles * TilePixels; }
    int heightPixels() const { return heightTiles * TilePixels; }
    std::uint8_t shade(int x, int y) const { return shades[index(x, y)]; }
    void setShade(int x, int y, std::uint8_t value) { shades[index(x, y)] = value; }

    bool operator==(const Picture&) const = default;

private:
    std::size_t index(int x, int y) const { return static_cast<std::size_t>(y * widthPixels() + x); }
};

struct DecodedPicture
{
    Picture picture;
    // Empty when the picture is sound. Otherwise a short clause on what is wrong ("its pointer leads out of
    // the bank"), and the picture is blank.
    std::string problem;

    bool sound() const { return problem.empty(); }
};
