#include "maps/MapDrawing.h"

#include "rom/Banks.h"
#include "rom/DisplayText.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr int NotDrawn = -1;
constexpr int Bad = -2;
constexpr int BlockArea = BlockPixels * BlockPixels;

MapPicture blank(std::int64_t width, std::int64_t height, std::string problem)
{
    MapPicture picture;
    picture.width = static_cast<int>(width);
    picture.height = static_cast<int>(height);
    picture.shades.assign(static_cast<std::size_t>(width * height), 0);
    picture.problem = std::move(problem);
    return picture;
}

std::string blockName(int id)
{
    return "block " + hexNumber(id, 2);
}

std::span<const std::uint8_t, TileBytes> tileBytes(const Bytes& image, std::int64_t offset)
{
    return std::span<const std::uint8_t, TileBytes>(image.data() + offset, TileBytes);
}

} // namespace

PixelBox personBox(const PersonLook& person)
{
    return {
        std::int64_t{SquarePixels} * person.x, std::int64_t{SquarePixels} * person.y - 4, SquarePixels, SquarePixels};
}

MapPicture MapDrawing::bare(const MapLook& map)
{
    const std::int64_t blocks = std::int64_t{map.width} * map.height;
    if (map.width <= 0 || map.height <= 0) {
        return blank(
            0, 0, "its size " + std::to_string(map.width) + " x " + std::to_string(map.height) + " has no blocks");
    }
    if (blocks > MaxMapBlocks) {
        return blank(0,
                     0,
                     "its " + std::to_string(map.width) + " x " + std::to_string(map.height) +
                         " blocks are more than 4,096");
    }
    const std::int64_t width = std::int64_t{BlockPixels} * map.width;
    const std::int64_t height = std::int64_t{BlockPixels} * map.height;
    if (map.bank < 1 || !bankRange(map.bank).contains(map.blocks)) {
        return blank(width, height, "its blocks pointer leads out of the bank");
    }
    const std::int64_t end = readableEnd(m_image, map.bank);
    if (map.blocks + blocks > end) {
        return blank(width,
                     height,
                     end < bankRange(map.bank).end ? "its blocks run past the end of the file"
                                                   : "its blocks run past the end of the bank");
    }
    const auto source = tilesetSource(m_image, m_version, map.tileset);
    if (!source) {
        return blank(width, height, source.failure().description);
    }
    Blockset& blockset = blocksetOf(*source);
    const auto ids = std::span(m_image).subspan(static_cast<std::size_t>(map.blocks), static_cast<std::size_t>(blocks));
    for (const std::uint8_t id : ids) {
        if (std::string problem = prepareBlock(blockset, id); !problem.empty()) {
            return blank(width, height, std::move(problem));
        }
    }
    MapPicture picture;
    picture.width = static_cast<int>(width);
    picture.height = static_cast<int>(height);
    picture.shades.resize(static_cast<std::size_t>(width * height));
    compose(picture, map, blockset);
    return picture;
}

MapDrawing::Blockset& MapDrawing::blocksetOf(const TilesetSource& source)
{
    auto [graphics, fresh] = m_graphics.try_emplace(source.graphics);
    if (fresh) {
        const std::int64_t room = (readableEnd(m_image, source.bank) - source.graphics) / TileBytes;
        const auto count = static_cast<int>(std::clamp<std::int64_t>(room, 0, TilesetTileCount));
        graphics->second.tiles.reserve(static_cast<std::size_t>(count));
        for (int tile = 0; tile < count; ++tile) {
            graphics->second.tiles.push_back(decodeTile(tileBytes(m_image, source.graphics + TileBytes * tile)));
        }
    }
    auto [blockset, added] = m_blocksets.try_emplace({source.graphics, source.blockset});
    if (added) {
        blockset->second.graphics = &graphics->second;
        blockset->second.offset = source.blockset;
        blockset->second.end = readableEnd(m_image, source.bank);
        blockset->second.places.fill(NotDrawn);
    }
    return blockset->second;
}

