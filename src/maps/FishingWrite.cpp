#include "maps/FishingWrite.h"

#include "maps/FishingCheck.h"
#include "maps/MapNames.h"
#include "rom/DisplayText.h"
#include "rom/SpacePlan.h"

#include <algorithm>
#include <map>

namespace {

// A group the edits change, or a new row's: the maps that will read it and its new slots.
struct Target
{
    // The group the maps read now; nullptr for a map without a row.
    const SuperRodGroup* group = nullptr;
    std::vector<int> maps;
    std::vector<WildSlot> pokemon;
    // A copy of a shared group for maps.front() alone; the others keep the group.
    bool copy = false;
    // Whether an edit gave the slots, so that two edits of one group that differ are caught.
    bool given = false;
    // Its new bytes, whether they go to the free space, and where they land there.
    Bytes bytes;
    bool toFree = false;
    std::int32_t at = -1;
};

std::string nameOf(const MapTable& table, int map)
{
    return std::string(mapName(table.version, map));
}

std::string mapsText(const MapTable& table, const std::vector<int>& maps)
{
    std::string text;
    for (std::size_t k = 0; k < maps.size(); ++k) {
        text += (k == 0 ? "" : k + 1 == maps.size() ? " and " : ", ") + nameOf(table, maps[k]);
    }
    return text;
}

// where: "Route 4: super rod slot 2", "Good Rod slot 1", "The Old Rod".
WriteStatus checkSlots(const std::string& where, const std::vector<WildSlot>& slots, bool numbered)
{
    for (std::size_t k = 0; k < slots.size(); ++k) {
        const std::string slot = numbered ? where + " " + std::to_string(k + 1) : where;
        if (slots[k].species == 0) {
            return refusal(FailureNumber::PartyNotStorable,
                           slot + " has species 0, which is no Pokémon: the game would meet a glitch there.");
        }
        if (slots[k].level == 0 || slots[k].level > MaxWildLevel) {
            return refusal(FailureNumber::PartyNotStorable,
                           slot + " has level " + std::to_string(slots[k].level) +
                               "; a wild Pokémon's level is 1-100.");
        }
    }
    return std::nullopt;
}

WriteStatus checkRod(const FixedRod& rod, const std::optional<std::vector<WildSlot>>& slots, const char* name)
{
    if (!slots) {
        return std::nullopt;
    }
    if (!rod.readable()) {
        return refusal(FailureNumber::NotInPlace,
                       std::string("The ") + name + "'s Pokémon are left as they are: " + rod.problem + ".");
    }
    if (slots->size() != rod.pokemon.size()) {
        return refusal(FailureNumber::PartyNotStorable,
                       std::string("The ") + name + " holds " + std::to_string(rod.pokemon.size()) + " Pokémon.");
    }
    return checkSlots(rod.pokemon.size() == 1 ? std::string("The ") + name : std::string(name) + " slot",
                      *slots,
                      rod.pokemon.size() > 1);
}

WriteStatus checkEdit(const MapTable& table, const SuperRodEdit& edit)
{
    const SuperRod& superRod = table.fishing.superRod;
    const MapRow* row = table.row(edit.map);
    const std::string name = nameOf(table, edit.map);
    if (row == nullptr || !row->isMap() || row->copyOf) {
        return refusal(
            FailureNumber::NotInPlace,
            name + "'s super rod Pokémon are left alone: " +
                (row == nullptr || !row->isMap() ? "it is no map of this ROM" : "it is a copy of another map") + ".");
    }
    if (!superRod.readable()) {
        return refusal(FailureNumber::NotInPlace,
                       "The super rod Pokémon are left as they are: " + superRod.problem + ".");
    }
    if (const SuperRodRow* found = superRod.rowOf(edit.map); found != nullptr && found->group < 0) {
        return refusal(FailureNumber::NotInPlace,
                       name + "'s super rod Pokémon are left alone: " + found->problem + ".");
    }
    const auto count = edit.pokemon ? std::ssize(*edit.pokemon) : -1;
    if (edit.pokemon && (count < fewestSlots(superRod) || count > SuperRodDrawn)) {
        return refusal(FailureNumber::PartyNotStorable,
                       name + ": the super rod holds " +
                           (superRod.inlineSlots ? std::string("4 Pokémon a map") : std::string("1 to 4 Pokémon")) +
                           " in this game, not " + std::to_string(count) + ".");
    }
    return edit.pokemon ? checkSlots(name + ": super rod slot", *edit.pokemon, true) : std::nullopt;
}

Result<std::vector<Target>> targetsOf(const MapTable& table, const FishingEdits& edits)
{
    const SuperRod& superRod = table.fishing.superRod;
    std::vector<Target> targets;
    std::vector<int> copied;
    for (const SuperRodEdit& edit : edits.superRod) {
        if (auto failure = checkEdit(table, edit)) {
            return *failure;
        }
        const SuperRodGroup* group = superRod.groupOf(edit.map);
        if (group == nullptr && !edit.pokemon) {
            continue;
        }
        const bool copy = group != nullptr && edit.own && group->maps.size() > 1;
        const bool alone = group == nullptr || copy;
        auto target = std::find_if(targets.begin(), targets.end(), [&](const Target& t) {
            return t.group == group && t.copy == copy && (!alone || t.maps.front() == edit.map);
        });
        if (target == targets.end()) {
            target = targets.insert(targets.end(), Target{});
            target->group = group;
            target->maps = alone ? std::vector<int>{edit.map} : group->maps;
            target->pokemon = group != nullptr ? group->pokemon : std::vector<WildSlot>{};
            target->copy = copy;
        }
        if (copy) {
            copied.push_back(edit.map);
        }
        if (edit.pokemon && target->given && target->pokemon != *edit.pokemon) {
            return refusal(
                FailureNumber::WouldMoveData,
                nameOf(table, edit.map) +
                    " shares its super rod Pokémon with other maps, and they were given Pokémon that differ.");
        }
        if (edit.pokemon) {
            target->pokemon = *edit.pokemon;
            target->given = true;
        }
    }
    // The maps given a copy of their own no longer read the group they shared.
    for (Target& target : targets) {
        if (!target.copy) {
            std::erase_if(target.maps,
                          [&](int map) { return std::find(copied.begin(), copied.end(), map) != copied.end(); });
        }
    }
    return targets;
}

std::vector<std::int32_t> pointersOf(const SuperRod& superRod, const std::vector<int>& maps)
{
    std::vector<std::int32_t> pointers;
    for (const int map : maps) {
        pointers.push_back(superRod.rowOf(map)->offset + 1);
    }
    return pointers;
}

// Each target's bytes, and whether they go to the free space: a new row's group, a copy, a group that grows.
void decide(const SuperRod& superRod, std::vector<Target>& targets)
{
    for (Target& target : targets) {
        if (superRod.inlineSlots) {
            target.bytes = inlineBytes(target.pokemon);
            continue;
        }
        target.bytes = groupBytes(target.pokemon);
        target.toFree = target.group == nullptr || target.copy || std::ssize(target.bytes) > target.group->length;
    }
}

bool growsRows(const std::vector<Target>& targets)
{
    return std::any_of(targets.begin(), targets.end(), [](const Target& t) { return t.group == nullptr; });
}

// The refusal of targets whose bytes the free space cannot take, each taking its bytes and a margin; empty when
// they fit.
WriteStatus checkRoom(const MapTable& table, const std::vector<Target>& targets, const FreeSpace& free)
{
    const SuperRod& superRod = table.fishing.superRod;
    std::int32_t want = -FreeSpaceMargin;
    std::vector<int> maps;
    for (const Target& target : targets) {
        if (target.toFree) {
            want += static_cast<std::int32_t>(target.bytes.size()) + FreeSpaceMargin;
            maps.insert(maps.end(), target.maps.begin(), target.maps.end());
        }
    }
    const bool rows = growsRows(targets);
    if (rows) {
        want += superRod.length + FreeSpaceMargin;
        for (const Target& target : targets) {
            want += target.group == nullptr ? (superRod.inlineSlots ? InlineRowLength : GroupRowLength) : 0;
            if (target.group == nullptr && superRod.inlineSlots) {
                maps.push_back(target.maps.front());
            }
        }
    }
    if (want <= free.room()) {
        return std::nullopt;
    }
    const std::string what = rows && maps.empty() ? "The super rod's rows"
                             : rows               ? "The super rod's rows and the Pokémon of " + mapsText(table, maps)
                                                  : "The super rod Pokémon of " + mapsText(table, maps);
    return refusal(FailureNumber::NoRoomInBank,
                   what + " would need " + std::to_string(want) + " bytes of the free space at the end of " +
                       bankName(superRod.bank) + ", which has room for " + std::to_string(free.room()) + ": " +
                       std::to_string(want - free.room()) + " bytes are missing.");
}

// The writes that turn the bytes at offset into bytes where they lie, those it no longer needs set to 0x00: one run for
// each stretch that differs, so that a save writes no byte it does not change.
void writeChanges(const Bytes& image, std::int32_t offset, Bytes bytes, std::int32_t length, WritePlan& plan)
{
    bytes.resize(std::max(bytes.size(), static_cast<std::size_t>(length)), 0x00);
    const auto same = [&](std::size_t k) { return image[static_cast<std::size_t>(offset) + k] == bytes[k]; };
    for (std::size_t k = 0; k < bytes.size();) {
        if (same(k)) {
            ++k;
            continue;
        }
        std::size_t end = k;
        while (end < bytes.size() && !same(end)) {
            ++end;
        }
        plan.push_back(
            {offset + static_cast<std::int32_t>(k),
             Bytes(bytes.begin() + static_cast<std::ptrdiff_t>(k), bytes.begin() + static_cast<std::ptrdiff_t>(end))});
        k = end;
    }
}

void place(const Bytes& image, const SuperRod& superRod, Target& target, FreeSpace& free, FishingWrite& write)
{
    if (target.group == nullptr && superRod.inlineSlots) {
        return;
    }
    if (target.group != nullptr && !target.copy && target.pokemon == target.group->pokemon) {
        return;
    }
    const SuperRodGroup* group = target.group;
    PointedBlock block;
    if (group != nullptr) {
        block = {group->offset, group->length, group->length, pointersOf(superRod, target.maps)};
    }
    if (!target.toFree) {
        writeChanges(image, group->offset, target.bytes, group->length, write.plan);
        return;
    }
    const auto placed = placeInFreeSpace(block, target.bytes, free, group == nullptr || target.copy);
    write.plan.insert(write.plan.end(), placed->plan.begin(), placed->plan.end());
    write.moves.push_back({target.maps, *placed->move});
    target.at = placed->move->to;
}

// The rows with the new ones before the 0xFF, written into the free space with the search routine's pointer
// following. The writes already planned inside the old rows (a group's pointers, a Yellow row's Pokémon) go with
// them.
void placeRows(const Bytes& image,
               const SuperRod& superRod,
               const std::vector<Target>& targets,
               FreeSpace& free,
               FishingWrite& write)
{
    const std::int32_t end = superRod.offset + superRod.length - 1;
    Bytes rows(image.begin() + superRod.offset, image.begin() + end);
    std::erase_if(write.plan, [&](const ByteWrite& planned) {
        if (planned.offset < superRod.offset || planned.offset + std::ssize(planned.bytes) > end) {
            return false;
        }
        std::copy(planned.bytes.begin(), planned.bytes.end(), rows.begin() + (planned.offset - superRod.offset));
        return true;
    });
    for (const Target& target : targets) {
        if (target.group != nullptr) {
            continue;
        }
        rows.push_back(static_cast<std::uint8_t>(target.maps.front()));
        const Bytes after = superRod.inlineSlots ? target.bytes : bankPointer(target.at);
        rows.insert(rows.end(), after.begin(), after.end());
    }
    rows.push_back(SuperRodRowsEnd);
    const PointedBlock block{superRod.offset, superRod.length, superRod.length, {superRod.pointerOffset}};
    const auto placed = placeInFreeSpace(block, rows, free, false);
    write.plan.insert(write.plan.end(), placed->plan.begin(), placed->plan.end());
    write.moves.push_back({{}, *placed->move});
}

void writeRod(const Bytes& image,
              const FixedRod& rod,
              const std::optional<std::vector<WildSlot>>& pokemon,
              bool speciesFirst,
              WritePlan& plan)
{
    if (!pokemon) {
        return;
    }
    Bytes bytes;
    for (const WildSlot& slot : *pokemon) {
        bytes.insert(bytes.end(),
                     speciesFirst ? std::initializer_list<std::uint8_t>{slot.species, slot.level}
                                  : std::initializer_list<std::uint8_t>{slot.level, slot.species});
    }
    writeChanges(image, rod.offset, std::move(bytes), 0, plan);
}

FishingExpected
expectedValues(const FishingTable& fishing, const FishingEdits& edits, const std::vector<Target>& targets)
{
    FishingExpected expected{edits.oldRod ? std::vector<WildSlot>{*edits.oldRod} : fishing.oldRod.pokemon,
                             edits.goodRod.value_or(fishing.goodRod.pokemon),
                             {}};
    for (const Target& target : targets) {
        for (const int map : target.maps) {
            expected.superRod[map] = target.pokemon;
        }
    }
    return expected;
}

} // namespace

