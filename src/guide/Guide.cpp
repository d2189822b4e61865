#include "guide/Guide.h"

#include "catalogues/NameCatalogues.h"
#include "maps/MapTable.h"
#include "maps/PartyPlaces.h"
#include "rom/DisplayText.h"
#include "trainers/PartyTable.h"
#include "trainers/TrainerLayout.h"
#include "trainers/TrainerRecord.h"

#include <algorithm>

namespace {

// What the guide reads once and every page shares.
struct GuideSources
{
    const VersionProfile& profile;
    const BattlerLookup& battlers;
    MapTable maps;
    PartyTable parties;
    std::vector<std::string> species;
    std::vector<std::string> classes;
};

std::string nameOf(const std::vector<std::string>& names, int index, const std::string& fallback)
{
    const auto at = static_cast<std::size_t>(index);
    return at < names.size() && !names[at].empty() ? names[at] : fallback;
}

GuideMember member(const GuideSources& sources, int species, int level, const GuideOwner& owner = {})
{
    GuideMember shown{species, nameOf(sources.species, species, "#" + std::to_string(species)), level, {}};
    if (sources.battlers) {
        shown.battler = sources.battlers(species, level, owner);
    }
    return shown;
}

GuideTrainer trainer(const GuideSources& sources, int classNumber, int party, std::string where)
{
    GuideTrainer shown;
    shown.classNumber = classNumber;
    shown.party = party;
    shown.name = nameOf(sources.classes, classNumber - 1, "Class " + std::to_string(classNumber));
    shown.where = std::move(where);
    const Party* found = sources.parties.party(classNumber, party);
    if (found == nullptr) {
        shown.problem = "Its party cannot be read.";
        return shown;
    }
    for (const PartyMember& stored : found->members) {
        const GuideOwner owner{classNumber, party, static_cast<int>(shown.members.size())};
        shown.members.push_back(member(sources, stored.species, stored.level, owner));
    }
    const std::optional<int> money =
        classNumber >= 1 && classNumber <= TrainerClassCount ? sources.parties.entry(classNumber).money : std::nullopt;
    if (money && !shown.members.empty()) {
        shown.prize = *money * shown.members.back().level;
    }
    return shown;
}

std::optional<GuideArea> area(const GuideSources& sources, const WildArea& stored)
{
    if (!stored.on()) {
        return std::nullopt;
    }
    GuideArea shown;
    shown.rate = stored.rate;
    const bool chancesKnown = sources.maps.chances.problem.empty();
    for (std::size_t k = 0; k < stored.slot.size(); ++k) {
        const WildSlot& slot = stored.slot[k];
        const GuideMember pokemon = member(sources, slot.species, slot.level);
        const int chance = chancesKnown ? sources.maps.chances.chances[k] : 0;
        shown.slot.push_back({slot.species, pokemon.name, slot.level, chance});
        auto range = std::find_if(shown.ranges.begin(), shown.ranges.end(), [&](const GuideRange& known) {
            return known.species == slot.species;
        });
        if (range == shown.ranges.end()) {
            shown.ranges.push_back({slot.species, pokemon.name, slot.level, slot.level, chance});
        } else {
            range->lowest = std::min(range->lowest, static_cast<int>(slot.level));
            range->highest = std::max(range->highest, static_cast<int>(slot.level));
            range->chance += chance;
        }
    }
    return shown;
}

GuideMap mapPage(const GuideSources& sources, const MapRow& row)
{
    GuideMap page;
    page.id = row.id;
    page.name = std::string(row.name);
    // A copy shows the objects of the map whose header it uses.
    const MapRow* objects = row.copyOf ? sources.maps.row(*row.copyOf) : &row;
    for (const MapObject& object : objects != nullptr ? objects->objects : std::vector<MapObject>()) {
        const std::string square = "x " + std::to_string(object.x) + ", y " + std::to_string(object.y);
        if (object.kind == ObjectKind::Trainer) {
            page.trainers.push_back(trainer(sources, object.classNumber, object.party, square));
        } else if (object.kind == ObjectKind::Pokemon) {
            page.standing.push_back(member(sources, object.species, object.level));
            // A Pokémon fought where it stands has random DVs, as a wild one has: its stats are not fixed.
            page.standing.back().battler.stats.reset();
        }
    }
    for (const ScriptBattle& battle : scriptBattles(sources.profile.version, row.id)) {
        if (battle.classNumber > 0) {
            page.trainers.push_back(trainer(sources, battle.classNumber, battle.party, std::string(battle.what)));
        }
    }
    if (const WildTable* wild = sources.maps.wildOf(row.id)) {
        page.grass = area(sources, wild->grass);
        page.water = area(sources, wild->water);
    }
    return page;
}

} // namespace

Guide buildGuide(const Bytes& image, const VersionProfile& profile, const BattlerLookup& battlers)
{
    GuideSources sources{profile,
                         battlers,
                         readMaps(image, profile),
                         readPartyTable(image, profile),
                         speciesNames(image, profile),
                         readClassNames(image, profile)};
    Guide guide;
    guide.title = std::string(profile.title);
    const std::vector<std::string> roster = readRoster(image, profile, sources.parties);
    for (int rosterIndex = 0; rosterIndex < RosterSize; ++rosterIndex) {
        const TrainerClass& leader = trainerClass(rosterIndex);
        const PartyPlaces places = partyPlaces(sources.maps, leader.number, leader.party);
        GuideLeader shown{trainer(sources, leader.number, leader.party, {}), "No map of this ROM uses this party.", -1};
        shown.trainer.name = trimBlanks(roster[static_cast<std::size_t>(rosterIndex)]);
        if (!places.maps.empty()) {
            shown.map = std::string(places.maps.front().name);
            shown.mapId = places.maps.front().map;
            shown.trainer.where = placeText(places.maps.front());
        }
        guide.leaders.push_back(std::move(shown));
    }
    for (const MapRow& row : sources.maps.rows) {
        if (row.isMap()) {
            guide.maps.push_back(mapPage(sources, row));
        }
    }
    return guide;
}
