#pragma once

// Every map of the ROM, found the way the game finds it: map id n has its header at the pointer 2n into the header
// pointers, in the bank of byte n of the header banks, and its wild Pokémon at the pointer 2n into the wild data
// pointers (bank 3). A row whose header or object data is not plausible (a tileset the game lacks, a size of 0, a
// connection to no map, a pointer out of 0x4000..0x7FFF, too many warps, signs or objects, data past its bank) is
// no map: the reason is kept and nothing of it is read further. Every read stays inside the image and inside the
// bank the data belongs to, whatever the bytes.

#include "maps/FishingTable.h"
#include "maps/MapProfile.h"
#include "maps/WildTable.h"
#include "rom/SpacePlan.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

constexpr int MaxWarps = 32;
constexpr int MaxSigns = 16;
constexpr int MaxObjects = 16;
// A map header: tileset, height, width, the blocks, texts and script pointers, the connection flags, the object
// data pointer; one record of ConnectionLength bytes for each connection between the flags and that pointer.
constexpr std::int32_t MapHeaderLength = 12;
constexpr std::int32_t ConnectionLength = 11;
// Objects are stored 4 blocks' halves down and right of where they stand.
constexpr int ObjectCoordinateBias = 4;
// The text byte of an object: 0x40 is followed by a trainer or a Pokémon, else 0x80 by an item.
constexpr std::uint8_t ObjectBattleFlag = 0x40;
constexpr std::uint8_t ObjectItemFlag = 0x80;
// A battle's first byte is a trainer class plus this, or a species below it.
constexpr int TrainerClassBase = 200;

enum class MapDirection
{
    North,
    South,
    West,
    East
};

struct MapConnection
{
    MapDirection direction = MapDirection::North;
    int map = 0;
};

enum class ObjectKind
{
    Person,
    Item,
    Trainer,
    Pokemon
};

struct MapObject
{
    // The place in the map's list, from 1.
    int number = 0;
    // The file offset of the record's first byte (the sprite).
    std::int32_t offset = 0;
    std::uint8_t sprite = 0;
    // Map coordinates: the stored bytes less 4.
    int x = 0;
    int y = 0;
    std::uint8_t movement = 0;
    std::uint8_t rangeOrFacing = 0;
    std::uint8_t text = 0;
    ObjectKind kind = ObjectKind::Person;
    // A trainer's class (its byte less 200) and party (from 1), a Pokémon's species byte and level, an item's byte.
    int classNumber = 0;
    int party = 0;
    int species = 0;
    int level = 0;
    int item = 0;
    // The file offset of the bytes after the text byte: two for a trainer or a Pokémon, one for an item; -1 for
    // a person.
    std::int32_t valuesOffset = -1;
};

struct MapRow
{
    int id = 0;
    std::string_view name;
    // Why the row is no map; empty for a map.
    std::string problem;
    // The lower id whose header this row's pointer leads to as well: the map is listed there, with its objects.
    std::optional<int> copyOf;
    int headerBank = 0;
    std::int32_t headerOffset = 0;
    int tileset = 0;
    // In blocks of 4 x 4 tiles.
    int height = 0;
    int width = 0;
    // width x height block ids from here, in the header's bank.
    std::int32_t blocksOffset = 0;
    // In the order north, south, west, east.
    std::vector<MapConnection> connections;
    std::int32_t objectsOffset = 0;
    // One past the last object's record.
    std::int32_t objectsEnd = 0;
    int borderBlock = 0;
    int warps = 0;
    int signs = 0;
    std::vector<MapObject> objects;
    // Index into MapTable::wild; -1 when the wild data pointer leads nowhere sound (wildProblem says why).
    int wild = -1;
    std::string wildProblem;

    bool isMap() const { return problem.empty(); }
};

struct MapTable
{
    GameVersion version = GameVersion::Red;
    // Map id n at n.
    std::vector<MapRow> rows;
    // The distinct wild tables the maps' pointers lead to, in the order of the lowest map id leading to each.
    std::vector<WildTable> wild;
    // Why no wild table may be written (the pointers do not end as the game expects); empty when they may.
    std::string wildProblem;
    SlotChances chances;
    // The zero bytes that end bank 3 behind the last table, where a wild table that outgrows its place goes.
    FreeSpace free;
    // The rods' Pokémon, wild battles too.
    FishingTable fishing;

    // The row of a map id, or nullptr past the last.
    const MapRow* row(int id) const;
    // The wild table of a map, or nullptr.
    const WildTable* wildOf(int id) const;
};

MapTable readMaps(const Bytes& image, const VersionProfile& profile);

// The file offset of the pointer to map id's wild table.
std::int32_t wildPointerOffset(const MapProfile& profile, int id);
// The file offset of a pointer into bank 3, or -1 outside 0x4000..0x7FFF.
std::int32_t wildOffset(int pointer);
