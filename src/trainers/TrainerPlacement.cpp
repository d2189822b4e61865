#include "trainers/TrainerPlacement.h"

#include "rom/modGameText.h"

#include <algorithm>
#include <cstring>

namespace {

// The party of a gym leader or Elite Four member starts with this mark: every member has its own level.
constexpr std::uint8_t LevelMark = 0xFF;
constexpr std::uint8_t PartyEnd = 0x00;
// The byte in front of each prize amount in the gym leaders' scripts.
constexpr std::uint8_t PrizeMark = 0x01;
// The special-move table sits between the return that ends the routine before it and the 0xFF that ends
// the Elite Four's list: 8 gym leader pairs and 4 Elite Four pairs of 2 bytes.
constexpr std::uint8_t SpecialMovesOpen = 0xC9;
constexpr std::uint8_t SpecialMovesClose = 0xFF;
constexpr std::int32_t SpecialMovesLength = 24;

std::int32_t bankEnd(const Bytes& image)
{
    return static_cast<std::int32_t>(std::min<std::size_t>(image.size(), TrainerBankEnd));
}

// The offset of the first byte value at or after from inside the trainer bank, or -1.
std::int32_t find(const Bytes& image, std::int32_t from, std::uint8_t value)
{
    const std::int32_t start = std::max(from, TrainerBankStart);
    if (start >= bankEnd(image)) {
        return -1;
    }
    const auto* found = static_cast<const std::uint8_t*>(
        std::memchr(image.data() + start, value, static_cast<std::size_t>(bankEnd(image) - start)));
    return found == nullptr ? -1 : static_cast<std::int32_t>(found - image.data());
}

GroupPlace notInPlace(const char* problem)
{
    return {Placement::NotInPlace, 0, 0, problem};
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

// Every class's name, by one walk over the table: class c's name follows c - 1 terminators.
std::array<GroupPlace, TrainerClassCount + 1> locateNames(const Bytes& image, const VersionProfile& profile)
{
    std::array<GroupPlace, TrainerClassCount + 1> names;
    std::int32_t start = profile.classNamesOffset;
    for (int classNumber = 1; classNumber <= TrainerClassCount; ++classNumber) {
        const std::int32_t end = start < 0 ? -1 : find(image, start, GameText::Terminator);
        names[static_cast<std::size_t>(classNumber)] = nameBetween(start, end);
        start = end < 0 ? -1 : end + 1;
    }
    return names;
}

GroupPlace locateParty(const Bytes& image, const VersionProfile& profile, const TrainerClass& trainerClass)
{
    const auto pointerAt = static_cast<std::size_t>(profile.partyPointersOffset + 2 * (trainerClass.number - 1));
    if (pointerAt + 1 >= image.size()) {
        return notInPlace("its pointer lies past the end of the file");
    }
    const int pointer = image[pointerAt] | image[pointerAt + 1] << 8;
    if (pointer < 0x4000 || pointer > 0x7FFF) {
        return notInPlace("its pointer leads out of the trainer bank");
    }
    std::int32_t start = TrainerBankPointerBase + pointer;
    for (int skipped = 1; skipped < trainerClass.party; ++skipped) {
        const std::int32_t end = find(image, start, PartyEnd);
        if (end < 0) {
            return notInPlace("the parties before it run out of the trainer bank");
        }
        start = end + 1;
    }
    if (start >= bankEnd(image) || image[static_cast<std::size_t>(start)] != LevelMark) {
        return notInPlace("it lacks the 0xFF mark of a party with a level for each member");
    }
    int members = 0;
    std::int32_t level = start + 1;
    while (level < bankEnd(image) && image[static_cast<std::size_t>(level)] != PartyEnd) {
        if (++members > MaxPartySize) {
            return notInPlace("it has more than 6 members");
        }
        level += 2;
    }
    if (level >= bankEnd(image)) {
        return notInPlace("it has no end inside the trainer bank");
    }
    if (members == 0) {
        return notInPlace("it has no members");
    }
    return {Placement::InPlace, start + 1, members, ""};
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
    const std::int32_t table = *profile.specialMoveTableOffset;
    if (!byteIs(image, table - 1, SpecialMovesOpen) || !byteIs(image, table + SpecialMovesLength, SpecialMovesClose)) {
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
    const auto names = locateNames(image, profile);
    std::array<TrainerPlaces, RosterSize> roster;
    for (int rosterIndex = 0; rosterIndex < RosterSize; ++rosterIndex) {
        const TrainerClass& trainer = trainerClass(rosterIndex);
        roster[static_cast<std::size_t>(rosterIndex)] = {names[static_cast<std::size_t>(trainer.number)],
                                                         locateParty(image, profile, trainer),
                                                         checkPrize(image, trainerLayout(profile.version, rosterIndex)),
                                                         checkSpecialMove(image, profile, rosterIndex)};
    }
    return roster;
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
    const TrainerLayout& layout = trainerLayout(profile.version, rosterIndex);
    return places.party.inPlace() &&
           (places.party.offset != layout.partyOffset || places.party.length != layout.partySize);
}
