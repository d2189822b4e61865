#pragma once

// The names of the move effects and growth rates, which the ROM does not hold: the game's own constant names
// ("POISON_SIDE_EFFECT1", "MEDIUM_SLOW", as the disassembly calls them), and the same in words for the windows.
// A byte past the game's tables has no name: the empty text.

#include <string>
#include <string_view>

std::string_view effectName(int effect);
std::string_view growthName(int growth);
// "POISON_SIDE_EFFECT1" as "Poison side effect 1".
std::string inWords(std::string_view constantName);
// The byte of a constant name, or -1.
int effectOfName(std::string_view name);
int growthOfName(std::string_view name);
