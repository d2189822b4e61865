#include "trainers/PartyTable.h"

#include <algorithm>

namespace {

constexpr std::uint8_t LevelMark = 0xFF;
constexpr std::uint8_t PartyEnd = 0x00;
// A whole party shares a level of at most 100: a higher first byte would not begin a party the game has.
constexpr int MaxSharedLevel = 100;

std::uint8_t byteIn(const Bytes& image, std::int32_t offset)
{
    return image[static_cast<std::size_t>(offset)];
}

// Why a party cannot be read; the words are put together only for a list that is left read-only.
enum class Unsound
{
    None,
    FirstByte,
    Species,
    TooMany,
    NoEnd,
    Empty
};

struct PartyRead
{
    std::optional<Party> party;
    Unsound why = Unsound::None;
    // The first byte or the species byte the reason names.
    int byte = 0;
};

std::string reason(const PartyRead& read)
{
    switch (read.why) {
    case Unsound::FirstByte:
        return "its first byte " + std::to_string(read.byte) + " is neither 0xFF nor a level up to 100";
    case Unsound::Species:
        return "it holds the species byte " + std::to_string(read.byte) + ", outside 1-190";
    case Unsound::TooMany:
        return "it has more than 6 members";
    case Unsound::NoEnd:
        return "it has no end before the next list or the end of the bank";
    default:
        return "it has no members";
    }
}

// A party at offset that ends before limit: 1..6 members, then 0x00. A sound party has species 1..190 and
// shares a level of at most 100, if it shares one; the game also reads glitch species and higher levels, which
// only the highest list may not hold, as they would end it.
PartyRead readParty(const Bytes& image, std::int32_t offset, std::int32_t limit, bool sound)
{
    Party party{offset, byteIn(image, offset) == LevelMark ? PartyFormat::LevelEach : PartyFormat::SameLevel, {}};
    const std::uint8_t sharedLevel = byteIn(image, offset);
    if (sound && party.format == PartyFormat::SameLevel && sharedLevel > MaxSharedLevel) {
        return {std::nullopt, Unsound::FirstByte, sharedLevel};
    }
    const std::int32_t step = party.format == PartyFormat::LevelEach ? 2 : 1;
    std::int32_t at = offset + 1;
    while (at < limit && byteIn(image, at) != PartyEnd) {
        if (at + step > limit) {
            break;
        }
        const PartyMember member = party.format == PartyFormat::LevelEach
                                       ? PartyMember{byteIn(image, at), byteIn(image, at + 1)}
                                       : PartyMember{sharedLevel, byteIn(image, at)};
        // A species byte 0 would end the party for the game's count of parties, though not for its reading.
        if (member.species == 0 || (sound && member.species > SpeciesCount)) {
            return {std::nullopt, Unsound::Species, member.species};
        }
        if (party.members.size() == MaxPartySize) {
            return {std::nullopt, Unsound::TooMany, 0};
        }
        party.members.push_back(member);
        at += step;
    }
    if (at >= limit || byteIn(image, at) != PartyEnd) {
        return {std::nullopt, Unsound::NoEnd, 0};
    }
    if (party.members.empty()) {
        return {std::nullopt, Unsound::Empty, 0};
    }
    return {std::move(party), Unsound::None, 0};
}

// Whether the list at next lies behind a run of zero bytes that starts at or after from: a list moved into
// the bank's free space (behind the margin Tavrik leaves there), with data that is no party before it.
bool followsFreeSpace(const Bytes& image, std::int32_t from, std::int32_t next)
{
    if (next - FreeSpaceMargin < from) {
        return false;
    }
    for (std::int32_t at = next - FreeSpaceMargin; at < next; ++at) {
        if (byteIn(image, at) != PartyEnd) {
            return false;
        }
    }
    return true;
}

// The parties from list.offset; next is where the next party list begins, or -1 for the highest, and other where
// the next list of evolutions and learnset or pointer table begins, or -1. A list followed by one of those ends as
// the highest does: at the first byte that cannot begin a sound party.
void readList(const Bytes& image, PartyList& list, std::int32_t next, std::int32_t other)
{
    const bool sealed = next < 0 || (other >= 0 && other < next);
    const std::int32_t limit = sealed ? (other >= 0 ? other : trainerBankEnd(image)) : next;
    // Most classes have a handful of parties; the rocket grunts several dozen.
    list.parties.reserve(8);
    std::int32_t at = list.offset;
    while (at < limit && byteIn(image, at) != PartyEnd) {
        PartyRead read = readParty(image, at, limit, true);
        if (!read.party && (sealed || followsFreeSpace(image, at, next))) {
            break;
        }
        if (!read.party) {
            read = readParty(image, at, limit, false);
        }
        if (!read.party) {
            list.problem = "party " + std::to_string(list.parties.size() + 1) + " is not one Tavrik can read (" +
                           reason(read) + ")";
            break;
        }
        at += partyLength(read.party->format, read.party->members.size());
        list.parties.push_back(std::move(*read.party));
    }
    list.end = at;
    // The zero bytes up to the next list are the list's own room; the highest list keeps its own length, and so
    // does a list followed by data that is not its own, or by zeros that do not reach the next list.
    const bool endsInZeros = at < limit && byteIn(image, at) == PartyEnd;
    const std::int32_t zeros = endsInZeros ? zerosEnd(image, at, limit) : at;
    const bool ownRoom = sealed ? other >= 0 && zeros == limit : endsInZeros;
    list.span = (ownRoom ? zeros : at) - list.offset;
}

// The first of starts (sorted) past offset, or -1.
std::int32_t firstAfter(const std::vector<std::int32_t>& starts, std::int32_t offset)
{
    const auto found = std::upper_bound(starts.begin(), starts.end(), offset);
    return found == starts.end() ? -1 : *found;
}

int decimalDigit(int nibble)
{
    return nibble <= 9 ? nibble : -1;
}

void readMoney(const Bytes& image, const VersionProfile& profile, int classNumber, ClassEntry& entry)
{
    const std::int32_t at = classMoneyOffset(profile, classNumber);
    // The record starts with the pointer to the class's portrait.
    if (trainerBankOffset(wordAt(image, at - 2)) < 0 || wordAt(image, at) < 0) {
        entry.moneyProblem = "the pointer to its portrait in front of it is not sound";
        return;
    }
    int money = 0;
    for (const std::uint8_t byte : {byteIn(image, at), byteIn(image, at + 1)}) {
        const int high = decimalDigit(byte >> 4);
        const int low = decimalDigit(byte & 0x0F);
        if (high < 0 || low < 0) {
            entry.moneyProblem = "its bytes are not decimal digits";
            return;
        }
        money = money * 100 + high * 10 + low;
    }
    entry.money = money;
}

} // namespace

