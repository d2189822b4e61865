#pragma once

// Map graphics for the synthetic images: invented tiles (grass, water, trees, walls, roofs... of simple shapes),
// blocksets made of them, people and still objects for every sprite id, and putTiles, which lays a version's
// tileset table and sprite table the way the game finds them, with their data in banks 0x30..0x35. Several
// tilesets share their graphics and blockset as the game's do, and two share only their graphics. Nothing here
// comes from the games.

#include "maps/DrawingTables.h"
#include "pictures/Tiles.h"
#include "rom/RomFile.h"
#include "rom/VersionProfile.h"

#include <array>
#include <cstdint>

constexpr int InventedGraphicsSets = 8;
constexpr int InventedBlocksets = 10;
// Every blockset holds this many blocks, each of tiles below 0x60.
constexpr int InventedBlockCount = 32;

struct InventedTileset
{
    int graphicsSet;
    int blockset;
};

// Tileset 0..24 (Yellow's last included).
InventedTileset inventedTileset(int tileset);
TileColours inventedTile(int graphicsSet, int tile);
// The 16 tile ids of a block, row by row; they refer to the tiles of the blockset's own graphics set.
std::array<std::uint8_t, BlockLength> inventedBlock(int blockset, int block);

using PersonFrame = std::array<std::uint8_t, 16 * 16>;
// The standing frame facing down of sprite 1..82: colour numbers, 0 for transparent, row by row.
PersonFrame inventedFrame(int sprite);
// 12 tiles for a person (down, up, side), 4 for a still object.
int inventedSheetTiles(int sprite);

std::array<std::uint8_t, TileBytes> encodeTile(const TileColours& colours);

// Writes the tileset table, the graphics, blocksets and collision lists, the sprite table and the sprite sheets.
// No other byte changes.
void putTiles(Bytes& image, GameVersion version);
