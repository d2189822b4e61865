#pragma once

// Where one trainer's data lies in a ROM image, found the way the game finds it: the party through its
// class's party list, the name by counting terminated names in the class name table. The prize and
// the special move keep the released game's positions and count as in place only while the bytes the
// game keeps beside them hold what the game needs there. Every read stays inside the image.

#include "rom/RomFile.h"
#include "trainers/PartyTable.h"
#include "trainers/TrainerLayout.h"

#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// The game copies 13 bytes of a class name: 12 characters and the terminator.
constexpr int MaxNameLength = 12;

enum class Placement
{
    Absent,
    InPlace,
    NotInPlace
};

// One group of a trainer's data the editor may change.
struct GroupPlace
{
    Placement state = Placement::Absent;
    // Name: its first byte and the number of bytes before its terminator. Party: its first byte and the
    // number of members. Prize and special move: their positions in the layout, length 0.
    std::int32_t offset = 0;
    int length = 0;
    // Why a group is not in place, as a clause: "its pointer leads out of the trainer bank".
    std::string problem;

    bool inPlace() const { return state == Placement::InPlace; }
    bool operator==(const GroupPlace&) const = default;
};

struct TrainerPlaces
{
    GroupPlace name;
    GroupPlace party;
    GroupPlace prize;
    GroupPlace specialMove;

    bool anyInPlace() const;
    bool operator==(const TrainerPlaces&) const = default;
    // The groups a trainer has that are not in place, with the word the window uses for each.
    std::vector<std::pair<const char*, const GroupPlace*>> notInPlace() const;
};

TrainerPlaces locateTrainer(const Bytes& image, const VersionProfile& profile, int rosterIndex);
// All twelve at once, in roster order; the parties from table, read from the same image.
std::array<TrainerPlaces, RosterSize> locateRoster(const Bytes& image, const VersionProfile& profile);
std::array<TrainerPlaces, RosterSize>
locateRoster(const Bytes& image, const VersionProfile& profile, const PartyTable& table);

// Every class's name, class c at c - 1.
std::array<GroupPlace, TrainerClassCount> locateClassNames(const Bytes& image, const VersionProfile& profile);
// Whether Red's and Blue's table of special moves lies between the game's 0xC9 and 0xFF.
bool specialMoveTableInPlace(const Bytes& image, const VersionProfile& profile);

// True when the name or the party was found somewhere other than where the released game keeps it.
bool nameMoved(const TrainerPlaces& places, const VersionProfile& profile, int rosterIndex);
bool partyMoved(const TrainerPlaces& places, const VersionProfile& profile, int rosterIndex);
