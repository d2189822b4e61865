#pragma once

// Draws a map of the ROM as the game shows it once loaded: its blocks of the tileset's tiles, and when asked the
// people standing on it, each in the standing frame of its sheet that faces down. The water and flower
// animations and the blocks scripts change during play are not drawn. Nothing is decoded before a map is drawn;
// the tiles, blocks and frames decoded are kept for the next map. Bad data gives a blank picture (of the map's
// size when that is sane, else 0 x 0) with the reason; nothing is read outside the data's bank or the image, and
// the work is bounded by the picture's size.

#include "maps/DrawingTables.h"
#include "pictures/Tiles.h"

#include <array>
#include <cstdint>
#include <map>
#include <span>
#include <string>
#include <utility>
#include <vector>

constexpr int BlockPixels = BlockSide * TilePixels;
constexpr int SquarePixels = 16;
constexpr int MaxMapBlocks = 4096;

struct MapLook
{
    int tileset = 0;
    // In blocks of 32 x 32 pixels.
    int height = 0;
    int width = 0;
    // The file offset of the width * height block ids, row by row, which lie in bank.
    std::int32_t blocks = 0;
    int bank = 0;
};

// A person on the map: the sprite id and its square, x and y in squares of 16 x 16 pixels (the stored bytes - 4).
struct PersonLook
{
    int sprite = 0;
    int x = 0;
    int y = 0;
};

// The shade each colour number of a person is drawn in: the game's palette for people leaves out the dark grey,
// and colour 0 is transparent.
constexpr std::array<std::uint8_t, 4> PersonShades{0, 0, 1, 3};

struct MapPicture
{
    int width = 0;
    int height = 0;
    // Shades 0..3 (shown as ShadeGreys), row by row from the top left.
    std::vector<std::uint8_t> shades;
    // Empty when the picture is sound; else a short clause on what is wrong, and the picture is all shade 0.
    std::string problem;

    bool sound() const { return problem.empty(); }
    std::uint8_t shade(int x, int y) const { return shades[static_cast<std::size_t>(y * width + x)]; }
};

struct PixelBox
{
    std::int64_t x = 0;
    std::int64_t y = 0;
    int width = 0;
    int height = 0;
};

// Where a person's 16 x 16 sprite is drawn, before clipping at the picture's edge: its top left at
// (16x, 16y - 4), 4 pixels above its square.
PixelBox personBox(const PersonLook& person);

class MapDrawing
{
public:
    // Reads image, which must outlive this and stay unchanged: a changed image wants a new MapDrawing.
    MapDrawing(const Bytes& image, GameVersion version) : m_image(image), m_version(version) {}

    MapPicture bare(const MapLook& map);
    // The people drawn over a sound picture of their map, the earlier of two on a square in front; "", or, with
    // the picture left as it was, the reason a person's sprite cannot be drawn, naming its object (from 1).
    std::string addPeople(MapPicture& picture, std::span<const PersonLook> people);
    // The bare map with its people over it; blank, with the reason, when either cannot be drawn.
    MapPicture withPeople(const MapLook& map, std::span<const PersonLook> people);

    // What was decoded so far: sets of up to 96 tiles, blocksets (each set and blockset once, however many
    // tilesets share them) and people's frames (once for each sheet).
    std::size_t graphicsDecoded() const { return m_graphics.size(); }
    std::size_t blocksetsDecoded() const { return m_blocksets.size(); }
    std::size_t framesDecoded() const { return m_frames.size(); }

private:
    struct Graphics
    {
        // The tiles that lie whole inside the bank, at most 96.
        std::vector<TileColours> tiles;
    };
    struct Blockset
    {
        const Graphics* graphics = nullptr;
        std::int32_t offset = 0;
        std::int64_t end = 0;
        // By block id: NotDrawn, the index of its shades in pixels, or Bad - k for problems[k].
        std::array<int, 256> places{};
        std::vector<std::uint8_t> pixels;
        std::vector<std::string> problems;
    };
    using Frame = std::array<std::uint8_t, SquarePixels * SquarePixels>;

    Blockset& blocksetOf(const TilesetSource& source);
    // Draws block id into blockset's pixels unless it was drawn before; the reason it cannot be drawn, or "".
    std::string prepareBlock(Blockset& blockset, int id) const;
    void compose(MapPicture& picture, const MapLook& map, const Blockset& blockset) const;
    Result<const Frame*> frameOf(int sprite);

    const Bytes& m_image;
    GameVersion m_version;
    std::map<std::int32_t, Graphics> m_graphics;
    std::map<std::pair<std::int32_t, std::int32_t>, Blockset> m_blocksets;
    std::map<std::int32_t, Frame> m_frames;
};
