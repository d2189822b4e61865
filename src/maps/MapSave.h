#pragma once

// The Maps window's save: one read of the file, the check that it is still this version's ROM and still holds
// what was loaded for every map and rod the edits touch, the plans of the static battles, the wild Pokémon and the
// rods, each checked, the writes, fsync.

#include "history/CommitSave.h"
#include "maps/FishingWrite.h"
#include "maps/StaticBattles.h"
#include "maps/WildWrite.h"
#include "rom/RomTarget.h"

#include <string>
#include <vector>

struct MapEdits
{
    std::vector<StaticEdit> statics;
    WildEdits wild;
    FishingEdits fishing;
};

struct MapSave
{
    // One line for each table, group or list of rows moved into the free space (moveNote, fishingMoveNote).
    std::vector<std::string> notes;
    std::vector<GlitchSlot> glitches;
    Commit commit;
};

// The writes of one save, in order, and what the wild Pokémon's and the rods' plans moved.
struct MapWrite
{
    WritePlan plan;
    WildWrite wild;
    FishingWrite fishing;
};

// Every map, table and object the edits touch reads in image as it did in loaded: a failure naming the first that
// does not.
WriteStatus checkLoaded(const MapTable& loaded, const MapTable& now, const MapEdits& edits);

// The writes of the static battles', the wild Pokémon's and the rods' edits in image, each planned and checked, as
// one plan; the rods are planned on the image as the wild Pokémon's writes leave it, in the free space they leave.
// The first refusal of any.
Result<MapWrite> planMapEdits(const Bytes& image, const MapTable& table, const MapEdits& edits);

Result<MapSave> writeMapEdits(const RomTarget& rom,
                              const MapTable& loaded,
                              const MapEdits& edits,
                              const std::string& label,
                              const CommitOptions& options = {});
