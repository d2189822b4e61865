// The species sections written, and the lines an import reports for them.

#include "app/SpeciesJson.h"

#include "species/GameConstants.h"
#include "species/LearnsetRules.h"

namespace {

constexpr const char* EvolutionKinds[] = {"", "level", "item", "trade"};

std::string machineName(int machine)
{
    const int number = machine < TmCount ? machine + 1 : machine - TmCount + 1;
    return (machine < TmCount ? "TM" : "HM") + std::string(number < 10 ? "0" : "") + std::to_string(number);
}

Json constantName(std::string_view name, int byte)
{
    return name.empty() ? Json(byte) : Json(std::string(name));
}

Json evolutionJson(const Evolution& evolution, const RomLists& lists)
{
    Json item = Json::object();
    auto& fields = item.get_ref<Json::object_t&>();
    fields.emplace_back("by", EvolutionKinds[evolution.kind]);
    if (evolution.kind == EvolveByItem) {
        fields.emplace_back("item", lists.items.write(evolution.item));
    }
    fields.emplace_back("level", evolution.level);
    fields.emplace_back("into", lists.species.write(evolution.species));
    return item;
}

Json learnsetJson(const std::vector<LearnedMove>& learnset, const RomLists& lists)
{
    Json all = Json::array();
    for (const LearnedMove& entry : learnset) {
        Json item = Json::object();
        auto& fields = item.get_ref<Json::object_t&>();
        fields.emplace_back("level", entry.level);
        fields.emplace_back("move", lists.moves.write(entry.move));
        all.push_back(std::move(item));
    }
    return all;
}

Json speciesEntry(const SpeciesData& data, const SpeciesRecord& record, const RomLists& lists, const NameList& types)
{
    const BaseStats& stats = record.stats;
    const int species = record.species;
    Json item = {{"species", lists.species.write(species)},
                 {"dex", stats.dex},
                 {"hp", stats.hp},
                 {"attack", stats.attack},
                 {"defense", stats.defense},
                 {"speed", stats.speed},
                 {"special", stats.special},
                 {"types", {types.write(stats.type1), types.write(stats.type2)}},
                 {"catchRate", stats.catchRate},
                 {"baseExp", stats.baseExp},
                 {"growth", constantName(growthName(stats.growth), stats.growth)}};
    std::size_t known = stats.moves.size();
    while (known > 0 && stats.moves[known - 1] == 0) {
        --known;
    }
    Json moves = Json::array();
    for (std::size_t k = 0; k < known; ++k) {
        moves.push_back(lists.moves.write(stats.moves[k]));
    }
    item["moves"] = std::move(moves);
    Json machines = Json::array();
    for (int machine = 0; machine < MachineCount; ++machine) {
        if (stats.learns(machine)) {
            machines.push_back(machineName(machine));
        }
    }
    item["tmhm"] = std::move(machines);
    const EvosMovesList* list = data.evosMoves.listOf(species);
    if (list != nullptr && list->editable()) {
        Json evolutions = Json::array();
        for (const Evolution& evolution : list->content.evolutions) {
            evolutions.push_back(evolutionJson(evolution, lists));
        }
        item["evolutions"] = std::move(evolutions);
        item["learnset"] = learnsetJson(list->content.learnset, lists);
    } else {
        item["evolutions"] = nullptr;
        item["learnset"] = nullptr;
    }
    return item;
}

std::string speciesName(const RomLists& lists, int species)
{
    return lists.species.show(species);
}

} // namespace

NameList typeNameList(const SpeciesData& data)
{
    return NameList("type", data.typeNames.values, 0, true);
}

Json exportPokemon(const SpeciesData& data, const RomLists& lists, std::vector<std::string>& notes)
{
    const NameList types = typeNameList(data);
    Json all = Json::array();
    for (const SpeciesRecord& record : data.records) {
        const std::string number = "Pokédex number " + std::to_string(record.number);
        if (!record.readable() || record.species == 0) {
            notes.push_back("pokemon: " + number + " is left out: " +
                            (record.readable() ? "no species byte leads to it" : record.problem) + ".");
            continue;
        }
        const std::string path = "pokemon[" + std::to_string(all.size()) + "]";
        for (const int other : data.speciesOf(record.number)) {
            if (other != record.species) {
                notes.push_back(path + ": " + speciesName(lists, other) + " has " + number +
                                " too; its own evolutions and learnset are left out.");
            }
        }
        Json item = speciesEntry(data, record, lists, types);
        if (item["learnset"].is_null()) {
            notes.push_back(path + ".evolutions and " + path +
                            ".learnset are null: " + data.evosMoves.problemOf(record.species) + ".");
        }
        all.push_back(std::move(item));
    }
    return all;
}

