#include "maps/MapTable.h"

#include "maps/MapNames.h"
#include "rom/DisplayText.h"

#include <algorithm>
#include <array>

namespace {

// The connection flags: one bit a direction, read north first.
constexpr int ConnectionFlags = 0x0F;
constexpr std::pair<int, MapDirection> Directions[] = {
    {0x08, MapDirection::North}, {0x04, MapDirection::South}, {0x02, MapDirection::West}, {0x01, MapDirection::East}};
constexpr std::int32_t WarpLength = 4;
constexpr std::int32_t SignLength = 3;
constexpr std::int32_t ObjectLength = 6;

std::string pointerProblem(const char* what, int pointer)
{
    return std::string("its ") + what + " pointer " + hexNumber(pointer, 4) + " is not in 0x4000-0x7FFF";
}

// Reads of one bank of the image: every byte asked for lies inside both.
class BankBytes
{
public:
    BankBytes(const Bytes& image, int bank)
        : m_image(image), m_range{bankStart(bank), static_cast<std::int32_t>(readableEnd(image, bank))}
    {}

    bool holds(std::int64_t offset, std::int64_t count) const { return m_range.contains(offset, count); }
    std::uint8_t byte(std::int32_t offset) const { return m_image[static_cast<std::size_t>(offset)]; }
    int word(std::int32_t offset) const { return byte(offset) | byte(offset + 1) << 8; }

private:
    const Bytes& m_image;
    BankRange m_range;
};

// The first value kept for each offset, for the few hundred offsets of one read: open addressing, no allocation.
class OffsetIndex
{
public:
    OffsetIndex() { m_slots.fill({-1, 0}); }

