#pragma once

// The Maps window's save: one read of the file, the check that it is still this version's ROM and still holds
// what was loaded for every map the edits touch, the plans of the static battles and the wild Pokémon, each
// checked, the writes, fsync.

#include "history/CommitSave.h"
#include "maps/StaticBattles.h"
#include "maps/WildWrite.h"
#include "rom/RomTarget.h"

#include <string>
#include <vector>

struct MapEdits
{
    std::vector<StaticEdit> statics;
    WildEdits wild;
};

struct MapSave
{
    // One line for each table moved into the free space (moveNote).
    std::vector<std::string> notes;
    std::vector<GlitchSlot> glitches;
    Commit commit;
};

// Every map, table and object the edits touch reads in image as it did in loaded: a failure naming the first that
// does not.
WriteStatus checkLoaded(const MapTable& loaded, const MapTable& now, const MapEdits& edits);

// The writes of the static battles' and the wild Pokémon's edits in image, each planned and checked, as one plan
// with the wild tables' moves and glitch slots; the first refusal of either.
Result<WildWrite> planMapEdits(const Bytes& image, const MapTable& table, const MapEdits& edits);

Result<MapSave> writeMapEdits(const RomTarget& rom,
                              const MapTable& loaded,
                              const MapEdits& edits,
                              const std::string& label,
                              const CommitOptions& options = {});