std::string MapDrawing::prepareBlock(Blockset& blockset, int id) const
{
    const int slot = blockset.places[static_cast<std::size_t>(id)];
    if (slot >= 0) {
        return {};
    }
    if (slot <= Bad) {
        return blockset.problems[static_cast<std::size_t>(Bad - slot)];
    }
    const auto bad = [&](std::string problem) {
        blockset.places[static_cast<std::size_t>(id)] = Bad - static_cast<int>(blockset.problems.size());
        blockset.problems.push_back(problem);
        return problem;
    };
    const std::int64_t at = blockset.offset + std::int64_t{BlockLength} * id;
    if (at + BlockLength > blockset.end) {
        return bad(blockName(id) + " lies past the end of the blockset's bank");
    }
    const std::vector<TileColours>& tiles = blockset.graphics->tiles;
    for (int k = 0; k < BlockLength; ++k) {
        const int tile = m_image[static_cast<std::size_t>(at + k)];
        if (tile >= TilesetTileCount) {
            return bad(blockName(id) + " uses tile " + hexNumber(tile, 2) + ", which is not part of the tileset");
        }
        if (tile >= static_cast<int>(tiles.size())) {
            return bad(blockName(id) + " uses tile " + hexNumber(tile, 2) + ", which lies past the end of the bank");
        }
    }
    blockset.places[static_cast<std::size_t>(id)] = static_cast<int>(blockset.pixels.size() / BlockArea);
    const std::size_t base = blockset.pixels.size();
    blockset.pixels.resize(base + BlockArea);
    std::uint8_t* pixels = blockset.pixels.data() + base;
    // The background palette shows colour k as shade k.
    for (int k = 0; k < BlockLength; ++k) {
        const TileColours& tile = tiles[m_image[static_cast<std::size_t>(at + k)]];
        const int left = k % BlockSide * TilePixels;
        const int top = k / BlockSide * TilePixels;
        for (int row = 0; row < TilePixels; ++row) {
            std::memcpy(pixels + (top + row) * BlockPixels + left, tile.data() + row * TilePixels, TilePixels);
        }
    }
    return {};
}

void MapDrawing::compose(MapPicture& picture, const MapLook& map, const Blockset& blockset) const
{
    std::vector<const std::uint8_t*> row(static_cast<std::size_t>(map.width));
    for (int blockRow = 0; blockRow < map.height; ++blockRow) {
        for (int column = 0; column < map.width; ++column) {
            const int id = m_image[static_cast<std::size_t>(map.blocks + blockRow * map.width + column)];
            row[static_cast<std::size_t>(column)] =
                blockset.pixels.data() +
                static_cast<std::size_t>(blockset.places[static_cast<std::size_t>(id)]) * BlockArea;
        }
        std::uint8_t* out = picture.shades.data() + static_cast<std::ptrdiff_t>(blockRow) * BlockPixels * picture.width;
        for (int y = 0; y < BlockPixels; ++y) {
            for (const std::uint8_t* block : row) {
                std::memcpy(out, block + y * BlockPixels, BlockPixels);
                out += BlockPixels;
            }
        }
    }
}

MapPicture MapDrawing::withPeople(const MapLook& map, std::span<const PersonLook> people)
{
    MapPicture picture = bare(map);
    if (!picture.sound()) {
        return picture;
    }
    if (std::string problem = addPeople(picture, people); !problem.empty()) {
        return blank(picture.width, picture.height, std::move(problem));
    }
    return picture;
}

std::string MapDrawing::addPeople(MapPicture& picture, std::span<const PersonLook> people)
{
    std::vector<const Frame*> frames;
    frames.reserve(people.size());
    for (std::size_t k = 0; k < people.size(); ++k) {
        const auto frame = frameOf(people[k].sprite);
        if (!frame) {
            return "object " + std::to_string(k + 1) + ": " + frame.failure().description;
        }
        frames.push_back(*frame);
    }
    // From the last to the first, so that the earlier of two on one square is drawn over the later.
    for (std::size_t k = people.size(); k-- > 0;) {
        const PixelBox box = personBox(people[k]);
        const std::int64_t top = std::max<std::int64_t>(0, box.y);
        const std::int64_t bottom = std::min<std::int64_t>(picture.height, box.y + box.height);
        const std::int64_t left = std::max<std::int64_t>(0, box.x);
        const std::int64_t right = std::min<std::int64_t>(picture.width, box.x + box.width);
        for (std::int64_t y = top; y < bottom; ++y) {
            const std::uint8_t* colours = frames[k]->data() + (y - box.y) * SquarePixels;
            std::uint8_t* out = picture.shades.data() + y * picture.width;
            for (std::int64_t x = left; x < right; ++x) {
                if (const std::uint8_t colour = colours[x - box.x]; colour != 0) {
                    out[x] = PersonShades[colour];
                }
            }
        }
    }
    return {};
}

Result<const MapDrawing::Frame*> MapDrawing::frameOf(int sprite)
{
    const auto source = spriteSource(m_image, m_version, sprite);
    if (!source) {
        return source.failure();
    }
    auto [frame, fresh] = m_frames.try_emplace(source->sheet);
    if (fresh) {
        // Tiles 0..3 of the sheet: top left, top right, bottom left, bottom right.
        for (int k = 0; k < FrameTileCount; ++k) {
            const TileColours tile = decodeTile(tileBytes(m_image, source->sheet + TileBytes * k));
            for (int row = 0; row < TilePixels; ++row) {
                std::memcpy(frame->second.data() + (k / 2 * TilePixels + row) * SquarePixels + k % 2 * TilePixels,
                            tile.data() + row * TilePixels,
                            TilePixels);
            }
        }
    }
    return &frame->second;
}
