// The export: every battle of the ROM as the document of format version 1, keys in a fixed order.

#include "app/BattleJson.h"
#include "app/ChampionJson.h"
#include "app/CustomMovesJson.h"
#include "app/JsonNames.h"
#include "app/JsonText.h"
#include "app/MapJson.h"
#include "app/SpeciesJson.h"
#include "maps/StaticBattles.h"
#include "overworld/OverworldBattle.h"
#include "trainers/TrainerRecord.h"

namespace {

// The document's notes: what is null and why.
using Notes = std::vector<std::string>;

Json null(Notes& notes, const std::string& path, const std::string& why)
{
    notes.push_back(path + " is null: " + why + ".");
    return nullptr;
}

// The list two or more classes share is written under the last of them; the others name it.
int ownerOf(const PartyList& list)
{
    return list.classes.back();
}

Json partiesOf(const PartyList& list, const RomLists& lists)
{
    Json parties = Json::array();
    for (const Party& party : list.parties) {
        Json members = Json::array();
        for (const PartyMember& member : party.members) {
            members.push_back(speciesAndLevel(lists.species, member.species, member.level));
        }
        parties.push_back(std::move(members));
    }
    return parties;
}

Json classes(
    const Bytes& image, const VersionProfile& profile, const PartyTable& parties, const RomLists& lists, Notes& notes)
{
    const auto places = locateClassNames(image, profile);
    const std::vector<std::string> names = readClassNames(image, profile);
    const bool customMoves = profile.customMovesOffset.has_value();
    const bool customMovesRead = customMovesReadable(image, profile);
    const std::vector<CustomMoveEntry> table = readCustomMoves(image, profile);
    Json all = Json::array();
    for (int classNumber = 1; classNumber <= TrainerClassCount; ++classNumber) {
        const auto index = static_cast<std::size_t>(classNumber - 1);
        const std::string path = "classes[" + std::to_string(index) + "]";
        const ClassEntry& entry = parties.entry(classNumber);
        Json item = {{"class", classNumber}};
        item["name"] =
            places[index].inPlace() ? Json(names[index]) : null(notes, path + ".name", places[index].problem);
        item["money"] =
            entry.money ? Json(*entry.money) : null(notes, path + ".money", std::string(entry.moneyProblem));
        const PartyList* list = parties.listOf(classNumber);
        if (list != nullptr && ownerOf(*list) != classNumber) {
            item["partiesOf"] = ownerOf(*list);
        } else if (list != nullptr && list->editable()) {
            item["parties"] = partiesOf(*list, lists);
        } else {
            item["parties"] = null(notes, path + ".parties", parties.problemOf(classNumber));
        }
        if (customMoves) {
            item["customMoves"] =
                customMovesRead
                    ? exportCustomMoves(table, classNumber, lists)
                    : null(notes, path + ".customMoves", "the custom moves table has no end inside the trainer bank");
        }
        all.push_back(std::move(item));
    }
    return all;
}

Json leaders(
    const Bytes& image, const VersionProfile& profile, const PartyTable& table, const RomLists& lists, Notes& notes)
{
    Json all = Json::array();
    for (int rosterIndex = 0; rosterIndex < RosterSize; ++rosterIndex) {
        const std::string path = "leaders[" + std::to_string(rosterIndex) + "]";
        const LoadedTrainer trainer = readTrainer(image, profile, table, rosterIndex);
        const TrainerRecord& record = trainer.record;
        Json item = {{"entry", rosterIndex + 1},
                     {"class", trainerClass(rosterIndex).number},
                     {"party", trainerClass(rosterIndex).party}};
        if (isGymLeader(rosterIndex)) {
            item["prize"] = record.prizeItem
                                ? Json{{"item", lists.items.write(*record.prizeItem)}, {"amount", *record.prizeAmount}}
                                : null(notes, path + ".prize", trainer.places.prize.problem);
        }
        if (profile.specialMovesEditable) {
            Json move = {{"move", lists.moves.write(record.specialMove.value_or(0))}};
            if (record.specialMoveUser) {
                move["user"] = *record.specialMoveUser + 1;
            }
            item["specialMove"] =
                record.specialMove ? move : null(notes, path + ".specialMove", trainer.places.specialMove.problem);
        }
        all.push_back(std::move(item));
    }
    return all;
}

Json overworld(const Bytes& image, const MapTable& maps, const RomLists& lists, Notes& notes)
{
    const BattlePositions positions = overworldPositions(maps);
    Json all = Json::array();
    for (int battle = 0; battle < OverworldBattleCount; ++battle) {
        const std::string path = "overworld[" + std::to_string(battle) + "]";
        Json item = {{"battle", battle + 1}, {"name", overworldBattleName(battle)}};
        if (battleInPlace(image, positions, battle)) {
            const BattleValues values = readBattle(image, positions, battle);
            item["species"] = lists.species.write(values.species);
            item["level"] = values.level;
        } else {
            const std::string why = "the bytes the game keeps around it are not there";
            item["species"] = null(notes, path + ".species", why);
            item["level"] = null(notes, path + ".level", why);
        }
        all.push_back(std::move(item));
    }
    return all;
}

} // namespace

std::string exportBattles(const Bytes& image, const VersionProfile& profile)
{
    const RomLists lists = romLists(image, profile);
    Notes notes;
    Json document = {{"tavrik", BattleJsonVersion}, {"game", std::string(profile.code)}};
    const PartyTable table = readPartyTable(image, profile);
    document["classes"] = classes(image, profile, table, lists, notes);
    document["leaders"] = leaders(image, profile, table, lists, notes);
    if (Json champion = exportChampionMoves(image, profile, lists, notes); !champion.is_discarded()) {
        document["championMoves"] = std::move(champion);
    }
    const MapTable maps = readMaps(image, profile);
    document["overworld"] = overworld(image, maps, lists, notes);
    document["maps"] = exportMaps(maps, lists, notes);
    document["rods"] = exportRods(maps, lists, notes);
    const SpeciesData species = readSpeciesData(image, profile);
    document["pokemon"] = exportPokemon(species, lists, notes);
    document["moves"] = exportMoves(species, lists, notes);
    document["notes"] = notes;
    return jsonText(document);
}
