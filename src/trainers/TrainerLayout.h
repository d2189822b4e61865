#pragma once

// Where the twelve editable trainers keep their battle data, per version. Roster entries 0-7 are the
// gym leaders, 8-11 the Elite Four. All offsets are 0-based file offsets of single bytes, except the
// name, which is a field of nameMaxLength bytes inside the game's table of 0x50-terminated names.

#include "rom/VersionProfile.h"
#include "trainers/TrainerBank.h"

#include <cstdint>
#include <optional>

constexpr int RosterSize = 12;
constexpr int GymLeaderCount = 8;
// The roster shows this many bytes of each name: enough for the longest name plus its terminator.
constexpr int RosterNameBytes = 10;

struct TrainerLayout
{
    std::int32_t nameOffset;
    int nameMaxLength;
    // partySize pairs of (level, species), nothing in between.
    std::int32_t partyOffset;
    int partySize;
    std::optional<std::int32_t> specialMoveUserOffset;
    std::optional<std::int32_t> specialMoveOffset;
    // The prize item always lies in the byte after the amount.
    std::optional<std::int32_t> prizeAmountOffset;

    std::optional<std::int32_t> prizeItemOffset() const
    {
        return prizeAmountOffset ? std::optional<std::int32_t>(*prizeAmountOffset + 1) : std::nullopt;
    }
    std::int32_t levelOffset(int member) const { return partyOffset + 2 * member; }
    std::int32_t speciesOffset(int member) const { return partyOffset + 2 * member + 1; }
};

// rosterIndex 0..11.
const TrainerLayout& trainerLayout(GameVersion version, int rosterIndex);
bool isGymLeader(int rosterIndex);

// A roster entry is one party of one class, the same in every version.
struct TrainerClass
{
    int number;
    // 1 for the class's first party.
    int party;
};
const TrainerClass& trainerClass(int rosterIndex);

// One past the highest byte any trainer of the version may use: its layout, and the whole trainer bank
// the tables are walked in.
std::int64_t trainerLayoutsEnd(GameVersion version);
