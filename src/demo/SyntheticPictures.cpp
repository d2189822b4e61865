#include "demo/SyntheticPictures.h"

#include "pictures/PictureLocator.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <map>
#include <random>
#include <stdexcept>
#include <string>

namespace {

constexpr std::size_t ImageSize = 0x100000;
// Bank 1 holds code and the item names below; MEW's picture keeps clear of them.
constexpr int MewBank = 0x01;
constexpr int MewPictureStart = 0x7000;
constexpr int BankPointerStart = 0x4000;
constexpr int BankPointerEnd = 0x8000;

// A bit plane laid out as the game's buffers: the tile columns one after the other, a byte per pixel row.
struct Plane
{
    int widthTiles;
    int rows;
    Bytes bytes;
};

Plane planeOf(const Picture& picture, int bit)
{
    Plane plane{picture.widthTiles, picture.heightPixels(), Bytes(picture.shades.size() / 8, 0)};
    for (int y = 0; y < plane.rows; ++y) {
        for (int x = 0; x < picture.widthPixels(); ++x) {
            auto& byte = plane.bytes[static_cast<std::size_t>(x / 8 * plane.rows + y)];
            byte = static_cast<std::uint8_t>(byte | (picture.shade(x, y) >> bit & 1) << (7 - x % 8));
        }
    }
    return plane;
}

// Each pixel becomes whether it differs from its left neighbour along the whole row; the row starts white.
void deltaCode(Plane& plane)
{
    for (int row = 0; row < plane.rows; ++row) {
        int previous = 0;
        for (int column = 0; column < plane.widthTiles; ++column) {
            auto& byte = plane.bytes[static_cast<std::size_t>(column * plane.rows + row)];
            const int pixels = byte;
            byte = static_cast<std::uint8_t>(pixels ^ (pixels >> 1 | previous << 7));
            previous = pixels & 1;
        }
    }
}

// The pixel pairs in the order of the stream: per tile column, strips two pixels wide from the left, each
// from top to bottom.
std::vector<int> pairsOf(const Plane& plane)
{
    std::vector<int> pairs;
    for (int column = 0; column < plane.widthTiles; ++column) {
        for (int shift = 6; shift >= 0; shift -= 2) {
            for (int row = 0; row < plane.rows; ++row) {
                pairs.push_back(plane.bytes[static_cast<std::size_t>(column * plane.rows + row)] >> shift & 3);
            }
        }
    }
    return pairs;
}

class BitWriter
{
public:
    explicit BitWriter(Bytes start) : m_bytes(std::move(start)), m_count(m_bytes.size() * 8) {}

    void put(int value, int width = 1)
    {
        for (int i = width - 1; i >= 0; --i) {
            if (m_count % 8 == 0) {
                m_bytes.push_back(0);
            }
            m_bytes.back() = static_cast<std::uint8_t>(m_bytes.back() | (value >> i & 1) << (7 - m_count % 8));
            ++m_count;
        }
    }

    Bytes bytes() const { return m_bytes; }

private:
    Bytes m_bytes;
    std::size_t m_count;
};

// A run of blank pairs: n - 1 ones and a zero give the width n of the value added to 2^n - 1.
void putRunLength(BitWriter& bits, int length)
{
    int width = 1;
    while ((2 << width) - 1 <= length) {
        ++width;
    }
    for (int i = 1; i < width; ++i) {
        bits.put(1);
    }
    bits.put(0);
    bits.put(length - ((1 << width) - 1), width);
}

// Runs of blank pairs and runs of others take turns. A run of others ends with a 00 pair when blank
// pairs follow; the plane ends when it is full, with no end mark.
void putPlane(BitWriter& bits, const std::vector<int>& pairs)
{
    bits.put(pairs.front() == 0 ? 0 : 1);
    std::size_t at = 0;
    while (at < pairs.size()) {
        std::size_t end = at;
        if (pairs[at] == 0) {
            while (end < pairs.size() && pairs[end] == 0) {
                ++end;
            }
            putRunLength(bits, static_cast<int>(end - at));
        } else {
            while (end < pairs.size() && pairs[end] != 0) {
                bits.put(pairs[end++], 2);
            }
            if (end < pairs.size()) {
                bits.put(0, 2);
            }
        }
        at = end;
    }
}

struct Ellipse
{
    int cx;
    int cy;
    int rx;
    int ry;

