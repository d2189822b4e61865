// The species sections of an import checked against the ROM, every error with its JSON path, into the edits they ask.

#include "app/JsonCheck.h"
#include "app/SpeciesJson.h"
#include "species/GameConstants.h"
#include "species/LearnsetRules.h"

#include <cctype>
#include <set>

namespace {

std::string at(const std::string& path, std::size_t index)
{
    return path + "[" + std::to_string(index) + "]";
}

bool given(const Json& item, const char* key)
{
    return item.contains(key) && !item[key].is_null();
}

class SpeciesChecker
{
public:
    SpeciesChecker(const SpeciesData& data, const RomLists& lists, std::vector<std::string>& errors)
        : m_data(data), m_lists(lists), m_types(typeNameList(data)), m_errors(errors)
    {}

    void pokemon(const Json& section, SpeciesImport& result);
    void moves(const Json& section, SpeciesImport& result);

private:
    void error(const std::string& path, const std::string& what) { m_errors.push_back(path + ": " + what); }
    std::optional<int> named(const NameList& list, const Json& value, const std::string& path);
    std::optional<int> constant(const Json& value, const std::string& path, int (*byteOfName)(std::string_view));
    // Sets field from item's key, when given and sound; whether the item stays sound.
    bool byte(const Json& item, const char* key, const std::string& path, std::uint8_t& field);
    void entry(const Json& item, const std::string& path, std::set<int>& seen, SpeciesImport& result);
    void stats(const Json& item, const std::string& path, BaseStats& stats);
    std::optional<std::vector<Evolution>> evolutions(const Json& value, const std::string& path);
    std::optional<std::vector<LearnedMove>> learnset(const Json& value, const std::string& path);
    void move(const Json& item, const std::string& path, std::set<int>& seen, SpeciesImport& result);

