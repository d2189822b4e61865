#include "app/ImportCheck.h"

#include "app/BattleJson.h"
#include "app/CustomMovesJson.h"
#include "app/JsonCheck.h"
#include "maps/StaticBattles.h"
#include "overworld/OverworldBattle.h"
#include "rom/modGameText.h"
#include "trainers/TrainerRecord.h"

#include <algorithm>
#include <set>

namespace {

std::string at(const std::string& path, std::size_t index)
{
    return path + "[" + std::to_string(index) + "]";
}

class Checker
{
public:
    Checker(const ImportRom& rom, std::vector<std::string>& errors)
        : m_image(rom.image), m_profile(rom.profile), m_lists(rom.lists), m_table(rom.parties), m_maps(rom.maps),
          m_species(rom.species), m_names(locateClassNames(rom.image, rom.profile)),
          m_roster(locateRoster(rom.image, rom.profile, m_table)), m_positions(overworldPositions(rom.maps)),
          m_errors(errors)
    {}

    void document(const Json& document, ImportWishes& wishes);

private:
    void error(const std::string& path, const std::string& what) { m_errors.push_back(path + ": " + what); }
    // Whether value is an object whose keys are all known; unknown keys are errors.
    bool object(const Json& value, const std::string& path, std::initializer_list<std::string_view> keys);
    // The items of an array at key, or none when the key is absent or null.
    const Json* array(const Json& parent, const char* key);
    std::optional<int> integer(const Json& value, const std::string& path, int low, int high);
    std::optional<int> named(const NameList& list, const Json& value, const std::string& path);
    std::optional<int>
    number(const Json& item, const char* key, const std::string& path, int high, std::set<int>& seen);

    void classEntry(const Json& item, const std::string& path, std::set<int>& seen, ImportWishes& wishes);
    std::optional<std::vector<std::vector<PartyMember>>>
    parties(const Json& value, const std::string& path, int classNumber);
    std::optional<PartyMember> member(const Json& value, const std::string& path);
    void leader(const Json& item, const std::string& path, std::set<int>& seen, ImportWishes& wishes);
    void battle(const Json& item, const std::string& path, std::set<int>& seen, ImportWishes& wishes);

