// The bytes of the synthetic maps: each map's blocks, header and object data one after another in its bank, the
// tables of header pointers and banks, the wild data pointers and tables in bank 3, the slot chances and the rods.

#include "demo/SyntheticFishing.h"
#include "demo/SyntheticMaps.h"
#include "overworld/OverworldBattle.h"

#include <stdexcept>

namespace {

constexpr int FirstMapBank = 0x1E;
constexpr int LastMapBank = 0x2A;
// The first map bank begins with code; the unused ids' pointers lead into it, every JunkStride bytes.
constexpr std::int32_t CodeRunLength = 0x100;
constexpr int JunkStride = 7;
// The released slot chances: each slot's and those before it out of 256, less one, and the slot times 2.
constexpr std::uint8_t ReleasedChances[] = {50, 101, 140, 165, 190, 215, 228, 241, 252, 255};
// Objects are left where a map ends: the game's "last map" warp destination.
constexpr std::uint8_t LastMap = 0xFF;

std::uint8_t byte(int value)
{
    return static_cast<std::uint8_t>(value);
}

// Bytes like code: 0xC0..0xEF, none of them 0 or a tileset.
std::uint8_t codeByte(std::int32_t offset)
{
    return byte(0xC0 + offset % 0x30);
}

void putWord(Bytes& bytes, int word)
{
    bytes.push_back(byte(word & 0xFF));
    bytes.push_back(byte(word >> 8));
}

// Trees around the edge, a floor of block 0 with a scatter of the other blocks.
Bytes blocksOf(const PlannedMap& map)
{
    Bytes blocks;
    blocks.reserve(static_cast<std::size_t>(map.width * map.height));
    for (int y = 0; y < map.height; ++y) {
        for (int x = 0; x < map.width; ++x) {
            const bool edge = x == 0 || y == 0 || x == map.width - 1 || y == map.height - 1;
            const bool scatter = (x * 3 + y * 5 + map.id) % 11 == 0;
            blocks.push_back(byte(edge ? 1 : scatter ? 2 + (x + y + map.id) % 14 : 0));
        }
    }
    return blocks;
}

std::int32_t recordLength(const MapObject& object)
{
    return 6 + (object.kind == ObjectKind::Item ? 1 : object.kind == ObjectKind::Person ? 0 : 2);
}

// The object data up to the first byte of object number `upTo`'s record.
std::int32_t objectPrefix(const PlannedMap& map, int upTo)
{
    std::int32_t length = 4 + 4 * map.warps + 3 * map.signs;
    for (int k = 0; k + 1 < upTo; ++k) {
        length += recordLength(map.objects[static_cast<std::size_t>(k)]);
    }
    return length;
}

Bytes objectData(const PlannedMap& map)
{
    Bytes data{byte(map.borderBlock), byte(map.warps)};
    for (int k = 0; k < map.warps; ++k) {
        data.insert(data.end(), {byte((2 * k + 1) % (2 * map.height)), byte(3 * k % (2 * map.width)), 1, LastMap});
    }
    data.push_back(byte(map.signs));
    for (int k = 0; k < map.signs; ++k) {
        data.insert(data.end(),
                    {byte(k % (2 * map.height)),
                     byte((5 * k + 1) % (2 * map.width)),
                     byte(static_cast<int>(map.objects.size()) + k + 1)});
    }
    data.push_back(byte(static_cast<int>(map.objects.size())));
    for (const MapObject& object : map.objects) {
        data.insert(data.end(),
                    {object.sprite,
                     byte(object.y + ObjectCoordinateBias),
                     byte(object.x + ObjectCoordinateBias),
                     object.movement,
                     object.rangeOrFacing,
                     object.text});
        if (object.kind == ObjectKind::Trainer) {
            data.insert(data.end(), {byte(object.classNumber + TrainerClassBase), byte(object.party)});
        } else if (object.kind == ObjectKind::Pokemon) {
            data.insert(data.end(), {byte(object.species), byte(object.level)});
        } else if (object.kind == ObjectKind::Item) {
            data.push_back(byte(object.item));
        }
    }
    // The game's warp-to table: a place in its copy of the map, then the warp's y and x.
    for (int k = 0; k < map.warps; ++k) {
        putWord(data, 0xC6EF + k * (map.width + 6));
        data.insert(data.end(), {byte((2 * k + 1) % (2 * map.height)), byte(3 * k % (2 * map.width))});
    }
    return data;
}

Bytes headerOf(const PlannedMap& map, int blocksPointer, int objectsPointer)
{
    Bytes header{byte(map.tileset), byte(map.height), byte(map.width)};
    putWord(header, blocksPointer);
    // Stand-ins for the texts and the script, inside the bank as the game's are.
    putWord(header, objectsPointer);
    putWord(header, blocksPointer);
    int flags = 0;
    for (const MapConnection& connection : map.connections) {
        flags |= 0x8 >> static_cast<int>(connection.direction);
    }
    header.push_back(byte(flags));
    for (const MapConnection& connection : map.connections) {
        // The connected map, where its strip begins, where it goes in the game's copy of this map, its length,
        // the connected map's width, the alignments, and where the view goes.
        header.push_back(byte(connection.map));
        putWord(header, 0x4000 + 0x30 * connection.map);
        putWord(header, 0xC6EB + connection.map);
        header.insert(header.end(), {byte(map.width), 10, byte(2 * map.height - 1), 0});
        putWord(header, 0xC6E9 + 2 * map.width);
    }
    putWord(header, objectsPointer);
    return header;
}

class Layout
{
public:
    Layout(Bytes& image, GameVersion version) : m_image(image)
    {
        for (std::int32_t offset = 0; offset < CodeRunLength; ++offset) {
            m_image[static_cast<std::size_t>(bankStart(FirstMapBank) + offset)] = codeByte(offset);
        }
        // Blue's maps of the bank lie one byte later than Red's, as a bank of the released Blue does.
        m_cursor = bankStart(FirstMapBank) + CodeRunLength + (version == GameVersion::Blue ? 1 : 0);
    }

