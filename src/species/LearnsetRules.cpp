#include "species/LearnsetRules.h"

#include "catalogues/NameCatalogues.h"

#include <algorithm>

namespace {

// HM01 is item byte 0xC4, TM50 0xFA.
constexpr int FirstMachineItem = FirstMachinePosition + 1;
constexpr int LastMachineItem = FirstMachineItem + 54;

void add(std::vector<ListProblem>& problems, ListProblem::Field field, std::size_t index, std::string text)
{
    problems.push_back({field, static_cast<int>(index), std::move(text)});
}

std::string levelProblem(int level, const char* zeroMeans)
{
    if (level == 0) {
        return std::string("a level of 0 ") + zeroMeans;
    }
    return level > MaxLevel ? "no Pokémon reaches a level over 100" : std::string();
}

} // namespace

bool isItem(int byte)
{
    return (byte >= 1 && byte <= ItemNameCount) || (byte >= FirstMachineItem && byte <= LastMachineItem);
}

std::vector<ListProblem> listProblems(const EvosMoves& list)
{
    using Field = ListProblem::Field;
    std::vector<ListProblem> problems;
    for (std::size_t k = 0; k < list.evolutions.size(); ++k) {
        const Evolution& evolution = list.evolutions[k];
        if (evolution.kind < EvolveByLevel || evolution.kind > EvolveByTrade) {
            add(problems, Field::EvolutionKind, k, "an evolution is by level (1), by item (2) or by trade (3)");
            continue;
        }
        if (evolution.kind == EvolveByItem && !isItem(evolution.item)) {
            add(problems,
                Field::EvolutionItem,
                k,
                evolution.item == 0 ? "an evolution by item needs an item: a byte 0 would end the evolutions early"
                                    : "the byte " + std::to_string(evolution.item) + " is no item the game has");
        }
        if (const std::string why =
                levelProblem(evolution.level, "would end the evolutions early for the game's walk to the learnset");
            !why.empty()) {
            add(problems, Field::EvolutionLevel, k, why);
        }
        if (evolution.species == 0 || evolution.species > SpeciesCount) {
            add(problems,
                Field::EvolutionSpecies,
                k,
                "an evolution leads to one of the game's 190 species, not to the byte " +
                    std::to_string(evolution.species));
        }
    }
    for (std::size_t k = 0; k < list.learnset.size(); ++k) {
        const LearnedMove& entry = list.learnset[k];
        if (const std::string why = levelProblem(entry.level, "ends the learnset for the game"); !why.empty()) {
            add(problems, Field::MoveLevel, k, why);
        }
        if (entry.move == 0 || entry.move > MoveCount) {
            add(problems,
                Field::Move,
                k,
                "a learnset entry teaches one of the game's 165 moves, not the byte " + std::to_string(entry.move));
        }
    }
    return problems;
}

std::vector<std::string> learnsetOrderNotes(const std::vector<LearnedMove>& learnset,
                                            const std::function<std::string(int)>& moveName)
{
    std::vector<std::string> notes(learnset.size());
    std::size_t highest = 0;
    for (std::size_t k = 0; k < learnset.size(); ++k) {
        if (k > 0 && learnset[highest].level > learnset[k].level) {
            const LearnedMove& before = learnset[highest];
            notes[k] = moveName(before.move) + " at " + std::to_string(before.level) +
                       " stands before it: a Pokémon the game makes gets this move only from level " +
                       std::to_string(before.level) + " on; one that levels up still learns it at " +
                       std::to_string(learnset[k].level) + ".";
        }
        if (learnset[k].level > learnset[highest].level) {
            highest = k;
        }
    }
    return notes;
}

std::size_t placeForLevel(const std::vector<LearnedMove>& learnset, int level)
{
    const auto higher = std::find_if(
        learnset.begin(), learnset.end(), [level](const LearnedMove& entry) { return entry.level > level; });
    return static_cast<std::size_t>(higher - learnset.begin());
}

std::vector<LearnedMove> sortedByLevel(std::vector<LearnedMove> learnset)
{
    std::stable_sort(
        learnset.begin(), learnset.end(), [](const LearnedMove& a, const LearnedMove& b) { return a.level < b.level; });
    return learnset;
}

MoveSlots movesAtLevel(const MoveSlots& levelOneMoves, const std::vector<LearnedMove>& learnset, int level)
{
    // As WriteMonMoves (engine/pokemon/evos_moves.asm), which AddPartyMon calls after copying the species'
    // level-1 moves: the walk ends at the first entry above the level; a move any slot holds is skipped (an entry
    // of move 0 matches an empty slot); a new move takes the first empty slot, else every move shifts up one and
    // the first is forgotten.
    MoveSlots slots = levelOneMoves;
    for (const LearnedMove& entry : learnset) {
        if (entry.level == 0 || level < entry.level) {
            break;
        }
        if (std::find(slots.begin(), slots.end(), entry.move) != slots.end()) {
            continue;
        }
        const auto empty = std::find(slots.begin(), slots.end(), std::uint8_t{0});
        if (empty != slots.end()) {
            *empty = entry.move;
            continue;
        }
        std::rotate(slots.begin(), slots.begin() + 1, slots.end());
        slots.back() = entry.move;
    }
    return slots;
}
