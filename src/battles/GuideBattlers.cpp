#include "battles/GuideBattlers.h"

#include "battles/Battler.h"
#include "catalogues/NameCatalogues.h"

#include <memory>

BattlerLookup guideBattlers(const Bytes& image, const VersionProfile& profile)
{
    const auto data = std::make_shared<const SpeciesData>(readSpeciesData(image, profile));
    const auto names = std::make_shared<const std::vector<std::string>>(moveNames(image, profile));
    return [data, names](int species, int level) {
        const Battler battler = trainerBattler(*data, species, level);
        GuideBattler shown;
        for (const std::uint8_t move : battler.moves) {
            if (move != 0) {
                shown.moves.push_back(move <= names->size() && !(*names)[move - 1u].empty()
                                          ? (*names)[move - 1u]
                                          : "Move " + std::to_string(move));
            }
        }
        if (battler.stats) {
            const BattleStats& stats = *battler.stats;
            shown.stats = std::array<int, 5>{stats.hp, stats.attack, stats.defense, stats.speed, stats.special};
        }
        return shown;
    };
}
