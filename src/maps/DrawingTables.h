#pragma once

// The two tables the game draws its maps from, where each version keeps them, and their records read as file
// offsets: a tileset's graphics and blockset, a sprite's sheet. Every read stays inside the image; a record
// that leads out of its bank or past the file is a Failure whose description says why, as a clause.

#include "rom/Failure.h"
#include "rom/RomFile.h"
#include "rom/VersionProfile.h"

#include <cstdint>

struct DrawingTables
{
    // As many tilesets as the maps' profile counts.
    std::int32_t tilesets;
    // Sprite id s (from 1) at sprites + 4 * (s - 1).
    std::int32_t sprites;
    int spriteCount;
};

// A tileset record: the bank of both its graphics and its blockset, the blockset, graphics and collision
// pointers, three counter tiles, the grass tile and the animation byte.
constexpr int TilesetRecordLength = 12;
// A sprite record: the sheet's pointer, its byte count and its bank.
constexpr int SpriteRecordLength = 4;
// The game loads 0x600 bytes of graphics: tile ids 0x60 and up are something else in video memory.
constexpr int TilesetTileCount = 0x60;
// A block is 4 x 4 tile ids; a person's standing frame facing down is the sheet's first 4 tiles.
constexpr int BlockSide = 4;
constexpr int BlockLength = BlockSide * BlockSide;
constexpr int FrameTileCount = 4;

const DrawingTables& drawingTables(GameVersion version);

struct TilesetSource
{
    int bank = 0;
    std::int32_t graphics = 0;
    std::int32_t blockset = 0;
};

struct SpriteSource
{
    std::int32_t sheet = 0;
    // As the table gives it: 0xC0 for 12 tiles, 0x40 for 4.
    int byteCount = 0;
};

// Tileset 0..count-1: its pointers as file offsets inside its bank. Whether each tile and block lies whole
// inside the bank is for the reader of each to check.
Result<TilesetSource> tilesetSource(const Bytes& image, GameVersion version, int tileset);
// Sprite 1..count: a sheet with at least the 4 tiles of the standing frame, wholly inside its bank.
Result<SpriteSource> spriteSource(const Bytes& image, GameVersion version, int sprite);
