#pragma once

// Yellow's custom moves table written as the bank's lists are: where it lies when it fits there (the zero bytes
// between it and the party pointers, which the released game fills to the last byte, count as its room), the bytes
// a shorter table frees set to 0x00; else moved into the zero bytes that end the bank, behind 16 of them left
// alone, with the pointer in the game's code that reads it following and its old bytes set to 0x00. Where that
// code is not found the table only changes where it lies.

#include "rom/Failure.h"
#include "rom/RomFile.h"
#include "rom/SpacePlan.h"
#include "rom/VersionProfile.h"
#include "rom/WritePlan.h"
#include "trainers/PartyRules.h"

#include <optional>
#include <string>
#include <vector>

// The bytes the game reads for table: each entry's class and party, its triples, 0x00; then 0xFF.
Bytes customMovesBytes(const std::vector<CustomMoveEntry>& table);

// table with the moves of a class's party set to moves: its first entry for the party takes them (the game reads no
// other), a new entry at the end where it had none. No moves: every entry of the party goes, so that none the game
// skipped until now is read in its place.
std::vector<CustomMoveEntry> withCustomMoves(const std::vector<CustomMoveEntry>& table,
                                             int classNumber,
                                             int partyNumber,
                                             const std::vector<CustomMove>& moves);

struct CustomMovesPlacement
{
    WritePlan plan;
    // Set when the table moved.
    std::optional<BlockMove> move;
};

Result<CustomMovesPlacement>
planCustomMoves(const Bytes& image, const VersionProfile& profile, const std::vector<CustomMoveEntry>& table);

// "The custom moves table moved to free space at 0x3BF20: 370 of 1,024 free bytes used."
std::string customMovesMoveNote(const BlockMove& move);
