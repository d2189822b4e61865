#include "demo/SyntheticMaps.h"
#include "demo/SyntheticRom.h"
#include "demo/SyntheticTiles.h"
#include "maps/MapDrawing.h"
#include "maps/MapLooks.h"
#include "maps/MapProfile.h"
#include "rom/Banks.h"

#include <climits>
#include <functional>
#include <gtest/gtest.h>
#include <numeric>
#include <random>

namespace {

constexpr GameVersion Versions[] = {GameVersion::Red, GameVersion::Blue, GameVersion::Yellow};
// Free in the synthetic images: the maps laid here are the tests' own.
constexpr int SpareBank = 0x39;
constexpr std::int32_t SpareStart = SpareBank * BankSize;
// The background shows colours 0..3 in these greys; people show colours 1..3 in the last three, 0 not at all.
constexpr std::uint8_t BackgroundGreys[] = {255, 170, 85, 0};
constexpr std::uint8_t PersonGreys[] = {0, 255, 170, 0};

std::vector<std::uint8_t> greys(const MapPicture& picture)
{
    std::vector<std::uint8_t> out;
    for (const std::uint8_t shade : picture.shades) {
        out.push_back(ShadeGreys.at(shade));
    }
    return out;
}

// Lays width x height random block ids below InventedBlockCount at offset; the ids laid.
Bytes layBlocks(Bytes& image, std::int32_t offset, int width, int height, unsigned seed)
{
    std::mt19937 random(seed);
    Bytes ids(static_cast<std::size_t>(width * height));
    for (std::uint8_t& id : ids) {
        id = static_cast<std::uint8_t>(random() % InventedBlockCount);
    }
    std::copy(ids.begin(), ids.end(), image.begin() + offset);
    return ids;
}

// The map in greys as the builder invented it: from its tile and block patterns, not from the image.
std::vector<std::uint8_t> inventedMap(const MapLook& look, const Bytes& ids)
{
    const InventedTileset tileset = inventedTileset(look.tileset);
    std::vector<TileColours> tiles;
    for (int tile = 0; tile < TilesetTileCount; ++tile) {
        tiles.push_back(inventedTile(tileset.graphicsSet, tile));
    }
    std::vector<std::array<std::uint8_t, BlockLength>> blocks;
    for (int block = 0; block < InventedBlockCount; ++block) {
        blocks.push_back(inventedBlock(tileset.blockset, block));
    }
    const int width = 32 * look.width;
    std::vector<std::uint8_t> out(static_cast<std::size_t>(width * 32 * look.height));
    for (std::size_t at = 0; at < out.size(); ++at) {
        const int x = static_cast<int>(at) % width;
        const int y = static_cast<int>(at) / width;
        const int id = ids[static_cast<std::size_t>(y / 32 * look.width + x / 32)];
        const int tile = blocks.at(static_cast<std::size_t>(id))[static_cast<std::size_t>(y % 32 / 8 * 4 + x % 32 / 8)];
        out[at] =
            BackgroundGreys[tiles.at(static_cast<std::size_t>(tile))[static_cast<std::size_t>(y % 8 * 8 + x % 8)]];
    }
    return out;
}

// People drawn over a map in greys, the first in the list taking each pixel it covers and is not transparent on.
void addInventedPeople(std::vector<std::uint8_t>& map, int width, const std::vector<PersonLook>& people)
{
    const auto height = static_cast<std::int64_t>(map.size()) / width;
    std::vector<bool> taken(map.size());
    for (const PersonLook& person : people) {
        const PersonFrame frame = inventedFrame(person.sprite);
        for (int row = 0; row < 16; ++row) {
            for (int column = 0; column < 16; ++column) {
                const std::int64_t x = 16 * std::int64_t{person.x} + column;
                const std::int64_t y = 16 * std::int64_t{person.y} - 4 + row;
                const int colour = frame[static_cast<std::size_t>(row * 16 + column)];
                if (x < 0 || y < 0 || x >= width || y >= height || colour == 0) {
                    continue;
                }
                const auto at = static_cast<std::size_t>(y * width + x);
                if (!taken[at]) {
                    map[at] = PersonGreys[colour];
                    taken[at] = true;
                }
            }
        }
    }
}

int spriteCount(GameVersion version)
{
    return drawingTables(version).spriteCount;
}

} // namespace

