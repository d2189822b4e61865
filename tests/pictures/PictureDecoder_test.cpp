#include "demo/SyntheticPictures.h"
#include "pictures/PictureDecoder.h"
#include "pictures/PictureLocator.h"

#include <gtest/gtest.h>

namespace {

constexpr std::int32_t ImageSize = 0x100000;
constexpr GameVersion Versions[] = {GameVersion::Red, GameVersion::Blue, GameVersion::Yellow};
constexpr const char* EndsEarly = "its data ends before the picture is complete";

// An invented figure with every shade sprinkled over it, so that packets of every pair value occur.
Picture speckled(int width, int height)
{
    Picture picture = inventedPicture(8 * width + height, width, height);
    for (std::size_t i = 0; i < picture.shades.size(); i += 7) {
        picture.shades[i] = static_cast<std::uint8_t>(i / 7 % 4);
    }
    return picture;
}

Bytes imageWithPictures(GameVersion version)
{
    Bytes image(static_cast<std::size_t>(ImageSize), 0x00);
    putPictures(image, version);
    return image;
}

void putWord(Bytes& image, std::int32_t offset, int value)
{
    image[static_cast<std::size_t>(offset)] = static_cast<std::uint8_t>(value & 0xFF);
    image[static_cast<std::size_t>(offset) + 1] = static_cast<std::uint8_t>(value >> 8);
}

} // namespace

// Streams written out by hand bit by bit: a 1 x 1 picture whose top-left pixel alone is set, its plane
// first in the stream and the other plane blank, both delta-coded. The first buffer holds the low bit of
// the shade. The encoder writes the same bits.
TEST(PictureDecoder, PutsTheFirstBufferInTheLowBitOfEachShade)
{
    const std::pair<Bytes, std::uint8_t> streams[] = {{{0x11, 0x73, 0xC0, 0x3C, 0x10}, 1},
                                                      {{0x11, 0xF3, 0xC0, 0x3C, 0x10}, 2}};
    for (const auto& [stream, shade] : streams) {
        Picture expected(1, 1);
        expected.setShade(0, 0, shade);
        const DecodedPicture decoded = decodePicture(stream);
        EXPECT_EQ(decoded.problem, "");
        EXPECT_TRUE(decoded.picture == expected) << int{shade};
        EXPECT_EQ(encodePicture(expected, {1, shade == 2}), stream);
    }
}

// Every coding, either plane first, every size: exactly the picture encoded, and no byte of the stream to spare.
TEST(PictureDecoder, DecodesEveryCodingOfEverySizeExactly)
{
    for (int mode = 1; mode <= 3; ++mode) {
        for (const bool highPlaneFirst : {false, true}) {
            for (int width = 1; width <= MaxPictureTiles; ++width) {
                for (int height = 1; height <= MaxPictureTiles; ++height) {
                    SCOPED_TRACE(testing::Message() << "mode " << mode << (highPlaneFirst ? " high" : " low")
                                                    << " first, " << width << " x " << height);
                    const Picture picture = speckled(width, height);
                    const Bytes stream = encodePicture(picture, {mode, highPlaneFirst});
                    const DecodedPicture decoded = decodePicture(stream);
                    EXPECT_EQ(decoded.problem, "");
                    EXPECT_TRUE(decoded.picture == picture);
                    EXPECT_EQ(decodePicture(std::span(stream).first(stream.size() - 1)).problem, EndsEarly);
                }
            }
        }
    }
}

TEST(PictureDecoder, GivesABlankPictureAndTheReasonForBadData)
{
    const std::string runTooLong = "a run of blank pixels in it runs past the end of the picture";
    const std::pair<Bytes, std::string> streams[] = {
        {{}, EndsEarly},
        {{0x11}, EndsEarly},
        {{0x00, 0xFF}, "its size 0 x 0 has no tiles"},
        {{0x50, 0xFF}, "its size 5 x 0 has no tiles"},
        {{0x83, 0xFF}, "its size 8 x 3 is over 7 x 7 tiles"},
        {{0x7F, 0xFF}, "its size 7 x 15 is over 7 x 7 tiles"},
        // A run of 33 blank pairs in a plane of 32, and a count of endless ones.
        {{0x11, 0x3C, 0x20}, runTooLong},
        {{0x77, 0x3F, 0xFF, 0xFF, 0xFF}, runTooLong},
        // Only data packets that never reach the end.
        {Bytes(40, 0x55), EndsEarly}};
    for (const auto& [stream, problem] : streams) {
        const DecodedPicture decoded = decodePicture(stream);
        EXPECT_EQ(decoded.problem, problem);
        EXPECT_TRUE(decoded.picture == Picture()) << problem;
    }
    const Bytes whole = encodePicture(speckled(7, 7), {3, true});
    for (std::size_t length = 0; length < whole.size(); ++length) {
        EXPECT_EQ(decodePicture(std::span(whole).first(length)).problem, EndsEarly) << length;
    }
}