    bool contains(int x, int y) const
    {
        const std::int64_t dx = x - cx;
        const std::int64_t dy = y - cy;
        const std::int64_t rx2 = std::int64_t{rx} * rx;
        const std::int64_t ry2 = std::int64_t{ry} * ry;
        return dx * dx * ry2 + dy * dy * rx2 <= rx2 * ry2;
    }
};

// Body, head, ears and feet (and sometimes a tail) from the seed, in a frame of width x height pixels.
class Figure
{
public:
    Figure(int seed, int width, int height);

    std::uint8_t shade(int x, int y) const;

private:
    bool inside(int x, int y) const;
    bool onFace(int x, int y, bool& highlight) const;

    int m_width;
    int m_height;
    std::vector<Ellipse> m_parts;
    std::vector<Ellipse> m_spots;
    Ellipse m_head{};
    int m_eye = 1;
};

Figure::Figure(int seed, int width, int height) : m_width(width), m_height(height)
{
    std::minstd_rand random(static_cast<std::minstd_rand::result_type>(seed) + 1);
    const auto pick = [&](int low, int high) {
        return low + static_cast<int>(random() % static_cast<unsigned>(high - low + 1));
    };
    const auto part = [&](int cx, int cy, int rx, int ry) { return Ellipse{cx, cy, std::max(1, rx), std::max(1, ry)}; };
    const Ellipse body =
        part(width / 2 + pick(-2, 2), height * 5 / 8, width * pick(26, 38) / 100, height * pick(18, 26) / 100);
    m_head = part(width / 2 + pick(-3, 3), height * 5 / 16, width * pick(17, 24) / 100, height * pick(14, 19) / 100);
    const int earHeight = height * pick(5, 11) / 100;
    const int footWidth = width * pick(6, 10) / 100;
    m_parts = {body, m_head};
    for (const int side : {-1, 1}) {
        m_parts.push_back(part(m_head.cx + side * m_head.rx * 2 / 3, m_head.cy - m_head.ry, width / 20, earHeight));
        m_parts.push_back(part(body.cx + side * body.rx / 2, body.cy + body.ry, footWidth, height / 16));
    }
    if (seed % 3 != 0) {
        m_parts.push_back(part(body.cx + body.rx, body.cy - body.ry / 2, width / 12, height * pick(8, 14) / 100));
    }
    for (int spot = pick(1, 3); spot > 0; --spot) {
        m_spots.push_back(
            part(body.cx + pick(-body.rx / 2, body.rx / 2), body.cy + pick(-body.ry / 2, 0), width / 14, height / 16));
    }
    m_eye = std::max(1, width / 28);
}

bool Figure::inside(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height) {
        return false;
    }
    return std::any_of(m_parts.begin(), m_parts.end(), [&](const Ellipse& e) { return e.contains(x, y); });
}

// Two eyes with a white glint and a mouth below them.
bool Figure::onFace(int x, int y, bool& highlight) const
{
    const int eyeY = m_head.cy - m_head.ry / 4;
    for (const int eyeX : {m_head.cx - m_head.rx / 2, m_head.cx + m_head.rx / 2}) {
        if (std::abs(x - eyeX) <= m_eye && std::abs(y - eyeY) <= m_eye) {
            highlight = x == eyeX - m_eye && y == eyeY - m_eye;
            return true;
        }
    }
    highlight = false;
    return y == m_head.cy + m_head.ry / 2 && std::abs(x - m_head.cx) <= m_head.rx / 3;
}

