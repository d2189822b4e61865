#pragma once

// Red's and Blue's top-level "championMoves": {"first": move, "sixth": {<BULBASAUR>: move, <CHARMANDER>: move,
// "otherwise": move}}, the sixth member's move keyed by the rival's starter as the ROM names those species. Null,
// with a note, where the code that gives the moves is not the game's; absent in Yellow.

#include "app/JsonNames.h"
#include "battles/ChampionCode.h"

#include <optional>
#include <string>
#include <vector>

// Nothing (a discarded value) for Yellow.
Json exportChampionMoves(const Bytes& image,
                         const VersionProfile& profile,
                         const RomLists& lists,
                         std::vector<std::string>& notes);
// The moves the document asks for, the ROM's where it gives none; empty for an absent key, a null or an error.
std::optional<ChampionMoves> checkChampionMoves(const Json& value,
                                                const Bytes& image,
                                                const VersionProfile& profile,
                                                const RomLists& lists,
                                                std::vector<std::string>& errors);
// The report's lines of a change.
std::vector<std::string> championLines(const ChampionMoves& was, const ChampionMoves& is, const RomLists& lists);
