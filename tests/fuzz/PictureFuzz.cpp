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
#include <cstring>
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
    static Bytes built[] = {imageWithPictures(GameVersion::Red),
                            imageWithPictures(GameVersion::Blue),
                            imageWithPictures(GameVersion::Yellow)};
    static Bytes images[] = {built[0], built[1], built[2]};
    if (size < 4) {
        return 0;
    }
    const auto version = static_cast<GameVersion>(data[0] % 3);
    Bytes& image = images[data[0] % 3];
    const int species = data[1];
    const int classNumber = data[2] % (PortraitClassCount + 3);
    const std::span<const std::uint8_t> stream(data + 4, size - 4);
    // What the input lays over the kept image is copied back from the image as built at the end, range by range,
    // so that no input pays for a whole image.
    std::vector<std::pair<std::int64_t, std::size_t>> laid;
    const auto lay = [&](std::int64_t offset, std::span<const std::uint8_t> bytes, std::int64_t end) {
        const auto count = static_cast<std::size_t>(std::clamp<std::int64_t>(end - offset, 0, std::ssize(bytes)));
        if (offset >= 0 && count > 0) {
            std::memcpy(image.data() + offset, bytes.data(), count);
            laid.emplace_back(offset, count);
        }
    };
    const auto layPicture = [&](std::int64_t pointerAt, int bank) {
        if ((data[0] & PatchPointers) != 0) {
            lay(pointerAt, stream.last(std::min<std::size_t>(stream.size(), 2)), pointerAt + 2);
        }
        const int pointer = wordAt(image, pointerAt);
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
    // An image that ends early is its first bytes, seen through a view.
    const std::size_t length = data[3] == 0 ? image.size() : std::min(image.size(), std::size_t{data[3]} << 12);
    const ImageView seen(image.data(), length);
    FUZZ_CHECK(pokedexNumber(seen, version, species) <= PokedexCount);
    checkPicture(speciesPicture(seen, version, species));
    checkPicture(trainerPicture(seen, version, classNumber));
    speciesPalette(seen, version, species);
    trainerPalette(seen, version);
    const Bytes& original = built[data[0] % 3];
    for (const auto& [offset, count] : laid) {
        std::memcpy(image.data() + offset, original.data() + offset, count);
    }
    return 0;
}