    // Blocks, header and object data at the next place in the map banks; the header's file offset.
    std::int32_t place(const PlannedMap& map)
    {
        const Bytes blocks = blocksOf(map);
        const Bytes objects = objectData(map);
        const auto headerLength = static_cast<std::int32_t>(12 + 11 * map.connections.size());
        const auto length = static_cast<std::int32_t>(blocks.size() + objects.size()) + headerLength;
        if (m_cursor + length > bankStart(m_bank) + BankSize) {
            if (++m_bank > LastMapBank) {
                throw std::logic_error("the synthetic maps overflow their banks");
            }
            m_cursor = bankStart(m_bank);
        }
        const std::int32_t header = m_cursor + static_cast<std::int32_t>(blocks.size());
        put(m_cursor, blocks);
        put(header, headerOf(map, pointerTo(m_cursor), pointerTo(header + headerLength)));
        put(header + headerLength, objects);
        m_cursor += length;
        return header;
    }

    // The object data from where object `number`'s record must begin, then the header and blocks behind it.
    std::int32_t placeAround(const PlannedMap& map, int number, std::int32_t record)
    {
        const std::int32_t start = record - objectPrefix(map, number);
        const Bytes objects = objectData(map);
        const std::int32_t header = start + static_cast<std::int32_t>(objects.size());
        const auto headerLength = static_cast<std::int32_t>(12 + 11 * map.connections.size());
        put(start, objects);
        put(header, headerOf(map, pointerTo(header + headerLength), pointerTo(start)));
        put(header + headerLength, blocksOf(map));
        return header;
    }

    static int pointerTo(std::int32_t offset) { return BankSize + offset % BankSize; }

private:
    // Every byte laid was 0 before: nothing else of the image is overwritten.
    void put(std::int32_t offset, const Bytes& bytes)
    {
        for (const std::uint8_t value : bytes) {
            std::uint8_t& at = m_image.at(static_cast<std::size_t>(offset++));
            if (at != 0) {
                throw std::logic_error("the synthetic maps overlap other data");
            }
            at = value;
        }
    }

