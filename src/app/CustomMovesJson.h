#pragma once

// Yellow's "customMoves" of a class entry: [{"party": 1, "member": 2, "slot": 4, "move": "BUBBLEBEAM"}, ...], the
// moves its table gives the class's parties, in the table's order; only an entry the game reaches is given (the
// game takes the first for a class and party). Null, with a note, where the table has no end the game would find;
// absent in Red and Blue.

#include "app/JsonNames.h"
#include "trainers/PartyRules.h"

#include <optional>
#include <string>
#include <vector>

// The entries of classNumber the game reaches, in the table's order, without those that give no move.
std::vector<CustomMoveEntry> classCustomMoves(const std::vector<CustomMoveEntry>& table, int classNumber);

Json exportCustomMoves(const std::vector<CustomMoveEntry>& table, int classNumber, const RomLists& lists);
// The class's entries a document gives, one per party in the order the parties first appear; empty after an error.
std::optional<std::vector<CustomMoveEntry>> checkCustomMoves(const Json& value,
                                                             const std::string& path,
                                                             int classNumber,
                                                             const RomLists& lists,
                                                             std::vector<std::string>& errors);
// table with every entry of classNumber replaced by entries, placed where its first entry was (else at the end).
std::vector<CustomMoveEntry> withClassCustomMoves(const std::vector<CustomMoveEntry>& table,
                                                  int classNumber,
                                                  const std::vector<CustomMoveEntry>& entries);
// The report's line of a class whose custom moves change.
std::string customMovesLine(const std::string& who,
                            const std::vector<CustomMoveEntry>& was,
                            const std::vector<CustomMoveEntry>& is,
                            const RomLists& lists);