TEST(PictureLocator, TakesTheBankFromTheSpeciesByteAsTheGameDoes)
{
    using enum GameVersion;
    // clang-format off
    const std::tuple<GameVersion, int, int> banks[] = {
        {Red, 0x15, 0x01}, {Blue, 0x15, 0x01}, {Yellow, 0x15, 0x09}, {Red, 0xB6, 0x0B}, {Yellow, 0xB6, 0x0B},
        {Blue, 0x01, 0x09}, {Red, 0x1E, 0x09}, {Red, 0x1F, 0x0A}, {Yellow, 0x49, 0x0A}, {Yellow, 0x4A, 0x0B},
        {Blue, 0x73, 0x0B}, {Blue, 0x74, 0x0C}, {Red, 0x98, 0x0C}, {Red, 0x99, 0x0D}, {Yellow, 0xB5, 0x0D},
        {Yellow, 0xB7, 0x0D}, {Red, 0xBE, 0x0D}};
    // clang-format on
    for (const auto& [version, species, bank] : banks) {
        EXPECT_EQ(pictureBank(version, species), bank) << static_cast<int>(version) << " species " << species;
    }
}

// What putPictures lays, every species and class of every version reads back; glitch species have none.
TEST(PictureLocator, FindsEverySpeciesAndClassPicture)
{
    for (const GameVersion version : Versions) {
        const Bytes image = imageWithPictures(version);
        for (int species = 0; species <= PictureSpeciesCount + 1; ++species) {
            SCOPED_TRACE(testing::Message() << static_cast<int>(version) << " species " << species);
            const int number = inventedPokedexNumber(species);
            EXPECT_EQ(pokedexNumber(image, version, species), number);
            const DecodedPicture decoded = speciesPicture(image, version, species);
            EXPECT_TRUE(decoded.picture == (number == 0 ? Picture() : inventedSpeciesPicture(number)));
            EXPECT_EQ(decoded.sound(), number != 0) << decoded.problem;
        }
        for (int classNumber = 0; classNumber <= PortraitClassCount + 1; ++classNumber) {
            const DecodedPicture decoded = trainerPicture(image, version, classNumber);
            const bool exists = classNumber >= 1 && classNumber <= PortraitClassCount;
            EXPECT_TRUE(decoded.picture == (exists ? inventedPortrait(classNumber) : Picture())) << classNumber;
            EXPECT_EQ(decoded.sound(), exists) << classNumber << " " << decoded.problem;
        }
    }
}

TEST(PictureLocator, GivesTheReasonWhenAPictureCannotBeFound)
{
    const GameVersion version = GameVersion::Red;
    const int species = 0x99;
    const std::int32_t entry = baseDataOffset(version, inventedPokedexNumber(species));
    const std::int32_t portrait = bankOffset(PortraitBank, 0x4000);
    const auto changed = [&](std::int32_t offset, const Bytes& bytes, std::int32_t size) {
        Bytes image = imageWithPictures(version);
        std::copy(bytes.begin(), bytes.end(), image.begin() + offset);
        image.resize(static_cast<std::size_t>(size));
        return image;
    };
    // A species picture, then the portrait of class 1, the first in its bank.
    const std::tuple<Bytes, bool, std::string> images[] = {
        {changed(entry + BaseDataFrontPicture, {0xFF, 0x3F}, ImageSize), true, "its pointer leads out of the bank"},
        {changed(entry + BaseDataFrontPicture, {0x00, 0x80}, ImageSize), true, "its pointer leads out of the bank"},
        {changed(entry + BaseDataPictureSize, {0x23}, ImageSize), true, "its size 2 x 3 in the base data differs from"},
        {changed(0, {}, pictureTables(version).pokedexNumbers + species - 1), true, "the table of Pokédex numbers"},
        {changed(0, {}, trainerRecordOffset(version, 1) + 1), false, "its record lies past the end of the file"},
        {changed(0, {}, portrait), false, "its picture lies past the end of the file"},
        {changed(0, {}, portrait + 9), false, EndsEarly}};
    for (const auto& [image, ofSpecies, problem] : images) {
        const DecodedPicture decoded =
            ofSpecies ? speciesPicture(image, version, species) : trainerPicture(image, version, 1);
        EXPECT_EQ(decoded.problem.substr(0, problem.size()), problem);
        EXPECT_TRUE(decoded.picture == Picture()) << problem;
    }
    EXPECT_EQ(speciesPalette(std::get<0>(images[4]), version, species), GreyPalette);
}