std::uint8_t Figure::shade(int x, int y) const
{
    if (!inside(x, y)) {
        return 0;
    }
    if (!inside(x - 1, y) || !inside(x + 1, y) || !inside(x, y - 1) || !inside(x, y + 1)) {
        return 3;
    }
    if (bool highlight = false; onFace(x, y, highlight)) {
        return highlight ? 0 : 3;
    }
    // The light comes from the top left: a rim of shadow along the lower right, and the spots.
    const bool spot = std::any_of(m_spots.begin(), m_spots.end(), [&](const Ellipse& e) { return e.contains(x, y); });
    return spot || !inside(x + 3, y + 3) ? 2 : 1;
}

// Mostly 5 x 5 to 7 x 7 as the game's own, and a few odd sizes the format allows.
std::pair<int, int> inventedSize(int pokedexNumber)
{
    if (pokedexNumber % 23 == 0) {
        return {4, 4};
    }
    if (pokedexNumber % 29 == 0) {
        return {6, 5};
    }
    if (pokedexNumber % 37 == 0) {
        return {5, 7};
    }
    return {5 + pokedexNumber % 3, 5 + pokedexNumber % 3};
}

PictureCoding inventedCoding(int number)
{
    return {1 + number % 3, number / 3 % 2 == 1};
}

// Species bytes 5, 11, 17 ... and those from the fossil's on have no number; MEW's has 151, and the rest
// share 1..150 in an order of their own.
struct PokedexOrder
{
    std::array<int, PictureSpeciesCount + 1> numbers{};
    std::array<int, PokedexCount + 1> species{};

    PokedexOrder()
    {
        int next = 0;
        for (int s = 1; s <= PictureSpeciesCount; ++s) {
            if (s == MewSpecies) {
                numbers[MewSpecies] = PokedexCount;
            } else if (s % 6 != 5 && s < FossilKabutopsSpecies) {
                numbers[static_cast<std::size_t>(s)] = next++ * 37 % (PokedexCount - 1) + 1;
            }
            species[static_cast<std::size_t>(numbers[static_cast<std::size_t>(s)])] = s;
        }
    }
};

const PokedexOrder& pokedexOrder()
{
    static const PokedexOrder order;
    return order;
}

void putByte(Bytes& image, std::int32_t offset, int value)
{
    image.at(static_cast<std::size_t>(offset)) = static_cast<std::uint8_t>(value);
}

void putWord(Bytes& image, std::int32_t offset, int value)
{
    putByte(image, offset, value & 0xFF);
    putByte(image, offset + 1, value >> 8);
}

// Lays pictures one after another from the start of each bank.
class BankFiller
{
public:
    explicit BankFiller(Bytes& image) : m_image(image) {}

    // The pointer to the picture, as the game's tables give it.
    int place(int bank, const Bytes& encoded)
    {
        int& cursor = m_cursors.try_emplace(bank, bank == MewBank ? MewPictureStart : BankPointerStart).first->second;
        if (cursor + static_cast<int>(encoded.size()) > BankPointerEnd) {
            throw std::logic_error("the invented pictures overflow bank " + std::to_string(bank));
        }
        std::copy(encoded.begin(), encoded.end(), m_image.begin() + bankOffset(bank, cursor));
        cursor += static_cast<int>(encoded.size());
        return cursor - static_cast<int>(encoded.size());
    }

private:
    Bytes& m_image;
    std::map<int, int> m_cursors;
};

void putPalettes(Bytes& image, GameVersion version)
{
    const PictureTables& tables = pictureTables(version);
    for (int number = 0; number <= PokedexCount; ++number) {
        putByte(image, tables.paletteMap + number, number % InventedPaletteCount);
    }
    // White, a light and a dark tint of the palette's own colour, and black.
    for (int palette = 0; palette < InventedPaletteCount; ++palette) {
        const std::array<int, 3> tint{palette * 7 % 32, (palette * 13 + 5) % 32, (palette * 19 + 11) % 32};
        for (int k = 0; k < 4; ++k) {
            int rgb555 = 0;
            for (std::size_t c = 0; c < tint.size(); ++c) {
                const std::array<int, 4> ramp{31, (31 + tint[c]) / 2, tint[c] / 2, 0};
                rgb555 |= ramp[static_cast<std::size_t>(k)] << (5 * c);
            }
            putWord(image, tables.palettes + PaletteLength * palette + 2 * k, rgb555);
        }
    }
}

} // namespace

