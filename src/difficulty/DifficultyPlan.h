#pragma once

// A harder (or easier) game in one save: the trainers' parties, the wild Pokémon, the rods' Pokémon and the
// Pokémon that stand on the maps raised by a share or a number of levels, parties filled up to a least size with
// members of their own kind, and what that does, in figures, before anything is written. Every option applies to
// the ROM as it is now; a ROM whose history holds an earlier change of this kind is raised again on top of it, and
// the preview says so. The changes are planned through the planners of the trainer bank, the maps and the
// overworld battles and written as one save.

#include "history/CommitSave.h"
#include "maps/MapSave.h"
#include "maps/MapTable.h"
#include "overworld/OverworldBattle.h"
#include "rom/Failure.h"
#include "rom/RomTarget.h"
#include "species/EvosMoves.h"
#include "trainers/BankLayout.h"
#include "trainers/PartyWrite.h"

#include <optional>
#include <string>
#include <vector>

constexpr int MaxLevel = 100;
// The word the history keeps with these saves, to tell a second run that the first one is in effect.
constexpr const char* DifficultyKind = "difficulty";

// +amount percent (the level times 1 + amount/100, rounded down) or +amount levels; always 1..100 after.
struct LevelRaise
{
    bool percent = true;
    int amount = 0;

    bool operator==(const LevelRaise&) const = default;
};

// Which trainers' levels are raised.
enum class TrainerScope
{
    AllClasses,
    LeadersOnly,
    AllButLeaders
};

struct DifficultyOptions
{
    LevelRaise trainers;
    TrainerScope scope = TrainerScope::AllClasses;
    // Members whose new level reaches their species' evolution by level evolve.
    bool evolve = false;
    // Every party at least this many members (0: as they are).
    int minParty = 0;
    // Percent, for the wild tables and the rods; and for the Pokémon that stand on the maps.
    int wildPercent = 0;
    int standingPercent = 0;

    bool operator==(const DifficultyOptions&) const = default;
};

// The ROM's tables, read once for every preview.
struct DifficultyRom
{
    const Bytes& image;
    const VersionProfile& profile;
    PartyTable parties;
    EvosMovesTable evosMoves;
    MapTable maps;
    BankRoom room;
    std::vector<std::string> classNames;
    // The ROM's history holds a difficulty change that is in effect.
    bool earlierChange = false;
};

// Whether the history of the ROM at path holds a difficulty change that is not undone.
bool earlierDifficultyChange(const std::string& path);

DifficultyRom readDifficultyRom(const Bytes& image, const VersionProfile& profile, bool earlierChange);

// A gym leader or a member of the Elite Four, in the order they are fought, before and after.
struct LeaderFigures
{
    std::string name;
    int highestBefore = 0;
    int highestAfter = 0;
    double meanBefore = 0;
    double meanAfter = 0;
    // Yen: the class's money times the level of the party's last member.
    int prizeBefore = 0;
    int prizeAfter = 0;
    // The lowest and highest wild level of the routes on the way to this leader; 0 when there are none.
    int wildLowBefore = 0;
    int wildHighBefore = 0;
    int wildLowAfter = 0;
    int wildHighAfter = 0;
};

struct DifficultyPreview
{
    int parties = 0;
    // Members whose level or species changes, and members added.
    int members = 0;
    int added = 0;
    int wildSlots = 0;
    int standing = 0;
    std::vector<LeaderFigures> leaders;
    // The bytes the trainer bank's lists need after the change, against the bytes their places hold.
    std::int32_t bankNeeded = 0;
    std::int32_t bankCapacity = 0;
    bool earlierChange = false;
};

struct DifficultyPlan
{
    BankChange bank;
    MapEdits maps;
    // The two Snorlax, whose level is a byte of the game's code.
    BattleEdits battles;
    DifficultyPreview preview;
};

// The level a raise gives a level; the species a member of level from becomes at level to, evolving by level
// (again and again: a Charmander raised from 14 to 40 is a Charizard).
int raisedLevel(int level, const LevelRaise& raise);
std::uint8_t evolvedSpecies(const EvosMovesTable& evosMoves, std::uint8_t species, int from, int to);
// A party's new members: filled up to size with its own species in turn, at the level of its last member, each
// evolved as its species evolves by that level.
std::vector<PartyMember> filledParty(const EvosMovesTable& evosMoves, std::vector<PartyMember> members, int size);

DifficultyPlan planDifficulty(const DifficultyRom& rom, const DifficultyOptions& options);

// The preview in words: the counts, the bank, the leaders' levels and prizes; with a warning first when the ROM's
// history holds an earlier difficulty change.
std::vector<std::string> previewLines(const DifficultyPreview& preview);

// The writes of the whole plan, each planner's check passed, as one plan; the first refusal names what does not fit.
struct DifficultyWrite
{
    WritePlan plan;
    std::optional<Repack> repack;
};
Result<DifficultyWrite> planDifficultyWrites(const DifficultyRom& rom, const DifficultyPlan& plan);
// The preview's lines, then what the planners' check found: the refusal Apply would meet, or that the trainer bank is
// laid out anew.
std::vector<std::string> previewLines(const DifficultyPreview& preview, const Result<DifficultyWrite>& write);

// One read of the file, the check that it still holds the image the plan was made on, the plan, one save recorded
// in the ROM's history as a difficulty change.
Result<Commit> writeDifficulty(const RomTarget& rom,
                               const DifficultyRom& loaded,
                               const DifficultyOptions& options,
                               bool keepGlobalChecksum = false);
