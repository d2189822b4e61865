#pragma once

// Reading and writing one trainer's battle data at the bytes of its layout, and the roster of names.

#include "app/VersionProfile.h"
#include "rom/Failure.h"
#include "rom/RomFile.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct PartyMember
{
    std::uint8_t level = 0;
    // Internal species number, the position in the species list.
    std::uint8_t species = 0;
};

// The editable values of one trainer. A field the trainer's layout lacks stays empty; on a write, an
// empty field is left alone in the file.
struct TrainerRecord
{
    std::string name;
    std::vector<PartyMember> party;
    // Move number counted from 1.
    std::optional<std::uint8_t> specialMove;
    // 0-based party position of the member that uses the special move.
    std::optional<std::uint8_t> specialMoveUser;
    // Item number counted from 1.
    std::optional<std::uint8_t> prizeItem;
    std::optional<std::uint8_t> prizeAmount;
};

// Every byte of the trainer, or the first failure met.
Result<TrainerRecord> readTrainer(const std::string& path, const VersionProfile& profile, int rosterIndex);

// Checks that the file is still this version's ROM, writes the name field, then each byte through
// WriteHex, and flushes the file to disk. Stops at the first failure. A name that would put a
// terminator inside the name table is refused before anything is written.
WriteStatus
writeTrainer(const std::string& path, const VersionProfile& profile, int rosterIndex, const TrainerRecord& record);

// The fieldLength bytes a name is stored as: encoded, padded with the game's blank 0x7F, cut to length.
// The game counts terminators to find a name, so a name whose encoding holds 0x50 is refused.
Result<Bytes> encodeNameField(std::string_view name, int fieldLength);

// The twelve roster entries, each the decoded 10 bytes at the trainer's name, fitted to 10 characters.
Result<std::vector<std::string>> readRoster(RomFile& file, const VersionProfile& profile);
