#include "maps/StaticBattles.h"

#include "trainers/TrainerBank.h"

#include <algorithm>

namespace {

// Power Plant, Seafoam Islands B4F, Victory Road 2F and Cerulean Cave B1F, in the overworld editor's order.
constexpr int LegendaryMaps[] = {0x53, 0xA2, 0xC2, 0xE3};

const MapObject* pokemonObject(const MapTable& table, int map, int number)
{
    const MapRow* row = table.row(map);
    if (row == nullptr || !row->isMap() || number < 1 || number > std::ssize(row->objects)) {
        return nullptr;
    }
    const MapObject& object = row->objects[static_cast<std::size_t>(number - 1)];
    return object.kind == ObjectKind::Pokemon ? &object : nullptr;
}

} // namespace

BattlePositions overworldPositions(const Bytes& image, const VersionProfile& profile)
{
    return overworldPositions(readMaps(image, profile));
}

BattlePositions overworldPositions(const MapTable& table)
{
    BattlePositions positions = fixedPositions(table.version);
    for (std::size_t battle = 0; battle < std::size(LegendaryMaps); ++battle) {
        const MapRow* row = table.row(LegendaryMaps[battle]);
        if (row == nullptr || !row->isMap()) {
            continue;
        }
        const MapObject* standing = nullptr;
        int found = 0;
        for (const MapObject& object : row->objects) {
            if (object.kind == ObjectKind::Pokemon && object.rangeOrFacing >= FirstFacing &&
                object.rangeOrFacing <= LastFacing) {
                standing = &object;
                ++found;
            }
        }
        if (found == 1) {
            positions[battle].speciesOffset = standing->valuesOffset;
            positions[battle].levelOffset = standing->valuesOffset + 1;
        }
    }
    return positions;
}

Result<WritePlan> planStaticEdits(const Bytes& image, const MapTable& table, const std::vector<StaticEdit>& edits)
{
    const BattlePositions positions = overworldPositions(table);
    WritePlan plan;
    for (const StaticEdit& edit : edits) {
        const MapObject* object = pokemonObject(table, edit.map, edit.object);
        const std::string who = table.row(edit.map) != nullptr
                                    ? std::string(table.row(edit.map)->name) + " object " + std::to_string(edit.object)
                                    : "Map " + std::to_string(edit.map);
        if (object == nullptr) {
            return refusal(FailureNumber::PartyNotStorable, who + " is no Pokémon that stands on a map of this ROM.");
        }
        if (edit.species == 0 || edit.species > SpeciesCount) {
            return refusal(FailureNumber::PartyNotStorable,
                           who + ": species " + std::to_string(edit.species) + " is not one of the game's 1-190.");
        }
        if (edit.level == 0 || edit.level > MaxWildLevel) {
            return refusal(FailureNumber::PartyNotStorable,
                           who + ": level " + std::to_string(edit.level) + " is not one of 1-100.");
        }
        plan.push_back({object->valuesOffset, {edit.species, edit.level}});
        for (int battle = 0; battle < static_cast<int>(std::size(LegendaryMaps)); ++battle) {
            const OverworldBattle& at = positions[static_cast<std::size_t>(battle)];
            if (at.speciesOffset == object->valuesOffset && at.secondSpeciesOffset &&
                battleInPlace(image, positions, battle)) {
                plan.push_back({*at.secondSpeciesOffset, {edit.species}});
            }
        }
    }
    return plan;
}
