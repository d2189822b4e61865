#include "pictures/PictureDecoder.h"

#include <array>
#include <limits>
#include <string>
#include <vector>

namespace {

constexpr const char* EndsEarly = "its data ends before the picture is complete";
// The game cuts such a run short where the plane fills; its compressor never writes one, so it marks bytes
// that are not a picture.
constexpr const char* RunTooLong = "a run of blank pixels in it runs past the end of the picture";

// A run of blank pixel pairs is counted by n ones, a zero and n + 1 bits added to 2^(n+1) - 1. A plane of
// 7 x 7 tiles holds 1568 pairs, so a count with 10 ones or more can only run past its end; the game's own
// table of starting values stops at 15.
constexpr int MaxRunLengthOnes = 9;

class BitStream
{
public:
    explicit BitStream(std::span<const std::uint8_t> data) : m_data(data) {}

    // The next count bits (1..16), most significant first, as the game reads them. Past the end of the data
    // they read as 0, and ended() turns true.
    int next(int count = 1)
    {
        if (m_count < count) {
            refill();
            if (m_count < count) {
                m_ended = true;
                m_count = count;
            }
        }
        const auto value = static_cast<int>(m_window >> (64 - count));
        m_window <<= count;
        m_count -= count;
        return value;
    }

    bool ended() const { return m_ended; }

private:
    // Whole bytes into the window, as many as fit.
    void refill()
    {
        while (m_count <= 56 && m_next < m_data.size()) {
            m_window |= static_cast<std::uint64_t>(m_data[m_next++]) << (56 - m_count);
            m_count += 8;
        }
    }

    std::span<const std::uint8_t> m_data;
    std::size_t m_next = 0;
    std::uint64_t m_window = 0;
    int m_count = 0;
    bool m_ended = false;
};

// One bit plane as the game keeps it while decoding: the tile columns one after the other, a byte for each
// pixel row of a column, its leftmost pixel in bit 7.
struct Plane
{
    int widthTiles;
    int heightTiles;
    std::vector<std::uint8_t> bytes;

    Plane(int width, int height)
        : widthTiles(width), heightTiles(height), bytes(static_cast<std::size_t>(width * height * TilePixels), 0)
    {}

    int rows() const { return heightTiles * TilePixels; }
    int pairCount() const { return widthTiles * TilePixels / 2 * rows(); }
    std::uint8_t& byteAt(int column, int row) { return bytes[static_cast<std::size_t>(column * rows() + row)]; }
    std::uint8_t byteAt(int column, int row) const { return bytes[static_cast<std::size_t>(column * rows() + row)]; }
};

// Where the next pair goes: the stream fills a tile column in strips two pixels wide, each from top to
// bottom, left strip first.
class PairCursor
{
public:
    explicit PairCursor(Plane& plane) : m_plane(plane), m_rows(plane.rows()) {}

