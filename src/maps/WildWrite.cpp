#include "maps/WildWrite.h"

#include "maps/MapNames.h"
#include "pictures/PictureLocator.h"
#include "rom/SpacePlan.h"

#include <algorithm>
#include <map>

namespace {

using WildValues = std::pair<WildArea, WildArea>;

// A table the edits change: the maps that will read its new values, and whether other maps keep its old bytes.
struct Target
{
    const WildTable* table = nullptr;
    std::vector<int> maps;
    WildArea grass;
    WildArea water;
    bool keepOld = false;
    // Which areas an edit gave, so that two edits of one table that differ are caught.
    bool grassGiven = false;
    bool waterGiven = false;
};

WriteStatus checkArea(const MapRow& row, const WildArea& area, const char* what)
{
    for (int slot = 1; area.on() && slot <= WildSlotCount; ++slot) {
        const WildSlot& at = area.slot[static_cast<std::size_t>(slot - 1)];
        const std::string where = std::string(row.name) + ": " + what + " slot " + std::to_string(slot);
        if (at.species == 0) {
            return refusal(FailureNumber::PartyNotStorable,
                           where + " has species 0, which is no Pokémon: the game would meet a glitch there.");
        }
        if (at.level == 0 || at.level > MaxWildLevel) {
            return refusal(FailureNumber::PartyNotStorable,
                           where + " has level " + std::to_string(at.level) + "; a wild Pokémon's level is 1-100.");
        }
    }
    return std::nullopt;
}

// Sets one area of target from an edit; a failure when another edit of the same table gave it otherwise.
WriteStatus give(Target& target, const MapRow& row, const std::optional<WildArea>& area, bool water)
{
    if (!area) {
        return std::nullopt;
    }
    WildArea& now = water ? target.water : target.grass;
    bool& given = water ? target.waterGiven : target.grassGiven;
    if (given && !(now == *area)) {
        return refusal(FailureNumber::WouldMoveData,
                       std::string(row.name) + " shares its wild Pokémon with other maps, and they were given " +
                           (water ? "water" : "grass") + " Pokémon that differ.");
    }
    if (auto failure = checkArea(row, *area, water ? "water" : "grass")) {
        return failure;
    }
    now = *area;
    given = true;
    return std::nullopt;
}

Result<std::vector<Target>> targetsOf(const MapTable& table, const WildEdits& edits)
{
    if (!table.wildProblem.empty()) {
        return refusal(FailureNumber::NotInPlace, "The wild Pokémon are left as they are: " + table.wildProblem + ".");
    }
    std::vector<Target> targets;
    for (const WildEdit& edit : edits) {
        const MapRow* row = table.row(edit.map);
        if (row == nullptr || !row->isMap() || row->copyOf || row->wild < 0) {
            const std::string why = row == nullptr || !row->isMap() ? "it is no map of this ROM"
                                    : row->copyOf                   ? "it is a copy of another map"
                                                                    : row->wildProblem;
            return refusal(FailureNumber::NotInPlace,
                           std::string(mapName(table.version, edit.map)) + "'s wild Pokémon are left alone: " + why +
                               ".");
        }
        const WildTable& wild = table.wild[static_cast<std::size_t>(row->wild)];
        // The empty table most maps share is never edited: the edited map gets a table of its own.
        const bool own = wild.empty() && wild.maps.size() > 1;
        auto target = std::find_if(targets.begin(), targets.end(), [&](const Target& t) {
            return t.table == &wild && (!own || t.maps.front() == edit.map);
        });
        if (target == targets.end()) {
            targets.push_back({&wild, own ? std::vector<int>{edit.map} : wild.maps, wild.grass, wild.water, own});
            target = targets.end() - 1;
        }
        if (auto failure = give(*target, *row, edit.grass, false)) {
            return *failure;
        }
        if (auto failure = give(*target, *row, edit.water, true)) {
            return *failure;
        }
    }
    return targets;
}

std::map<int, WildValues> expectedValues(const std::vector<Target>& targets)
{
    std::map<int, WildValues> expected;
    for (const Target& target : targets) {
        for (const int map : target.maps) {
            expected[map] = {target.grass, target.water};
        }
    }
    return expected;
}

// The pointers of the maps, the tables and the free space: what a plan may write in bank 3.
std::vector<BankRange> writableRanges(const MapTable& table)
{
    const MapProfile& profile = mapProfile(table.version);
    std::vector<BankRange> ranges;
    for (const MapRow& row : table.rows) {
        if (row.isMap()) {
            ranges.push_back({wildPointerOffset(profile, row.id), wildPointerOffset(profile, row.id) + 2});
        }
    }
    for (const WildTable& wild : table.wild) {
        ranges.push_back({wild.offset, wild.offset + wild.length});
    }
    ranges.push_back({table.free.start, bankRange(WildBank).end});
    return ranges;
}

std::string mapsText(const MapTable& table, const std::vector<int>& maps)
{
    std::string text;
    for (std::size_t k = 0; k < maps.size(); ++k) {
        text += (k == 0 ? "" : k + 1 == maps.size() ? " and " : ", ") + std::string(table.row(maps[k])->name);
    }
    return text;
}

WriteStatus
verifyAgainst(const MapTable& table, const Bytes& before, const Bytes& after, const std::map<int, WildValues>& expected)
{
    const MapProfile& profile = mapProfile(table.version);
    if (wordAt(after, wildPointerOffset(profile, profile.mapCount)) != WildPointersEnd) {
        return refusal(FailureNumber::WouldMoveData, "This save would end the wild data pointers elsewhere.");
    }
    for (const MapRow& row : table.rows) {
        if (!row.isMap() || row.wild < 0) {
            continue;
        }
        const WildTable& was = table.wild[static_cast<std::size_t>(row.wild)];
        const auto edited = expected.find(row.id);
        const std::int32_t pointerAt = wildPointerOffset(profile, row.id);
        const int pointer = wordAt(after, pointerAt);
        const auto read = readWildTable(after, wildOffset(pointer), bankRange(WildBank));
        const auto& [grass, water] = edited != expected.end() ? edited->second : WildValues{was.grass, was.water};
        const bool moved = edited == expected.end() && pointer != wordAt(before, pointerAt);
        if (moved || wildOffset(pointer) < 0 || !read || !(read->grass == grass) || !(read->water == water)) {
            return refusal(FailureNumber::WouldMoveData,
                           "This save would change what the game reads for the wild Pokémon of " +
                               std::string(row.name) + " in this ROM, whose tables overlap.");
        }
    }
    if (!sameOutside(before, after, bankRange(WildBank), writableRanges(table))) {
        return refusal(FailureNumber::WouldMoveData, "This save would change bank 3 outside the wild Pokémon.");
    }
    return std::nullopt;
}

bool writesOver(const WritePlan& plan, std::int32_t start, std::int32_t end)
{
    return std::any_of(plan.begin(), plan.end(), [&](const ByteWrite& write) {
        return start < write.offset + std::ssize(write.bytes) && write.offset < end;
    });
}

// What else the game reads in bank 3 that a table of a ROM could lie over: Red's and Blue's table of header banks,
// and a header or objects kept there. The name of what the plan would write over; empty when nothing.
std::string writtenOver(const MapTable& table, const WritePlan& plan)
{
    const MapProfile& profile = mapProfile(table.version);
    if (writesOver(plan, profile.headerPointers, profile.headerPointers + 2 * profile.mapCount) ||
        writesOver(plan, profile.headerBanks, profile.headerBanks + profile.mapCount)) {
        return "the game's table of map headers";
    }
    for (const MapRow& row : table.rows) {
        const auto headerLength =
            static_cast<std::int32_t>(MapHeaderLength + ConnectionLength * row.connections.size());
        if (row.isMap() && row.headerBank == WildBank &&
            (writesOver(plan, row.headerOffset, row.headerOffset + headerLength) ||
             writesOver(plan, row.objectsOffset, row.objectsEnd))) {
            return "the header or objects of " + std::string(row.name);
        }
    }
    return {};
}

// The slots the edits give a species without a Pokédex number that they did not have before.
std::vector<GlitchSlot> glitchesOf(const Bytes& image, GameVersion version, const std::vector<Target>& targets)
{
    std::vector<GlitchSlot> glitches;
    for (const Target& target : targets) {
        for (const bool water : {false, true}) {
            const WildArea& area = water ? target.water : target.grass;
            const WildArea& was = water ? target.table->water : target.table->grass;
            for (const int slot : glitchSlots(image, version, was, area)) {
                glitches.push_back(
                    {target.maps.front(), water, slot, area.slot[static_cast<std::size_t>(slot - 1)].species});
            }
        }
    }
    return glitches;
}

// The writes of one table's new bytes: where it lies when they fit there, else in the free space, which moves on.
// False when the free space has no room for them.
bool place(const Bytes& image, const MapTable& table, const Target& target, FreeSpace& free, WildWrite& write)
{
    const WildTable& was = *target.table;
    const Bytes bytes = wildBytes(target.grass, target.water);
    const Bytes old(image.begin() + was.offset, image.begin() + was.offset + was.length);
    if (bytes == old) {
        return true;
    }
    PointedBlock block{was.offset, was.length, was.length, {}};
    for (const int map : target.maps) {
        block.pointers.push_back(wildPointerOffset(mapProfile(table.version), map));
    }
    if (auto inPlace = target.keepOld ? std::nullopt : placeInPlace(block, old, bytes)) {
        write.plan.insert(write.plan.end(), inPlace->begin(), inPlace->end());
    } else if (auto placed = placeInFreeSpace(block, bytes, free, target.keepOld)) {
        write.plan.insert(write.plan.end(), placed->plan.begin(), placed->plan.end());
        write.moves.push_back({target.maps, *placed->move});
    } else {
        return false;
    }
    return true;
}

// The refusal of a plan whose moves the free space cannot take: each move takes its bytes and a margin.
Failure noRoom(const MapTable& table, const std::vector<WildMove>& moves, const std::vector<const Target*>& homeless)
{
    std::int32_t want = -FreeSpaceMargin;
    for (const WildMove& move : moves) {
        want += move.move.bytes + FreeSpaceMargin;
    }
    std::vector<int> maps;
    for (const Target* target : homeless) {
        want += wildLength(target->grass, target->water) + FreeSpaceMargin;
        maps.insert(maps.end(), target->maps.begin(), target->maps.end());
    }
    const std::int32_t room = table.free.room();
    return refusal(FailureNumber::NoRoomInBank,
                   "The wild Pokémon of " + mapsText(table, maps) + " would need " + std::to_string(want) +
                       " bytes of the free space at the end of bank 3, which has room for " + std::to_string(room) +
                       ": " + std::to_string(want - room) + " bytes are missing.");
}

} // namespace