int fewestSlots(const SuperRod& superRod)
{
    return superRod.inlineSlots ? SuperRodDrawn : MinGroupSlots;
}

FreeSpace superRodFreeSpace(const Bytes& image, const SuperRod& superRod, const FreeSpace& bank3)
{
    return superRod.bank == RodBank ? bank3 : trailingFreeSpace(image, bankRange(superRod.bank));
}

std::int32_t newRowBytes(const SuperRod& superRod, int slots)
{
    if (superRod.inlineSlots) {
        return superRod.length + InlineRowLength;
    }
    return superRod.length + GroupRowLength + FreeSpaceMargin + 1 + 2 * slots;
}

Result<FishingWrite>
planFishingEdits(const Bytes& image, const MapTable& table, const FishingEdits& edits, FreeSpace free)
{
    const FishingTable& fishing = table.fishing;
    const std::optional<std::vector<WildSlot>> oldRod =
        edits.oldRod ? std::optional(std::vector<WildSlot>{*edits.oldRod}) : std::nullopt;
    if (auto failure = checkRod(fishing.oldRod, oldRod, "Old Rod")) {
        return *failure;
    }
    if (auto failure = checkRod(fishing.goodRod, edits.goodRod, "Good Rod")) {
        return *failure;
    }
    auto targets = targetsOf(table, edits);
    if (!targets) {
        return targets.failure();
    }
    const SuperRod& superRod = fishing.superRod;
    free = superRodFreeSpace(image, superRod, free);
    const std::vector<BankRange> writable = fishingWritable(fishing, free);
    decide(superRod, targets.value());
    if (auto failure = checkRoom(table, *targets, free)) {
        return *failure;
    }
    FishingWrite write;
    writeRod(image, fishing.oldRod, oldRod, true, write.plan);
    writeRod(image, fishing.goodRod, edits.goodRod, false, write.plan);
    for (Target& target : targets.value()) {
        place(image, superRod, target, free, write);
    }
    if (growsRows(*targets)) {
        placeRows(image, superRod, *targets, free, write);
    }
    if (writesOver(write.plan, mapTableRanges(table))) {
        return refusal(FailureNumber::WouldMoveData,
                       "This save would write over the wild Pokémon or the map headers, which this ROM keeps among "
                       "the rods' Pokémon.");
    }
    const FishingExpected expected = expectedValues(fishing, edits, *targets);
    std::vector<BankRange> read{bankRange(RodBank)};
    if (superRod.bank != RodBank) {
        read.push_back(bankRange(superRod.bank));
    }
    if (auto failure = checkOnCopy(image, write.plan, read, writable, [&](const Bytes& copy) {
            return verifyFishing(table, image, copy, expected, writable);
        })) {
        return *failure;
    }
    return write;
}

std::string fishingMoveNote(const MapTable& table, const FishingMove& move)
{
    return freeSpaceNote(
        move.maps.empty() ? "The super rod's rows" : mapsText(table, move.maps) + "'s super rod Pokémon", move.move);
}
