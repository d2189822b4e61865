#include "demo/SyntheticTiles.h"

#include "maps/MapProfile.h"
#include "rom/Banks.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr int FirstBank = 0x30;
constexpr int SpriteBank = 0x34;
constexpr int LastBank = 0x35;
constexpr int KindCount = 16;
constexpr int VariantCount = TilesetTileCount / KindCount;
constexpr int GraphicsLength = TilesetTileCount * TileBytes;
constexpr int BlocksetLength = InventedBlockCount * BlockLength;

// What a tile shows; a graphics set holds six variants of each, in an order of its own.
enum Kind
{
    Blank,
    Grass,
    TallGrass,
    Path,
    Water,
    TreeTopLeft,
    TreeTopRight,
    TreeBottomLeft,
    TreeBottomRight,
    Brick,
    Roof,
    Door,
    Floor,
    Rock,
    Flower,
    Stairs
};

int kindOf(int graphicsSet, int tile)
{
    return (tile + 3 * graphicsSet) % KindCount;
}

int tileOf(int graphicsSet, int kind, int variant)
{
    return (kind - 3 * graphicsSet % KindCount + KindCount) % KindCount + KindCount * (variant % VariantCount);
}

bool insideCircle(int x, int y, int cx, int cy, int r)
{
    return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r;
}

// A tree of 2 x 2 tiles: a round crown with a rim and a light side, on a short trunk.
int treeColour(int x, int y, int variant)
{
    const int r = 6 + variant % 2;
    if (insideCircle(x, y, 8, 7, r)) {
        if (!insideCircle(x, y, 8, 7, r - 1)) {
            return 3;
        }
        return insideCircle(x, y, 6, 5, 2) ? 1 : 2;
    }
    return y >= 12 && x >= 7 && x <= 8 ? 3 : 0;
}

int colourOf(int kind, int variant, int x, int y)
{
    switch (kind) {
    case Grass:
        return (x + 3 * y + variant) % 7 == 0 ? 1 : 0;
    case TallGrass:
        return (x + variant) % 4 == 0 && y % 4 != 3 ? 3 : (x + y) % 4 == 1 ? 2 : 1;
    case Path:
        return (5 * x + 3 * y + variant) % 11 == 0 ? 2 : 1;
    case Water:
        return y % 4 == ((x + variant) / 2 % 2 == 0 ? 1 : 2) ? 2 : 1;
    case TreeTopLeft:
    case TreeTopRight:
    case TreeBottomLeft:
    case TreeBottomRight: {
        const int quarter = kind - TreeTopLeft;
        return treeColour(x + quarter % 2 * 8, y + quarter / 2 * 8, variant);
    }
    case Brick:
        return y % 4 == 3 || x == (y / 4 % 2 == 0 ? variant % 4 : variant % 4 + 4) ? 2 : 1;
    case Roof:
        return (x + y + variant) % 4 < 2 ? 2 : 3;
    case Door:
        return x == 0 || x == 7 || y == 0 ? 3 : x == 5 && y == 4 ? 0 : 2;
    case Floor:
        return (x / 4 + y / 4 + variant) % 2;
    case Rock:
        return insideCircle(x, y, 4, 4, 3) ? (insideCircle(x, y, 4, 4, 2) ? 2 : 3) : 0;
    case Flower:
        return x == 3 + variant % 3 && y == 3 ? 3 : std::abs(x - 3 - variant % 3) + std::abs(y - 3) == 1 ? 2 : 0;
    case Stairs:
        return y % 2 == 0 ? 3 : x % 7 == 0 ? 2 : 1;
    default:
        return (x == variant && y == variant) ? 1 : 0;
    }
}

// Sixteen kinds of block, each of the tile kinds above: kinds, row by row.
using BlockPlan = std::array<int, BlockLength>;

