// The maps section of an import checked against the ROM, every error with its JSON path, into the values it asks.

#include "app/JsonCheck.h"
#include "app/MapJson.h"
#include "trainers/TrainerBank.h"

#include <algorithm>
#include <set>

namespace {

std::string at(const std::string& path, std::size_t index)
{
    return path + "[" + std::to_string(index) + "]";
}

// Whether trainers lists exactly the row's trainer objects, as the export writes them.
bool sameTrainers(const Json& trainers, const MapRow& row)
{
    std::size_t k = 0;
    for (const MapObject& object : row.objects) {
        if (object.kind != ObjectKind::Trainer) {
            continue;
        }
        if (!trainers.is_array() || k >= trainers.size()) {
            return false;
        }
        const Json& item = trainers[k++];
        const std::pair<const char*, int> values[] = {{"object", object.number},
                                                      {"class", object.classNumber},
                                                      {"party", object.party},
                                                      {"x", object.x},
                                                      {"y", object.y}};
        if (!item.is_object() || item.size() != std::size(values)) {
            return false;
        }
        for (const auto& [key, value] : values) {
            if (!item.contains(key) || item[key] != value) {
                return false;
            }
        }
    }
    return trainers.is_array() && k == trainers.size();
}

bool given(const Json& item, const char* key)
{
    return item.contains(key) && !item[key].is_null();
}

class MapChecker
{
public:
    MapChecker(const MapTable& table, const RomLists& lists, std::vector<std::string>& errors)
        : m_lists(lists), m_table(table), m_errors(errors)
    {}

    void entry(const Json& item, const std::string& path, std::set<int>& seen, MapImport& wish);
    void rods(const Json& value, MapImport& wish);

private:
    void error(const std::string& path, const std::string& what) { m_errors.push_back(path + ": " + what); }
    bool object(const Json& value, const std::string& path, std::initializer_list<std::string_view> keys);
    std::optional<int> integer(const Json& value, const std::string& path, int low, int high);
    std::optional<int> species(const Json& value, const std::string& path);
    bool sameAsRom(const Json& item, const MapRow& row, const std::string& path);
    std::optional<WildArea> area(const Json& value, const std::string& path);
    std::optional<WildSlot> slot(const Json& value, const std::string& path);
    std::optional<std::vector<WildSlot>>
    slots(const Json& value, const std::string& path, std::size_t low, std::size_t high);
    void fishing(const Json& value, const std::string& path, int map, MapImport& wish);
    void pokemon(const Json& value, const std::string& path, const MapRow& row, MapImport& wish);