    const SpeciesData& m_data;
    const RomLists& m_lists;
    NameList m_types;
    std::vector<std::string>& m_errors;
};

std::optional<int> SpeciesChecker::named(const NameList& list, const Json& value, const std::string& path)
{
    std::string why;
    const auto read = list.read(value, why);
    if (!read) {
        error(path, why);
    }
    return read;
}

std::optional<int>
SpeciesChecker::constant(const Json& value, const std::string& path, int (*byteOfName)(std::string_view))
{
    if (value.is_string()) {
        const int read = byteOfName(value.get<std::string>());
        if (read < 0) {
            error(path, "the game has no constant named \"" + value.get<std::string>() + "\" for this");
            return std::nullopt;
        }
        return read;
    }
    return checkInteger(value, path, 0, 255, m_errors);
}

bool SpeciesChecker::byte(const Json& item, const char* key, const std::string& path, std::uint8_t& field)
{
    if (!given(item, key)) {
        return true;
    }
    const auto value = checkInteger(item[key], path + "." + key, 0, 255, m_errors);
    field = static_cast<std::uint8_t>(value.value_or(field));
    return value.has_value();
}

void SpeciesChecker::pokemon(const Json& section, SpeciesImport& result)
{
    if (!section.is_array()) {
        error("pokemon", "a list was expected");
        return;
    }
    std::set<int> seen;
    for (std::size_t k = 0; k < section.size(); ++k) {
        entry(section[k], at("pokemon", k), seen, result);
    }
}

void SpeciesChecker::stats(const Json& item, const std::string& path, BaseStats& stats)
{
    const std::pair<const char*, std::uint8_t*> bytes[] = {{"dex", &stats.dex},
                                                           {"hp", &stats.hp},
                                                           {"attack", &stats.attack},
                                                           {"defense", &stats.defense},
                                                           {"speed", &stats.speed},
                                                           {"special", &stats.special},
                                                           {"catchRate", &stats.catchRate},
                                                           {"baseExp", &stats.baseExp}};
    for (const auto& [key, field] : bytes) {
        byte(item, key, path, *field);
    }
    if (given(item, "types")) {
        const Json& types = item["types"];
        if (!types.is_array() || types.size() != 2) {
            error(path + ".types", "a Pokémon has two type bytes (the same one twice for a single type)");
        } else {
            stats.type1 = static_cast<std::uint8_t>(named(m_types, types[0], path + ".types[0]").value_or(stats.type1));
            stats.type2 = static_cast<std::uint8_t>(named(m_types, types[1], path + ".types[1]").value_or(stats.type2));
        }
    }
    if (given(item, "growth")) {
        stats.growth = static_cast<std::uint8_t>(constant(item["growth"], path + ".growth", growthOfName).value_or(0));
    }
    if (given(item, "moves")) {
        const Json& moves = item["moves"];
        if (!moves.is_array() || moves.size() > stats.moves.size()) {
            error(path + ".moves", "a Pokémon knows 0 to 4 moves at level 1");
        } else {
            stats.moves.fill(0);
            for (std::size_t k = 0; k < moves.size(); ++k) {
                stats.moves[k] =
                    static_cast<std::uint8_t>(named(m_lists.moves, moves[k], at(path + ".moves", k)).value_or(0));
            }
        }
    }
    if (given(item, "tmhm")) {
        const Json& machines = item["tmhm"];
        for (int machine = 0; machine < MachineCount; ++machine) {
            stats.setLearns(machine, false);
        }
        for (std::size_t k = 0; machines.is_array() && k < machines.size(); ++k) {
            const std::string name = machines[k].is_string() ? machines[k].get<std::string>() : "";
            const bool tm = name.size() == 4 && name.rfind("TM", 0) == 0;
            const bool hm = name.size() == 4 && name.rfind("HM", 0) == 0;
            const int number = (tm || hm) && std::isdigit(static_cast<unsigned char>(name[2])) != 0 &&
                                       std::isdigit(static_cast<unsigned char>(name[3])) != 0
                                   ? std::stoi(name.substr(2))
                                   : 0;
            if (number < 1 || number > (tm ? TmCount : MachineCount - TmCount)) {
                error(at(path + ".tmhm", k), "a machine is one of TM01-TM50 and HM01-HM05");
                continue;
            }
            stats.setLearns(tm ? number - 1 : TmCount + number - 1, true);
        }
        if (!machines.is_array()) {
            error(path + ".tmhm", "a list of machines was expected");
        }
    }
}

std::optional<std::vector<Evolution>> SpeciesChecker::evolutions(const Json& value, const std::string& path)
{
    if (!value.is_array()) {
        error(path, "a list was expected");
        return std::nullopt;
    }
    std::vector<Evolution> all;
    bool sound = true;
    for (std::size_t k = 0; k < value.size(); ++k) {
        const Json& item = value[k];
        const std::string where = at(path, k);
        const std::string by =
            item.is_object() && item.contains("by") && item["by"].is_string() ? item["by"].get<std::string>() : "";
        const int kind = by == "level" ? 1 : by == "item" ? 2 : by == "trade" ? 3 : 0;
        if (kind == 0) {
            error(where + ".by", "an evolution is by \"level\", \"item\" or \"trade\"");
            sound = false;
            continue;
        }
        const bool byItem = kind == EvolveByItem;
        if (!checkObject(item,
                         where,
                         byItem ? std::initializer_list<std::string_view>{"by", "item", "level", "into"}
                                : std::initializer_list<std::string_view>{"by", "level", "into"},
                         m_errors) ||
            !item.contains("level") || !item.contains("into") || (byItem && !item.contains("item"))) {
            error(where,
                  byItem ? "an evolution by item has its item, level and into" : "an evolution has its level and into");
            sound = false;
            continue;
        }
        const auto used = byItem ? named(m_lists.items, item["item"], where + ".item") : std::optional(0);
        const auto level = checkInteger(item["level"], where + ".level", 0, 255, m_errors);
        const auto into = named(m_lists.species, item["into"], where + ".into");
        sound = sound && used && level && into;
        all.push_back({static_cast<std::uint8_t>(kind),
                       static_cast<std::uint8_t>(used.value_or(0)),
                       static_cast<std::uint8_t>(level.value_or(1)),
                       static_cast<std::uint8_t>(into.value_or(0))});
    }
    return sound ? std::optional(all) : std::nullopt;
}

std::optional<std::vector<LearnedMove>> SpeciesChecker::learnset(const Json& value, const std::string& path)
{
    if (!value.is_array()) {
        error(path, "a list was expected");
        return std::nullopt;
    }
    std::vector<LearnedMove> all;
    bool sound = true;
    for (std::size_t k = 0; k < value.size(); ++k) {
        const std::string where = at(path, k);
        if (!checkObject(value[k], where, {"level", "move"}, m_errors) || !value[k].contains("level") ||
            !value[k].contains("move")) {
            error(where, "a learnset entry has its level and move");
            sound = false;
            continue;
        }
        const auto level = checkInteger(value[k]["level"], where + ".level", 0, 255, m_errors);
        const auto move = named(m_lists.moves, value[k]["move"], where + ".move");
        sound = sound && level && move;
        all.push_back({static_cast<std::uint8_t>(level.value_or(0)), static_cast<std::uint8_t>(move.value_or(0))});
    }
    return sound ? std::optional(all) : std::nullopt;
}

void SpeciesChecker::entry(const Json& item, const std::string& path, std::set<int>& seen, SpeciesImport& result)
{
    if (!checkObject(item,
                     path,
                     {"species",
                      "dex",
                      "hp",
                      "attack",
                      "defense",
                      "speed",
                      "special",
                      "types",
                      "catchRate",
                      "baseExp",
                      "growth",
                      "moves",
                      "tmhm",
                      "evolutions",
                      "learnset"},
                     m_errors)) {
        return;
    }
    if (!item.contains("species")) {
        error(path, "the key \"species\" says which Pokémon this is and may not be left out");
        return;
    }
    const auto species = named(m_lists.species, item["species"], path + ".species");
    if (!species) {
        return;
    }
    const SpeciesRecord* record = m_data.recordOf(*species);
    if (record == nullptr || !seen.insert(*species).second) {
        error(path + ".species",
              record == nullptr ? "this ROM's species has no Pokédex number and no base stats"
                                : "the species is given twice");
        return;
    }
    BaseStats stats = record->stats;
    this->stats(item, path, stats);
    if (stats != record->stats) {
        result.edits.records[record->number] = stats;
        result.recordPaths[record->number] = path;
    }
    const EvosMovesList* list = m_data.evosMoves.listOf(*species);
    if (!given(item, "evolutions") && !given(item, "learnset")) {
        return;
    }
    if (list == nullptr || !list->editable()) {
        error(path + (given(item, "learnset") ? ".learnset" : ".evolutions"),
              "the list is not where the game's table leads (" + m_data.evosMoves.problemOf(*species) + "): give null");
        return;
    }
    EvosMoves content = list->content;
    const auto newEvolutions = given(item, "evolutions") ? evolutions(item["evolutions"], path + ".evolutions")
                                                         : std::optional(content.evolutions);
    const auto newLearnset =
        given(item, "learnset") ? learnset(item["learnset"], path + ".learnset") : std::optional(content.learnset);
    if (newEvolutions && newLearnset && (*newEvolutions != content.evolutions || *newLearnset != content.learnset)) {
        result.edits.evosMoves[*species] = {*newEvolutions, *newLearnset};
        result.listPaths[*species] = path;
    }
}

void SpeciesChecker::moves(const Json& section, SpeciesImport& result)
{
    if (!section.is_array()) {
        error("moves", "a list was expected");
        return;
    }
    if (!m_data.moves.problem.empty()) {
        error("moves", "the moves table is not where the game keeps it (" + m_data.moves.problem + "): give null");
        return;
    }
    std::set<int> seen;
    for (std::size_t k = 0; k < section.size(); ++k) {
        move(section[k], at("moves", k), seen, result);
    }
}

void SpeciesChecker::move(const Json& item, const std::string& path, std::set<int>& seen, SpeciesImport& result)
{
    if (!checkObject(item, path, {"move", "effect", "power", "type", "accuracy", "pp"}, m_errors)) {
        return;
    }
    const auto number = item.contains("move") ? named(m_lists.moves, item["move"], path + ".move") : std::nullopt;
    if (!number || *number < 1 || *number > MoveTableCount || !seen.insert(*number).second) {
        error(path + ".move", "each of the game's 165 moves, once, says which move this is");
        return;
    }
    Move move = m_data.moves.values[static_cast<std::size_t>(*number - 1)];
    byte(item, "power", path, move.power);
    byte(item, "pp", path, move.pp);
    if (given(item, "effect")) {
        move.effect = static_cast<std::uint8_t>(constant(item["effect"], path + ".effect", effectOfName).value_or(0));
    }
    if (given(item, "type")) {
        move.type = static_cast<std::uint8_t>(named(m_types, item["type"], path + ".type").value_or(0));
    }
    if (given(item, "accuracy")) {
        const Json& accuracy = item["accuracy"];
        if (accuracy.is_object()) {
            if (checkObject(accuracy, path + ".accuracy", {"byte"}, m_errors) && accuracy.contains("byte")) {
                move.accuracy = static_cast<std::uint8_t>(
                    checkInteger(accuracy["byte"], path + ".accuracy.byte", 0, 255, m_errors).value_or(0));
            }
        } else if (const auto percent = checkInteger(accuracy, path + ".accuracy", 0, 100, m_errors)) {
            move.accuracy = static_cast<std::uint8_t>(accuracyByte(*percent));
        }
    }
    if (move != m_data.moves.values[static_cast<std::size_t>(*number - 1)]) {
        result.edits.moves[*number] = move;
        result.movePaths[*number] = path;
    }
}

} // namespace

SpeciesImport checkSpecies(const Json& pokemon,
                           const Json& moves,
                           const SpeciesData& data,
                           const RomLists& lists,
                           std::vector<std::string>& errors)
{
    SpeciesImport result;
    SpeciesChecker checker(data, lists, errors);
    if (!pokemon.is_null()) {
        checker.pokemon(pokemon, result);
    }
    if (!moves.is_null()) {
        checker.moves(moves, result);
    }
    for (const FieldProblem& problem : fieldProblems(data, result.edits)) {
        const auto& paths = problem.part == FieldProblem::Part::Record ? result.recordPaths
                            : problem.part == FieldProblem::Part::List ? result.listPaths
                                                                       : result.movePaths;
        const auto path = paths.find(problem.owner);
        errors.push_back((path != paths.end() ? path->second : "pokemon") +
                         (problem.field.empty() ? "" : "." + problem.field) + ": " + problem.text);
    }
    return result;
}
