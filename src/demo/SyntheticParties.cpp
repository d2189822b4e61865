#include "demo/SyntheticParties.h"

#include "trainers/PartyTable.h"
#include "trainers/TrainerLayout.h"

#include <algorithm>
#include <stdexcept>

namespace {

// The classes whose pointer leads to the list of the class after them.
constexpr int SharingClasses[] = {13, 27};
// A party of one level for all takes 2 bytes and its species; one with a level for each 2 and 2 per member.
constexpr int ShortestParty = 3;
constexpr int LongestShortParty = 8;

bool shares(int classNumber)
{
    return std::find(std::begin(SharingClasses), std::end(SharingClasses), classNumber) != std::end(SharingClasses);
}

int rosterIndexOf(int classNumber)
{
    for (int rosterIndex = 0; rosterIndex < RosterSize; ++rosterIndex) {
        if (trainerClass(rosterIndex).number == classNumber) {
            return rosterIndex;
        }
    }
    return -1;
}

void put(Bytes& image, std::int32_t offset, const Bytes& bytes)
{
    std::copy(bytes.begin(), bytes.end(), image.begin() + offset);
}

void putPointer(Bytes& image, GameVersion version, int classNumber, std::int32_t offset)
{
    put(image, profileOf(version).partyPointersOffset + 2 * (classNumber - 1), trainerBankPointer(offset));
}

// An invented party of exactly length bytes (3..14), the form alternating with seed where both fit.
Bytes inventedParty(int length, int seed)
{
    const bool sameLevel = length <= LongestShortParty && (length % 2 == 1 || seed % 2 == 0);
    const int members = sameLevel ? length - 2 : (length - 2) / 2;
    std::vector<PartyMember> party;
    for (int member = 0; member < members; ++member) {
        party.push_back({static_cast<std::uint8_t>(sameLevel ? 5 + seed % 60 : 3 + (seed + 7 * member) % 97),
                         static_cast<std::uint8_t>(1 + (seed * 11 + member * 29) % SpeciesCount)});
    }
    return partyBytes(sameLevel ? PartyFormat::SameLevel : PartyFormat::LevelEach, party);
}

// Fills [start, end) with one list for each class of classes, each of one or more invented parties.
void fillLists(Bytes& image, GameVersion version, const std::vector<int>& classes, std::int32_t start, std::int32_t end)
{
    std::int32_t at = start;
    for (std::size_t k = 0; k < classes.size(); ++k) {
        const std::int32_t listEnd = at + (end - at) / static_cast<std::int32_t>(classes.size() - k);
        if (listEnd - at < ShortestParty) {
            throw std::logic_error("the invented lists do not fit between the roster's parties");
        }
        putPointer(image, version, classes[k], at);
        if (shares(classes[k] - 1)) {
            putPointer(image, version, classes[k] - 1, at);
        }
        for (int seed = classes[k] * 7; at < listEnd; ++seed) {
            const std::int32_t left = listEnd - at;
            // Leave room for one more party, or take all that is left.
            std::int32_t length = left <= LongestShortParty ? left : std::min(4 + seed % 11, left - ShortestParty);
            if (length > LongestShortParty && length % 2 == 1) {
                --length;
            }
            const Bytes party = inventedParty(length, seed);
            put(image, at, party);
            at += static_cast<std::int32_t>(party.size());
        }
    }
}

// The invented parties a roster class has before its roster party: only the gym leader whose roster party
// is his third has any.
Bytes partiesBefore(int rosterIndex)
{
    Bytes bytes;
    for (int party = 1; party < trainerClass(rosterIndex).party; ++party) {
        const Bytes invented = inventedParty(party % 2 == 0 ? 6 : 8, party);
        bytes.insert(bytes.end(), invented.begin(), invented.end());
    }
    return bytes;
}

std::int32_t rosterListStart(GameVersion version, int rosterIndex)
{
    // The roster party begins with its 0xFF mark, one byte before member 1's level.
    return trainerLayout(version, rosterIndex).partyOffset - 1 -
           static_cast<std::int32_t>(partiesBefore(rosterIndex).size());
}

// A roster class's list with its roster party at the released position; returns where the list ends.
std::int32_t putRosterList(Bytes& image, GameVersion version, int rosterIndex)
{
    const TrainerLayout& layout = trainerLayout(version, rosterIndex);
    std::vector<PartyMember> members;
    for (int member = 0; member < layout.partySize; ++member) {
        members.push_back({static_cast<std::uint8_t>(12 + 4 * rosterIndex + member),
                           static_cast<std::uint8_t>(1 + (7 * rosterIndex + 13 * member) % SpeciesCount)});
    }
    const std::int32_t start = rosterListStart(version, rosterIndex);
    Bytes list = partiesBefore(rosterIndex);
    const Bytes party = partyBytes(PartyFormat::LevelEach, members);
    list.insert(list.end(), party.begin(), party.end());
    put(image, start, list);
    putPointer(image, version, trainerClass(rosterIndex).number, start);
    return start + static_cast<std::int32_t>(list.size());
}

} // namespace