std::int32_t partyLength(PartyFormat format, std::size_t members)
{
    return 2 + static_cast<std::int32_t>(members) * (format == PartyFormat::LevelEach ? 2 : 1);
}

Bytes partyBytes(PartyFormat format, const std::vector<PartyMember>& members)
{
    Bytes bytes;
    bytes.reserve(static_cast<std::size_t>(partyLength(format, members.size())));
    if (format == PartyFormat::LevelEach) {
        bytes.push_back(LevelMark);
        for (const PartyMember& member : members) {
            bytes.insert(bytes.end(), {member.level, member.species});
        }
    } else {
        bytes.push_back(members.empty() ? std::uint8_t{0} : members.front().level);
        for (const PartyMember& member : members) {
            bytes.push_back(member.species);
        }
    }
    bytes.push_back(PartyEnd);
    return bytes;
}

bool soundParty(const Party& party)
{
    const auto soundMember = [](const PartyMember& member) {
        return member.species >= 1 && member.species <= SpeciesCount;
    };
    return std::all_of(party.members.begin(), party.members.end(), soundMember) &&
           (party.format == PartyFormat::LevelEach || party.members.front().level <= MaxSharedLevel);
}

const PartyList* PartyTable::listOf(int classNumber) const
{
    const int list = entry(classNumber).list;
    return list < 0 ? nullptr : &lists[static_cast<std::size_t>(list)];
}

std::string PartyTable::problemOf(int classNumber) const
{
    const PartyList* list = listOf(classNumber);
    return list == nullptr ? std::string(entry(classNumber).problem) : list->problem;
}

const Party* PartyTable::party(int classNumber, int partyNumber) const
{
    const PartyList* list = listOf(classNumber);
    if (list == nullptr || partyNumber < 1 || partyNumber > static_cast<int>(list->parties.size())) {
        return nullptr;
    }
    return &list->parties[static_cast<std::size_t>(partyNumber - 1)];
}

PartyTable readPartyTable(const Bytes& image, const VersionProfile& profile)
{
    PartyTable table;
    // Where each class's pointer leads, in the order of the offsets, classes sharing one next to each other.
    std::vector<std::pair<std::int32_t, int>> classesAt;
    classesAt.reserve(TrainerClassCount);
    for (int classNumber = 1; classNumber <= TrainerClassCount; ++classNumber) {
        ClassEntry& entry = table.classes[static_cast<std::size_t>(classNumber - 1)];
        readMoney(image, profile, classNumber, entry);
        const int pointer = wordAt(image, profile.partyPointersOffset + 2 * (classNumber - 1));
        const std::int32_t offset = trainerBankOffset(pointer);
        if (pointer < 0) {
            entry.problem = "its pointer lies past the end of the file";
        } else if (offset < 0) {
            entry.problem = "its pointer leads out of the trainer bank";
        } else if (offset >= trainerBankEnd(image)) {
            entry.problem = "its pointer leads past the end of the file";
        } else {
            classesAt.emplace_back(offset, classNumber);
        }
    }
    sortMostlyInOrder(std::span(classesAt));
    // Where the other lists of the bank begin, and its pointer tables, which no party list runs through.
    std::vector<std::int32_t> others = bankPointerTargets(image, profile.evosMovesPointersOffset, SpeciesCount);
    for (const std::int32_t pointers : {profile.partyPointersOffset, profile.evosMovesPointersOffset}) {
        others.insert(std::upper_bound(others.begin(), others.end(), pointers), pointers);
    }
    table.lists.reserve(classesAt.size());
    for (auto at = classesAt.begin(); at != classesAt.end();) {
        PartyList list{at->first, {}, {}, at->first, 0, {}};
        for (; at != classesAt.end() && at->first == list.offset; ++at) {
            list.classes.push_back(at->second);
        }
        readList(image, list, at == classesAt.end() ? -1 : at->first, firstAfter(others, list.offset));
        for (const int classNumber : list.classes) {
            table.classes[static_cast<std::size_t>(classNumber - 1)].list = static_cast<int>(table.lists.size());
        }
        table.lists.push_back(std::move(list));
    }
    table.free = trailingFreeSpace(image, bankRange(TrainerBank));
    return table;
}

std::int32_t classMoneyOffset(const VersionProfile& profile, int classNumber)
{
    return profile.classMoneyOffset + 5 * (classNumber - 1) + 2;
}

Bytes moneyBytes(int money)
{
    const auto bcd = [](int value) { return static_cast<std::uint8_t>(value / 10 << 4 | value % 10); };
    return {bcd(money / 100 % 100), bcd(money % 100)};
}
