// The rods in the battles document: each map's super rod Pokémon, the "rods" section, and the report's lines of an
// import that changes them.

#include "app/MapJson.h"
#include "maps/MapNames.h"
#include "rom/DisplayText.h"

#include <algorithm>

namespace {

Json slotsJson(const std::vector<WildSlot>& slots, const RomLists& lists)
{
    Json all = Json::array();
    for (const WildSlot& slot : slots) {
        all.push_back(speciesAndLevel(lists.species, slot.species, slot.level));
    }
    return all;
}

std::string member(const RomLists& lists, const WildSlot& slot)
{
    return lists.species.show(slot.species) + ", level " + std::to_string(slot.level);
}

std::vector<std::string> slotLines(const std::string& who,
                                   const std::vector<WildSlot>& was,
                                   const std::vector<WildSlot>& is,
                                   const RomLists& lists)
{
    std::vector<std::string> lines;
    for (std::size_t k = 0; k < std::max(was.size(), is.size()); ++k) {
        const std::string slot = who + " " + std::to_string(k + 1);
        if (k >= was.size()) {
            lines.push_back(slot + " added (" + member(lists, is[k]) + ")");
        } else if (k >= is.size()) {
            lines.push_back(slot + " removed (" + member(lists, was[k]) + ")");
        } else {
            const auto changed =
                speciesLevelLines(slot, lists.species, was[k].species, was[k].level, is[k].species, is[k].level);
            lines.insert(lines.end(), changed.begin(), changed.end());
        }
    }
    return lines;
}

// " (7 bytes in free space at 0xFC5A)" when the plan moved what map reads; empty when it did not.
std::string movedText(const FishingWrite& write, int map)
{
    for (const FishingMove& move : write.moves) {
        if (std::find(move.maps.begin(), move.maps.end(), map) != move.maps.end()) {
            return " (" + std::to_string(move.move.bytes) + " bytes in free space at " + hexNumber(move.move.to) + ")";
        }
    }
    return {};
}

} // namespace

Json fishingOf(const MapTable& table, int map, const RomLists& lists)
{
    const SuperRod& superRod = table.fishing.superRod;
    const SuperRodRow* row = superRod.rowOf(map);
    if (!superRod.readable() || (row != nullptr && row->group < 0)) {
        return nullptr;
    }
    const SuperRodGroup* group = superRod.groupOf(map);
    if (group == nullptr) {
        return {{"slots", Json::array()}};
    }
    Json shared = Json::array();
    for (const int other : group->maps) {
        if (other != map) {
            shared.push_back(other);
        }
    }
    return {{"slots", slotsJson(group->pokemon, lists)}, {"sharedWith", std::move(shared)}};
}

Json exportRods(const MapTable& table, const RomLists& lists, std::vector<std::string>& notes)
{
    const FishingTable& fishing = table.fishing;
    Json rods = Json::object();
    for (const auto& [key, rod] : {std::pair{"old", &fishing.oldRod}, std::pair{"good", &fishing.goodRod}}) {
        if (!rod->readable()) {
            notes.push_back(std::string("rods.") + key + " is null: " + rod->problem + ".");
            rods[key] = nullptr;
        } else {
            rods[key] = rod == &fishing.oldRod ? slotsJson(rod->pokemon, lists)[0] : slotsJson(rod->pokemon, lists);
        }
    }
    return rods;
}

std::vector<std::string>
fishingLines(const MapTable& table, const FishingWish& wish, const FishingWrite& write, const RomLists& lists)
{
    const SuperRodGroup* group = table.fishing.superRod.groupOf(wish.edit.map);
    const std::vector<WildSlot> was = group != nullptr ? group->pokemon : std::vector<WildSlot>{};
    const std::vector<WildSlot> is = wish.edit.pokemon.value_or(was);
    const std::string name(mapName(table.version, wish.edit.map));
    std::vector<std::string> lines;
    std::string moved = movedText(write, wish.edit.map);
    if (wish.edit.own && group != nullptr && group->maps.size() > 1) {
        lines.push_back(name + ": super rod Pokémon made its own" + moved);
        moved.clear();
    }
    for (std::string line : slotLines(name + ": super rod slot", was, is, lists)) {
        lines.push_back(line + moved);
        moved.clear();
    }
    return lines;
}

std::vector<std::string> rodLines(const MapTable& table, const MapImport& wish, const RomLists& lists)
{
    std::vector<std::string> lines;
    if (wish.oldRod) {
        const WildSlot& was = table.fishing.oldRod.pokemon.front();
        lines = speciesLevelLines(
            "Old Rod:", lists.species, was.species, was.level, wish.oldRod->species, wish.oldRod->level);
    }
    if (wish.goodRod) {
        const auto good = slotLines("Good Rod: slot", table.fishing.goodRod.pokemon, *wish.goodRod, lists);
        lines.insert(lines.end(), good.begin(), good.end());
    }
    return lines;
}

std::vector<std::string> rowLines(const MapTable& table, const FishingWrite& write)
{
    std::vector<std::string> lines;
    for (const FishingMove& move : write.moves) {
        if (move.maps.empty()) {
            std::string note = fishingMoveNote(table, move);
            note.pop_back();
            lines.push_back(std::move(note));
        }
    }
    return lines;
}
