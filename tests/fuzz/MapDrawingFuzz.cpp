// A map drawn from a synthetic image whose tileset and sprite tables, graphics, blocksets, sheets and blocks the
// input overwrites in part, on an image of full length or cut short: one of the image's own small maps with its
// objects, or a map the input describes. Whatever the bytes, nothing is read out of bounds; each picture is sound
// at its map's size, shades 0..3, or blank with a reason; the people change nothing outside their boxes; and a
// map drawn again from what was kept is the same.
//
// Input: [version + 3 x cut (cuts 0..5) | 0x80 for a width and height too large or 0 as they are]
//        [map: 0 for the one described next, else the image's small map n - 1]
//        [tileset][width][height][blocks offset in the bank, 2 bytes][bank: 0 for 0x39, else as it is]
//        [people, after the map's own: count (0..7), then sprite, x + 4, y + 4 for each]
//        then overlays: [where (0..4)][offset, 2 bytes][length][bytes]...

#include "FuzzCheck.h"
#include "demo/SyntheticRom.h"
#include "maps/MapLooks.h"
#include "maps/MapProfile.h"
#include "rom/Banks.h"

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

namespace {

constexpr int SpareBank = 0x39;
constexpr std::uint8_t RawSize = 0x80;
constexpr GameVersion Versions[] = {GameVersion::Red, GameVersion::Blue, GameVersion::Yellow};
// Cut in the tileset table, in the maps' banks, in the first graphics, in the first sheet, and just after the
// described map's bank starts.
constexpr std::array<std::size_t, 6> Lengths{
    0x100000, 0xC7C0, 0x1F * BankSize + 0x123, 0xC0123, 0xD0021, SpareBank* BankSize + 0x40};
// Maps of up to this many blocks keep each input quick.
constexpr int SmallMap = 32;

std::vector<MapToDraw> smallMaps(GameVersion version)
{
    std::vector<MapToDraw> maps = mapsToDraw(SyntheticRom(version).bytes(), profileOf(version));
    std::erase_if(maps, [](const MapToDraw& map) { return map.look.width * map.look.height > SmallMap; });
    return maps;
}

class Input
{
public:
    Input(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}

    bool ended() const { return m_at >= m_size; }
    int byte() { return m_at < m_size ? m_data[m_at++] : 0; }
    int word() { return byte() | byte() << 8; }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_at = 0;
};

void checkPicture(const MapPicture& picture, const MapLook& look)
{
    const bool sane = look.width > 0 && look.height > 0 && look.width * look.height <= MaxMapBlocks;
    FUZZ_CHECK(picture.sound() ? sane : true);
    FUZZ_CHECK(sane ? picture.width == BlockPixels * look.width && picture.height == BlockPixels * look.height
                    : picture.width == 0 && picture.height == 0);
    FUZZ_CHECK(picture.shades.size() ==
               static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height));
    const std::uint8_t highest = picture.sound() ? 3 : 0;
    FUZZ_CHECK(std::all_of(picture.shades.begin(), picture.shades.end(), [&](std::uint8_t s) { return s <= highest; }));
}

bool inBoxOfAny(const std::vector<PersonLook>& people, std::int64_t x, std::int64_t y)
{
    return std::any_of(people.begin(), people.end(), [&](const PersonLook& person) {
        const PixelBox box = personBox(person);
        return x >= box.x && x < box.x + box.width && y >= box.y && y < box.y + box.height;
    });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static std::vector<Bytes> images = [] {
        std::vector<Bytes> all;
        for (const std::size_t length : Lengths) {
            for (const GameVersion version : Versions) {
                all.push_back(SyntheticRom(version).bytes());
                all.back().resize(length);
            }
        }
        return all;
    }();
    static const std::vector<MapToDraw> maps[] = {
        smallMaps(Versions[0]), smallMaps(Versions[1]), smallMaps(Versions[2])};
    Input input(data, size);
    const int head = input.byte();
    const auto version = static_cast<GameVersion>(head % 3);
    Bytes& image = images[static_cast<std::size_t>(head & 0x7F) % images.size()];
    const std::vector<MapToDraw>& own = maps[static_cast<std::size_t>(head % 3)];
    const int chosen = input.byte();
    MapLook look;
    look.tileset = input.byte();
    look.width = input.byte();
    look.height = input.byte();
    // Small maps keep each input quick: the flag keeps the size as it is only where nothing is drawn.
    if ((head & RawSize) == 0 || (look.width * look.height > 0 && look.width * look.height <= MaxMapBlocks)) {
        look.width &= 0x03;
        look.height &= 0x03;
    }
    const int pointer = input.word();
    const int bank = input.byte();
    look.bank = bank == 0 ? SpareBank : bank;
    look.blocks = bankStart(look.bank) + pointer % BankSize;
    std::vector<PersonLook> people;
    if (chosen != 0 && !own.empty()) {
        const MapToDraw& map = own[static_cast<std::size_t>(chosen - 1) % own.size()];
        look = map.look;
        people = map.people;
    }
    for (int count = input.byte() % 8; count > 0; --count) {
        people.push_back({input.byte(), input.byte() - 4, input.byte() - 4});
    }
    const DrawingTables& tables = drawingTables(version);
    const std::array<std::pair<std::int32_t, std::int32_t>, 5> windows{{
        {tables.tilesets, TilesetRecordLength * (mapProfile(version).tilesetCount + 1)},
        {tables.sprites, SpriteRecordLength * (tables.spriteCount + 1)},
        {bankStart(0x30), 2 * BankSize},
        {bankStart(0x34), BankSize},
        {look.blocks, BankSize},
    }};
    // Every change to the kept image is undone at the end, so that no input pays for a copy of it.
    std::vector<std::pair<std::size_t, std::uint8_t>> undo;
    while (!input.ended()) {
        const auto& [start, length] = windows[static_cast<std::size_t>(input.byte()) % windows.size()];
        std::int64_t at = start + input.word() % length;
        for (int count = input.byte(); count > 0 && !input.ended(); --count, ++at) {
            const std::uint8_t value = static_cast<std::uint8_t>(input.byte());
            if (at >= 0 && at < static_cast<std::int64_t>(image.size())) {
                undo.emplace_back(static_cast<std::size_t>(at), image[static_cast<std::size_t>(at)]);
                image[static_cast<std::size_t>(at)] = value;
            }
        }
    }
    MapDrawing drawing(image, version);
    const MapPicture bare = drawing.bare(look);
    checkPicture(bare, look);
    const MapPicture withPeople = drawing.withPeople(look, people);
    checkPicture(withPeople, look);
    FUZZ_CHECK(drawing.bare(look).shades == bare.shades);
    if (!bare.sound()) {
        FUZZ_CHECK(withPeople.problem == bare.problem);
    } else if (withPeople.sound()) {
        for (std::size_t at = 0; at < bare.shades.size(); ++at) {
            if (bare.shades[at] != withPeople.shades[at]) {
                const auto x = static_cast<std::int64_t>(at) % bare.width;
                const auto y = static_cast<std::int64_t>(at) / bare.width;
                FUZZ_CHECK(inBoxOfAny(people, x, y));
            }
        }
    }
    for (auto change = undo.rbegin(); change != undo.rend(); ++change) {
        image[change->first] = change->second;
    }
    return 0;
}