// Every tileset of every version at sizes from one block to the tallest map's, then the people of every sprite
// over one: pixel for pixel the invented graphics.
TEST(MapDrawing, DrawsEveryTilesetAndEveryPersonAsBuilt)
{
    for (const GameVersion version : Versions) {
        Bytes image = SyntheticRom(version).bytes();
        MapDrawing drawing(image, version);
        for (int tileset = 0; tileset < mapProfile(version).tilesetCount; ++tileset) {
            SCOPED_TRACE(testing::Message() << "version " << static_cast<int>(version) << ", tileset " << tileset);
            const MapLook look =
                tileset == 0
                    ? MapLook{0, 72, 10, SpareStart, SpareBank}
                    : MapLook{tileset, 1 + tileset * 3 % 7, 1 + tileset % 5, SpareStart + 100 * tileset, SpareBank};
            const Bytes ids = layBlocks(image, look.blocks, look.width, look.height, static_cast<unsigned>(tileset));
            const MapPicture picture = drawing.bare(look);
            EXPECT_EQ(picture.problem, "");
            EXPECT_EQ(picture.width, 32 * look.width);
            EXPECT_EQ(picture.height, 32 * look.height);
            EXPECT_TRUE(greys(picture) == inventedMap(look, ids));
        }
        // 12 x 10 squares: people in every square from one outside each edge to one outside the other, two on
        // some squares, one on the bottom row cut through, and two far out.
        const MapLook look{3, 5, 6, SpareStart + 0x3000, SpareBank};
        const Bytes ids = layBlocks(image, look.blocks, look.width, look.height, 99);
        std::vector<PersonLook> people;
        for (int sprite = 1; sprite <= spriteCount(version); ++sprite) {
            people.push_back({sprite, sprite * 5 % 14 - 1, sprite * 3 % 13 - 1});
            if (sprite % 7 == 0) {
                people.push_back({sprite / 7, sprite * 5 % 14 - 1, sprite * 3 % 13 - 1});
            }
        }
        people.push_back({1, 4, 0});
        people.push_back({2, 5, 10});
        people.push_back({3, INT_MAX, INT_MIN});
        people.push_back({4, INT_MIN, INT_MAX});
        const MapPicture picture = drawing.withPeople(look, people);
        std::vector<std::uint8_t> expected = inventedMap(look, ids);
        addInventedPeople(expected, 32 * look.width, people);
        EXPECT_EQ(picture.problem, "");
        EXPECT_TRUE(greys(picture) == expected);
        EXPECT_TRUE(greys(drawing.bare(look)) == inventedMap(look, ids)) << "the people were drawn into a kept picture";
    }
}

// Every map of the synthetic images as read through the game's tables, with its objects: the builder's tileset,
// size and objects, its blocks in the invented tiles and every object where the builder stood it.
TEST(MapDrawing, DrawsEverySyntheticMapAsBuilt)
{
    for (const GameVersion version : Versions) {
        SCOPED_TRACE(static_cast<int>(version));
        const Bytes image = SyntheticRom(version).bytes();
        const SyntheticMapPlan plan = syntheticMapPlan(image, version);
        MapDrawing drawing(image, version);
        const std::vector<MapToDraw> maps = mapsToDraw(image, profileOf(version));
        EXPECT_EQ(maps.size(),
                  static_cast<std::size_t>(std::count_if(
                      plan.maps.begin(), plan.maps.end(), [](const PlannedMap& map) { return !map.junk; })));
        for (const MapToDraw& map : maps) {
            const PlannedMap& planned = plan.maps.at(static_cast<std::size_t>(map.id));
            const PlannedMap& original = plan.maps.at(static_cast<std::size_t>(planned.copyOf.value_or(map.id)));
            const MapLook& look = map.look;
            EXPECT_EQ(std::tuple(look.tileset, look.width, look.height),
                      std::tuple(original.tileset, original.width, original.height));
            std::vector<PersonLook> people;
            for (const MapObject& object : original.objects) {
                people.push_back({object.sprite, object.x, object.y});
            }
            const auto ids = std::span(image).subspan(static_cast<std::size_t>(look.blocks),
                                                      static_cast<std::size_t>(look.width * look.height));
            std::vector<std::uint8_t> expected = inventedMap(look, Bytes(ids.begin(), ids.end()));
            addInventedPeople(expected, 32 * look.width, people);
            const MapPicture picture = drawing.withPeople(look, map.people);
            EXPECT_EQ(picture.problem, "") << map.name;
            EXPECT_TRUE(greys(picture) == expected) << map.name;
        }
    }
}

