#include "battles/Opponents.h"

namespace {

void addArea(const SpeciesData& data, const WildArea& area, std::vector<Battler>& battlers)
{
    if (!area.on()) {
        return;
    }
    for (const WildSlot& slot : area.slot) {
        battlers.push_back(wildBattler(data, slot.species, slot.level));
    }
}

} // namespace

Opponents
computeOpponents(const SpeciesData& data, const SpecialMoves& special, const PartyTable& parties, const MapTable& maps)
{
    Opponents opponents;
    for (int classNumber = 1; classNumber <= TrainerClassCount; ++classNumber) {
        const PartyList* list = parties.listOf(classNumber);
        if (list == nullptr) {
            continue;
        }
        int partyNumber = 0;
        for (const Party& party : list->parties) {
            opponents.parties.push_back({classNumber,
                                         ++partyNumber,
                                         partyBattlers(data,
                                                       special,
                                                       classNumber,
                                                       partyNumber,
                                                       party.format,
                                                       {party.members.begin(), party.members.size()})});
        }
    }
    opponents.wild.reserve(maps.wild.size());
    for (const WildTable& table : maps.wild) {
        std::vector<Battler>& battlers = opponents.wild.emplace_back();
        addArea(data, table.grass, battlers);
        addArea(data, table.water, battlers);
    }
    for (const MapRow& row : maps.rows) {
        for (const MapObject& object : row.objects) {
            if (object.kind == ObjectKind::Pokemon) {
                opponents.standing.push_back(wildBattler(data, object.species, object.level));
            }
        }
    }
    return opponents;
}