std::int32_t releasedFreeSpaceStart(GameVersion version)
{
    return version == GameVersion::Yellow ? 0x3BBAA : 0x3BBE6;
}

void putPartyLists(Bytes& image, GameVersion version)
{
    std::int32_t at = profileOf(version).partyPointersOffset + 2 * TrainerClassCount;
    std::vector<int> invented;
    for (int classNumber = 1; classNumber <= TrainerClassCount; ++classNumber) {
        const int rosterIndex = rosterIndexOf(classNumber);
        if (rosterIndex < 0) {
            if (!shares(classNumber)) {
                invented.push_back(classNumber);
            }
            continue;
        }
        // The invented lists fill the room up to this roster list.
        fillLists(image, version, invented, at, rosterListStart(version, rosterIndex));
        invented.clear();
        at = putRosterList(image, version, rosterIndex);
    }
    // What follows the highest list in the released games begins with a byte no party begins with.
    const std::int32_t freeStart = releasedFreeSpaceStart(version);
    image[static_cast<std::size_t>(at)] = version == GameVersion::Yellow ? 0xFA : 0xA7;
    for (std::int32_t code = at + 1; code < freeStart; ++code) {
        image[static_cast<std::size_t>(code)] = static_cast<std::uint8_t>(0xC0 + code % 0x30);
    }
    std::fill(image.begin() + freeStart, image.begin() + TrainerBankEnd, 0x00);
}

int syntheticMoney(int classNumber)
{
    return 10 + 35 * classNumber % 90 + (classNumber >= 29 ? 50 : 0);
}

void putClassMoney(Bytes& image, GameVersion version)
{
    for (int classNumber = 1; classNumber <= TrainerClassCount; ++classNumber) {
        const std::int32_t money = classMoneyOffset(profileOf(version), classNumber);
        // A stand-in pointer to the class's portrait, then the money in packed decimal and its unused third byte.
        put(image, money - 2, {static_cast<std::uint8_t>(classNumber), 0x40});
        Bytes bytes = moneyBytes(syntheticMoney(classNumber));
        bytes.push_back(0x00);
        put(image, money, bytes);
    }
}

void putCustomMoves(Bytes& image, GameVersion version)
{
    if (version != GameVersion::Yellow) {
        return;
    }
    // Where Yellow keeps the table, and the loop of its party reading routine that looks a class and party up in
    // it: ld a, [wTrainerClass] / ld b, a / ld a, [wTrainerNo] / ld c, a / ld hl, table / ld a, [hli] / cp $ff /
    // jr z / cp b / jr nz / ld a, [hli] / cp c / jr nz / ld d, h / ld e, l.
    constexpr std::int32_t Table = 0x39C6B;
    constexpr std::int32_t Lookup = 0x39C1F;
    put(image, Lookup, {0xFA, 0x31, 0xD0, 0x47, 0xFA, 0x5E, 0xD0, 0x4F, 0x21, 0x6B, 0x5C, 0x2A, 0xFE,
                        0xFF, 0x28, 0x2E, 0xB8, 0x20, 0x1C, 0x2A, 0xB9, 0x20, 0x18, 0x54, 0x5D});
    // Class, party, then (member, slot, move) triples ended by 0x00; 0xFF ends the table.
    const Bytes table = {2, 1, 1, 2, 33, 1, 3, 40, 0, 35, 1, 2, 2, 57, 0, 15, 1, 1, 3, 21, 2, 3, 22, 0, 0xFF};
    put(image, Table, table);
}
