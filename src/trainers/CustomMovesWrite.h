#pragma once

// Yellow's custom moves table rewritten where it lies: an entry's member, slot or move changed, an entry removed.
// The table is written from its start to its new 0xFF; the bytes a shorter table frees are left as they were, as
// the game, which stops at the 0xFF, never reads them. A table that would need more bytes than it has is refused.

#include "rom/Failure.h"
#include "rom/RomFile.h"
#include "rom/VersionProfile.h"
#include "rom/WritePlan.h"
#include "trainers/PartyRules.h"

#include <vector>

// The bytes the game reads for table: each entry's class and party, its triples, 0x00; then 0xFF.
Bytes customMovesBytes(const std::vector<CustomMoveEntry>& table);

Result<WritePlan>
planCustomMoves(const Bytes& image, const VersionProfile& profile, const std::vector<CustomMoveEntry>& table);
