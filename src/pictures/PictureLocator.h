#pragma once

// Where each version keeps its Pokémon and trainer pictures and their Super Game Boy colours, and those
// pictures decoded, by species byte (1..190) or trainer class (1..47). Every read stays inside the image,
// however short it is; a picture that cannot be found or decoded comes back blank with the reason.

#include "pictures/Picture.h"
#include "rom/Banks.h"
#include "rom/VersionProfile.h"

#include <array>
#include <cstdint>
#include <optional>

constexpr int PictureSpeciesCount = 190;
constexpr int PokedexCount = 151;
constexpr int PortraitClassCount = 47;
// The two species bytes the game does not take the picture bank of from the ranges.
constexpr int MewSpecies = 0x15;
constexpr int FossilKabutopsSpecies = 0xB6;

// A switchable bank shows at 0x4000..0x7FFF whatever its number.
constexpr int PortraitBank = 0x13;
// A base data entry keeps the picture's size (width in the high nibble) at byte 10 and the little-endian
// pointer to its front picture at 11; a trainer record keeps the pointer to its portrait first, then the
// 3 bytes of its prize money.
constexpr std::int32_t BaseDataLength = 28;
constexpr std::int32_t BaseDataPictureSize = 10;
constexpr std::int32_t BaseDataFrontPicture = 11;
constexpr std::int32_t TrainerRecordLength = 5;
constexpr std::int32_t PaletteLength = 8;

struct PictureTables
{
    // The Pokédex number of each species byte from 1 (0 for none).
    std::int32_t pokedexNumbers;
    // Base data in Pokédex order: numbers 1..150, and 151 too in Yellow.
    std::int32_t baseData;
    // Red and Blue keep MEW's base data on its own, in bank 1.
    std::optional<std::int32_t> mewBaseData;
    std::int32_t trainerRecords;
    // One palette number per Pokédex number from 0; trainers and species without a number take entry 0.
    std::int32_t paletteMap;
    // Four colours each, little-endian RGB555.
    std::int32_t palettes;
};

const PictureTables& pictureTables(GameVersion version);
std::int32_t baseDataOffset(GameVersion version, int pokedexNumber);
std::int32_t trainerRecordOffset(GameVersion version, int classNumber);

// 1..151; 0 for a species byte outside 1..190, one the table gives no number (or one over 151), or a table
// outside the image.
int pokedexNumber(ImageView image, GameVersion version, int species);
// The bank the game loads a Pokémon picture from: chosen by the species byte, not the Pokédex number.
int pictureBank(GameVersion version, int species);

DecodedPicture speciesPicture(ImageView image, GameVersion version, int species);
DecodedPicture trainerPicture(ImageView image, GameVersion version, int classNumber);

struct Rgb
{
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;

    bool operator==(const Rgb&) const = default;
};

// Colour k for shade k, 8 bits a channel.
using PicturePalette = std::array<Rgb, 4>;
// For a palette that lies outside the image.
constexpr PicturePalette GreyPalette{{{255, 255, 255}, {170, 170, 170}, {85, 85, 85}, {0, 0, 0}}};

PicturePalette speciesPalette(ImageView image, GameVersion version, int species);
PicturePalette trainerPalette(ImageView image, GameVersion version);