BlockPlan blockPlan(int shape)
{
    const auto filled = [](int kind) {
        BlockPlan plan;
        plan.fill(kind);
        return plan;
    };
    const auto trees = [](BlockPlan plan, int row, int column) {
        plan[static_cast<std::size_t>(row * BlockSide + column)] = TreeTopLeft;
        plan[static_cast<std::size_t>(row * BlockSide + column + 1)] = TreeTopRight;
        plan[static_cast<std::size_t>((row + 1) * BlockSide + column)] = TreeBottomLeft;
        plan[static_cast<std::size_t>((row + 1) * BlockSide + column + 1)] = TreeBottomRight;
        return plan;
    };
    BlockPlan plan = filled(Grass);
    switch (shape) {
    case 1:
        return filled(Path);
    case 2:
        return filled(Water);
    case 3:
        return trees(trees(trees(trees(plan, 0, 0), 0, 2), 2, 0), 2, 2);
    case 4:
        return filled(TallGrass);
    case 5:
        return filled(Brick);
    case 6:
        plan = filled(Brick);
        std::fill(plan.begin(), plan.begin() + 2 * BlockSide, Roof);
        return plan;
    case 7:
        plan = filled(Brick);
        plan[13] = plan[14] = Door;
        return plan;
    case 8:
        return filled(Floor);
    case 9:
        plan = filled(Path);
        plan[5] = plan[10] = Rock;
        return plan;
    case 10:
        for (int k = 0; k < BlockLength; k += 3) {
            plan[static_cast<std::size_t>(k)] = Flower;
        }
        return plan;
    case 11:
        plan = filled(Floor);
        plan[5] = plan[6] = plan[9] = plan[10] = Stairs;
        return plan;
    case 12:
        std::fill(plan.begin() + 2 * BlockSide, plan.end(), Water);
        return plan;
    case 13:
        plan = filled(Path);
        for (int row = 0; row < BlockSide; ++row) {
            plan[static_cast<std::size_t>(row * BlockSide)] = Grass;
        }
        return plan;
    case 14:
        return trees(plan, 1, 1);
    case 15:
        plan = filled(Blank);
        for (int k = 0; k < BlockLength; ++k) {
            if (k / BlockSide % 3 == 0 || k % BlockSide % 3 == 0) {
                plan[static_cast<std::size_t>(k)] = Brick;
            }
        }
        return plan;
    default:
        return plan;
    }
}

// Blocksets 8 and 9 are drawn with the graphics of 0 and 1: the sets shared by tilesets with blocksets of their own.
int graphicsSetOf(int blockset)
{
    return blockset % InventedGraphicsSets;
}

int colourAt(const PersonFrame& frame, int x, int y)
{
    return frame[static_cast<std::size_t>(y * 16 + x)];
}

enum Facing
{
    Down,
    Up,
    Side
};

// A person: a round head of hair with a face (none from the back, one eye from the side), a body in clothes of
// the seed's colour, two feet.
PersonFrame personFrame(int seed, Facing facing)
{
    PersonFrame frame{};
    const int clothes = 1 + seed % 2;
    const bool cap = seed % 3 == 0;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            int colour = 0;
            if (insideCircle(x, y, 8, 5, 5)) {
                const bool rim = !insideCircle(x, y, 8, 5, 4);
                const bool hair = y < 4 || (cap && y < 5) || facing == Up || (facing == Side && x < 7);
                const bool eye = y == 6 && (x == 10 || (facing == Down && x == 6));
                colour = rim || hair || eye ? 3 : 1;
            } else if (y >= 10 && y <= 14 && x >= 3 && x <= 12) {
                colour = x == 3 || x == 12 || y == 14 ? 3 : clothes;
            } else if (y == 15 && (x == 5 || x == 6 || x == 9 || x == 10)) {
                colour = 3;
            }
            frame[static_cast<std::size_t>(y * 16 + x)] = static_cast<std::uint8_t>(colour);
        }
    }
    return frame;
}

// A ball or a boulder, for the still objects: it touches every edge of its frame but the right.
PersonFrame stillFrame(int seed)
{
    PersonFrame frame{};
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            int colour = 0;
            if (insideCircle(x, y, 8, 8, 8)) {
                const bool rim = !insideCircle(x, y, 8, 8, 7);
                colour = rim || (seed % 2 == 0 && y == 8) ? 3 : (y < 8 ? 2 : 1);
            }
            frame[static_cast<std::size_t>(y * 16 + x)] = static_cast<std::uint8_t>(colour);
        }
    }
    return frame;
}

