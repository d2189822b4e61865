#pragma once

// Moves the game hands to single party members by their place in the party, and the edits that lose them.
// Red and Blue give a gym leader's special move to the member its table names (counted from 0), an Elite
// Four member's team move to member 5, and the champion (class 43) SKY ATTACK for member 1 and a move chosen
// by the player's starter for member 6. Yellow keeps a table of (member, slot, move) triples per party.
// None of these tables is rewritten here: a party too small for them only draws a warning.

#include "rom/VersionProfile.h"
#include "trainers/TrainerBank.h"

#include <optional>
#include <vector>

constexpr int ChampionClass = 43;
constexpr int TeamMoveMember = 5;

// One of Yellow's custom moves: member and slot (1..4) counted from 1.
struct CustomMove
{
    int member = 0;
    int slot = 0;
    std::uint8_t move = 0;

    bool operator==(const CustomMove&) const = default;
};

struct CustomMoveEntry
{
    int classNumber = 0;
    int partyNumber = 0;
    std::vector<CustomMove> moves;

    bool operator==(const CustomMoveEntry&) const = default;
};

// Where Yellow's code holds the pointer to its custom moves table: the operand of the "ld hl" that starts the loop
// looking the class and party up in the routine that reads a trainer's party, when that loop is in the trainer bank
// exactly once. Empty for Red and Blue, and where the code is not found.
std::optional<std::int32_t> customMovesPointer(const Bytes& image, const VersionProfile& profile);
// Where the table begins: where that pointer leads (-1 outside the bank), else where the released game keeps it.
std::optional<std::int32_t> customMovesStart(const Bytes& image, const VersionProfile& profile);
// Yellow's table up to its 0xFF; empty for Red and Blue, and when the table has no end inside the bank.
std::vector<CustomMoveEntry> readCustomMoves(const Bytes& image, const VersionProfile& profile);
// Whether Yellow's table ends inside the bank where the game finds it; false for Red and Blue.
bool customMovesReadable(const Bytes& image, const VersionProfile& profile);
// The bytes the reading of Yellow's table depends on: while they stay, so does the table. Empty for Red and Blue.
BankRange customMovesRange(const Bytes& image, const VersionProfile& profile);
// The moves the game gives a class's party: those of the table's first entry for it.
std::vector<CustomMove> customMovesOf(const std::vector<CustomMoveEntry>& table, int classNumber, int partyNumber);

// A party's custom moves once member (from 1) is removed from it: those of the members after it move up with them,
// those of the member itself go.
std::vector<CustomMove> customMovesWithout(const std::vector<CustomMove>& moves, int member);

enum class LostMoveKind
{
    // Red and Blue: the gym leader's special move goes to a member past the party.
    SpecialMoveUser,
    // Red and Blue: the Elite Four member's team move needs member 5.
    TeamMove,
    // Red and Blue: the champion's move chosen by the starter needs member 6.
    StarterMove,
    // Yellow: a custom move for a member the party no longer has.
    CustomMove
};

struct LostMove
{
    LostMoveKind kind;
    // From 1.
    int member = 0;
    int slot = 0;
    // 0 where the move depends on the game (the starter's).
    std::uint8_t move = 0;
};

// What a party of memberCount members of classNumber loses. specialMoveUser is the gym leader's user byte
// (0-based) as the form has it; without it, the ROM's is taken for the gym leaders' parties. customMoves are the
// party's custom moves as a window has them; without them, the ROM's.
std::vector<LostMove> lostMoves(const Bytes& image,
                                const VersionProfile& profile,
                                int classNumber,
                                int partyNumber,
                                int memberCount,
                                std::optional<int> specialMoveUser = std::nullopt,
                                const std::optional<std::vector<CustomMove>>& customMoves = std::nullopt);
