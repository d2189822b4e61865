// The maps section written, and an import's maps planned as one step on the planners of the Maps window.

#include "app/MapJson.h"

#include "rom/DisplayText.h"

#include <algorithm>
#include <span>

namespace {

Json areaJson(const WildArea& area, const RomLists& lists)
{
    Json slots = Json::array();
    for (const WildSlot& slot : area.on() ? std::span(area.slot) : std::span<const WildSlot>()) {
        slots.push_back(speciesAndLevel(lists.species, slot.species, slot.level));
    }
    return {{"rate", area.rate}, {"slots", std::move(slots)}};
}

std::vector<std::string>
areaLines(const std::string& who, const WildArea& was, const WildArea& is, const RomLists& lists)
{
    if (was.on() != is.on()) {
        return {who + (is.on() ? " turned on" : " turned off")};
    }
    std::vector<std::string> lines;
    if (was.rate != is.rate) {
        lines.push_back(who + " rate " + arrow(std::to_string(was.rate), std::to_string(is.rate)));
    }
    for (std::size_t k = 0; is.on() && k < is.slot.size(); ++k) {
        const std::string slot = who + " slot " + std::to_string(k + 1);
        if (was.slot[k].species != is.slot[k].species) {
            lines.push_back(slot + " species " +
                            arrow(lists.species.show(was.slot[k].species), lists.species.show(is.slot[k].species)));
        }
        if (was.slot[k].level != is.slot[k].level) {
            lines.push_back(slot + " level " +
                            arrow(std::to_string(was.slot[k].level), std::to_string(is.slot[k].level)));
        }
    }
    return lines;
}

// The path of the entry a failure of the plan names, else the section's.
std::string pathOf(const MapTable& table, const MapImport& wish, const std::string& description)
{
    for (const auto& [rod, path] : {std::pair{"Old Rod", "rods.old"}, std::pair{"Good Rod", "rods.good"}}) {
        if (description.find(rod) != std::string::npos) {
            return path;
        }
    }
    for (const FishingWish& fishing : wish.fishing) {
        if (description.find("super rod") != std::string::npos &&
            description.find(std::string(table.row(fishing.edit.map)->name)) != std::string::npos) {
            return fishing.path;
        }
    }
    for (const WildWish& wild : wish.wild) {
        if (description.find(std::string(table.row(wild.edit.map)->name)) != std::string::npos) {
            return wild.path;
        }
    }
    for (const PokemonWish& pokemon : wish.pokemon) {
        if (description.find(std::string(table.row(pokemon.map)->name)) != std::string::npos) {
            return pokemon.path;
        }
    }
    return "maps";
}

std::vector<std::string> staticLines(const MapTable& table, const StaticEdit& edit, const RomLists& lists)
{
    const MapObject& object = table.row(edit.map)->objects[static_cast<std::size_t>(edit.object - 1)];
    const std::string who = std::string(table.row(edit.map)->name) + ": object " + std::to_string(edit.object);
    return speciesLevelLines(who, lists.species, object.species, object.level, edit.species, edit.level);
}

std::vector<std::string>
wildLines(const MapTable& table, const WildWish& wish, const WildWrite& write, const RomLists& lists)
{
    const WildTable& was = *table.wildOf(wish.edit.map);
    const std::string name(table.row(wish.edit.map)->name);
    std::string moved;
    for (const WildMove& move : write.moves) {
        if (std::find(move.maps.begin(), move.maps.end(), wish.edit.map) != move.maps.end()) {
            moved = " (" + std::to_string(move.move.bytes) + " bytes in free space at " + hexNumber(move.move.to) + ")";
        }
    }
    std::vector<std::string> lines;
    for (const bool water : {false, true}) {
        const auto& is = water ? wish.edit.water : wish.edit.grass;
        const WildArea& old = water ? was.water : was.grass;
        for (std::string line :
             is ? areaLines(name + ": " + (water ? "water" : "grass"), old, *is, lists) : std::vector<std::string>{}) {
            if (!old.on() && is->on()) {
                line += moved;
                moved.clear();
            }
            lines.push_back(std::move(line));
        }
    }
    return lines;
}

} // namespace

Json exportMaps(const MapTable& table, const RomLists& lists, std::vector<std::string>& notes)
{
    Json all = Json::array();
    if (!table.fishing.superRod.readable()) {
        notes.push_back("maps[].fishing is null in every entry: the super rod's table cannot be read (" +
                        table.fishing.superRod.problem + ").");
    }
    for (const MapRow& row : table.rows) {
        if (!row.isMap()) {
            continue;
        }
        const std::string path = "maps[" + std::to_string(all.size()) + "]";
        Json item = {{"map", row.id}, {"name", std::string(row.name)}};
        if (row.copyOf) {
            item["copyOf"] = *row.copyOf;
            all.push_back(std::move(item));
            continue;
        }
        Json pokemon = Json::array();
        for (const MapObject& object : row.objects) {
            if (object.kind == ObjectKind::Pokemon) {
                pokemon.push_back({{"object", object.number},
                                   {"species", lists.species.write(object.species)},
                                   {"level", object.level},
                                   {"x", object.x},
                                   {"y", object.y}});
            }
        }
        item["trainers"] = trainersOf(row);
        item["pokemon"] = std::move(pokemon);
        const WildTable* wild = table.wildOf(row.id);
        if (wild == nullptr) {
            notes.push_back(path + ".grass and " + path + ".water are null: " + row.wildProblem + ".");
            item["grass"] = nullptr;
            item["water"] = nullptr;
        } else if (const int owner = wildOwner(table, *wild); owner >= 0 && owner != row.id) {
            item["wildOf"] = owner;
        } else {
            item["grass"] = areaJson(wild->grass, lists);
            item["water"] = areaJson(wild->water, lists);
        }
        item["fishing"] = fishingOf(table, row.id, lists);
        if (const SuperRodRow* rod = table.fishing.superRod.rowOf(row.id); rod != nullptr && rod->group < 0) {
            notes.push_back(path + ".fishing is null: " + rod->problem + ".");
        }
        all.push_back(std::move(item));
    }
    return all;
}

