#pragma once

// The moves the game writes over single party members after it has read a trainer's party, and the party's
// battlers with them. Red and Blue, only for a party with a level per member, and always into move slot 3: a gym
// leader's special move (the gym's script sets the leader's number, and the party fought there gets the move at
// the member its table names, counted from 0); else an Elite Four class's team move at member 5; else, for the
// champion, the moves written as operands in the game's code: one for member 1 and, for member 6, one chosen by
// the rival's starter. Yellow, both party formats: the first entry of its custom moves table for the class and
// party, each (member, slot, move) of it. A move for a member past the party's end goes nowhere; the battle loads
// each move's PP from the moves table, so a special move has its own.

#include "battles/Battler.h"
#include "battles/ChampionCode.h"
#include "rom/RomFile.h"
#include "rom/VersionProfile.h"
#include "trainers/PartyRules.h"
#include "trainers/PartyTable.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

// The slot, counted from 1, that Red's and Blue's special moves always take.
constexpr int SpecialMoveSlot = 3;

struct LeaderMove
{
    int classNumber = 0;
    int partyNumber = 0;
    // The member, counted from 0.
    int user = 0;
    std::uint8_t move = 0;

    bool operator==(const LeaderMove&) const = default;
};

struct SpecialMoves
{
    // Red and Blue, when the table of special moves is where the game keeps it.
    std::vector<LeaderMove> leaders;
    // (class, move), in the table's order.
    std::vector<std::pair<int, std::uint8_t>> teamMoves;
    // Red and Blue only, while the code that gives them is the game's; else why not.
    std::optional<ChampionMoves> champion;
    std::string championProblem;
    // Yellow only.
    std::vector<CustomMoveEntry> custom;
};

SpecialMoves readSpecialMoves(const Bytes& image, const VersionProfile& profile);

// The champion's move for member 6 of its party partyNumber: the champion's room picks party 1 for the rival's
// SQUIRTLE, 2 for BULBASAUR and 3 for CHARMANDER, and the code picks the move by the same starter.
std::uint8_t championStarterMove(const ChampionMoves& moves, int partyNumber);

// The battlers of one party as the battle starts.
std::vector<Battler> partyBattlers(const SpeciesData& data,
                                   const SpecialMoves& special,
                                   int classNumber,
                                   int partyNumber,
                                   PartyFormat format,
                                   std::span<const PartyMember> members);
// The special moves written over battlers, in place; their PP follow.
void applySpecialMoves(const SpeciesData& data,
                       const SpecialMoves& special,
                       int classNumber,
                       int partyNumber,
                       PartyFormat format,
                       std::vector<Battler>& battlers);
