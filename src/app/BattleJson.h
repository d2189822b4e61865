#pragma once

// Every battle Tavrik edits as one JSON document, format version 1: the 47 trainer classes with their
// names, prize money and parties, the twelve gym leaders and Elite Four members with their prizes and
// special moves, the six overworld battles, the maps, and the Pokémon and moves the battles are fought with.
// Species, moves and items are the names the ROM's own lists hold, or their bytes as numbers where a name is not
// unique or the list has none. A group that is not where the game keeps it is null, with a note saying why. The
// same image always gives the same text.
//
// An import is checked whole against the ROM before anything is planned; every error names its JSON path.
// An absent key or a null leaves that value as it is.

#include "rom/Failure.h"
#include "rom/VersionProfile.h"
#include "rom/WritePlan.h"

#include <string>
#include <string_view>
#include <vector>

constexpr int BattleJsonVersion = 1;

// The document, indented by two spaces with each party member on a line of its own, ending in a line break.
std::string exportBattles(const Bytes& image, const VersionProfile& profile);

// One value's change: the lines that say what changes, and its writes, in order.
struct ImportStep
{
    std::vector<std::string> lines;
    WritePlan plan;
};

struct ImportPlan
{
    // Each begins with its JSON path ("classes[33].parties[0][2].species: ..."); any error: nothing is written.
    std::vector<std::string> errors;
    std::vector<ImportStep> steps;
};

// Checks text against image and plans every write: the same planners, moves to free space and checks of
// the whole trainer bank as the windows, one value after the other.
ImportPlan planImport(const Bytes& image, const VersionProfile& profile, std::string_view text);
