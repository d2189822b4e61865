#pragma once

// What a list of evolutions and learnset may hold, and what its order means to the game. Two routines read a
// learnset (engine/pokemon/evos_moves.asm in the game's disassembly): WriteMonMoves gives a Pokémon the game makes
// (a wild one, a trainer's, a gift) its moves by walking the learnset in order and stops at the first entry above
// the Pokémon's level; LearnMoveFromLevelUp, on a level gained, looks at every entry for the new level. An entry
// behind a higher one is therefore reached by the walk only from that higher level on. Nothing here re-sorts a
// list unless asked to.

#include "species/EvosMoves.h"

#include <array>
#include <functional>
#include <string>
#include <vector>

// Moves 1..165 and Pokémon levels 1..100 are all the game has.
constexpr int MoveCount = 165;
constexpr int MaxLevel = 100;

// One value of a list that the game could not use as meant, with the reason.
struct ListProblem
{
    enum class Field
    {
        EvolutionKind,
        EvolutionItem,
        EvolutionLevel,
        EvolutionSpecies,
        MoveLevel,
        Move
    };
    Field field = Field::EvolutionKind;
    // Into the evolutions or the learnset.
    int index = 0;
    std::string text;
};

// Every such value of list, in order; a save refuses a list with any.
std::vector<ListProblem> listProblems(const EvosMoves& list);

// Whether byte names an item the game has: 1..83, or a machine (0xC4..0xFA).
bool isItem(int byte);

// For each learnset entry, what its place means when an entry before it has a higher level; empty otherwise.
// moveName names a move by its byte.
std::vector<std::string> learnsetOrderNotes(const std::vector<LearnedMove>& learnset,
                                            const std::function<std::string(int)>& moveName);

// Where a new entry of level goes: behind every entry of that level or below that comes before the first higher
// one, so that the walk reaches it at its level.
std::size_t placeForLevel(const std::vector<LearnedMove>& learnset, int level);
// The learnset sorted by level, entries of one level kept in their order.
std::vector<LearnedMove> sortedByLevel(std::vector<LearnedMove> learnset);

// The four move slots a Pokémon of level gets when the game makes it: the species' level-1 moves, then the
// learnset walked as WriteMonMoves does it. 0 is an empty slot.
using MoveSlots = std::array<std::uint8_t, 4>;
MoveSlots movesAtLevel(const MoveSlots& levelOneMoves, const std::vector<LearnedMove>& learnset, int level);