    // The value kept for offset, which may be changed; value, kept from now on, when there was none.
    int& find(std::int32_t offset, int value)
    {
        auto at = static_cast<std::size_t>(offset) * 2654435761U % m_slots.size();
        while (m_slots[at].first >= 0 && m_slots[at].first != offset) {
            at = (at + 1) % m_slots.size();
        }
        if (m_slots[at].first < 0) {
            m_slots[at] = {offset, value};
        }
        return m_slots[at].second;
    }

private:
    // More than twice the most ids a version has, so that a probe ends soon.
    std::array<std::pair<std::int32_t, int>, 1024> m_slots;
};

// The border block, warps, signs and objects at row.objectsOffset; the reason when they are not plausible.
std::string readObjects(const BankBytes& bank, MapRow& row)
{
    constexpr const char* pastBank = "its object data runs past the end of its bank";
    std::int32_t at = row.objectsOffset;
    if (!bank.holds(at, 2)) {
        return pastBank;
    }
    row.borderBlock = bank.byte(at);
    row.warps = bank.byte(at + 1);
    if (row.warps > MaxWarps) {
        return "it has " + std::to_string(row.warps) + " warps, more than " + std::to_string(MaxWarps);
    }
    at += 2 + WarpLength * row.warps;
    if (!bank.holds(at, 1)) {
        return pastBank;
    }
    row.signs = bank.byte(at);
    if (row.signs > MaxSigns) {
        return "it has " + std::to_string(row.signs) + " signs, more than " + std::to_string(MaxSigns);
    }
    at += 1 + SignLength * row.signs;
    if (!bank.holds(at, 1)) {
        return pastBank;
    }
    const int count = bank.byte(at++);
    if (count > MaxObjects) {
        return "it has " + std::to_string(count) + " objects, more than " + std::to_string(MaxObjects);
    }
    row.objects.reserve(static_cast<std::size_t>(count));
    for (int number = 1; number <= count; ++number) {
        if (!bank.holds(at, ObjectLength)) {
            return pastBank;
        }
        MapObject& object = row.objects.emplace_back();
        object.number = number;
        object.offset = at;
        object.sprite = bank.byte(at);
        object.y = bank.byte(at + 1) - ObjectCoordinateBias;
        object.x = bank.byte(at + 2) - ObjectCoordinateBias;
        object.movement = bank.byte(at + 3);
        object.rangeOrFacing = bank.byte(at + 4);
        object.text = bank.byte(at + 5);
        at += ObjectLength;
        // The game tests the battle flag first: an object with both flags is a battle.
        const int values = (object.text & ObjectBattleFlag) != 0 ? 2 : (object.text & ObjectItemFlag) != 0 ? 1 : 0;
        if (!bank.holds(at, values)) {
            return pastBank;
        }
        if (values == 2 && bank.byte(at) >= TrainerClassBase) {
            object.kind = ObjectKind::Trainer;
            object.classNumber = bank.byte(at) - TrainerClassBase;
            object.party = bank.byte(at + 1);
        } else if (values == 2) {
            object.kind = ObjectKind::Pokemon;
            object.species = bank.byte(at);
            object.level = bank.byte(at + 1);
        } else if (values == 1) {
            object.kind = ObjectKind::Item;
            object.item = bank.byte(at);
        }
        object.valuesOffset = values > 0 ? at : -1;
        at += values;
    }
    row.objectsEnd = at;
    return {};
}

// The header at row.headerOffset in its bank, then its objects; the reason when they are not plausible.
std::string readHeader(const BankBytes& bank, const MapProfile& profile, MapRow& row)
{
    const std::int32_t at = row.headerOffset;
    if (!bank.holds(at, MapHeaderLength)) {
        return "its header runs past the end of its bank";
    }
    row.tileset = bank.byte(at);
    row.height = bank.byte(at + 1);
    row.width = bank.byte(at + 2);
    if (row.tileset >= profile.tilesetCount) {
        return "its tileset " + std::to_string(row.tileset) + " is not one of the game's " +
               std::to_string(profile.tilesetCount);
    }
    if (row.height == 0 || row.width == 0) {
        return "its size is 0";
    }
    const char* const pointerNames[] = {"blocks", "texts", "script"};
    for (int k = 0; k < 3; ++k) {
        if (const int pointer = bank.word(at + 3 + 2 * k); !switchablePointer(pointer)) {
            return pointerProblem(pointerNames[k], pointer);
        }
    }
    const int flags = bank.byte(at + 9);
    if (flags > ConnectionFlags) {
        return "its connection flags " + hexNumber(flags, 2) + " name directions the game does not have";
    }
    std::int32_t record = at + 10;
    for (const auto& [flag, direction] : Directions) {
        if ((flags & flag) == 0) {
            continue;
        }
        if (!bank.holds(record, ConnectionLength + 2)) {
            return "its header runs past the end of its bank";
        }
        const int map = bank.byte(record);
        if (map >= profile.mapCount) {
            return "it connects to map " + hexNumber(map, 2) + ", past the last map";
        }
        row.connections.push_back({direction, map});
        record += ConnectionLength;
    }
    const int objects = bank.word(record);
    if (!switchablePointer(objects)) {
        return pointerProblem("object data", objects);
    }
    row.blocksOffset = bankOffset(row.headerBank, bank.word(at + 3));
    row.objectsOffset = bankOffset(row.headerBank, objects);
    return readObjects(bank, row);
}

// Where the row's header pointer and bank lead; the reason when nowhere a header could be.
std::string locateHeader(const Bytes& image, const MapProfile& profile, MapRow& row)
{
    const int pointer = wordAt(image, profile.headerPointers + 2 * row.id);
    const int bank = byteAt(image, profile.headerBanks + row.id);
    if (pointer < 0 || bank < 0) {
        return "its header pointer or bank lies past the end of the file";
    }
    row.headerBank = bank;
    if (!switchablePointer(pointer)) {
        return pointerProblem("header", pointer);
    }
    // Bank 0 cannot be switched in: the cartridge gives bank 1 instead.
    if (bank == 0 || static_cast<std::int64_t>(bankStart(bank)) >= std::ssize(image)) {
        return "its header bank " + hexNumber(bank, 2) + " is not a bank of this file";
    }
    row.headerOffset = bankOffset(bank, pointer);
    return {};
}

void readWild(const Bytes& image, const MapProfile& profile, MapTable& table)
{
    OffsetIndex tables;
    for (MapRow& row : table.rows) {
        if (!row.isMap()) {
            continue;
        }
        const int pointer = wordAt(image, wildPointerOffset(profile, row.id));
        const std::int32_t offset = wildOffset(pointer);
        if (offset < 0) {
            row.wildProblem = pointer < 0 ? "its wild data pointer lies past the end of the file"
                                          : pointerProblem("wild data", pointer);
            continue;
        }
        // A table that cannot be read is kept as -1, and left out of the tables.
        const int fresh = static_cast<int>(table.wild.size());
        int& index = tables.find(offset, fresh);
        if (index == fresh) {
            if (auto read = readWildTable(image, offset, bankRange(WildBank))) {
                table.wild.push_back(std::move(*read));
            } else {
                index = -1;
            }
        }
        row.wild = index;
        if (row.wild < 0) {
            row.wildProblem = "its wild Pokémon at " + hexNumber(offset, 5) + " run past the end of bank 3";
            continue;
        }
        table.wild[static_cast<std::size_t>(row.wild)].maps.push_back(row.id);
    }
    if (wordAt(image, wildPointerOffset(profile, profile.mapCount)) != WildPointersEnd) {
        table.wildProblem =
            "the wild data pointers do not end with 0xFFFF after the " + std::to_string(profile.mapCount) + " maps'";
    }
    // A table turned off in the free space reads 00 00 among the zeros there, and still counts.
    table.free = trailingFreeSpace(image, bankRange(WildBank));
    for (const WildTable& wild : table.wild) {
        if (const std::int32_t end = wild.offset + wild.length; end > table.free.start) {
            table.free.length = std::max(0, table.free.length - (end - table.free.start));
            table.free.start = end;
        }
    }
    table.chances = readSlotChances(image, profile);
}

// A row whose pointer leads to the header first read for a lower id: the same map, or no map for the same reason.
void copyRow(const MapRow& first, MapRow& row)
{
    if (!first.isMap()) {
        row.problem = first.problem;
        return;
    }
    row.copyOf = first.copyOf.value_or(first.id);
    row.tileset = first.tileset;
    row.height = first.height;
    row.width = first.width;
    row.blocksOffset = first.blocksOffset;
    row.connections = first.connections;
    row.objectsOffset = first.objectsOffset;
    row.objectsEnd = first.objectsEnd;
    row.borderBlock = first.borderBlock;
    row.warps = first.warps;
    row.signs = first.signs;
}

} // namespace

