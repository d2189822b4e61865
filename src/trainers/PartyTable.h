#pragma once

// Every trainer party of the game, found the way the game finds it. Class c's parties lie one after another
// from the pointer at partyPointersOffset + 2(c - 1), each ended by 0x00, in one of two forms: one level for
// all (the level, then species bytes) or a level for each (0xFF, then level and species pairs). Two classes
// may point at one list. A list runs until the next list begins, until a 0x00 stands where a party would
// begin, or, for the highest list and one that a species' list of evolutions and learnset or a pointer table
// follows, until a byte that cannot begin a sound party: 0xFF or a level of 1..100, then 1..6 members of
// species 1..190, then 0x00. So does a list followed by other data and then, behind zero bytes, by a list moved into
// the free space. Every read stays inside the image and the trainer bank; a list Tavrik cannot read to its end is kept,
// read-only, with the reason.

#include "rom/InlineVector.h"
#include "rom/SpacePlan.h"
#include "rom/VersionProfile.h"
#include "trainers/TrainerBank.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct PartyMember
{
    std::uint8_t level = 0;
    // Internal species number, the position in the species list.
    std::uint8_t species = 0;

    bool operator==(const PartyMember&) const = default;
};

// The members of one party, at most six: reading every party of the game allocates nothing per party.
using PartyMembers = InlineVector<PartyMember, MaxPartySize>;

enum class PartyFormat
{
    // The first byte is the level of every member.
    SameLevel,
    // The first byte is 0xFF; each member has its own level.
    LevelEach
};

struct Party
{
    std::int32_t offset = 0;
    PartyFormat format = PartyFormat::LevelEach;
    PartyMembers members;

    bool operator==(const Party&) const = default;
};

// The bytes of a party as the game stores them, its terminator included, and how many they are.
Bytes partyBytes(PartyFormat format, const std::vector<PartyMember>& members);
std::int32_t partyLength(PartyFormat format, std::size_t members);
// Whether the party could end the highest list: species 1..190, and a shared level of at most 100.
bool soundParty(const Party& party);

using ClassList = InlineVector<int, TrainerClassCount>;

struct PartyList
{
    std::int32_t offset = 0;
    // The classes whose pointer leads here, in class order.
    ClassList classes;
    std::vector<Party> parties;
    // One past the last party's terminator; offset for a list without parties.
    std::int32_t end = 0;
    // How many bytes from offset a rewrite of the list may use where it is: up to the next list, or the
    // list's own length where what follows is not the list's (the highest list, data after it).
    std::int32_t span = 0;
    // Why the list is read-only; empty when it may be edited.
    std::string problem;

    bool editable() const { return problem.empty(); }
    // Where it lies, whose it is and what the game reads from it; the room around it aside.
    bool operator==(const PartyList& other) const
    {
        return offset == other.offset && classes == other.classes && parties == other.parties &&
               problem == other.problem;
    }
};

struct ClassEntry
{
    // Index into PartyTable::lists; -1 when the class's pointer leads nowhere Tavrik can read.
    int list = -1;
    // Why the list or the money is not read, as a clause; a table of many classes with unsound pointers costs no
    // allocation.
    std::string_view problem;
    // The prize: yen per level of the party's last member, 0..9999. Empty when its bytes are not sound.
    std::optional<int> money;
    std::string_view moneyProblem;
};

struct PartyTable
{
    // In the order of their offsets.
    std::vector<PartyList> lists;
    // Class c at c - 1.
    std::array<ClassEntry, TrainerClassCount> classes;
    // The zero bytes that end the trainer bank, where a list that outgrows its place can move.
    FreeSpace free;

    const ClassEntry& entry(int classNumber) const { return classes.at(static_cast<std::size_t>(classNumber - 1)); }
    // The list of a class, or nullptr.
    const PartyList* listOf(int classNumber) const;
    // Why the parties of a class cannot be edited: its pointer leads nowhere, or its list cannot be read to its
    // end. Empty when they can.
    std::string problemOf(int classNumber) const;
    // Party partyNumber (from 1) of a class, or nullptr.
    const Party* party(int classNumber, int partyNumber) const;
};

PartyTable readPartyTable(const Bytes& image, const VersionProfile& profile);

// The two bytes of a class's money: after a win the game pays them, read as a 4-digit decimal number, times
// the level of the party's last member. A third byte follows that the game does not use for it.
std::int32_t classMoneyOffset(const VersionProfile& profile, int classNumber);
Bytes moneyBytes(int money);
