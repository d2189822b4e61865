#pragma once

// tavrik harder ROM --levels +10% [--wild +10%] [--standing +10%] [--min-party 4] [--evolve]
//                   [--only-leaders | --all-but-leaders] [--dry-run]
// The Difficulty dialog's change from the command line: the preview as text, then one save in the ROM's history.
// --levels takes a share (+10%) or a number of levels (+3). Exit codes as the other commands: 0 done or nothing to
// change; 1 refused (nothing written); 2 the ROM cannot be read or the command line is wrong; 3 a write failed.

#include "difficulty/DifficultyPlan.h"

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

// "+10%", "10%", "-5%" as a share; "+3", "3" as levels. None for anything else.
std::optional<LevelRaise> readRaise(const std::string& text);
int harderCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);
