#pragma once

// What the drawing needs of the maps read through the game's tables: for each map, its tileset, size and blocks,
// and every object standing on it (people, items, trainers and Pokémon alike) in list order.

#include "maps/MapDrawing.h"
#include "rom/VersionProfile.h"

#include <string>
#include <vector>

struct MapRow;

struct MapToDraw
{
    int id = 0;
    std::string name;
    MapLook look;
    std::vector<PersonLook> people;
};

MapLook lookOf(const MapRow& row);
std::vector<PersonLook> peopleOf(const MapRow& row);
// Every map of the image in id order, the rows that copy another's header included (with that map's objects); the
// rows that are no map left out.
std::vector<MapToDraw> mapsToDraw(const Bytes& image, const VersionProfile& profile);