    const RomLists& m_lists;
    const MapTable& m_table;
    std::vector<std::string>& m_errors;
};

bool MapChecker::object(const Json& value, const std::string& path, std::initializer_list<std::string_view> keys)
{
    return checkObject(value, path, keys, m_errors);
}

std::optional<int> MapChecker::integer(const Json& value, const std::string& path, int low, int high)
{
    return checkInteger(value, path, low, high, m_errors);
}

std::optional<int> MapChecker::species(const Json& value, const std::string& path)
{
    std::string why;
    const auto byte = m_lists.species.read(value, why);
    if (!byte) {
        error(path, why);
    } else if (*byte == 0) {
        error(path, "species 0 is no Pokémon: the game would meet a glitch there");
        return std::nullopt;
    }
    return byte;
}

// What the ROM decides and the document only repeats: the copy, the table's owner, the trainers.
bool MapChecker::sameAsRom(const Json& item, const MapRow& row, const std::string& path)
{
    if (given(item, "copyOf") && item["copyOf"] != (row.copyOf ? Json(*row.copyOf) : Json())) {
        error(path + ".copyOf",
              row.copyOf ? "this ROM's map is a copy of map " + std::to_string(*row.copyOf)
                         : "this ROM's map is no copy");
    }
    if (row.copyOf) {
        for (const char* key : {"trainers", "pokemon", "grass", "water", "wildOf", "fishing"}) {
            if (given(item, key)) {
                error(path + "." + key,
                      "this map is a copy of map " + std::to_string(*row.copyOf) + ": its values are given there");
            }
        }
        return false;
    }
    const WildTable* wild = m_table.wildOf(row.id);
    const int owner = wild != nullptr ? wildOwner(m_table, *wild) : -1;
    const bool wildElsewhere = owner >= 0 && owner != row.id;
    if (given(item, "wildOf") && item["wildOf"] != (wildElsewhere ? Json(owner) : Json())) {
        error(path + ".wildOf",
              wildElsewhere ? "this map's wild Pokémon are map " + std::to_string(owner) + "'s"
                            : "this map's wild Pokémon are its own");
    }
    for (const char* key : {"grass", "water"}) {
        if (given(item, key) && (wildElsewhere || wild == nullptr)) {
            error(path + "." + key,
                  wild == nullptr
                      ? "the wild Pokémon are not where the game keeps them (" + row.wildProblem + "): give null"
                      : "this map's wild Pokémon are map " + std::to_string(owner) + "'s: give them there");
        }
    }
    if (given(item, "trainers")) {
        if (!sameTrainers(item["trainers"], row)) {
            error(path + ".trainers",
                  "a map's trainers are as the ROM has them; to change a party, edit classes[].parties");
        }
    }
    return !wildElsewhere && wild != nullptr;
}

std::optional<WildArea> MapChecker::area(const Json& value, const std::string& path)
{
    if (!object(value, path, {"rate", "slots"}) || !value.contains("rate") || !value.contains("slots")) {
        error(path, "an area has its rate and its slots");
        return std::nullopt;
    }
    const auto rate = integer(value["rate"], path + ".rate", 0, 255);
    const Json& listed = value["slots"];
    const std::size_t count = rate == 0 ? 0 : WildSlotCount;
    if (!rate || !listed.is_array() || listed.size() != count) {
        error(path + ".slots",
              rate == 0 ? "a rate of 0 keeps no slots: give []" : "a rate of 1-255 needs exactly 10 slots");
        return std::nullopt;
    }
    WildArea area;
    area.rate = static_cast<std::uint8_t>(*rate);
    bool sound = true;
    for (std::size_t k = 0; k < count; ++k) {
        const auto read = slot(listed[k], at(path + ".slots", k));
        sound = sound && read;
        area.slot[k] = read.value_or(WildSlot{});
    }
    return sound ? std::optional(area) : std::nullopt;
}

std::optional<WildSlot> MapChecker::slot(const Json& value, const std::string& path)
{
    if (const auto quick = soundSpeciesLevel(value, m_lists.species, MaxWildLevel)) {
        return WildSlot{static_cast<std::uint8_t>(quick->level), static_cast<std::uint8_t>(quick->species)};
    }
    if (!object(value, path, {"species", "level"}) || !value.contains("species") || !value.contains("level")) {
        error(path, "a slot has its species and its level");
        return std::nullopt;
    }
    const auto byte = species(value["species"], path + ".species");
    const auto level = integer(value["level"], path + ".level", 1, MaxWildLevel);
    if (!byte || !level) {
        return std::nullopt;
    }
    return WildSlot{static_cast<std::uint8_t>(*level), static_cast<std::uint8_t>(*byte)};
}

std::optional<std::vector<WildSlot>>
MapChecker::slots(const Json& value, const std::string& path, std::size_t low, std::size_t high)
{
    if (!value.is_array() || value.size() < low || value.size() > high) {
        error(path,
              low == high ? "exactly " + std::to_string(low) + " slots were expected"
                          : std::to_string(low) + " to " + std::to_string(high) + " slots were expected");
        return std::nullopt;
    }
    std::vector<WildSlot> read;
    for (std::size_t k = 0; k < value.size(); ++k) {
        if (const auto one = slot(value[k], at(path, k))) {
            read.push_back(*one);
        }
    }
    return read.size() == value.size() ? std::optional(read) : std::nullopt;
}

// A map's super rod: its slots; and "sharedWith", which says what the ROM shares and is read only as [], for a group
// of the map's own.
void MapChecker::fishing(const Json& value, const std::string& path, int map, MapImport& wish)
{
    const SuperRod& superRod = m_table.fishing.superRod;
    const SuperRodRow* row = superRod.rowOf(map);
    if (!object(value, path, {"slots", "sharedWith"})) {
        return;
    }
    if (!superRod.readable() || (row != nullptr && row->group < 0)) {
        error(path,
              "the super rod Pokémon are not where the game keeps them (" +
                  (superRod.readable() ? row->problem : superRod.problem) + "): give null");
        return;
    }
    const SuperRodGroup* group = superRod.groupOf(map);
    FishingWish rod{path, {map, std::nullopt, false}};
    if (given(value, "sharedWith")) {
        const Json& shared = value["sharedWith"];
        if (!shared.is_array() ||
            !std::all_of(shared.begin(), shared.end(), [](const Json& id) { return id.is_number_integer(); })) {
            error(path + ".sharedWith", "a list of map ids was expected");
        }
        rod.edit.own = shared == Json::array() && group != nullptr && group->maps.size() > 1;
    }
    if (given(value, "slots")) {
        const bool none = value["slots"] == Json::array() && (group == nullptr || group->pokemon.empty());
        const auto fewest = static_cast<std::size_t>(fewestSlots(superRod));
        rod.edit.pokemon =
            none ? std::nullopt
                 : slots(value["slots"], path + ".slots", fewest, static_cast<std::size_t>(SuperRodDrawn));
        if (!none && !rod.edit.pokemon) {
            return;
        }
    }
    if (rod.edit.pokemon || rod.edit.own) {
        wish.fishing.push_back(std::move(rod));
    }
}

void MapChecker::rods(const Json& value, MapImport& wish)
{
    if (!object(value, "rods", {"old", "good"})) {
        return;
    }
    const FishingTable& fishing = m_table.fishing;
    for (const auto& [key, rod] : {std::pair{"old", &fishing.oldRod}, std::pair{"good", &fishing.goodRod}}) {
        const std::string path = std::string("rods.") + key;
        if (!given(value, key)) {
            continue;
        }
        if (!rod->readable()) {
            error(path, "the rod's Pokémon are not where the game keeps them (" + rod->problem + "): give null");
        } else if (rod == &fishing.oldRod) {
            wish.oldRod = slot(value[key], path);
        } else {
            wish.goodRod = slots(value[key], path, GoodRodSlots, GoodRodSlots);
        }
    }
}

void MapChecker::pokemon(const Json& value, const std::string& path, const MapRow& row, MapImport& wish)
{
    if (!value.is_array()) {
        error(path, "a list was expected");
        return;
    }
    std::set<int> seen;
    for (std::size_t k = 0; k < value.size(); ++k) {
        const std::string item = at(path, k);
        if (!object(value[k], item, {"object", "species", "level", "x", "y"})) {
            continue;
        }
        const auto number = integer(value[k].value("object", Json()), item + ".object", 1, MaxObjects);
        if (!number || !seen.insert(*number).second) {
            error(item + ".object", number ? "the object is given twice" : "the object says which one this is");
            continue;
        }
        const MapObject* found =
            *number <= std::ssize(row.objects) ? &row.objects[static_cast<std::size_t>(*number - 1)] : nullptr;
        if (found == nullptr || found->kind != ObjectKind::Pokemon) {
            error(item + ".object", "object " + std::to_string(*number) + " of this map is no Pokémon");
            continue;
        }
        for (const auto& [key, stored] : {std::pair{"x", found->x}, std::pair{"y", found->y}}) {
            if (given(value[k], key) && value[k][key] != stored) {
                error(item + "." + key, std::string("the object stands at ") + key + " " + std::to_string(stored));
            }
        }
        PokemonWish pokemon{item, row.id, *number, found->valuesOffset, {}, {}};
        if (given(value[k], "species")) {
            pokemon.species = species(value[k]["species"], item + ".species");
            if (pokemon.species > SpeciesCount) {
                error(item + ".species", "a Pokémon on a map is one of the game's 190 species");
            }
        }
        if (given(value[k], "level")) {
            pokemon.level = integer(value[k]["level"], item + ".level", 1, MaxWildLevel);
        }
        wish.pokemon.push_back(std::move(pokemon));
    }
}

void MapChecker::entry(const Json& item, const std::string& path, std::set<int>& seen, MapImport& wish)
{
    if (!object(item, path, {"map", "name", "copyOf", "wildOf", "trainers", "pokemon", "grass", "water", "fishing"})) {
        return;
    }
    const auto id = integer(item.value("map", Json()), path + ".map", 0, 255);
    if (!id || !seen.insert(*id).second) {
        error(path + ".map", id ? std::to_string(*id) + " is given twice" : "the map says which one this is");
        return;
    }
    const MapRow* row = m_table.row(*id);
    if (row == nullptr || !row->isMap()) {
        error(path + ".map",
              "map " + std::to_string(*id) + " is no map of this ROM" + (row ? " (" + row->problem + ")" : ""));
        return;
    }
    const bool ownWild = sameAsRom(item, *row, path);
    if (given(item, "pokemon") && !row->copyOf) {
        pokemon(item["pokemon"], path + ".pokemon", *row, wish);
    }
    if (given(item, "fishing") && !row->copyOf) {
        fishing(item["fishing"], path + ".fishing", *id, wish);
    }
    if (ownWild && (given(item, "grass") || given(item, "water"))) {
        WildWish wild{path, {*id, {}, {}}};
        if (given(item, "grass")) {
            wild.edit.grass = area(item["grass"], path + ".grass");
        }
        if (given(item, "water")) {
            wild.edit.water = area(item["water"], path + ".water");
        }
        wish.wild.push_back(std::move(wild));
    }
}

} // namespace

MapImport checkMaps(const Json& maps, const MapTable& table, const RomLists& lists, std::vector<std::string>& errors)
{
    MapImport wish;
    if (!maps.is_array()) {
        errors.push_back("maps: a list was expected");
        return wish;
    }
    MapChecker checker(table, lists, errors);
    std::set<int> seen;
    for (std::size_t k = 0; k < maps.size(); ++k) {
        checker.entry(maps[k], at("maps", k), seen, wish);
    }
    return wish;
}

void checkRods(
    const Json& rods, const MapTable& table, const RomLists& lists, std::vector<std::string>& errors, MapImport& wish)
{
    MapChecker(table, lists, errors).rods(rods, wish);
}
