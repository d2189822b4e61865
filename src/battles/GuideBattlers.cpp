#include "battles/GuideBattlers.h"

#include "battles/Battler.h"
#include "battles/SpecialMoves.h"
#include "catalogues/NameCatalogues.h"
#include "trainers/PartyTable.h"

#include <memory>

namespace {

std::string originText(MoveOrigin origin)
{
    switch (origin) {
    case MoveOrigin::GymLeader:
        return "the gym leader's special move";
    case MoveOrigin::TeamMove:
        return "the Elite Four's team move";
    case MoveOrigin::Champion:
        return "the champion's move";
    case MoveOrigin::Custom:
        return "Yellow's custom moves";
    case MoveOrigin::Level:
        break;
    }
    return {};
}

} // namespace

BattlerLookup guideBattlers(const Bytes& image, const VersionProfile& profile)
{
    struct Sources
    {
        SpeciesData data;
        std::vector<std::string> names;
        SpecialMoves special;
        PartyTable parties;
    };
    const auto sources = std::make_shared<const Sources>(Sources{readSpeciesData(image, profile),
                                                                 moveNames(image, profile),
                                                                 readSpecialMoves(image, profile),
                                                                 readPartyTable(image, profile)});
    return [sources](int species, int level, const GuideOwner& owner) {
        const Sources& from = *sources;
        Battler battler = trainerBattler(from.data, species, level);
        // A party member as the party reads: the moves the game writes over it follow from its class, party and
        // place.
        const Party* party = owner.classNumber > 0 ? from.parties.party(owner.classNumber, owner.party) : nullptr;
        const auto place = static_cast<std::size_t>(owner.member);
        if (party != nullptr && owner.member >= 0 && place < party->members.size() &&
            party->members[place].species == species && party->members[place].level == level) {
            battler = partyBattlers(
                from.data, from.special, owner.classNumber, owner.party, party->format, party->members)[place];
        }
        GuideBattler shown;
        for (std::size_t slot = 0; slot < battler.moves.size(); ++slot) {
            const std::uint8_t move = battler.moves[slot];
            if (move != 0) {
                shown.moves.push_back(move <= from.names.size() && !from.names[move - 1u].empty()
                                          ? from.names[move - 1u]
                                          : "Move " + std::to_string(move));
                shown.origins.push_back(originText(battler.origin[slot]));
            }
        }
        if (battler.stats) {
            const BattleStats& stats = *battler.stats;
            shown.stats = std::array<int, 5>{stats.hp, stats.attack, stats.defense, stats.speed, stats.special};
        }
        return shown;
    };
}