// The four tiles of a 16 x 16 frame: top left, top right, bottom left, bottom right.
void putFrame(Bytes& image, std::int32_t offset, const PersonFrame& frame)
{
    for (int k = 0; k < 4; ++k) {
        TileColours tile{};
        for (int y = 0; y < TilePixels; ++y) {
            for (int x = 0; x < TilePixels; ++x) {
                tile[static_cast<std::size_t>(y * TilePixels + x)] =
                    static_cast<std::uint8_t>(colourAt(frame, k % 2 * 8 + x, k / 2 * 8 + y));
            }
        }
        const auto bytes = encodeTile(tile);
        std::copy(bytes.begin(), bytes.end(), image.begin() + offset + TileBytes * k);
    }
}

// Lays data one piece after another from the start of bank first, up to the end of bank last.
class BankCursor
{
public:
    BankCursor(int first, int last) : m_bank(first), m_last(last) {}

    // The file offset of length bytes of room, in the current bank or the next.
    std::int32_t take(int length)
    {
        if (m_used + length > BankSize) {
            ++m_bank;
            m_used = 0;
        }
        if (m_bank > m_last) {
            throw std::logic_error("the invented map graphics overflow bank " + std::to_string(m_last));
        }
        m_used += length;
        return bankStart(m_bank) + m_used - length;
    }

private:
    int m_bank;
    int m_last;
    int m_used = 0;
};

void putPointer(Bytes& image, std::int32_t at, std::int32_t offset)
{
    const Bytes pointer = bankPointer(offset);
    std::copy(pointer.begin(), pointer.end(), image.begin() + at);
}

} // namespace

InventedTileset inventedTileset(int tileset)
{
    const int blockset = tileset % InventedBlocksets;
    return {graphicsSetOf(blockset), blockset};
}

TileColours inventedTile(int graphicsSet, int tile)
{
    TileColours colours{};
    const int kind = kindOf(graphicsSet, tile);
    const int variant = tile / KindCount + graphicsSet;
    for (int y = 0; y < TilePixels; ++y) {
        for (int x = 0; x < TilePixels; ++x) {
            colours[static_cast<std::size_t>(y * TilePixels + x)] =
                static_cast<std::uint8_t>(colourOf(kind, variant, x, y));
        }
    }
    return colours;
}

std::array<std::uint8_t, BlockLength> inventedBlock(int blockset, int block)
{
    const BlockPlan plan = blockPlan(block % KindCount);
    const int variant = block / KindCount + blockset;
    std::array<std::uint8_t, BlockLength> tiles{};
    for (std::size_t k = 0; k < tiles.size(); ++k) {
        tiles[k] = static_cast<std::uint8_t>(tileOf(graphicsSetOf(blockset), plan[k], variant));
    }
    return tiles;
}

PersonFrame inventedFrame(int sprite)
{
    return inventedSheetTiles(sprite) == 4 ? stillFrame(sprite) : personFrame(sprite, Down);
}

int inventedSheetTiles(int sprite)
{
    return sprite % 9 == 0 ? 4 : 12;
}

std::array<std::uint8_t, TileBytes> encodeTile(const TileColours& colours)
{
    std::array<std::uint8_t, TileBytes> bytes{};
    for (int y = 0; y < TilePixels; ++y) {
        for (int x = 0; x < TilePixels; ++x) {
            const int colour = colours[static_cast<std::size_t>(y * TilePixels + x)];
            bytes[static_cast<std::size_t>(2 * y)] |= static_cast<std::uint8_t>((colour & 1) << (7 - x));
            bytes[static_cast<std::size_t>(2 * y + 1)] |= static_cast<std::uint8_t>((colour >> 1) << (7 - x));
        }
    }
    return bytes;
}