    Bytes& m_image;
    int m_bank = FirstMapBank;
    std::int32_t m_cursor = 0;
};

void putHeaders(Bytes& image, GameVersion version, const SyntheticMapPlan& plan)
{
    const MapProfile& profile = mapProfile(version);
    Layout layout(image, version);
    std::vector<std::int32_t> headers(plan.maps.size(), -1);
    for (const PlannedMap& map : plan.maps) {
        if (map.junk || map.copyOf) {
            continue;
        }
        const auto legendary = std::find_if(map.objects.begin(), map.objects.end(), [](const MapObject& object) {
            return object.kind == ObjectKind::Pokemon && object.rangeOrFacing != 0xFF;
        });
        if (legendary == map.objects.end()) {
            headers[static_cast<std::size_t>(map.id)] = layout.place(map);
            continue;
        }
        // The record over the bytes the overworld battle keeps: its facing, text, species and level.
        const std::int32_t record = [&] {
            for (int battle = 0; battle < 4; ++battle) {
                const std::int32_t species = overworldBattle(version, battle).speciesOffset;
                if (image[static_cast<std::size_t>(species)] == legendary->species &&
                    image[static_cast<std::size_t>(species - 2)] == legendary->rangeOrFacing) {
                    return species - 6;
                }
            }
            throw std::logic_error("a legendary of the synthetic maps has no overworld battle");
        }();
        std::fill(image.begin() + record + 4, image.begin() + record + 8, 0x00);
        headers[static_cast<std::size_t>(map.id)] = layout.placeAround(map, legendary->number, record);
    }
    int junk = 0;
    for (const PlannedMap& map : plan.maps) {
        const std::int32_t header = map.junk ? bankStart(FirstMapBank) + JunkStride * junk++
                                             : headers[static_cast<std::size_t>(map.copyOf.value_or(map.id))];
        const Bytes pointer = bankPointer(header);
        std::copy(pointer.begin(), pointer.end(), image.begin() + profile.headerPointers + 2 * map.id);
        image[static_cast<std::size_t>(profile.headerBanks + map.id)] = byte(bankOf(header));
    }
}

void putWild(Bytes& image, GameVersion version, const SyntheticMapPlan& plan)
{
    const MapProfile& profile = mapProfile(version);
    std::vector<std::int32_t> tables;
    std::int32_t at = profile.wildTables;
    for (const auto& [grass, water] : plan.wild) {
        const Bytes bytes = wildBytes(grass, water);
        std::copy(bytes.begin(), bytes.end(), image.begin() + at);
        tables.push_back(at);
        at += static_cast<std::int32_t>(bytes.size());
    }
    if (at != profile.wildTables + profile.wildTablesLength) {
        throw std::logic_error("the synthetic wild tables do not have the released length");
    }
    for (; at < releasedWildFreeSpace(version); ++at) {
        image[static_cast<std::size_t>(at)] = codeByte(at);
    }
    for (const PlannedMap& map : plan.maps) {
        const Bytes pointer = bankPointer(tables[static_cast<std::size_t>(map.wild)]);
        std::copy(pointer.begin(), pointer.end(), image.begin() + wildPointerOffset(profile, map.id));
    }
    const std::int32_t end = wildPointerOffset(profile, profile.mapCount);
    image[static_cast<std::size_t>(end)] = 0xFF;
    image[static_cast<std::size_t>(end + 1)] = 0xFF;
    for (int slot = 0; slot < WildSlotCount; ++slot) {
        image[static_cast<std::size_t>(profile.slotChances + 2 * slot)] = ReleasedChances[slot];
        image[static_cast<std::size_t>(profile.slotChances + 2 * slot + 1)] = byte(2 * slot);
    }
}

} // namespace

void putMaps(Bytes& image, GameVersion version)
{
    const SyntheticMapPlan plan = syntheticMapPlan(image, version);
    putHeaders(image, version, plan);
    putWild(image, version, plan);
    putFishing(image, version);
}
