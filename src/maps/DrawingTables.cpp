#include "maps/DrawingTables.h"

#include "maps/MapProfile.h"
#include "pictures/Tiles.h"
#include "rom/Banks.h"

#include <algorithm>
#include <array>
#include <string>

namespace {

constexpr std::array<DrawingTables, 3> Tables{{
    {0x0C7BE, 0x17B27, 72},
    {0x0C7BE, 0x17B27, 72},
    {0x0C558, 0x142A9, 82},
}};

Failure failed(int number, std::string description)
{
    return {number, std::move(description)};
}

// A pointer into a switchable bank: 0x4000..0x7FFF, read while bank 1 or up is switched in.
bool inSwitchableBank(int bank, int pointer)
{
    return bank >= 1 && switchablePointer(pointer);
}

// What a read running past readableEnd runs past.
std::string endOf(const Bytes& image, int bank)
{
    return readableEnd(image, bank) < bankRange(bank).end ? "the file" : "its bank";
}

} // namespace

const DrawingTables& drawingTables(GameVersion version)
{
    return Tables[static_cast<std::size_t>(version)];
}

Result<TilesetSource> tilesetSource(const Bytes& image, GameVersion version, int tileset)
{
    const DrawingTables& tables = drawingTables(version);
    const std::string name = "its tileset " + std::to_string(tileset);
    const int count = mapProfile(version).tilesetCount;
    if (tileset < 0 || tileset >= count) {
        return failed(FailureNumber::BadRecordNumber, name + " is not one of the table's " + std::to_string(count));
    }
    const std::int32_t record = tables.tilesets + TilesetRecordLength * tileset;
    const int bank = byteAt(image, record);
    const int blockset = wordAt(image, record + 1);
    const int graphics = wordAt(image, record + 3);
    if (bank < 0 || blockset < 0 || graphics < 0) {
        return failed(FailureNumber::InputPastEnd, "the tileset table lies past the end of the file");
    }
    for (const auto& [pointer, what] : {std::pair{graphics, "graphics"}, std::pair{blockset, "blockset"}}) {
        if (!inSwitchableBank(bank, pointer)) {
            return failed(FailureNumber::InputPastEnd,
                          std::string("the ") + what + " pointer of " + name + " leads out of the bank");
        }
        if (bankOffset(bank, pointer) >= readableEnd(image, bank)) {
            return failed(FailureNumber::InputPastEnd,
                          std::string("the ") + what + " of " + name + " lie past the end of the file");
        }
    }
    return TilesetSource{bank, bankOffset(bank, graphics), bankOffset(bank, blockset)};
}

Result<SpriteSource> spriteSource(const Bytes& image, GameVersion version, int sprite)
{
    const DrawingTables& tables = drawingTables(version);
    const std::string name = "sprite " + std::to_string(sprite);
    if (sprite < 1 || sprite > tables.spriteCount) {
        return failed(FailureNumber::BadRecordNumber,
                      name + " is not one of the table's " + std::to_string(tables.spriteCount));
    }
    const std::int32_t record = tables.sprites + SpriteRecordLength * (sprite - 1);
    const int pointer = wordAt(image, record);
    const int byteCount = byteAt(image, record + 2);
    const int bank = byteAt(image, record + 3);
    if (pointer < 0 || byteCount < 0 || bank < 0) {
        return failed(FailureNumber::InputPastEnd, "the sprite table lies past the end of the file");
    }
    if (!inSwitchableBank(bank, pointer)) {
        return failed(FailureNumber::InputPastEnd, "the sheet pointer of " + name + " leads out of the bank");
    }
    if (byteCount < FrameTileCount * TileBytes) {
        return failed(FailureNumber::InputPastEnd,
                      "the sheet of " + name + " holds " + std::to_string(byteCount) +
                          " bytes, fewer than the 4 tiles of a standing person");
    }
    const std::int32_t sheet = bankOffset(bank, pointer);
    if (sheet + FrameTileCount * TileBytes > readableEnd(image, bank)) {
        return failed(FailureNumber::InputPastEnd,
                      "the sheet of " + name + " runs past the end of " + endOf(image, bank));
    }
    return SpriteSource{sheet, byteCount};
}