void putTiles(Bytes& image, GameVersion version)
{
    const DrawingTables& tables = drawingTables(version);
    BankCursor graphicsCursor(FirstBank, SpriteBank - 1);
    std::map<int, std::int32_t> blocksets;
    std::map<int, std::pair<std::int32_t, std::int32_t>> graphicsAndCollision;
    for (int set = 0; set < InventedGraphicsSets; ++set) {
        std::vector<int> own;
        for (int blockset = 0; blockset < InventedBlocksets; ++blockset) {
            if (graphicsSetOf(blockset) == set) {
                own.push_back(blockset);
            }
        }
        // A tileset's graphics and blockset lie in one bank, the collision list after them.
        std::vector<std::uint8_t> walkable;
        for (const int kind : {Blank, Grass, TallGrass, Path, Floor, Stairs}) {
            for (int variant = 0; variant < VariantCount; ++variant) {
                walkable.push_back(static_cast<std::uint8_t>(tileOf(set, kind, variant)));
            }
        }
        walkable.push_back(0xFF);
        std::int32_t at = graphicsCursor.take(GraphicsLength + BlocksetLength * static_cast<int>(own.size()) +
                                              static_cast<int>(walkable.size()));
        graphicsAndCollision[set].first = at;
        for (int tile = 0; tile < TilesetTileCount; ++tile, at += TileBytes) {
            const auto bytes = encodeTile(inventedTile(set, tile));
            std::copy(bytes.begin(), bytes.end(), image.begin() + at);
        }
        for (const int blockset : own) {
            blocksets[blockset] = at;
            for (int block = 0; block < InventedBlockCount; ++block, at += BlockLength) {
                const auto tiles = inventedBlock(blockset, block);
                std::copy(tiles.begin(), tiles.end(), image.begin() + at);
            }
        }
        graphicsAndCollision[set].second = at;
        std::copy(walkable.begin(), walkable.end(), image.begin() + at);
    }
    for (int tileset = 0; tileset < mapProfile(version).tilesetCount; ++tileset) {
        const InventedTileset invented = inventedTileset(tileset);
        const auto [graphics, collision] = graphicsAndCollision[invented.graphicsSet];
        const std::int32_t record = tables.tilesets + TilesetRecordLength * tileset;
        image[static_cast<std::size_t>(record)] = static_cast<std::uint8_t>(bankOf(graphics));
        putPointer(image, record + 1, blocksets[invented.blockset]);
        putPointer(image, record + 3, graphics);
        putPointer(image, record + 5, collision);
        // Counter tiles (0xFF for none), the grass tile and the animation: none, water, water and flowers.
        const bool indoors = tileset % 2 == 1;
        const int counter = indoors ? tileOf(invented.graphicsSet, Brick, 0) : 0xFF;
        const int grass = indoors ? 0xFF : tileOf(invented.graphicsSet, TallGrass, 0);
        const Bytes rest{static_cast<std::uint8_t>(counter),
                         0xFF,
                         0xFF,
                         static_cast<std::uint8_t>(grass),
                         static_cast<std::uint8_t>(indoors ? 0 : 1 + tileset / 2 % 2)};
        std::copy(rest.begin(), rest.end(), image.begin() + record + 7);
    }
    BankCursor spriteCursor(SpriteBank, LastBank);
    for (int sprite = 1; sprite <= tables.spriteCount; ++sprite) {
        const int tiles = inventedSheetTiles(sprite);
        const std::int32_t sheet = spriteCursor.take(tiles * TileBytes);
        putFrame(image, sheet, inventedFrame(sprite));
        if (tiles == 12) {
            putFrame(image, sheet + 4 * TileBytes, personFrame(sprite, Up));
            putFrame(image, sheet + 8 * TileBytes, personFrame(sprite, Side));
        }
        const std::int32_t record = tables.sprites + SpriteRecordLength * (sprite - 1);
        putPointer(image, record, sheet);
        image[static_cast<std::size_t>(record + 2)] = static_cast<std::uint8_t>(tiles * TileBytes);
        image[static_cast<std::size_t>(record + 3)] = static_cast<std::uint8_t>(bankOf(sheet));
    }
}