Json exportMoves(const SpeciesData& data, const RomLists& lists, std::vector<std::string>& notes)
{
    if (!data.moves.problem.empty()) {
        notes.push_back("moves is null: " + data.moves.problem + ".");
        return nullptr;
    }
    const NameList types = typeNameList(data);
    Json all = Json::array();
    for (std::size_t k = 0; k < data.moves.values.size(); ++k) {
        const Move& move = data.moves.values[k];
        const auto percent = accuracyPercent(move.accuracy);
        all.push_back({{"move", lists.moves.write(static_cast<int>(k) + 1)},
                       {"effect", constantName(effectName(move.effect), move.effect)},
                       {"power", move.power},
                       {"type", types.write(move.type)},
                       {"accuracy", percent ? Json(*percent) : Json{{"byte", move.accuracy}}},
                       {"pp", move.pp}});
    }
    return all;
}

std::vector<std::string> speciesLines(const SpeciesData& data, const SpeciesEdits& edits, const RomLists& lists)
{
    std::vector<std::string> lines;
    const auto compare = [&lines](const std::string& who, const char* what, int was, int is) {
        if (was != is) {
            lines.push_back(who + ": " + what + " " + arrow(std::to_string(was), std::to_string(is)));
        }
    };
    for (const auto& [number, stats] : edits.records) {
        const BaseStats& was = data.records[static_cast<std::size_t>(number - 1)].stats;
        const std::string who = speciesName(lists, data.records[static_cast<std::size_t>(number - 1)].species);
        const std::pair<const char*, std::pair<int, int>> fields[] = {{"dex", {was.dex, stats.dex}},
                                                                      {"hp", {was.hp, stats.hp}},
                                                                      {"attack", {was.attack, stats.attack}},
                                                                      {"defense", {was.defense, stats.defense}},
                                                                      {"speed", {was.speed, stats.speed}},
                                                                      {"special", {was.special, stats.special}},
                                                                      {"type 1", {was.type1, stats.type1}},
                                                                      {"type 2", {was.type2, stats.type2}},
                                                                      {"catch rate", {was.catchRate, stats.catchRate}},
                                                                      {"base experience", {was.baseExp, stats.baseExp}},
                                                                      {"growth", {was.growth, stats.growth}}};
        for (const auto& [what, values] : fields) {
            compare(who, what, values.first, values.second);
        }
        if (was.moves != stats.moves) {
            lines.push_back(who + ": level-1 moves changed");
        }
        if (was.machines != stats.machines) {
            lines.push_back(who + ": TM/HM list changed");
        }
    }
    for (const auto& [species, list] : edits.evosMoves) {
        const EvosMoves& was = data.evosMoves.listOf(species)->content;
        const std::string who = speciesName(lists, species);
        if (was.evolutions != list.evolutions) {
            lines.push_back(who + ": evolutions changed");
        }
        if (was.learnset != list.learnset) {
            lines.push_back(
                who + ": learnset " +
                arrow(std::to_string(was.learnset.size()) + " moves", std::to_string(list.learnset.size()) + " moves"));
        }
    }
    for (const auto& [number, move] : edits.moves) {
        const Move& was = data.moves.values[static_cast<std::size_t>(number - 1)];
        const std::string who = lists.moves.show(number);
        compare(who, "animation", was.animation, move.animation);
        compare(who, "effect", was.effect, move.effect);
        compare(who, "power", was.power, move.power);
        compare(who, "type", was.type, move.type);
        compare(who, "accuracy byte", was.accuracy, move.accuracy);
        compare(who, "PP", was.pp, move.pp);
    }
    if (edits.machineMoves) {
        for (std::size_t k = 0; k < edits.machineMoves->size(); ++k) {
            const int was = data.machineMoves.values[k];
            const int is = (*edits.machineMoves)[k];
            if (was != is) {
                lines.push_back(machineName(static_cast<int>(k)) + ": " +
                                arrow(lists.moves.show(was), lists.moves.show(is)));
            }
        }
    }
    return lines;
}
