#include "battles/Battler.h"

#include <algorithm>

namespace {

// The game keeps a stat in two bytes but never lets it pass this.
constexpr int MaxStat = 999;

int stat(int base, int dv, int level, int plus)
{
    return std::min(MaxStat, (base + dv) * 2 * level / 100 + plus);
}

} // namespace

MoveSet movesAtLevel(const SpeciesData& data, int species, int level)
{
    MoveSet moves{};
    const SpeciesRecord* record = data.recordOf(species);
    if (record == nullptr || !record->readable()) {
        return moves;
    }
    moves = record->stats.moves;
    const EvosMovesList* list = data.evosMoves.listOf(species);
    if (list == nullptr) {
        return moves;
    }
    for (const LearnedMove& entry : list->content.learnset) {
        if (entry.level > level) {
            break;
        }
        // A move of 0 matches an empty slot and is skipped with the known ones.
        if (std::find(moves.begin(), moves.end(), entry.move) != moves.end()) {
            continue;
        }
        auto empty = std::find(moves.begin(), moves.end(), std::uint8_t{0});
        if (empty == moves.end()) {
            std::rotate(moves.begin(), moves.begin() + 1, moves.end());
            empty = moves.end() - 1;
        }
        *empty = entry.move;
    }
    return moves;
}

BattleStats battleStats(const BaseStats& base, int level, const Dvs& dvs)
{
    return {stat(base.hp, dvs.hp(), level, level + 10),
            stat(base.attack, dvs.attack, level, 5),
            stat(base.defense, dvs.defense, level, 5),
            stat(base.speed, dvs.speed, level, 5),
            stat(base.special, dvs.special, level, 5)};
}

MoveSet movePps(const SpeciesData& data, const MoveSet& moves)
{
    MoveSet pp{};
    for (std::size_t slot = 0; slot < moves.size(); ++slot) {
        const std::size_t move = moves[slot];
        if (move >= 1 && move <= data.moves.values.size()) {
            pp[slot] = data.moves.values[move - 1].pp;
        }
    }
    return pp;
}

Battler wildBattler(const SpeciesData& data, int species, int level)
{
    Battler battler;
    battler.species = species;
    battler.level = level;
    battler.moves = movesAtLevel(data, species, level);
    battler.pp = movePps(data, battler.moves);
    return battler;
}

Battler trainerBattler(const SpeciesData& data, int species, int level)
{
    Battler battler = wildBattler(data, species, level);
    if (const SpeciesRecord* record = data.recordOf(species); record != nullptr && record->readable()) {
        battler.stats = battleStats(record->stats, level, TrainerDvs);
    }
    return battler;
}
