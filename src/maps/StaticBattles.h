#pragma once

// The Pokémon that stand on maps and are fought where they stand (the Power Plant's Voltorb and Electrode, the
// legendaries): their species and level, the two bytes after the object's text byte, edited in place. Zapdos,
// Articuno, Moltres and Mewtwo are also the overworld editor's first four battles; both find them here.

#include "maps/MapTable.h"
#include "overworld/OverworldBattle.h"
#include "rom/Failure.h"
#include "rom/WritePlan.h"

#include <vector>

struct StaticEdit
{
    int map = 0;
    // From 1.
    int object = 0;
    std::uint8_t species = 0;
    std::uint8_t level = 0;

    bool operator==(const StaticEdit&) const = default;
};

// The overworld battles' places in image: each of the first four at the one Pokémon object of its map (Power
// Plant, Seafoam Islands B4F, Victory Road 2F, Cerulean Cave B1F) that faces a direction, as the legendaries do
// and the Pokémon in balls do not; its fixed place where the map is no map or has no such object or several. The
// species of the cry keeps its fixed place.
BattlePositions overworldPositions(const Bytes& image, const VersionProfile& profile);
BattlePositions overworldPositions(const MapTable& table);

// The writes of edits, in order: species and level of each object, and for a legendary whose overworld battle is
// in place the species of its cry too. A failure, with nothing planned, for an object that is no Pokémon of a map,
// a species of 0 or past 190, or a level of 0 or past 100. The object stays a Pokémon: its text byte is not
// written, and a species byte below 200 is never read as a trainer class.
Result<WritePlan> planStaticEdits(const Bytes& image, const MapTable& table, const std::vector<StaticEdit>& edits);