std::int32_t wildPointerOffset(const MapProfile& profile, int id)
{
    return profile.wildPointers + 2 * id;
}

std::int32_t wildOffset(int pointer)
{
    return switchablePointer(pointer) ? bankOffset(WildBank, pointer) : -1;
}

const MapRow* MapTable::row(int id) const
{
    return id >= 0 && id < std::ssize(rows) ? &rows[static_cast<std::size_t>(id)] : nullptr;
}

const WildTable* MapTable::wildOf(int id) const
{
    const MapRow* found = row(id);
    return found != nullptr && found->wild >= 0 ? &wild[static_cast<std::size_t>(found->wild)] : nullptr;
}

MapTable readMaps(const Bytes& image, const VersionProfile& versionProfile)
{
    const MapProfile& profile = mapProfile(versionProfile.version);
    MapTable table;
    table.version = versionProfile.version;
    table.rows.resize(static_cast<std::size_t>(profile.mapCount));
    // A header two ids lead to is read for the lower; the other is its copy.
    OffsetIndex headers;
    for (MapRow& row : table.rows) {
        row.id = static_cast<int>(&row - table.rows.data());
        row.name = mapName(versionProfile.version, row.id);
        row.problem = locateHeader(image, profile, row);
        if (!row.isMap()) {
            continue;
        }
        if (const int first = headers.find(row.headerOffset, row.id); first != row.id) {
            copyRow(table.rows[static_cast<std::size_t>(first)], row);
            continue;
        }
        row.problem = readHeader(BankBytes(image, row.headerBank), profile, row);
        if (!row.isMap()) {
            row.connections.clear();
            row.objects.clear();
        }
    }
    readWild(image, profile, table);
    table.fishing = readFishing(image, versionProfile.version);
    return table;
}
