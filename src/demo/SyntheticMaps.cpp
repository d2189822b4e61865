#include "demo/SyntheticMaps.h"

#include "demo/SyntheticPictures.h"
#include "overworld/OverworldBattle.h"
#include "trainers/PartyTable.h"
#include "trainers/TrainerLayout.h"

#include <algorithm>
#include <array>
#include <stdexcept>

namespace {

// Height and width in blocks of each map id, as the released games size them; 0 for the unused ids.
// clang-format off
constexpr std::array<std::pair<std::uint8_t, std::uint8_t>, 249> Sizes{{
    {9,10},{18,20},{18,20},{18,20},{9,10},{18,20},{18,25},{18,20},{9,10},{9,10},{18,20},{0,0},{18,10},{36,10},{9,35},
    {9,45},{18,10},{18,10},{9,10},{9,30},{9,30},{36,10},{9,30},{54,10},{9,30},{27,10},{9,30},{9,20},{72,10},{9,25},
    {27,10},{9,50},{45,10},{9,20},{72,10},{18,10},{9,30},{4,4},{4,4},{4,4},{6,5},{4,7},{4,4},{4,4},{4,4},{9,10},{4,4},
    {4,5},{4,4},{4,5},{4,5},{24,17},{4,10},{4,7},{7,5},{4,4},{4,4},{4,4},{4,7},{18,20},{14,14},{18,20},{4,4},{4,4},
    {4,7},{7,5},{4,4},{4,4},{4,7},{4,4},{3,4},{4,4},{4,4},{3,4},{4,4},{4,4},{4,3},{4,4},{4,4},{4,3},{4,4},{4,7},
    {18,20},{18,20},{5,4},{4,4},{4,4},{4,5},{4,4},{4,7},{4,4},{4,4},{9,5},{4,4},{6,14},{9,20},{9,20},{3,10},{4,15},
    {7,10},{8,7},{4,3},{8,12},{8,12},{8,12},{0,0},{0,0},{0,0},{9,10},{0,0},{0,0},{0,0},{0,0},{13,13},{0,0},{0,0},
    {0,0},{0,0},{4,5},{24,4},{4,4},{4,25},{4,10},{4,10},{4,10},{4,10},{4,10},{2,2},{6,4},{6,4},{6,4},{6,4},{4,4},
    {4,7},{9,5},{9,10},{4,10},{4,5},{4,5},{4,4},{4,7},{4,7},{9,10},{9,10},{9,10},{9,10},{9,10},{9,10},{9,10},{4,4},
    {4,4},{4,4},{4,4},{4,4},{4,7},{4,5},{3,4},{9,5},{4,7},{9,15},{9,15},{9,15},{9,15},{4,4},{4,4},{14,15},{9,10},
    {4,9},{4,4},{4,4},{4,4},{4,7},{4,4},{4,4},{6,8},{4,4},{4,4},{6,5},{9,10},{4,4},{4,4},{9,15},{4,7},{4,4},{5,4},
    {4,4},{7,4},{4,4},{4,4},{4,4},{5,4},{4,4},{9,15},{4,5},{9,15},{4,4},{4,4},{18,20},{9,15},{14,15},{14,15},{14,15},
    {12,15},{4,3},{0,0},{0,0},{0,0},{9,15},{9,15},{9,15},{9,15},{9,13},{9,13},{9,13},{14,15},{9,15},{14,15},{13,15},
    {18,20},{13,15},{13,15},{4,4},{4,4},{4,4},{4,4},{4,4},{9,15},{9,15},{9,15},{4,4},{4,4},{0,0},{18,20},{9,13},{9,8},
    {9,9},{2,2},{0,0},{0,0},{4,5},{4,5},{0,0},{0,0},{0,0},{0,0},{6,5},{6,5},{6,5},{4,7}}};
// clang-format on

constexpr int LastOutdoorMap = 0x24;
constexpr std::pair<int, int> Copies[] = {{0x45, 0x3E}, {0x4B, 0x4A}, {0xAD, 0xAC}};
constexpr int SharedWildMaps[] = {0x1E, 0x1F};

// The gyms and the Elite Four's rooms, in roster order.
constexpr int RosterMaps[RosterSize] = {0x36, 0x41, 0x5C, 0x86, 0x9D, 0xB2, 0xA6, 0x2D, 0xF5, 0xF6, 0xF7, 0x71};
// Where the other trainers stand: the routes, then the buildings and caves with trainers in the released games.
constexpr int IndoorTrainerMaps[] = {0x33, 0x3B, 0x3C, 0x3D, 0x52, 0xE8, 0x5F, 0x60, 0x61, 0x62, 0x63,
                                     0x66, 0x67, 0x68, 0x6C, 0xC6, 0x8F, 0x90, 0x91, 0x92, 0x93, 0x94,
                                     0xC7, 0xC8, 0xC9, 0xCA, 0xCF, 0xD0, 0xD1, 0xD2, 0xD3, 0xD4, 0xD5,
                                     0xE9, 0xEA, 0xEB, 0xA5, 0xD6, 0xD7, 0xD8, 0xB1, 0x87, 0xDA, 0xDC};
// The maps with wild Pokémon, in the order their tables are laid.
constexpr int WildMaps[] = {0x0C, 0x0D, 0x0E, 0x0F, 0x10, 0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 0x17, 0x18,
                            0x19, 0x1A, 0x1B, 0x1C, 0x1D, 0x1E, 0x1F, 0x20, 0x21, 0x22, 0x23, 0x24, 0x33,
                            0x3B, 0x3C, 0x3D, 0x52, 0xE8, 0x53, 0x6C, 0xC2, 0xC6, 0x90, 0x91, 0x92, 0x93,
                            0x94, 0xC0, 0x9F, 0xA0, 0xA1, 0xA2, 0xA5, 0xD6, 0xD7, 0xD8, 0xD9, 0xDA, 0xDB};
// The classes the released games fight only from scripts (the rival's three) or never (Prof. Oak).
constexpr int ScriptClasses[] = {25, 26, 42, 43};
constexpr int RocketClass = 30;

struct Legendary
{
    int battle;
    int map;
    int warps;
    int signs;
    int before;
};
// The legendaries' maps as the released games lay them out: how many warps, signs and objects come before the
// legendary's own record (boulders, the Victory Road trainers).
constexpr Legendary Legendaries[] = {{0, 0x53, 3, 0, 8}, {1, 0xA2, 4, 2, 2}, {2, 0xC2, 7, 0, 5}, {3, 0xE3, 1, 0, 0}};

bool isLegendaryMap(int id)
{
    return std::any_of(
        std::begin(Legendaries), std::end(Legendaries), [id](const Legendary& l) { return l.map == id; });
}

std::uint8_t byte(int value)
{
    return static_cast<std::uint8_t>(value);
}

// Four connections in the game's order, taken as the count asks: towns get all four, routes fewer.
std::vector<MapConnection> connectionsOf(int id)
{
    constexpr int Masks[] = {0x0, 0x8, 0xC, 0xD, 0xF};
    const int mask = Masks[id % 5];
    std::vector<MapConnection> connections;
    const MapDirection directions[] = {
        MapDirection::North, MapDirection::South, MapDirection::West, MapDirection::East};
    for (int k = 0; k < 4; ++k) {
        if ((mask & (0x8 >> k)) != 0) {
            int other = (id * 7 + k * 3 + 1) % (LastOutdoorMap + 1);
            other = other == id || other == 0x0B ? (other + 1) % (LastOutdoorMap + 1) : other;
            connections.push_back({directions[k], other});
        }
    }
    return connections;
}

MapObject object(int number, int sprite, int x, int y, int movement, int facing)
{
    MapObject made;
    made.number = number;
    made.sprite = byte(sprite);
    made.x = x;
    made.y = y;
    made.movement = byte(movement);
    made.rangeOrFacing = byte(facing);
    made.text = byte(number);
    return made;
}

void addTrainer(PlannedMap& map, int classNumber, int party)
{
    const int number = static_cast<int>(map.objects.size()) + 1;
    MapObject& trainer = map.objects.emplace_back(object(number,
                                                         1 + (classNumber * 5) % 60,
                                                         (number * 5 + map.id) % (2 * map.width),
                                                         (number * 3 + map.id) % (2 * map.height),
                                                         0xFF,
                                                         0xD0 + number % 4));
    trainer.text |= ObjectBattleFlag;
    trainer.kind = ObjectKind::Trainer;
    trainer.classNumber = classNumber;
    trainer.party = party;
}

void addPokemon(PlannedMap& map, int x, int y, int facing, int species, int level)
{
    const int number = static_cast<int>(map.objects.size()) + 1;
    MapObject& pokemon = map.objects.emplace_back(object(number, facing == 0xFF ? 59 : 60, x, y, 0xFF, facing));
    pokemon.text |= ObjectBattleFlag;
    pokemon.kind = ObjectKind::Pokemon;
    pokemon.species = species;
    pokemon.level = level;
}

// People and items after the battles, up to 16 objects; the first person of every seventh map on row 0.
void addOthers(PlannedMap& map, int people, int items)
{
    for (int k = 0; k < people + items && map.objects.size() < MaxObjects; ++k) {
        const int number = static_cast<int>(map.objects.size()) + 1;
        const bool walks = (map.id + k) % 3 == 0;
        const int y = k == 0 && map.id % 7 == 0 ? 0 : (number * 7 + map.id) % (2 * map.height);
        MapObject& made = map.objects.emplace_back(object(number,
                                                          k < people ? 1 + (map.id * 3 + k * 11) % 58 : 59,
                                                          (number * 3 + map.id * 2) % (2 * map.width),
                                                          y,
                                                          walks ? 0xFE : 0xFF,
                                                          walks ? k % 3 : 0xD0 + k % 4));
        if (k >= people) {
            made.text |= ObjectItemFlag;
            made.kind = ObjectKind::Item;
            made.item = 1 + (map.id + k * 13) % 83;
        }
    }
}

// Most parties of the image's own table, in class order: the script battles' parties, Prof. Oak's and one in
// thirteen of the rest by no object, one in forty of those used by two.
std::vector<std::pair<int, int>> trainerParties(const Bytes& image, GameVersion version)
{
    const PartyTable table = readPartyTable(image, profileOf(version));
    std::vector<std::pair<int, int>> parties;
    int used = 0;
    int twice = 0;
    for (int classNumber = 1; classNumber <= TrainerClassCount; ++classNumber) {
        const PartyList* list = table.listOf(classNumber);
        if (list == nullptr || list->classes.back() != classNumber ||
            std::find(std::begin(ScriptClasses), std::end(ScriptClasses), classNumber) != std::end(ScriptClasses)) {
            continue;
        }
        for (int party = 1; party <= static_cast<int>(list->parties.size()); ++party) {
            const bool jessieAndJames =
                version == GameVersion::Yellow && classNumber == RocketClass && party >= 42 && party <= 45;
            bool roster = false;
            for (int rosterIndex = 0; rosterIndex < RosterSize; ++rosterIndex) {
                roster = roster ||
                         (trainerClass(rosterIndex).number == classNumber && trainerClass(rosterIndex).party == party);
            }
            if (jessieAndJames || roster || (classNumber * 31 + party) % 13 == 0) {
                continue;
            }
            parties.emplace_back(classNumber, party);
            if (++used % 40 == 3 && twice < 5) {
                parties.emplace_back(classNumber, party);
                ++twice;
            }
        }
    }
    return parties;
}

// What stands where: the legendaries' maps as laid out in the released games, the gym leaders and the Elite Four
// in their rooms, the other trainers spread over the routes and buildings, people and items everywhere.
void placeObjects(const Bytes& image, GameVersion version, std::vector<PlannedMap>& maps)
{
    std::vector<std::pair<int, int>> parties = trainerParties(image, version);
    std::size_t next = 0;
    for (const Legendary& legendary : Legendaries) {
        PlannedMap& map = maps[static_cast<std::size_t>(legendary.map)];
        map.warps = legendary.warps;
        map.signs = legendary.signs;
        for (int k = 0; k < legendary.before; ++k) {
            if (legendary.map == 0xC2) {
                addTrainer(map, parties[next].first, parties[next].second);
                ++next;
            } else if (legendary.map == 0x53) {
                const bool electrode = k == 3 || k == 6;
                addPokemon(map, 9 + 2 * k, 18 + k, 0xFF, electrode ? 0x8D : 0x06, electrode ? 43 : 40);
            } else {
                map.objects.push_back(object(k + 1, 58, 4 + k, 15, 0xFF, 0xFF));
            }
        }
        const OverworldBattle& battle = overworldBattle(version, legendary.battle);
        addPokemon(map,
                   4 + 7 * legendary.battle,
                   9 - 2 * legendary.battle,
                   image[static_cast<std::size_t>(battle.speciesOffset - 2)],
                   image[static_cast<std::size_t>(battle.speciesOffset)],
                   image[static_cast<std::size_t>(battle.levelOffset)]);
        addOthers(map, 0, legendary.map == 0x53 ? 5 : 2);
    }
    for (int rosterIndex = 0; rosterIndex < RosterSize; ++rosterIndex) {
        addTrainer(maps[static_cast<std::size_t>(RosterMaps[rosterIndex])],
                   trainerClass(rosterIndex).number,
                   trainerClass(rosterIndex).party);
    }
    std::vector<int> trainerMaps;
    for (int id = 0x0C; id <= LastOutdoorMap; ++id) {
        trainerMaps.push_back(id);
    }
    trainerMaps.insert(trainerMaps.end(), std::begin(IndoorTrainerMaps), std::end(IndoorTrainerMaps));
    trainerMaps.insert(trainerMaps.end(), std::begin(RosterMaps), std::begin(RosterMaps) + GymLeaderCount);
    // Round after round, one trainer a map, leaving room for a person and an item.
    for (int round = 0; next < parties.size(); ++round) {
        if (round == MaxObjects) {
            throw std::logic_error("the synthetic trainers do not fit on the maps");
        }
        for (const int id : trainerMaps) {
            PlannedMap& map = maps[static_cast<std::size_t>(id)];
            if (next < parties.size() && map.objects.size() + 2 < MaxObjects) {
                addTrainer(map, parties[next].first, parties[next].second);
                ++next;
            }
        }
    }
    for (PlannedMap& map : maps) {
        if (!map.junk && !map.copyOf && !isLegendaryMap(map.id)) {
            addOthers(map, (map.id * 5) % 4, map.id % 3);
        }
    }
}

// A species byte from seed that has a Pokédex number, as every wild Pokémon of the released games has.
std::uint8_t speciesWithNumber(int seed)
{
    int species = 1 + seed % 190;
    while (inventedPokedexNumber(species) == 0) {
        species = species % 190 + 1;
    }
    return byte(species);
}

// The released tables' total length from 22-byte tables (grass or water only) and 42-byte ones (both): the
// number of each, in the order of WildMaps.
void planWild(GameVersion version, SyntheticMapPlan& plan)
{
    const bool yellow = version == GameVersion::Yellow;
    const int count = yellow ? 50 : 49;
    const int both = yellow ? 15 : 10;
    plan.wild.emplace_back();
    int bothLeft = both;
    for (int k = 0; k < count; ++k) {
        const int id = WildMaps[k];
        PlannedMap& map = plan.maps[static_cast<std::size_t>(id)];
        if (id == SharedWildMaps[1]) {
            map.wild = plan.maps[static_cast<std::size_t>(SharedWildMaps[0])].wild;
            continue;
        }
        const int table = static_cast<int>(plan.wild.size());
        WildArea grass;
        WildArea water;
        for (int slot = 0; slot < WildSlotCount; ++slot) {
            grass.slot[static_cast<std::size_t>(slot)] = {byte(2 + (table * 3 + slot) % 60),
                                                          speciesWithNumber(table * 13 + slot * 7)};
            water.slot[static_cast<std::size_t>(slot)] = {byte(5 + (table + slot * 2) % 40),
                                                          speciesWithNumber(table * 29 + slot * 11)};
        }
        grass.rate = id == SharedWildMaps[0] ? 0 : byte(5 + table % 25);
        // Every third table has water as well, as long as the count asks for more.
        water.rate = id == SharedWildMaps[0] || (k % 3 == 2 && bothLeft-- > 0) ? byte(2 + table % 10) : 0;
        plan.wild.emplace_back(grass, water);
        map.wild = table;
    }
    if (bothLeft > 0) {
        throw std::logic_error("the synthetic wild tables do not add up to the released length");
    }
}

} // namespace

