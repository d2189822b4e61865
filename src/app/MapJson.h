#pragma once

// The "maps" section of the battles document: one entry per map in id order (the rows that are no map left out),
// a copy as "copyOf", with its trainers and Pokémon objects (x and y the map coordinates), its wild Pokémon and its
// super rod Pokémon ("fishing": the slots and the other maps that share them); a map whose table with Pokémon
// belongs to a lower map id names it as "wildOf" instead. Then the "rods" section: the Old Rod's and the Good Rod's
// Pokémon, the same on every map. On import both are optional, an absent key or null leaves a value alone, and
// trainers, copies, wildOf and sharedWith must read as the ROM's, but that "sharedWith": [] gives a map a group of
// its own.

#include "app/BattleJson.h"
#include "app/JsonNames.h"
#include "maps/MapSave.h"

#include <optional>
#include <string>
#include <vector>

Json exportMaps(const MapTable& table, const RomLists& lists, std::vector<std::string>& notes);
Json exportRods(const MapTable& table, const RomLists& lists, std::vector<std::string>& notes);
// A map's trainer objects as the section writes them.
Json trainersOf(const MapRow& row);
// The map whose entry carries a table with Pokémon: the lowest id of those sharing it that is no copy. -1 for a
// table without Pokémon, which every map carries itself.
int wildOwner(const MapTable& table, const WildTable& wild);

// A Pokémon object's new values; a value not given stays.
struct PokemonWish
{
    std::string path;
    int map = 0;
    int object = 0;
    std::int32_t valuesOffset = 0;
    std::optional<int> species;
    std::optional<int> level;
};

struct WildWish
{
    // Of the map's entry.
    std::string path;
    WildEdit edit;
};

struct FishingWish
{
    // Of the entry's "fishing".
    std::string path;
    SuperRodEdit edit;
};

struct MapImport
{
    std::vector<PokemonWish> pokemon;
    std::vector<WildWish> wild;
    std::vector<FishingWish> fishing;
    std::optional<WildSlot> oldRod;
    std::optional<std::vector<WildSlot>> goodRod;
};

MapImport checkMaps(const Json& maps, const MapTable& table, const RomLists& lists, std::vector<std::string>& errors);
// The "rods" section into wish.
void checkRods(
    const Json& rods, const MapTable& table, const RomLists& lists, std::vector<std::string>& errors, MapImport& wish);

// FishingJson.cpp. A map's "fishing": its super rod slots and the other maps sharing them, {"slots": []} for none;
// null where the game's table or the map's group cannot be read.
Json fishingOf(const MapTable& table, int map, const RomLists& lists);
// The report's lines of a map's super rod wish, of the rods' wishes, and of the rows moved by a plan.
std::vector<std::string>
fishingLines(const MapTable& table, const FishingWish& wish, const FishingWrite& write, const RomLists& lists);
std::vector<std::string> rodLines(const MapTable& table, const MapImport& wish, const RomLists& lists);
std::vector<std::string> rowLines(const MapTable& table, const FishingWrite& write);

// An error naming both paths when the overworld entry at path asks other values of the bytes a map's Pokémon
// object keeps than the maps section does.
void checkSameBytes(const MapImport& maps,
                    std::int32_t speciesOffset,
                    const std::string& path,
                    std::optional<int> species,
                    std::optional<int> level,
                    std::vector<std::string>& errors);

// The whole section as one step of the import, planned on image: its lines and writes. The error, with the path
// of the entry it concerns, when the plan is refused.
// table is image's.
Result<ImportStep> planMaps(const Bytes& image, const MapTable& table, const RomLists& lists, const MapImport& wish);