// The tables where the released games keep them: two records swapped there by hand swap what is drawn, and the
// first id past each table is not in it.
TEST(MapDrawing, ReadsTheTablesWhereEachVersionKeepsThem)
{
    struct Released
    {
        GameVersion version;
        std::int32_t tilesets;
        int tilesetCount;
        std::int32_t sprites;
        int spriteCount;
    };
    const Released tables[] = {{GameVersion::Red, 0x0C7BE, 24, 0x17B27, 72},
                               {GameVersion::Blue, 0x0C7BE, 24, 0x17B27, 72},
                               {GameVersion::Yellow, 0x0C558, 25, 0x142A9, 82}};
    for (const Released& released : tables) {
        SCOPED_TRACE(static_cast<int>(released.version));
        Bytes image = SyntheticRom(released.version).bytes();
        const auto swap = [&](std::int32_t first, std::int32_t second, int length) {
            std::swap_ranges(image.begin() + first, image.begin() + first + length, image.begin() + second);
        };
        swap(released.tilesets, released.tilesets + TilesetRecordLength * (released.tilesetCount - 1), 12);
        swap(released.sprites, released.sprites + SpriteRecordLength * (released.spriteCount - 1), 4);
        const Bytes ids = layBlocks(image, SpareStart, 3, 2, 5);
        MapDrawing drawing(image, released.version);
        const std::vector<PersonLook> people{{released.spriteCount, 1, 1}, {1, 4, 2}};
        std::vector<std::uint8_t> expected = inventedMap({released.tilesetCount - 1, 2, 3, SpareStart, SpareBank}, ids);
        addInventedPeople(expected, 96, {{1, 1, 1}, {released.spriteCount, 4, 2}});
        const MapPicture picture = drawing.withPeople({0, 2, 3, SpareStart, SpareBank}, people);
        EXPECT_EQ(picture.problem, "");
        EXPECT_TRUE(greys(picture) == expected);
        const std::string count = std::to_string(released.tilesetCount);
        EXPECT_EQ(drawing.bare({released.tilesetCount, 2, 3, SpareStart, SpareBank}).problem,
                  "its tileset " + count + " is not one of the table's " + count);
        EXPECT_EQ(drawing.withPeople({0, 2, 3, SpareStart, SpareBank}, {{{released.spriteCount + 1, 0, 0}}}).problem,
                  "object 1: sprite " + std::to_string(released.spriteCount + 1) + " is not one of the table's " +
                      std::to_string(released.spriteCount));
    }
}

// Tilesets that share graphics share what was decoded of them; a blockset of its own is decoded on its own, and
// nothing at all is decoded before a map is drawn.
TEST(MapDrawing, DecodesSharedGraphicsAndBlocksetsOnce)
{
    Bytes image = SyntheticRom(GameVersion::Yellow).bytes();
    layBlocks(image, SpareStart, 4, 4, 1);
    MapDrawing drawing(image, GameVersion::Yellow);
    EXPECT_EQ(drawing.graphicsDecoded() + drawing.blocksetsDecoded() + drawing.framesDecoded(), 0U);
    ASSERT_EQ(inventedTileset(0).blockset, inventedTileset(10).blockset);
    ASSERT_EQ(inventedTileset(0).graphicsSet, inventedTileset(8).graphicsSet);
    ASSERT_NE(inventedTileset(0).blockset, inventedTileset(8).blockset);
    const std::tuple<int, std::size_t, std::size_t> steps[] = {{0, 1, 1}, {10, 1, 1}, {20, 1, 1}, {8, 1, 2}, {1, 2, 3}};
    for (const auto& [tileset, graphics, blocksets] : steps) {
        EXPECT_TRUE(drawing.bare({tileset, 4, 4, SpareStart, SpareBank}).sound());
        EXPECT_EQ(drawing.graphicsDecoded(), graphics) << tileset;
        EXPECT_EQ(drawing.blocksetsDecoded(), blocksets) << tileset;
    }
    const PersonLook people[] = {{5, 1, 1}, {5, 2, 2}, {6, 3, 3}};
    EXPECT_TRUE(drawing.withPeople({0, 4, 4, SpareStart, SpareBank}, people).sound());
    EXPECT_TRUE(drawing.withPeople({1, 4, 4, SpareStart, SpareBank}, people).sound());
    EXPECT_EQ(drawing.framesDecoded(), 2U);
}