    void put(int pair)
    {
        std::uint8_t& byte = m_plane.byteAt(m_strip / 4, m_row);
        byte = static_cast<std::uint8_t>(byte | pair << (6 - 2 * (m_strip % 4)));
        if (++m_row == m_rows) {
            m_row = 0;
            ++m_strip;
        }
    }
    void skip(int pairs)
    {
        m_row += pairs;
        m_strip += m_row / m_rows;
        m_row %= m_rows;
    }

private:
    Plane& m_plane;
    int m_rows;
    int m_row = 0;
    int m_strip = 0;
};

// The length of a run of blank pairs; past the largest that could fit, the largest int.
int readRunLength(BitStream& bits)
{
    int ones = 0;
    while (bits.next() == 1) {
        if (++ones > MaxRunLengthOnes) {
            return std::numeric_limits<int>::max();
        }
    }
    return (2 << ones) - 1 + bits.next(ones + 1);
}

// A plane is packets of two kinds, one after the other: a run of blank pairs, or pairs as they are, ended
// by a 00 pair. Its first bit tells which comes first. No packet ends the plane: it ends when it is full.
const char* readPlane(BitStream& bits, Plane& plane)
{
    const int total = plane.pairCount();
    PairCursor cursor(plane);
    int written = 0;
    bool run = bits.next() == 0;
    while (written < total) {
        if (run) {
            const int length = readRunLength(bits);
            if (bits.ended()) {
                return EndsEarly;
            }
            if (length > total - written) {
                return RunTooLong;
            }
            written += length;
            cursor.skip(length);
            run = false;
            continue;
        }
        const int pair = bits.next(2);
        if (bits.ended()) {
            return EndsEarly;
        }
        if (pair == 0) {
            run = true;
        } else {
            cursor.put(pair);
            ++written;
        }
    }
    return nullptr;
}

// Each byte undelta-coded from a white pixel on its left: bit k is the XOR of the byte's bits from 7 down to k.
constexpr std::array<std::uint8_t, 256> RunningXor = [] {
    std::array<std::uint8_t, 256> table{};
    for (int byte = 0; byte < 256; ++byte) {
        int bit = 0;
        int decoded = 0;
        for (int shift = 7; shift >= 0; --shift) {
            bit ^= byte >> shift & 1;
            decoded |= bit << shift;
        }
        table[static_cast<std::size_t>(byte)] = static_cast<std::uint8_t>(decoded);
    }
    return table;
}();

// Delta coding, along each pixel row across the whole picture: a 1 flips the pixel from the one on its left
// and a 0 keeps it, from white at the left edge.
void undoDelta(Plane& plane)
{
    for (int row = 0; row < plane.rows(); ++row) {
        std::uint8_t left = 0;
        for (int column = 0; column < plane.widthTiles; ++column) {
            std::uint8_t& byte = plane.byteAt(column, row);
            // A black pixel on the left turns every pixel of the byte over.
            byte = static_cast<std::uint8_t>(RunningXor[byte] ^ ((left & 1) != 0 ? 0xFF : 0x00));
            left = byte;
        }
    }
}

// The three codings the two bits after the first plane choose (0, 10, 11): 1 delta-codes both planes;
// 2 XORs the second plane with the first and delta-codes the first alone; 3 XORs and delta-codes both.
void undoCoding(Plane& first, Plane& second, int mode)
{
    undoDelta(first);
    if (mode != 2) {
        undoDelta(second);
    }
    if (mode != 1) {
        for (std::size_t i = 0; i < second.bytes.size(); ++i) {
            second.bytes[i] ^= first.bytes[i];
        }
    }
}

// The eight pixels of a plane's byte, leftmost first, as bytes of 0 or 1.
constexpr std::array<std::array<std::uint8_t, TilePixels>, 256> PixelsOf = [] {
    std::array<std::array<std::uint8_t, TilePixels>, 256> table{};
    for (std::size_t byte = 0; byte < 256; ++byte) {
        for (std::size_t x = 0; x < TilePixels; ++x) {
            table[byte][x] = static_cast<std::uint8_t>(byte >> (7 - x) & 1);
        }
    }
    return table;
}();

// The game copies the first buffer into the first byte of each tile row, the low bit of the shade, and
// the second into the high bit.
Picture combine(const Plane& low, const Plane& high)
{
    Picture picture(low.widthTiles, low.heightTiles);
    std::uint8_t* shades = picture.shades.data();
    for (int y = 0; y < picture.heightPixels(); ++y) {
        for (int column = 0; column < low.widthTiles; ++column) {
            const auto& lowBits = PixelsOf[low.byteAt(column, y)];
            const auto& highBits = PixelsOf[high.byteAt(column, y)];
            for (std::size_t x = 0; x < TilePixels; ++x) {
                *shades++ = static_cast<std::uint8_t>(lowBits[x] | highBits[x] << 1);
            }
        }
    }
    return picture;
}

DecodedPicture failed(std::string problem)
{
    return {Picture(), std::move(problem)};
}

} // namespace

DecodedPicture decodePicture(std::span<const std::uint8_t> data)
{
    if (data.empty()) {
        return failed(EndsEarly);
    }
    // Width in the high nibble, height in the low one, in tiles.
    const int width = data[0] >> 4;
    const int height = data[0] & 0x0F;
    if (width == 0 || height == 0 || width > MaxPictureTiles || height > MaxPictureTiles) {
        const std::string size = std::to_string(width) + " x " + std::to_string(height);
        return failed("its size " + size + (width == 0 || height == 0 ? " has no tiles" : " is over 7 x 7 tiles"));
    }
    BitStream bits(data.subspan(1));
    std::array<Plane, 2> buffers{Plane(width, height), Plane(width, height)};
    // The first bit picks the buffer the first plane goes to; the second plane goes to the other.
    const int first = bits.next();
    if (const char* problem = readPlane(bits, buffers[static_cast<std::size_t>(first)])) {
        return failed(problem);
    }
    const int mode = bits.next() == 0 ? 1 : 2 + bits.next();
    if (const char* problem = readPlane(bits, buffers[static_cast<std::size_t>(1 - first)])) {
        return failed(problem);
    }
    undoCoding(buffers[static_cast<std::size_t>(first)], buffers[static_cast<std::size_t>(1 - first)], mode);
    return {combine(buffers[0], buffers[1]), ""};
}