Json trainersOf(const MapRow& row)
{
    Json trainers = Json::array();
    for (const MapObject& object : row.objects) {
        if (object.kind == ObjectKind::Trainer) {
            trainers.push_back(wholeNumbers({{"object", object.number},
                                             {"class", object.classNumber},
                                             {"party", object.party},
                                             {"x", object.x},
                                             {"y", object.y}}));
        }
    }
    return trainers;
}

int wildOwner(const MapTable& table, const WildTable& wild)
{
    for (const int map : wild.maps) {
        if (!wild.empty() && !table.row(map)->copyOf) {
            return map;
        }
    }
    return -1;
}

void checkSameBytes(const MapImport& maps,
                    std::int32_t speciesOffset,
                    const std::string& path,
                    std::optional<int> species,
                    std::optional<int> level,
                    std::vector<std::string>& errors)
{
    for (const PokemonWish& pokemon : maps.pokemon) {
        if (pokemon.valuesOffset != speciesOffset) {
            continue;
        }
        for (const auto& [key, overworld, map] :
             {std::tuple{".species", species, pokemon.species}, std::tuple{".level", level, pokemon.level}}) {
            if (overworld && map && *overworld != *map) {
                errors.push_back(path + key + ": " + pokemon.path + key +
                                 " is the same byte of the ROM and gives it another value");
            }
        }
    }
}

Result<ImportStep> planMaps(const Bytes& image, const MapTable& table, const RomLists& lists, const MapImport& wish)
{
    ImportStep step;
    std::vector<StaticEdit> statics;
    for (const PokemonWish& pokemon : wish.pokemon) {
        const MapObject& object = table.row(pokemon.map)->objects[static_cast<std::size_t>(pokemon.object - 1)];
        const StaticEdit edit{pokemon.map,
                              pokemon.object,
                              static_cast<std::uint8_t>(pokemon.species.value_or(object.species)),
                              static_cast<std::uint8_t>(pokemon.level.value_or(object.level))};
        const auto lines = staticLines(table, edit, lists);
        step.lines.insert(step.lines.end(), lines.begin(), lines.end());
        if (!lines.empty()) {
            statics.push_back(edit);
        }
    }
    // Only the tables the file changes are planned: a file exported and imported again plans nothing.
    WildEdits edits;
    std::vector<const WildWish*> changed;
    for (const WildWish& wild : wish.wild) {
        const WildTable* now = table.wildOf(wild.edit.map);
        if (now == nullptr || (wild.edit.grass && *wild.edit.grass != now->grass) ||
            (wild.edit.water && *wild.edit.water != now->water)) {
            edits.push_back(wild.edit);
            changed.push_back(&wild);
        }
    }
    // Every map's super rod wish is planned, changed or not, so that two maps sharing a group cannot ask for two
    // things; an unchanged one writes nothing.
    FishingEdits fishing{{}, wish.oldRod, wish.goodRod};
    for (const FishingWish& rod : wish.fishing) {
        fishing.superRod.push_back(rod.edit);
    }
    auto wildPlan = planMapEdits(image, table, {statics, edits, fishing});
    if (!wildPlan) {
        const Failure& failure = wildPlan.failure();
        return Failure{failure.number, pathOf(table, wish, failure.description) + ": " + failure.description};
    }
    for (const WildWish* wild : changed) {
        const auto lines = wildLines(table, *wild, wildPlan->wild, lists);
        step.lines.insert(step.lines.end(), lines.begin(), lines.end());
    }
    for (const GlitchSlot& glitch : wildPlan->wild.glitches) {
        step.lines.push_back(std::string(table.row(glitch.map)->name) + ": " + (glitch.water ? "water" : "grass") +
                             " slot " + std::to_string(glitch.slot) + " is " + lists.species.show(glitch.species) +
                             ", a species without a Pokédex number: the game may show it oddly");
    }
    for (const FishingWish& rod : wish.fishing) {
        const auto lines = fishingLines(table, rod, wildPlan->fishing, lists);
        step.lines.insert(step.lines.end(), lines.begin(), lines.end());
    }
    for (const auto& lines : {rowLines(table, wildPlan->fishing), rodLines(table, wish, lists)}) {
        step.lines.insert(step.lines.end(), lines.begin(), lines.end());
    }
    step.plan = std::move(wildPlan.value().plan);
    return step;
}