namespace {

// Tileset 3's record and sprite 1's and 2's in Red, where the released game keeps them.
constexpr std::int32_t Tileset3 = 0x0C7BE + 3 * TilesetRecordLength;
constexpr std::int32_t Sprite1 = 0x17B27;
constexpr std::int32_t Sprite2 = Sprite1 + SpriteRecordLength;
// The map every case starts from and one in bank 2, both of blocks 0..5; people of sprites 1 and 2.
constexpr MapLook Laid{3, 2, 3, SpareStart, SpareBank};
constexpr MapLook InBank2{3, 2, 3, 2 * BankSize, 2};

using Change = std::function<void(Bytes& image, MapLook& look, std::vector<PersonLook>& people)>;

void putWord(Bytes& image, std::int32_t offset, int value)
{
    image[static_cast<std::size_t>(offset)] = static_cast<std::uint8_t>(value & 0xFF);
    image[static_cast<std::size_t>(offset) + 1] = static_cast<std::uint8_t>(value >> 8);
}

Change byte(std::int32_t offset, int value)
{
    return [=](Bytes& image, MapLook&, auto&) {
        image[static_cast<std::size_t>(offset)] = static_cast<std::uint8_t>(value);
    };
}

Change word(std::int32_t offset, int value)
{
    return [=](Bytes& image, MapLook&, auto&) { putWord(image, offset, value); };
}

Change look(MapLook changed, std::size_t length = 0x100000)
{
    return [=](Bytes& image, MapLook& map, auto&) {
        map = changed;
        image.resize(length);
    };
}

Change sprite(std::size_t object, int value)
{
    return [=](Bytes&, MapLook&, auto& people) { people[object].sprite = value; };
}

// The file offset of tileset 3's block id.
std::size_t blockOf(const Bytes& image, int id)
{
    return static_cast<std::size_t>(bankOffset(image[Tileset3], wordAt(image, Tileset3 + 1)) + BlockLength * id);
}

// Tileset 3's blockset moved to the last block of its bank.
void blocksetAtBankEnd(Bytes& image, MapLook&, std::vector<PersonLook>&)
{
    putWord(image, Tileset3 + 1, 0x7FF0);
    std::fill_n(image.begin() + bankStart(image[Tileset3]) + BankSize - BlockLength, BlockLength, 0);
}

// Tileset 3's graphics moved to the last 16 tiles of their bank, and every block laid block 0: tile 0x0F and one
// tile more.
Change graphicsAtBankEnd(int tile)
{
    return [=](Bytes& image, MapLook&, auto&) {
        putWord(image, Tileset3 + 3, 0x7F00);
        std::fill_n(image.begin() + SpareStart, 6, 0);
        std::fill_n(image.begin() + static_cast<std::ptrdiff_t>(blockOf(image, 0)), BlockLength, 0x0F);
        image[blockOf(image, 0) + BlockLength - 1] = static_cast<std::uint8_t>(tile);
    };
}

struct BadData
{
    const char* what;
    Change change;
    std::string problem;
    // The picture's size in pixels when the map's own is sane.
    int width = 96;
    int height = 64;
};

// clang-format off
const BadData BadDataCases[] = {
    {"a tileset past the table", look({24, 2, 3, SpareStart, SpareBank}),
     "its tileset 24 is not one of the table's 24"},
    {"graphics below the bank", word(Tileset3 + 3, 0x3FFF),
     "the graphics pointer of its tileset 3 leads out of the bank"},
    {"a blockset past the bank", word(Tileset3 + 1, 0x8000),
     "the blockset pointer of its tileset 3 leads out of the bank"},
    {"a tileset in bank 0", byte(Tileset3, 0), "the graphics pointer of its tileset 3 leads out of the bank"},
    {"a tileset past the file", byte(Tileset3, 0x50), "the graphics of its tileset 3 lie past the end of the file"},
    {"a tileset table past the file", look(InBank2, 0xC7C0), "the tileset table lies past the end of the file"},
    {"a block past the blockset's bank", blocksetAtBankEnd, "block 0x01 lies past the end of the blockset's bank"},
    {"a block of a tile past the tileset", [](Bytes& i, MapLook&, auto&) { i[blockOf(i, 2) + 5] = 0x60; },
     "block 0x02 uses tile 0x60, which is not part of the tileset"},
    {"a block of a tile past the graphics' bank", graphicsAtBankEnd(0x10),
     "block 0x00 uses tile 0x10, which lies past the end of the bank"},
    {"a block of the last tile in the bank", graphicsAtBankEnd(0x0F), ""},
    {"blocks before the bank", look({3, 2, 3, SpareStart - 1, SpareBank}), "its blocks pointer leads out of the bank"},
    {"blocks running past the bank", look({3, 2, 3, SpareStart + BankSize - 5, SpareBank}),
     "its blocks run past the end of the bank"},
    {"blocks up to the bank's end", look({3, 2, 3, SpareStart + BankSize - 6, SpareBank}), ""},
    {"blocks running past the file", look(Laid, SpareStart + 5), "its blocks run past the end of the file"},
    {"a width of 0", look({3, 2, 0, SpareStart, SpareBank}), "its size 0 x 2 has no blocks", 0, 0},
    {"a height of 0", look({3, 0, 3, SpareStart, SpareBank}), "its size 3 x 0 has no blocks", 0, 0},
    {"4,096 blocks", look({3, 64, 64, SpareStart + 0x1000, SpareBank}), "", 2048, 2048},
    {"4,160 blocks", look({3, 64, 65, SpareStart + 0x1000, SpareBank}), "its 65 x 64 blocks are more than 4,096", 0, 0},
    {"a size past any int", look({3, INT_MAX, INT_MAX, SpareStart, SpareBank}),
     "its 2147483647 x 2147483647 blocks are more than 4,096", 0, 0},
    {"sprite 0", sprite(1, 0), "object 2: sprite 0 is not one of the table's 72"},
    {"a sprite past the table", sprite(0, 73), "object 1: sprite 73 is not one of the table's 72"},
    {"a sheet below the bank", word(Sprite2, 0x0000), "object 2: the sheet pointer of sprite 2 leads out of the bank"},
    {"a sheet in bank 0", byte(Sprite2 + 3, 0), "object 2: the sheet pointer of sprite 2 leads out of the bank"},
    {"a sheet of 3 tiles", byte(Sprite2 + 2, 0x30),
     "object 2: the sheet of sprite 2 holds 48 bytes, fewer than the 4 tiles of a standing person"},
    {"a sheet running past the bank", word(Sprite1, 0x7FC1),
     "object 1: the sheet of sprite 1 runs past the end of its bank"},
    {"a sheet up to the bank's end", word(Sprite1, 0x7FC0), ""},
    {"a sheet past the file", look(InBank2, 0xD0020), "object 1: the sheet of sprite 1 runs past the end of the file"},
};
// clang-format on

} // namespace