Bytes encodePicture(const Picture& picture, PictureCoding coding)
{
    // The size byte has a nibble for each.
    const auto fits = [](int tiles) { return tiles >= 1 && tiles <= 15; };
    if (!fits(picture.widthTiles) || !fits(picture.heightTiles) ||
        picture.shades.size() != static_cast<std::size_t>(picture.widthPixels() * picture.heightPixels())) {
        throw std::invalid_argument("a picture to encode has 1..15 tiles each way and a shade for each pixel");
    }
    Plane first = planeOf(picture, coding.highPlaneFirst ? 1 : 0);
    Plane second = planeOf(picture, coding.highPlaneFirst ? 0 : 1);
    if (coding.mode != 1) {
        for (std::size_t i = 0; i < second.bytes.size(); ++i) {
            second.bytes[i] ^= first.bytes[i];
        }
    }
    deltaCode(first);
    if (coding.mode != 2) {
        deltaCode(second);
    }
    BitWriter bits({static_cast<std::uint8_t>(picture.widthTiles << 4 | picture.heightTiles)});
    bits.put(coding.highPlaneFirst ? 1 : 0);
    putPlane(bits, pairsOf(first));
    // The coding between the planes: 0 for mode 1, 10 for mode 2, 11 for mode 3.
    bits.put(coding.mode == 1 ? 0 : coding.mode, coding.mode == 1 ? 1 : 2);
    putPlane(bits, pairsOf(second));
    return bits.bytes();
}

Picture inventedPicture(int seed, int widthTiles, int heightTiles)
{
    Picture picture(widthTiles, heightTiles);
    const Figure figure(seed, picture.widthPixels(), picture.heightPixels());
    for (int y = 0; y < picture.heightPixels(); ++y) {
        for (int x = 0; x < picture.widthPixels(); ++x) {
            picture.setShade(x, y, figure.shade(x, y));
        }
    }
    return picture;
}

int inventedPokedexNumber(int species)
{
    return species < 1 || species > PictureSpeciesCount ? 0 : pokedexOrder().numbers[static_cast<std::size_t>(species)];
}

Picture inventedSpeciesPicture(int pokedexNumber)
{
    const auto [width, height] = inventedSize(pokedexNumber);
    return inventedPicture(pokedexNumber, width, height);
}

Picture inventedPortrait(int classNumber)
{
    return inventedPicture(1000 + classNumber, 7, 7);
}

void putPictures(Bytes& image, GameVersion version)
{
    if (image.size() < ImageSize) {
        throw std::logic_error("the pictures go into an image of 1 MiB");
    }
    const PictureTables& tables = pictureTables(version);
    for (int species = 1; species <= PictureSpeciesCount; ++species) {
        putByte(image, tables.pokedexNumbers + species - 1, inventedPokedexNumber(species));
    }
    BankFiller banks(image);
    for (int number = 1; number <= PokedexCount; ++number) {
        const Picture picture = inventedSpeciesPicture(number);
        const int species = pokedexOrder().species[static_cast<std::size_t>(number)];
        const int pointer = banks.place(pictureBank(version, species), encodePicture(picture, inventedCoding(number)));
        const std::int32_t entry = baseDataOffset(version, number);
        putByte(image, entry, number);
        putByte(image, entry + BaseDataPictureSize, picture.widthTiles << 4 | picture.heightTiles);
        putWord(image, entry + BaseDataFrontPicture, pointer);
    }
    for (int classNumber = 1; classNumber <= PortraitClassCount; ++classNumber) {
        const Bytes encoded = encodePicture(inventedPortrait(classNumber), inventedCoding(classNumber));
        putWord(image, trainerRecordOffset(version, classNumber), banks.place(PortraitBank, encoded));
    }
    putPalettes(image, version);
}