std::vector<int> glitchSlots(const Bytes& image, GameVersion version, const WildArea& was, const WildArea& now)
{
    std::vector<int> slots;
    for (int slot = 1; now.on() && slot <= WildSlotCount; ++slot) {
        const auto k = static_cast<std::size_t>(slot - 1);
        const int species = now.slot[k].species;
        const bool changed = !was.on() || was.slot[k].species != species;
        if (species != 0 && changed && pokedexNumber(image, version, species) == 0) {
            slots.push_back(slot);
        }
    }
    return slots;
}

Result<WildWrite> planWildEdits(const Bytes& image, const MapTable& table, const WildEdits& edits)
{
    auto targets = targetsOf(table, edits);
    if (!targets) {
        return targets.failure();
    }
    WildWrite write;
    FreeSpace free = table.free;
    std::vector<const Target*> homeless;
    for (const Target& target : *targets) {
        if (!place(image, table, target, free, write)) {
            homeless.push_back(&target);
        }
    }
    if (!homeless.empty()) {
        return noRoom(table, write.moves, homeless);
    }
    if (const std::string over = writtenOver(table, write.plan); !over.empty()) {
        return refusal(FailureNumber::WouldMoveData,
                       "This save would write over " + over + ", which this ROM keeps among the wild Pokémon.");
    }
    const std::map<int, WildValues> expected = expectedValues(*targets);
    if (auto failure =
            checkOnCopy(image, write.plan, {bankRange(WildBank)}, writableRanges(table), [&](const Bytes& copy) {
                return verifyAgainst(table, image, copy, expected);
            })) {
        return *failure;
    }
    write.glitches = glitchesOf(image, table.version, *targets);
    write.free = free;
    return write;
}

WriteStatus verifyWild(const Bytes& before, const Bytes& after, const VersionProfile& profile, const WildEdits& edits)
{
    const MapTable table = readMaps(before, profile);
    const auto targets = targetsOf(table, edits);
    if (!targets) {
        return targets.failure();
    }
    return verifyAgainst(table, before, after, expectedValues(*targets));
}

std::string moveNote(const MapTable& table, const WildMove& move)
{
    return freeSpaceNote(mapsText(table, move.maps) + "'s wild Pokémon", move.move);
}