// Each kind of bad data: a blank picture (of the map's size when that is sane) and the reason, from the people's
// picture as from the bare map's where the map itself is bad.
TEST(MapDrawing, GivesABlankPictureAndTheReasonForBadData)
{
    for (const BadData& bad : BadDataCases) {
        SCOPED_TRACE(bad.what);
        Bytes image = SyntheticRom(GameVersion::Red).bytes();
        for (const int bank : {SpareBank, 2}) {
            std::iota(image.begin() + bankStart(bank), image.begin() + bankStart(bank) + 6, 0);
        }
        MapLook look = Laid;
        std::vector<PersonLook> people{{1, 0, 0}, {2, 1, 1}};
        bad.change(image, look, people);
        MapDrawing drawing(image, GameVersion::Red);
        const MapPicture picture = drawing.withPeople(look, people);
        EXPECT_EQ(picture.problem, bad.problem);
        EXPECT_EQ(picture.width, bad.width);
        EXPECT_EQ(picture.height, bad.height);
        EXPECT_EQ(picture.shades.size(), static_cast<std::size_t>(bad.width * bad.height));
        if (!bad.problem.empty()) {
            EXPECT_EQ(std::count(picture.shades.begin(), picture.shades.end(), 0), std::ssize(picture.shades));
        }
        const bool ofPeople = bad.problem.starts_with("object");
        EXPECT_EQ(drawing.bare(look).problem, ofPeople ? "" : bad.problem);
    }
}