    const Bytes& m_image;
    const VersionProfile& m_profile;
    const RomLists& m_lists;
    const PartyTable& m_table;
    const MapTable& m_maps;
    const SpeciesData& m_species;
    std::array<GroupPlace, TrainerClassCount> m_names;
    std::array<TrainerPlaces, RosterSize> m_roster;
    // The overworld battles, the first four found through the maps' objects.
    BattlePositions m_positions;
    std::vector<std::string>& m_errors;
};

bool Checker::object(const Json& value, const std::string& path, std::initializer_list<std::string_view> keys)
{
    return checkObject(value, path, keys, m_errors);
}

const Json* Checker::array(const Json& parent, const char* key)
{
    if (!parent.contains(key) || parent[key].is_null()) {
        return nullptr;
    }
    if (!parent[key].is_array()) {
        error(key, "a list was expected");
        return nullptr;
    }
    return &parent[key];
}

std::optional<int> Checker::integer(const Json& value, const std::string& path, int low, int high)
{
    return checkInteger(value, path, low, high, m_errors);
}

std::optional<int> Checker::named(const NameList& list, const Json& value, const std::string& path)
{
    std::string why;
    const auto byte = list.read(value, why);
    if (!byte) {
        error(path, why);
    }
    return byte;
}

// The number that says which class, entry or battle an item is: present, in range and not given before.
std::optional<int>
Checker::number(const Json& item, const char* key, const std::string& path, int high, std::set<int>& seen)
{
    if (!item.contains(key)) {
        error(path, std::string("the key \"") + key + "\" says which one this is and may not be left out");
        return std::nullopt;
    }
    const auto value = integer(item[key], path + "." + key, 1, high);
    if (value && !seen.insert(*value).second) {
        error(path + "." + key, std::to_string(*value) + " is given twice");
        return std::nullopt;
    }
    return value;
}

void Checker::document(const Json& document, ImportWishes& wishes)
{
    if (!object(document,
                "(top)",
                {"tavrik",
                 "game",
                 "classes",
                 "leaders",
                 "championMoves",
                 "overworld",
                 "maps",
                 "rods",
                 "pokemon",
                 "moves",
                 "notes"})) {
        return;
    }
    if (!document.contains("tavrik") || document["tavrik"] != BattleJsonVersion) {
        error("tavrik", "this is no Tavrik file of format 1");
    }
    const std::string code(m_profile.code);
    const bool redOrBlue = code == "RED" || code == "BLU";
    const Json game = document.value("game", Json());
    if (!game.is_string() || (game != code && !(redOrBlue && (game == "RED" || game == "BLU")))) {
        error("game",
              "this ROM is " + code + ", and a file of " + (game.is_string() ? game.get<std::string>() : "no game") +
                  " does not apply to it");
        return;
    }
    std::set<int> seen;
    if (const Json* items = array(document, "classes")) {
        for (std::size_t k = 0; k < items->size(); ++k) {
            classEntry((*items)[k], at("classes", k), seen, wishes);
        }
    }
    seen.clear();
    if (const Json* items = array(document, "leaders")) {
        for (std::size_t k = 0; k < items->size(); ++k) {
            leader((*items)[k], at("leaders", k), seen, wishes);
        }
    }
    wishes.champion =
        checkChampionMoves(document.value("championMoves", Json()), m_image, m_profile, m_lists, m_errors);
    seen.clear();
    if (const Json* items = array(document, "overworld")) {
        for (std::size_t k = 0; k < items->size(); ++k) {
            battle((*items)[k], at("overworld", k), seen, wishes);
        }
    }
    if (document.contains("maps") && !document["maps"].is_null()) {
        wishes.maps = checkMaps(document["maps"], m_maps, m_lists, m_errors);
        for (const BattleWish& wish : wishes.battles) {
            const OverworldBattle& at = m_positions[static_cast<std::size_t>(wish.battle)];
            checkSameBytes(wishes.maps, at.speciesOffset, wish.path, wish.species, wish.level, m_errors);
        }
    }
    if (document.contains("rods") && !document["rods"].is_null()) {
        checkRods(document["rods"], m_maps, m_lists, m_errors, wishes.maps);
    }
    wishes.species =
        checkSpecies(document.value("pokemon", Json()), document.value("moves", Json()), m_species, m_lists, m_errors);
}

void Checker::classEntry(const Json& item, const std::string& path, std::set<int>& seen, ImportWishes& wishes)
{
    if (!object(item, path, {"class", "name", "money", "parties", "partiesOf", "customMoves"})) {
        return;
    }
    const auto classNumber = number(item, "class", path, TrainerClassCount, seen);
    if (!classNumber) {
        return;
    }
    ClassWish wish{path, *classNumber, {}, {}, {}};
    const GroupPlace& name = m_names[static_cast<std::size_t>(*classNumber - 1)];
    if (const Json value = item.value("name", Json()); !value.is_null()) {
        if (!value.is_string()) {
            error(path + ".name", "a name is text");
        } else if (!name.inPlace()) {
            error(path + ".name", "the name is not where the game keeps it (" + name.problem + "): give null");
        } else if (const auto field = encodeNameField(value.get<std::string>(), name.length); !field) {
            error(path + ".name", "the name holds the end-of-name byte, which would split the table of names");
        } else if (static_cast<int>(EncodeText(value.get<std::string>()).size()) > name.length) {
            error(path + ".name",
                  "the name takes more than the " + std::to_string(name.length) + " bytes of its field");
        } else {
            wish.name = value.get<std::string>();
        }
    }
    const ClassEntry& entry = m_table.entry(*classNumber);
    if (const Json value = item.value("money", Json()); !value.is_null()) {
        wish.money = integer(value, path + ".money", 0, 9999);
        if (wish.money && !entry.money) {
            error(path + ".money",
                  "the money is not where the game keeps it (" + std::string(entry.moneyProblem) + "): give null");
            wish.money.reset();
        }
    }
    const PartyList* list = m_table.listOf(*classNumber);
    const int owner = list != nullptr ? list->classes.back() : *classNumber;
    if (const Json value = item.value("partiesOf", Json()); !value.is_null() && value != owner) {
        error(path + ".partiesOf",
              owner == *classNumber ? "this ROM's class has parties of its own"
                                    : "this ROM's class shares the parties of class " + std::to_string(owner));
    }
    if (const Json value = item.value("parties", Json()); !value.is_null()) {
        if (owner != *classNumber) {
            error(path + ".parties",
                  "this class shares the parties of class " + std::to_string(owner) + ": give them there");
        } else {
            wish.parties = parties(value, path + ".parties", *classNumber);
        }
    }
    if (const Json value = item.value("customMoves", Json()); !value.is_null()) {
        if (!m_profile.customMovesOffset) {
            error(path + ".customMoves", std::string(m_profile.title) + " keeps no custom moves table");
        } else if (!customMovesReadable(m_image, m_profile)) {
            error(path + ".customMoves", "the custom moves table has no end inside the trainer bank: give null");
        } else {
            wish.customMoves = checkCustomMoves(value, path + ".customMoves", *classNumber, m_lists, m_errors);
        }
    }
    wishes.classes.push_back(std::move(wish));
}

std::optional<std::vector<std::vector<PartyMember>>>
Checker::parties(const Json& value, const std::string& path, int classNumber)
{
    const PartyList* list = m_table.listOf(classNumber);
    if (list == nullptr || !list->editable()) {
        error(path,
              "the parties are not where the game's table leads (" + m_table.problemOf(classNumber) + "): give null");
        return std::nullopt;
    }
    if (!value.is_array() || value.size() != list->parties.size()) {
        error(path,
              "this ROM's class has " + std::to_string(list->parties.size()) +
                  " parties; adding or removing whole parties would renumber the parties the maps call");
        return std::nullopt;
    }
    std::vector<std::vector<PartyMember>> all;
    bool sound = true;
    for (std::size_t party = 0; party < value.size(); ++party) {
        const Json& members = value[party];
        if (!members.is_array() || members.empty() || members.size() > MaxPartySize) {
            error(at(path, party), "a party has 1 to 6 members");
            sound = false;
            continue;
        }
        all.emplace_back();
        for (std::size_t k = 0; k < members.size(); ++k) {
            if (const auto quick = soundSpeciesLevel(members[k], m_lists.species, 255)) {
                all.back().push_back(
                    {static_cast<std::uint8_t>(quick->level), static_cast<std::uint8_t>(quick->species)});
                continue;
            }
            const auto read = member(members[k], at(at(path, party), k));
            sound = sound && read;
            all.back().push_back(read.value_or(PartyMember{}));
        }
    }
    return sound ? std::optional(all) : std::nullopt;
}

std::optional<PartyMember> Checker::member(const Json& value, const std::string& path)
{
    if (!object(value, path, {"species", "level"})) {
        return std::nullopt;
    }
    if (!value.contains("species") || !value.contains("level")) {
        error(path, "a member has its species and its level");
        return std::nullopt;
    }
    const auto species = named(m_lists.species, value["species"], path + ".species");
    if (species == 0) {
        error(path + ".species", "MISSINGNO. (byte 0) ends a party in the game: remove the member instead");
    }
    if (value["level"] == 0) {
        error(path + ".level", "a level of 0 ends a party in the game: remove the member instead");
        return std::nullopt;
    }
    const auto level = integer(value["level"], path + ".level", 1, 255);
    if (!species || species == 0 || !level) {
        return std::nullopt;
    }
    return PartyMember{static_cast<std::uint8_t>(*level), static_cast<std::uint8_t>(*species)};
}

void Checker::leader(const Json& item, const std::string& path, std::set<int>& seen, ImportWishes& wishes)
{
    if (!object(item, path, {"entry", "class", "party", "prize", "specialMove"})) {
        return;
    }
    const auto entry = number(item, "entry", path, RosterSize, seen);
    if (!entry) {
        return;
    }
    const int rosterIndex = *entry - 1;
    const TrainerClass& trainer = trainerClass(rosterIndex);
    for (const auto& [key, expected] : {std::pair{"class", trainer.number}, std::pair{"party", trainer.party}}) {
        if (item.contains(key) && item[key] != expected) {
            error(path + "." + key,
                  "entry " + std::to_string(*entry) + "'s " + key + " is " + std::to_string(expected));
        }
    }
    LeaderWish wish{path, rosterIndex, {}, {}, {}, {}};
    const TrainerPlaces& places = m_roster[static_cast<std::size_t>(rosterIndex)];
    if (const Json prize = item.value("prize", Json());
        !prize.is_null() && object(prize, path + ".prize", {"item", "amount"})) {
        if (!isGymLeader(rosterIndex) || !places.prize.inPlace()) {
            error(path + ".prize",
                  isGymLeader(rosterIndex)
                      ? "the prize is not where the game keeps it (" + places.prize.problem + "): give null"
                      : "the Elite Four give no prize");
        } else {
            if (prize.contains("item") && !prize["item"].is_null()) {
                wish.prizeItem = named(m_lists.items, prize["item"], path + ".prize.item");
            }
            if (prize.contains("amount") && !prize["amount"].is_null()) {
                wish.prizeAmount = integer(prize["amount"], path + ".prize.amount", 0, 255);
            }
        }
    }
    const Json move = item.value("specialMove", Json());
    if (!move.is_null() && object(move, path + ".specialMove", {"move", "user"})) {
        if (!m_profile.specialMovesEditable) {
            error(path + ".specialMove", "Yellow keeps no special moves where Tavrik edits them");
        } else if (!places.specialMove.inPlace()) {
            error(path + ".specialMove",
                  "the special move is not where the game keeps it (" + places.specialMove.problem + "): give null");
        } else {
            if (move.contains("move") && !move["move"].is_null()) {
                wish.specialMove = named(m_lists.moves, move["move"], path + ".specialMove.move");
            }
            if (move.contains("user") && !move["user"].is_null()) {
                if (!isGymLeader(rosterIndex)) {
                    error(path + ".specialMove.user", "the Elite Four's special move goes to member 5, not to a user");
                } else if (const auto user = integer(move["user"], path + ".specialMove.user", 1, 256)) {
                    wish.specialMoveUser = *user - 1;
                }
            }
        }
    }
    wishes.leaders.push_back(wish);
}

void Checker::battle(const Json& item, const std::string& path, std::set<int>& seen, ImportWishes& wishes)
{
    if (!object(item, path, {"battle", "name", "species", "level"})) {
        return;
    }
    const auto battle = number(item, "battle", path, OverworldBattleCount, seen);
    if (!battle) {
        return;
    }
    BattleWish wish{path, *battle - 1, {}, {}};
    const bool inPlace = battleInPlace(m_image, m_positions, *battle - 1);
    for (const char* key : {"species", "level"}) {
        if (item.contains(key) && !item[key].is_null() && !inPlace) {
            error(path + "." + key, "the battle is not where the game keeps it: give null");
        }
    }
    if (inPlace && item.contains("species") && !item["species"].is_null()) {
        wish.species = named(m_lists.species, item["species"], path + ".species");
    }
    if (inPlace && item.contains("level") && !item["level"].is_null()) {
        wish.level = integer(item["level"], path + ".level", 0, 255);
    }
    wishes.battles.push_back(wish);
}

} // namespace

ImportWishes checkImport(const Json& document, const ImportRom& rom, std::vector<std::string>& errors)
{
    ImportWishes wishes;
    Checker(rom, errors).document(document, wishes);
    return wishes;
}
