#pragma once

// Pictures for the synthetic images: an encoder in the game's own compression, invented creatures and
// portraits drawn from a seed, and putPictures, which lays a version's picture tables into an image of
// 1 MiB the way the game finds them. Nothing here comes from the games; a bank the pictures overflow is
// a logic_error.

#include "pictures/Picture.h"
#include "rom/RomFile.h"
#include "rom/VersionProfile.h"

struct PictureCoding
{
    // 1: both bit planes delta-coded; 2: the second plane XORed with the first, and only the first
    // delta-coded; 3: XORed, and both delta-coded.
    int mode = 1;
    // The plane of the shades' high bits comes first in the stream (its first bit is then 1).
    bool highPlaneFirst = false;
};

// The picture (1..15 tiles each way) as the game's decompressor reads it.
Bytes encodePicture(const Picture& picture, PictureCoding coding);

// A creature-like figure with an outline, shading, spots and a face, in all four shades; the seed
// changes its build.
Picture inventedPicture(int seed, int widthTiles, int heightTiles);

// The invented content putPictures lays: 151 Pokédex numbers shared out among the species bytes (MEW's
// 0x15 has 151; 39 bytes, the fossil's 0xB6 among them, have none), a picture for each number and a
// portrait for each of the 47 trainer classes.
int inventedPokedexNumber(int species);
Picture inventedSpeciesPicture(int pokedexNumber);
Picture inventedPortrait(int classNumber);
constexpr int InventedPaletteCount = 10;

// Writes the table of Pokédex numbers, the picture size and pointer (and number) in each base data entry,
// the pictures in the banks the game loads them from, the portrait pointers of the trainer records (never
// their prize money) with the portraits in bank 0x13, and the colour tables. No other byte changes.
void putPictures(Bytes& image, GameVersion version);