// putPictures leaves the rest of each base data entry and each class's prize money alone.
TEST(SyntheticPictures, WritesOnlyThePictureFieldsOfSharedRecords)
{
    for (const GameVersion version : Versions) {
        Bytes image(static_cast<std::size_t>(ImageSize), 0xA5);
        putPictures(image, version);
        for (int number = 1; number <= PokedexCount; ++number) {
            for (std::int32_t at = 1; at < BaseDataLength; ++at) {
                if (at < BaseDataPictureSize || at > BaseDataFrontPicture + 1) {
                    EXPECT_EQ(image[static_cast<std::size_t>(baseDataOffset(version, number) + at)], 0xA5);
                }
            }
        }
        for (int classNumber = 1; classNumber <= PortraitClassCount; ++classNumber) {
            for (std::int32_t at = 2; at < TrainerRecordLength; ++at) {
                EXPECT_EQ(image[static_cast<std::size_t>(trainerRecordOffset(version, classNumber) + at)], 0xA5);
            }
        }
    }
}

// Colour k of the palette the map gives the species' Pokédex number, in RGB555 with red lowest.
TEST(PictureLocator, ReadsPalettesAsRgb555)
{
    Bytes image = imageWithPictures(GameVersion::Yellow);
    const PictureTables& tables = pictureTables(GameVersion::Yellow);
    image[static_cast<std::size_t>(tables.paletteMap + inventedPokedexNumber(0x40))] = 3;
    const int colours[] = {0x7FFF, 0x001F, 0x03E0, 0x7C10};
    for (int k = 0; k < 4; ++k) {
        putWord(image, tables.palettes + PaletteLength * 3 + 2 * k, colours[k]);
    }
    const PicturePalette expected{{{255, 255, 255}, {255, 0, 0}, {0, 255, 0}, {131, 0, 255}}};
    EXPECT_EQ(speciesPalette(image, GameVersion::Yellow, 0x40), expected);
    // Trainers take the palette of entry 0, as species without a Pokédex number (5 among them) do.
    EXPECT_EQ(trainerPalette(image, GameVersion::Yellow), speciesPalette(image, GameVersion::Yellow, 5));
    EXPECT_NE(trainerPalette(image, GameVersion::Yellow), GreyPalette);
}

// The tables where the games keep them, written here apart from the program's own: a picture laid by hand
// for species 1 (Pokédex number 1, bank 0x09) and for trainer class 1 (bank 0x13) is found in every version.
TEST(PictureLocator, ReadsTheTablesWhereTheGamesKeepThem)
{
    // The species-to-Pokédex table, the base data and the trainer records of Red and Blue, then Yellow.
    const std::tuple<GameVersion, std::int32_t, std::int32_t, std::int32_t> tables[] = {
        {GameVersion::Red, 0x41024, 0x383DE, 0x39914},
        {GameVersion::Blue, 0x41024, 0x383DE, 0x39914},
        {GameVersion::Yellow, 0x410B1, 0x383DE, 0x39893}};
    const Picture picture = speckled(3, 2);
    const Bytes stream = encodePicture(picture, {2, false});
    for (const auto& [version, pokedex, baseData, records] : tables) {
        Bytes image(static_cast<std::size_t>(ImageSize), 0x00);
        image[static_cast<std::size_t>(pokedex)] = 1;
        image[static_cast<std::size_t>(baseData + 10)] = 0x32;
        putWord(image, baseData + 11, 0x4100);
        putWord(image, records, 0x4200);
        std::copy(stream.begin(), stream.end(), image.begin() + 9 * 0x4000 + 0x100);
        std::copy(stream.begin(), stream.end(), image.begin() + 0x13 * 0x4000 + 0x200);
        EXPECT_TRUE(speciesPicture(image, version, 1).picture == picture) << speciesPicture(image, version, 1).problem;
        EXPECT_TRUE(trainerPicture(image, version, 1).picture == picture) << trainerPicture(image, version, 1).problem;
    }
}
