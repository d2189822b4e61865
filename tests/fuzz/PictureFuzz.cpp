// A picture stream decoded on its own, and the same bytes met through the picture tables of a synthetic
// image: laid over a species' picture and a class's portrait where the tables lead, with the pointers and
// the image's length also taken from the input when it asks (the pointers from the stream's last two bytes). Whatever
// the bytes, nothing is read out of bounds, and every picture is sound (1..7 tiles each way, 64 shades a tile, each
// 0..3) or blank with a reason.
//
// Input: [version, and 0x08 to take the pointers][species byte][class][image length / 0x1000, 0 for all]
// then the stream.

#include "FuzzCheck.h"
#include "demo/SyntheticPictures.h"
#include "pictures/PictureDecoder.h"
#include "pictures/PictureLocator.h"

#include <algorithm>
#include <span>
#include <utility>
#include <vector>

namespace {

constexpr std::uint8_t PatchPointers = 0x08;

void checkPicture(const DecodedPicture& decoded)
{
    const Picture& picture = decoded.picture;
    if (!decoded.sound()) {
        FUZZ_CHECK(picture.widthTiles == 0 && picture.heightTiles == 0 && picture.shades.empty());
        return;
    }
    FUZZ_CHECK(picture.widthTiles >= 1 && picture.widthTiles <= MaxPictureTiles);
    FUZZ_CHECK(picture.heightTiles >= 1 && picture.heightTiles <= MaxPictureTiles);
    FUZZ_CHECK(picture.shades.size() == static_cast<std::size_t>(picture.widthTiles * picture.heightTiles * 64));
    FUZZ_CHECK(std::all_of(picture.shades.begin(), picture.shades.end(), [](std::uint8_t s) { return s <= 3; }));
}

Bytes imageWithPictures(GameVersion version)
{
    Bytes image(0x100000, 0x00);
    putPictures(image, version);
    return image;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    checkPicture(decodePicture(std::span(data, size)));
    static Bytes images[] = {imageWithPictures(GameVersion::Red),
                             imageWithPictures(GameVersion::Blue),
                             imageWithPictures(GameVersion::Yellow)};
    if (size < 4) {
        return 0;
    }
    const auto version = static_cast<GameVersion>(data[0] % 3);
    Bytes& image = images[data[0] % 3];
    const int species = data[1];
    const int classNumber = data[2] % (PortraitClassCount + 3);
    const std::span<const std::uint8_t> stream(data + 4, size - 4);
    // Every change to the kept image is undone at the end, so that no input pays for a 1 MiB copy.
    std::vector<std::pair<std::size_t, std::uint8_t>> undo;
    const auto lay = [&](std::int64_t offset, std::span<const std::uint8_t> bytes, std::int64_t end) {
        for (std::size_t k = 0; k < bytes.size() && offset >= 0 && offset < end; ++k, ++offset) {
            undo.emplace_back(static_cast<std::size_t>(offset), image[static_cast<std::size_t>(offset)]);
            image[static_cast<std::size_t>(offset)] = bytes[k];
        }
    };
    const auto layPicture = [&](std::int64_t pointerAt, int bank) {
        if ((data[0] & PatchPointers) != 0) {
            lay(pointerAt, stream.last(std::min<std::size_t>(stream.size(), 2)), pointerAt + 2);
        }
        const int pointer = image[static_cast<std::size_t>(pointerAt)] | image[static_cast<std::size_t>(pointerAt) + 1]
                                                                             << 8;
        if (pointer >= BankSize && pointer < 2 * BankSize) {
            lay(bankOffset(bank, pointer), stream, (bank + 1) * BankSize);
        }
    };
    if (const int number = pokedexNumber(image, version, species); number != 0) {
        layPicture(baseDataOffset(version, number) + BaseDataFrontPicture, pictureBank(version, species));
    }
    if (classNumber >= 1 && classNumber <= PortraitClassCount) {
        layPicture(trainerRecordOffset(version, classNumber), PortraitBank);
    }
    const std::size_t length = data[3] == 0 ? image.size() : std::size_t{data[3]} << 12;
    const Bytes cut =
        length < image.size() ? Bytes(image.begin(), image.begin() + static_cast<std::ptrdiff_t>(length)) : Bytes();
    const Bytes& seen = length < image.size() ? cut : image;
    FUZZ_CHECK(pokedexNumber(seen, version, species) <= PokedexCount);
    checkPicture(speciesPicture(seen, version, species));
    checkPicture(trainerPicture(seen, version, classNumber));
    speciesPalette(seen, version, species);
    trainerPalette(seen, version);
    for (auto change = undo.rbegin(); change != undo.rend(); ++change) {
        image[change->first] = change->second;
    }
    return 0;
}
