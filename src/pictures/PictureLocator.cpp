#include "pictures/PictureLocator.h"

#include "pictures/PictureDecoder.h"

#include <algorithm>
#include <span>
#include <utility>

namespace {

// clang-format off
constexpr std::array<PictureTables, 3> Tables{{
    {0x41024, 0x383DE, 0x425B,       0x39914, 0x725C8, 0x72660},
    {0x41024, 0x383DE, 0x425B,       0x39914, 0x725C8, 0x72660},
    {0x410B1, 0x383DE, std::nullopt, 0x39893, 0x72921, 0x729B9},
}};
// clang-format on

// The Pokémon pictures fill banks 0x09..0x0D in the order of their species bytes: the first species byte
// past each bank, and the bank.
constexpr std::array<std::pair<int, int>, 4> PictureBankRanges{
    {{0x1F, 0x09}, {0x4A, 0x0A}, {0x74, 0x0B}, {0x99, 0x0C}}};
constexpr int LastPictureBank = 0x0D;
constexpr int MewPictureBank = 0x01;
constexpr int FossilPictureBank = 0x0B;

std::optional<int> optionalByte(ImageView image, std::int64_t offset)
{
    const int byte = byteAt(image, offset);
    return byte < 0 ? std::nullopt : std::optional(byte);
}

std::optional<int> optionalWord(ImageView image, std::int64_t offset)
{
    const int word = wordAt(image, offset);
    return word < 0 ? std::nullopt : std::optional(word);
}

DecodedPicture failed(std::string problem)
{
    return {Picture(), std::move(problem)};
}

// The decoder sees the rest of the bank, or of the file where it ends sooner.
DecodedPicture pictureAt(ImageView image, int bank, int pointer)
{
    if (!switchablePointer(pointer)) {
        return failed("its pointer leads out of the bank");
    }
    const auto start = static_cast<std::size_t>(bankOffset(bank, pointer));
    if (start >= image.size()) {
        return failed("its picture lies past the end of the file");
    }
    const auto end = static_cast<std::size_t>(readableEnd(image, bank));
    return decodePicture(std::span(image).subspan(start, end - start));
}

std::string sizeText(int width, int height)
{
    return std::to_string(width) + " x " + std::to_string(height);
}

std::uint8_t channel(int bits)
{
    return static_cast<std::uint8_t>((bits & 0x1F) * 255 / 31);
}

PicturePalette paletteOf(ImageView image, GameVersion version, int pokedexNumber)
{
    const PictureTables& tables = pictureTables(version);
    const auto number = optionalByte(image, tables.paletteMap + pokedexNumber);
    if (!number) {
        return GreyPalette;
    }
    PicturePalette palette;
    for (std::size_t k = 0; k < palette.size(); ++k) {
        const auto colour = optionalWord(image, tables.palettes + PaletteLength * *number + 2 * static_cast<int>(k));
        if (!colour) {
            return GreyPalette;
        }
        palette[k] = {channel(*colour), channel(*colour >> 5), channel(*colour >> 10)};
    }
    return palette;
}

} // namespace

const PictureTables& pictureTables(GameVersion version)
{
    return Tables[static_cast<std::size_t>(version)];
}

std::int32_t baseDataOffset(GameVersion version, int pokedexNumber)
{
    const PictureTables& tables = pictureTables(version);
    if (pokedexNumber == PokedexCount && tables.mewBaseData) {
        return *tables.mewBaseData;
    }
    return tables.baseData + BaseDataLength * (pokedexNumber - 1);
}

std::int32_t trainerRecordOffset(GameVersion version, int classNumber)
{
    return pictureTables(version).trainerRecords + TrainerRecordLength * (classNumber - 1);
}

int pokedexNumber(ImageView image, GameVersion version, int species)
{
    if (species < 1 || species > PictureSpeciesCount) {
        return 0;
    }
    const int number = optionalByte(image, pictureTables(version).pokedexNumbers + species - 1).value_or(0);
    return number <= PokedexCount ? number : 0;
}

int pictureBank(GameVersion version, int species)
{
    // Yellow dropped MEW's place in bank 1: its picture lies with the others.
    if (species == MewSpecies && version != GameVersion::Yellow) {
        return MewPictureBank;
    }
    if (species == FossilKabutopsSpecies) {
        return FossilPictureBank;
    }
    for (const auto& [end, bank] : PictureBankRanges) {
        if (species < end) {
            return bank;
        }
    }
    return LastPictureBank;
}

DecodedPicture speciesPicture(ImageView image, GameVersion version, int species)
{
    if (species < 1 || species > PictureSpeciesCount) {
        return failed("it is not one of the game's 190 species");
    }
    if (!optionalByte(image, pictureTables(version).pokedexNumbers + species - 1)) {
        return failed("the table of Pokédex numbers lies past the end of the file");
    }
    const int number = pokedexNumber(image, version, species);
    if (number == 0) {
        return failed("it has no Pokédex number");
    }
    const std::int32_t entry = baseDataOffset(version, number);
    const auto size = optionalByte(image, entry + BaseDataPictureSize);
    const auto pointer = optionalWord(image, entry + BaseDataFrontPicture);
    if (!size || !pointer) {
        return failed("its base data lies past the end of the file");
    }
    DecodedPicture decoded = pictureAt(image, pictureBank(version, species), *pointer);
    const Picture& picture = decoded.picture;
    if (decoded.sound() && *size != (picture.widthTiles << 4 | picture.heightTiles)) {
        // The game lays the picture out by this size, so it would draw the picture scrambled.
        return failed("its size " + sizeText(*size >> 4, *size & 0x0F) +
                      " in the base data differs from its picture's " +
                      sizeText(picture.widthTiles, picture.heightTiles));
    }
    return decoded;
}

DecodedPicture trainerPicture(ImageView image, GameVersion version, int classNumber)
{
    if (classNumber < 1 || classNumber > PortraitClassCount) {
        return failed("it is not one of the 47 trainer classes");
    }
    const auto pointer = optionalWord(image, trainerRecordOffset(version, classNumber));
    if (!pointer) {
        return failed("its record lies past the end of the file");
    }
    return pictureAt(image, PortraitBank, *pointer);
}

PicturePalette speciesPalette(ImageView image, GameVersion version, int species)
{
    return paletteOf(image, version, pokedexNumber(image, version, species));
}

PicturePalette trainerPalette(ImageView image, GameVersion version)
{
    return paletteOf(image, version, 0);
}
