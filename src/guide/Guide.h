#pragma once

// What a guide to the game as a ROM now is tells its players, read through the ROM's own tables: every map in id
// order with its trainers (in the order of the map's objects, then the battles the released game's scripts start
// there), their parties and prize money, the Pokémon that stand on it and its wild Pokémon with each slot's chance;
// and the gym leaders and the Elite Four in the order the player meets them. Texts are UTF-8; nothing is written.

#include "rom/RomFile.h"
#include "rom/VersionProfile.h"

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// What a Pokémon of a species fights with at a level; empty moves and no stats when they are not known.
struct GuideBattler
{
    std::vector<std::string> moves;
    // Beside each move, where a move the game writes over the member's own comes from ("the gym leader's special
    // move"); empty for a move of its level. Empty when none is known.
    std::vector<std::string> origins;
    // HP, Attack, Defense, Speed, Special.
    std::optional<std::array<int, 5>> stats;
};
// Whose a Pokémon is: a trainer's class, party and place in it (from 0); class 0 for a wild or standing one.
struct GuideOwner
{
    int classNumber = 0;
    int party = 0;
    int member = 0;
};
using BattlerLookup = std::function<GuideBattler(int species, int level, const GuideOwner& owner)>;

struct GuideMember
{
    int species = 0;
    std::string name;
    int level = 0;
    GuideBattler battler;
};

struct GuideTrainer
{
    int classNumber = 0;
    int party = 0;
    // The class's name; for a gym leader or an Elite Four member, the trainer's own name.
    std::string name;
    // "x 9, y 1", or the battle a script starts ("the rival, if the player chose Charmander").
    std::string where;
    std::vector<GuideMember> members;
    // The prize: the class's money per level times the level of the last member; none when it cannot be read.
    std::optional<int> prize;
    // Why the party cannot be shown; empty when it is.
    std::string problem;
};

struct GuideSlot
{
    int species = 0;
    std::string name;
    int level = 0;
    // Out of 256.
    int chance = 0;
};

// One species of a wild area: the levels it comes at and its chances together.
struct GuideRange
{
    int species = 0;
    std::string name;
    int lowest = 0;
    int highest = 0;
    int chance = 0;
};

struct GuideArea
{
    // Encounters in 256 steps.
    int rate = 0;
    // Slot 1 first. (Not "slots", which Qt's headers take for a keyword.)
    std::vector<GuideSlot> slot;
    // In the order each species first comes.
    std::vector<GuideRange> ranges;
};

struct GuideMap
{
    int id = 0;
    std::string name;
    // Why the map is not drawn, empty when it is; the picture's size in pixels.
    std::string drawProblem;
    int width = 0;
    int height = 0;
    std::vector<GuideTrainer> trainers;
    std::vector<GuideMember> standing;
    std::optional<GuideArea> grass;
    std::optional<GuideArea> water;
};

// A gym leader or an Elite Four member, where the player meets them.
struct GuideLeader
{
    GuideTrainer trainer;
    // "Pewter Gym", and the map's id; -1 when no map of this ROM uses the party.
    std::string map;
    int mapId = -1;
};

struct Guide
{
    std::string title;
    std::vector<GuideLeader> leaders;
    std::vector<GuideMap> maps;
};

// The guide of image; battlers says what each Pokémon fights with (none: the moves and stats are left out).
Guide buildGuide(const Bytes& image, const VersionProfile& profile, const BattlerLookup& battlers = {});