std::int32_t releasedWildFreeSpace(GameVersion version)
{
    return version == GameVersion::Yellow ? 0x0FAD8 : 0x0FC4A;
}

SyntheticMapPlan syntheticMapPlan(const Bytes& image, GameVersion version)
{
    const MapProfile& profile = mapProfile(version);
    SyntheticMapPlan plan;
    plan.maps.resize(static_cast<std::size_t>(profile.mapCount));
    for (PlannedMap& map : plan.maps) {
        map.id = static_cast<int>(&map - plan.maps.data());
        const auto [height, width] = Sizes[static_cast<std::size_t>(map.id)];
        map.junk = height == 0;
        for (const auto& [copy, original] : Copies) {
            if (map.id == copy) {
                map.copyOf = original;
            }
        }
        if (map.junk || map.copyOf) {
            continue;
        }
        map.height = height;
        map.width = width;
        map.tileset = map.id <= LastOutdoorMap ? 0 : 1 + map.id * 7 % (profile.tilesetCount - 1);
        map.connections = map.id <= LastOutdoorMap ? connectionsOf(map.id) : std::vector<MapConnection>{};
        map.borderBlock = map.id % 16;
        map.warps = 1 + map.id % 6;
        map.signs = map.id % 4;
    }
    placeObjects(image, version, plan.maps);
    planWild(version, plan);
    return plan;
}
