#include "trainers/TrainerPlacement.h"

#include "rom/modGameText.h"

#include <algorithm>
#include <cstring>

namespace {

// The byte in front of each prize amount in the gym leaders' scripts.
constexpr std::uint8_t PrizeMark = 0x01;
// The special-move table sits between the return that ends the routine before it and the 0xFF that ends
// the Elite Four's list: 8 gym leader pairs and 4 Elite Four pairs of 2 bytes.
constexpr std::uint8_t SpecialMovesOpen = 0xC9;
constexpr std::uint8_t SpecialMovesClose = 0xFF;
constexpr std::int32_t SpecialMovesLength = 24;

// The offset of the first byte value at or after from inside the trainer bank, or -1.
std::int32_t find(const Bytes& image, std::int32_t from, std::uint8_t value)
{
    const std::int32_t start = std::max(from, TrainerBankStart);
    if (start >= trainerBankEnd(image)) {
        return -1;
    }
    const auto* found = static_cast<const std::uint8_t*>(
        std::memchr(image.data() + start, value, static_cast<std::size_t>(trainerBankEnd(image) - start)));
    return found == nullptr ? -1 : static_cast<std::int32_t>(found - image.data());
}

GroupPlace notInPlace(std::string problem)
{
    return {Placement::NotInPlace, 0, 0, std::move(problem)};
}

GroupPlace nameBetween(std::int32_t start, std::int32_t end)
{
    if (start < 0) {
        return notInPlace("the table of class names ends before it");
    }
    if (end < 0) {
        return notInPlace("it has no end inside the trainer bank");
    }
    if (end == start) {
        return notInPlace("it is empty");
    }
    if (end - start > MaxNameLength) {
        return notInPlace("it is longer than the 12 characters the game shows");
    }
    return {Placement::InPlace, start, end - start, ""};
}

GroupPlace locateParty(const PartyTable& table, const TrainerClass& trainer)
{
    const ClassEntry& entry = table.entry(trainer.number);
    const PartyList* list = table.listOf(trainer.number);
    if (list == nullptr) {
        return notInPlace(std::string(entry.problem));
    }
    if (!list->editable()) {
        return notInPlace("its class's list of parties cannot be read to its end: " + list->problem);
    }
    const Party* party = table.party(trainer.number, trainer.party);
    if (party == nullptr) {
        return notInPlace("its class has " + std::to_string(list->parties.size()) + " parties, not " +
                          std::to_string(trainer.party));
    }
    return {Placement::InPlace, party->offset, static_cast<int>(party->members.size()), ""};
}

bool byteIs(const Bytes& image, std::int32_t offset, std::uint8_t value)
{
    return offset >= 0 && static_cast<std::size_t>(offset) < image.size() &&
           image[static_cast<std::size_t>(offset)] == value;
}

GroupPlace checkPrize(const Bytes& image, const TrainerLayout& layout)
{
    if (!layout.prizeAmountOffset) {
        return {};
    }
    if (!byteIs(image, *layout.prizeAmountOffset - 1, PrizeMark)) {
        return notInPlace("the byte before its amount is not the game's 0x01");
    }
    return {Placement::InPlace, *layout.prizeAmountOffset, 0, ""};
}

GroupPlace checkSpecialMove(const Bytes& image, const VersionProfile& profile, int rosterIndex)
{
    const TrainerLayout& layout = trainerLayout(profile.version, rosterIndex);
    if (!profile.specialMovesEditable || !profile.specialMoveTableOffset || !layout.specialMoveOffset) {
        return {};
    }
    if (!specialMoveTableInPlace(image, profile)) {
        return notInPlace("the table of special moves is not framed by the game's 0xC9 and 0xFF");
    }
    // The Elite Four's moves follow their class numbers.
    const auto classNumber = static_cast<std::uint8_t>(trainerClass(rosterIndex).number);
    if (!layout.specialMoveUserOffset && !byteIs(image, *layout.specialMoveOffset - 1, classNumber)) {
        return notInPlace("the byte before it is not its trainer class");
    }
    return {Placement::InPlace, *layout.specialMoveOffset, 0, ""};
}

} // namespace

bool TrainerPlaces::anyInPlace() const
{
    return name.inPlace() || party.inPlace() || prize.inPlace() || specialMove.inPlace();
}

std::vector<std::pair<const char*, const GroupPlace*>> TrainerPlaces::notInPlace() const
{
    std::vector<std::pair<const char*, const GroupPlace*>> groups;
    const std::pair<const char*, const GroupPlace*> all[] = {
        {"name", &name}, {"party", &party}, {"prize", &prize}, {"special move", &specialMove}};
    for (const auto& group : all) {
        if (group.second->state == Placement::NotInPlace) {
            groups.push_back(group);
        }
    }
    return groups;
}

std::array<TrainerPlaces, RosterSize> locateRoster(const Bytes& image, const VersionProfile& profile)
{
    return locateRoster(image, profile, readPartyTable(image, profile));
}

std::array<TrainerPlaces, RosterSize>
locateRoster(const Bytes& image, const VersionProfile& profile, const PartyTable& table)
{
    const auto names = locateClassNames(image, profile);
    std::array<TrainerPlaces, RosterSize> roster;
    for (int rosterIndex = 0; rosterIndex < RosterSize; ++rosterIndex) {
        const TrainerClass& trainer = trainerClass(rosterIndex);
        roster[static_cast<std::size_t>(rosterIndex)] = {names[static_cast<std::size_t>(trainer.number - 1)],
                                                         locateParty(table, trainer),
                                                         checkPrize(image, trainerLayout(profile.version, rosterIndex)),
                                                         checkSpecialMove(image, profile, rosterIndex)};
    }
    return roster;
}

// Every class's name, by one walk over the table: class c's name follows c - 1 terminators.
std::array<GroupPlace, TrainerClassCount> locateClassNames(const Bytes& image, const VersionProfile& profile)
{
    std::array<GroupPlace, TrainerClassCount> names;
    std::int32_t start = profile.classNamesOffset;
    for (auto& name : names) {
        const std::int32_t end = start < 0 ? -1 : find(image, start, GameText::Terminator);
        name = nameBetween(start, end);
        start = end < 0 ? -1 : end + 1;
    }
    return names;
}

bool specialMoveTableInPlace(const Bytes& image, const VersionProfile& profile)
{
    if (!profile.specialMoveTableOffset) {
        return false;
    }
    const std::int32_t table = *profile.specialMoveTableOffset;
    return byteIs(image, table - 1, SpecialMovesOpen) && byteIs(image, table + SpecialMovesLength, SpecialMovesClose);
}

TrainerPlaces locateTrainer(const Bytes& image, const VersionProfile& profile, int rosterIndex)
{
    return locateRoster(image, profile).at(static_cast<std::size_t>(rosterIndex));
}

bool nameMoved(const TrainerPlaces& places, const VersionProfile& profile, int rosterIndex)
{
    const TrainerLayout& layout = trainerLayout(profile.version, rosterIndex);
    return places.name.inPlace() &&
           (places.name.offset != layout.nameOffset || places.name.length != layout.nameMaxLength);
}

bool partyMoved(const TrainerPlaces& places, const VersionProfile& profile, int rosterIndex)
{
    // The released game's party begins with its 0xFF mark, one byte before member 1's level.
    return places.party.inPlace() && places.party.offset != trainerLayout(profile.version, rosterIndex).partyOffset - 1;
}
