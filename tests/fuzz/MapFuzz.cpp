// The maps of a synthetic image with fuzz bytes laid over the tables the game finds them through: the header
// pointers and banks, a map's header and object data, the wild data pointers and tables, the end of bank 3, the
// slot chances, the rods' code and the super rod's table. Whatever the bytes, every read stays inside the image,
// every map and rod read lies inside its bank, and a wild edit, a static edit and a fishing edit planned on it either
// are refused with a reason or, once written, leave every other map's wild and super rod Pokémon as they were and
// read as edited.
//
// Input: [version][map to edit][how to edit] then chunks of [region][position hi][position lo][count] and count
// bytes.

#include "FuzzCheck.h"
#include "LayoutOffsets.h"
#include "demo/SyntheticRom.h"
#include "maps/FishingWrite.h"
#include "maps/StaticBattles.h"
#include "maps/WildWrite.h"

#include <cstring>
#include <string_view>
#include <vector>

namespace {

// The ranges an input laid over the kept image, copied back from the image as built at the end: no input pays for
// a whole image.
using Undo = std::vector<BankRange>;

void put(Bytes& image, Undo& undo, std::size_t offset, const std::uint8_t* bytes, std::size_t count)
{
    count = std::min(count, image.size() - std::min(offset, image.size()));
    std::memcpy(image.data() + offset, bytes, count);
    undo.push_back({static_cast<std::int32_t>(offset), static_cast<std::int32_t>(offset + count)});
}

void apply(Bytes& image, Undo& undo, const WritePlan& plan)
{
    for (const ByteWrite& write : plan) {
        put(image, undo, static_cast<std::size_t>(write.offset), write.bytes.data(), write.bytes.size());
    }
}

void checkRead(const MapTable& table, const Bytes& image)
{
    for (const MapRow& row : table.rows) {
        if (!row.isMap()) {
            FUZZ_CHECK(row.objects.empty() && row.wild < 0);
            continue;
        }
        const BankRange bank = bankRange(row.headerBank);
        FUZZ_CHECK(bank.contains(row.headerOffset, MapHeaderLength) && row.objects.size() <= MaxObjects);
        for (const MapObject& object : row.objects) {
            FUZZ_CHECK(bank.contains(object.offset, 6) && object.offset + 6 <= std::ssize(image));
        }
    }
    for (const WildTable& wild : table.wild) {
        FUZZ_CHECK(bankRange(WildBank).contains(wild.offset, wild.length) &&
                   wild.offset + wild.length <= table.free.start);
    }
    const FishingTable& fishing = table.fishing;
    for (const FixedRod* rod : {&fishing.oldRod, &fishing.goodRod}) {
        FUZZ_CHECK(!rod->readable() || bankRange(RodBank).contains(rod->offset, 2 * std::ssize(rod->pokemon)));
    }
    const SuperRod& superRod = fishing.superRod;
    const BankRange bank = bankRange(superRod.bank);
    FUZZ_CHECK(!superRod.readable() || (bank.contains(superRod.offset, superRod.length) &&
                                        superRod.offset + superRod.length <= std::ssize(image)));
    for (const SuperRodGroup& group : superRod.groups) {
        FUZZ_CHECK(bank.contains(group.offset, group.length) && group.pokemon.size() <= SuperRodDrawn);
    }
}

// The super rod of map, and the Old Rod, given Pokémon from how: once written, the map and the maps sharing its group
// (but when it asked for a group of its own) read them, every other map reads as before.
void checkFishingEdit(Bytes& image, Undo& undo, const MapTable& before, int map, std::uint8_t how)
{
    const SuperRod& superRod = before.fishing.superRod;
    std::vector<WildSlot> pokemon(static_cast<std::size_t>(superRod.inlineSlots ? SuperRodDrawn : 1 + how % 4));
    for (std::size_t k = 0; k < pokemon.size(); ++k) {
        pokemon[k] = {static_cast<std::uint8_t>(1 + (how + k) % 100),
                      static_cast<std::uint8_t>(1 + (how * 3 + k) % 190)};
    }
    const bool own = (how & 0x10) != 0;
    const WildSlot oldRod{static_cast<std::uint8_t>(1 + how % 100), static_cast<std::uint8_t>(1 + how % 190)};
    const auto write = planFishingEdits(image, before, {{{map, pokemon, own}}, oldRod, {}}, before.free);
    if (!write) {
        const int number = write.failure().number;
        FUZZ_CHECK(number == FailureNumber::NoRoomInBank || number == FailureNumber::NotInPlace ||
                   number == FailureNumber::WouldMoveData);
        return;
    }
    apply(image, undo, write->plan);
    const FishingTable now = readFishing(image, before.version);
    FUZZ_CHECK(now.oldRod.pokemon == std::vector<WildSlot>{oldRod});
    const SuperRodGroup* group = superRod.groupOf(map);
    for (int other = 0; other < SuperRodRowsEnd; ++other) {
        const bool shares =
            group != nullptr && !own && std::find(group->maps.begin(), group->maps.end(), other) != group->maps.end();
        const SuperRodGroup* was = superRod.groupOf(other);
        const SuperRodGroup* is = now.superRod.groupOf(other);
        if (other == map || shares) {
            FUZZ_CHECK(is != nullptr && is->pokemon == pokemon);
        } else {
            FUZZ_CHECK((was == nullptr) == (is == nullptr) && (was == nullptr || was->pokemon == is->pokemon));
        }
    }
}

WildArea areaFrom(std::uint8_t seed)
{
    WildArea area;
    area.rate = static_cast<std::uint8_t>(seed % 3 == 0 ? 0 : seed);
    for (std::size_t k = 0; k < area.slot.size(); ++k) {
        area.slot[k] = {static_cast<std::uint8_t>(1 + (seed + k) % 100),
                        static_cast<std::uint8_t>(1 + (seed * 7 + k) % 190)};
    }
    return area;
}

void checkWildEdit(
    Bytes& image, Undo& undo, const VersionProfile& profile, const MapTable& before, int map, std::uint8_t how)
{
    WildEdit edit{map, {}, {}};
    if ((how & 1) != 0) {
        edit.grass = areaFrom(how);
    }
    if ((how & 2) != 0) {
        edit.water = areaFrom(static_cast<std::uint8_t>(how * 13));
    }
    const auto write = planWildEdits(image, before, {edit});
    if (!write) {
        const int number = write.failure().number;
        FUZZ_CHECK(number == FailureNumber::NoRoomInBank || number == FailureNumber::NotInPlace ||
                   number == FailureNumber::WouldMoveData);
        return;
    }
    apply(image, undo, write->plan);
    // The game's own way to a map's wild Pokémon: its pointer, then the table.
    const MapProfile& maps = mapProfile(profile.version);
    FUZZ_CHECK(wordAt(image, wildPointerOffset(maps, maps.mapCount)) == WildPointersEnd);
    const WildTable& was = *before.wildOf(map);
    for (const MapRow& row : before.rows) {
        if (!row.isMap() || row.wild < 0) {
            continue;
        }
        const bool edited =
            row.id == map || (!was.empty() && row.wild == before.rows[static_cast<std::size_t>(map)].wild);
        const auto now =
            readWildTable(image, wildOffset(wordAt(image, wildPointerOffset(maps, row.id))), bankRange(WildBank));
        const WildTable& old = *before.wildOf(row.id);
        FUZZ_CHECK(now.has_value());
        FUZZ_CHECK(now->grass == (edited ? edit.grass.value_or(old.grass) : old.grass));
        FUZZ_CHECK(now->water == (edited ? edit.water.value_or(old.water) : old.water));
    }
}

void checkStaticEdit(Bytes& image, Undo& undo, const MapTable& before, std::uint8_t how)
{
    for (const MapRow& row : before.rows) {
        for (const MapObject& object : row.objects) {
            if (object.kind != ObjectKind::Pokemon) {
                continue;
            }
            const StaticEdit edit{
                row.id, object.number, static_cast<std::uint8_t>(how % 192), static_cast<std::uint8_t>(how % 102)};
            const auto plan = planStaticEdits(image, before, {edit});
            FUZZ_CHECK(plan.ok() == (edit.species >= 1 && edit.species <= 190 && edit.level >= 1 && edit.level <= 100));
            if (plan) {
                apply(image, undo, *plan);
                FUZZ_CHECK(image[static_cast<std::size_t>(object.valuesOffset)] == edit.species &&
                           image[static_cast<std::size_t>(object.valuesOffset) + 1] == edit.level);
            }
            return;
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const Bytes built[] = {SyntheticRom(GameVersion::Red).bytes(),
                                  SyntheticRom(GameVersion::Blue).bytes(),
                                  SyntheticRom(GameVersion::Yellow).bytes()};
    static Bytes images[] = {built[0], built[1], built[2]};
    if (size < 3) {
        return 0;
    }
    const VersionProfile& profile = profileOf(static_cast<GameVersion>(data[0] % 3));
    const MapProfile& maps = mapProfile(profile.version);
    Bytes& image = images[data[0] % 3];
    static const MapTable builtTables[] = {readMaps(images[0], profileOf(GameVersion::Red)),
                                           readMaps(images[1], profileOf(GameVersion::Blue)),
                                           readMaps(images[2], profileOf(GameVersion::Yellow))};
    static Undo undo;
    undo.clear();
    const int map = data[1] % maps.mapCount;
    const MapRow& row = builtTables[data[0] % 3].rows[static_cast<std::size_t>(map)];
    const LayoutOffsets::Rods& rods = LayoutOffsets::rods(profile.version);
    const std::pair<std::int32_t, std::int32_t> regions[] = {{maps.headerPointers, 2 * maps.mapCount},
                                                             {maps.headerBanks, maps.mapCount},
                                                             {row.isMap() ? row.headerOffset : maps.headerBanks, 0x40},
                                                             {row.isMap() ? row.objectsOffset : maps.headerBanks, 0x80},
                                                             {maps.wildPointers, 2 * maps.mapCount + 2},
                                                             {maps.wildTables, maps.wildTablesLength},
                                                             {bankRange(WildBank).end - 0x400, 0x400},
                                                             {maps.slotChances, 20},
                                                             {rods.oldRodInstruction - 6, 0x40},
                                                             {rods.superRodPointer - 7, 0x120},
                                                             {bankRange(rods.superRodBank).end - 0x200, 0x200}};
    for (std::size_t at = 3; at + 4 <= size;) {
        const auto& [start, length] = regions[data[at] % std::size(regions)];
        const auto offset = static_cast<std::size_t>(start + (data[at + 1] << 8 | data[at + 2]) % length);
        const std::size_t count = std::min<std::size_t>(data[at + 3], size - (at + 4));
        put(image, undo, offset, data + at + 4, count);
        at += 4 + count;
    }
    const MapTable table = readMaps(image, profile);
    checkRead(table, image);
    overworldPositions(table);
    // The edits are planned for one input in 4, picked by a hash the fuzzer cannot steer: a plan and its check
    // read bank 3 twice more, and most of what an input changes is what the reading meets.
    if (std::hash<std::string_view>{}(std::string_view(reinterpret_cast<const char*>(data), size)) % 4 == 0) {
        const MapRow& edited = table.rows[static_cast<std::size_t>(map)];
        // The rods first, on the image as read: the wild edit's own checks do not look at what they leave.
        if (edited.isMap() && !edited.copyOf && table.fishing.superRod.readable() && table.fishing.oldRod.readable()) {
            checkFishingEdit(image, undo, table, map, data[2]);
        }
        if (edited.isMap() && !edited.copyOf && edited.wild >= 0 && table.wildProblem.empty()) {
            checkWildEdit(image, undo, profile, table, map, data[2]);
        }
        checkStaticEdit(image, undo, table, data[2]);
    }
    const Bytes& original = built[data[0] % 3];
    for (const BankRange& range : undo) {
        std::memcpy(image.data() + range.start,
                    original.data() + range.start,
                    static_cast<std::size_t>(range.end - range.start));
    }
    return 0;
}
