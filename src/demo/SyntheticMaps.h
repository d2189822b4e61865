#pragma once

// The maps of a synthetic image, in the released games' structure with invented content: every map id with a
// header (0 to 4 connections) and object data (people, items, trainers, Pokémon) in banks 0x1E..0x2A; the ids the
// released games leave unused pointing through a bank where their address holds code; three ids sharing a lower
// id's header; the four legendaries' maps in banks 0x07, 0x11, 0x14 and 0x11, their Pokémon objects on the bytes
// the overworld battles are kept at; trainer objects for most parties of the image's party table, a few parties
// twice, the script battles' parties and a few others by none. The wild tables fill the released tables' room
// exactly: one empty table most maps share, one table two routes share, then code up to the zero bytes that end
// bank 3. Also the table of slot chances. Every map's blocks use block ids 0..15, its tileset is one the game has,
// and its sprites are 1..60.

#include "maps/MapTable.h"
#include "rom/RomFile.h"

#include <optional>
#include <utility>
#include <vector>

struct PlannedMap
{
    int id = 0;
    bool junk = false;
    std::optional<int> copyOf;
    int tileset = 0;
    int height = 0;
    int width = 0;
    std::vector<MapConnection> connections;
    int borderBlock = 0;
    int warps = 0;
    int signs = 0;
    // Number, sprite, place, movement, facing, text, kind and values; the offsets are the layout's.
    std::vector<MapObject> objects;
    // Index into SyntheticMapPlan::wild; 0 is the empty table.
    int wild = 0;
};

struct SyntheticMapPlan
{
    // Map id n at n.
    std::vector<PlannedMap> maps;
    // Grass, then water; in the order they are laid.
    std::vector<std::pair<WildArea, WildArea>> wild;
};

// Where the released games' free space at the end of bank 3 begins.
std::int32_t releasedWildFreeSpace(GameVersion version);

// What putMaps lays into an image whose parties, overworld battles and catalogues are built.
SyntheticMapPlan syntheticMapPlan(const Bytes& image, GameVersion version);
void putMaps(Bytes& image, GameVersion version);
