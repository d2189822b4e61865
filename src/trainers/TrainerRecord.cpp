#include "trainers/TrainerRecord.h"

#include "rom/DisplayText.h"
#include "rom/modGameText.h"

#include <algorithm>

namespace {

std::uint8_t byteAt(const Bytes& image, std::int32_t offset)
{
    return image.at(static_cast<std::size_t>(offset));
}

std::string decodedName(const Bytes& image, const GroupPlace& name)
{
    return DecodeText(
        std::span(image).subspan(static_cast<std::size_t>(name.offset), static_cast<std::size_t>(name.length)));
}

std::string nameAt(const Bytes& image, const GroupPlace& name)
{
    return trimBlanks(decodedName(image, name));
}

void planByte(WritePlan& plan, std::optional<std::int32_t> offset, std::optional<std::uint8_t> value)
{
    if (offset && value) {
        plan.push_back({*offset, {*value}});
    }
}

// The prize pair, item first: it lies one byte after the amount.
void planPrize(WritePlan& plan, const TrainerLayout& layout, const TrainerRecord& edited)
{
    planByte(plan, layout.prizeItemOffset(), edited.prizeItem);
    planByte(plan, layout.prizeAmountOffset, edited.prizeAmount);
}

void planSpecialMove(WritePlan& plan, const TrainerLayout& layout, const TrainerRecord& edited)
{
    planByte(plan, layout.specialMoveOffset, edited.specialMove);
    planByte(plan, layout.specialMoveUserOffset, edited.specialMoveUser);
}

// In a ROM whose tables point into each other, new bytes for one trainer could end another's party or
// name early, or take away a byte the game keeps beside it. A save may shorten its own party (a level
// of 0 ends it there) but never empty it, and never move anything else.
WriteStatus
checkNothingElseMoves(const Bytes& image, const VersionProfile& profile, int rosterIndex, const WritePlan& plan)
{
    // Where names, parties and special moves are found depends on the trainer bank alone (the prizes lie
    // in other banks, at bytes no other trainer's write reaches), so the check works on a copy of the
    // bank, kept from one save to the next.
    static thread_local Bytes bank;
    const std::size_t end = std::min<std::size_t>(image.size(), TrainerBankEnd);
    bank.resize(end);
    if (end > TrainerBankStart) {
        std::copy(image.begin() + TrainerBankStart,
                  image.begin() + static_cast<std::ptrdiff_t>(end),
                  bank.begin() + TrainerBankStart);
    }
    for (const ByteWrite& write : plan) {
        const auto at = static_cast<std::size_t>(write.offset);
        for (std::size_t k = 0; k < write.bytes.size() && at + k < end; ++k) {
            bank[at + k] = write.bytes[k];
        }
    }
    const auto before = locateRoster(image, profile);
    const auto after = locateRoster(bank, profile);
    for (int other = 0; other < RosterSize; ++other) {
        const TrainerPlaces& was = before[static_cast<std::size_t>(other)];
        TrainerPlaces is = after[static_cast<std::size_t>(other)];
        if (other == rosterIndex && is.party.inPlace() && is.party.offset == was.party.offset) {
            is.party.length = was.party.length;
        }
        if (is.name != was.name || is.party != was.party || is.specialMove != was.specialMove) {
            return Failure{FailureNumber::WouldMoveData,
                           "This save would move where the game finds " +
                               (other == rosterIndex ? std::string("this trainer's party")
                                                     : "the data of roster entry " + std::to_string(other + 1)) +
                               " in this ROM, whose tables point into each other. Nothing was written."};
        }
    }
    return std::nullopt;
}

} // namespace

LoadedTrainer readTrainer(const Bytes& image, const VersionProfile& profile, int rosterIndex)
{
    const TrainerLayout& layout = trainerLayout(profile.version, rosterIndex);
    LoadedTrainer loaded{locateTrainer(image, profile, rosterIndex), {}};
    const TrainerPlaces& places = loaded.places;
    TrainerRecord& record = loaded.record;
    if (places.name.inPlace()) {
        record.name = nameAt(image, places.name);
    }
    if (places.party.inPlace()) {
        record.party.emplace();
        for (int member = 0; member < places.party.length; ++member) {
            const std::int32_t level = places.party.offset + 2 * member;
            record.party->push_back({byteAt(image, level), byteAt(image, level + 1)});
        }
    }
    if (places.specialMove.inPlace()) {
        record.specialMove = byteAt(image, *layout.specialMoveOffset);
        if (layout.specialMoveUserOffset) {
            record.specialMoveUser = byteAt(image, *layout.specialMoveUserOffset);
        }
    }
    if (places.prize.inPlace()) {
        record.prizeItem = byteAt(image, *layout.prizeItemOffset());
        record.prizeAmount = byteAt(image, *layout.prizeAmountOffset);
    }
    return loaded;
}

Result<TrainerWrite> planTrainerWrite(const Bytes& image,
                                      const VersionProfile& profile,
                                      int rosterIndex,
                                      const LoadedTrainer& loaded,
                                      const TrainerRecord& edited)
{
    const TrainerLayout& layout = trainerLayout(profile.version, rosterIndex);
    const TrainerPlaces now = locateTrainer(image, profile, rosterIndex);
    TrainerWrite write;
    // A group is written only where it was loaded from; one that moved or vanished since is left alone.
    const auto stillThere = [&write](const GroupPlace& then, const GroupPlace& current, const char* group) {
        if (then.inPlace() && current != then) {
            write.leftAlone.emplace_back(group);
            return false;
        }
        return then.inPlace();
    };
    if (edited.name && stillThere(loaded.places.name, now.name, "name")) {
        const auto field = encodeNameField(*edited.name, now.name.length);
        if (!field) {
            return field.failure();
        }
        // A name that reads as it is stored keeps its bytes: the field may hold bytes the decoder does
        // not show, and re-encoding the shown text would drop them.
        if (nameAt(image, now.name) != trimBlanks(*edited.name)) {
            write.plan.push_back({now.name.offset, *field});
        }
    }
    if (edited.party && stillThere(loaded.places.party, now.party, "party")) {
        // One run: each member's level, then its species.
        Bytes pairs;
        for (std::size_t member = 0;
             member < edited.party->size() && member < static_cast<std::size_t>(now.party.length);
             ++member) {
            pairs.insert(pairs.end(), {(*edited.party)[member].level, (*edited.party)[member].species});
        }
        write.plan.push_back({now.party.offset, pairs});
    }
    const bool prize = stillThere(loaded.places.prize, now.prize, "prize");
    const bool specialMove = stillThere(loaded.places.specialMove, now.specialMove, "special move");
    // Red and Blue write the last four gym leaders' special move before their prize; the finished file
    // is the same either way, only a failure midway shows the order.
    const bool moveFirst = rosterIndex >= 4 && rosterIndex <= 7;
    if (specialMove && moveFirst) {
        planSpecialMove(write.plan, layout, edited);
    }
    if (prize) {
        planPrize(write.plan, layout, edited);
    }
    if (specialMove && !moveFirst) {
        planSpecialMove(write.plan, layout, edited);
    }
    if (auto failure = checkNothingElseMoves(image, profile, rosterIndex, write.plan)) {
        return *failure;
    }
    return write;
}

WriteStatus
writeTrainer(const RomTarget& rom, int rosterIndex, const LoadedTrainer& loaded, const TrainerRecord& edited)
{
    const VersionProfile& profile = *rom.profile;
    if (!loaded.places.anyInPlace()) {
        return Failure{FailureNumber::NotInPlace,
                       "None of this trainer's data is where " + std::string(profile.title) +
                           " keeps it, so nothing was written."};
    }
    const auto image = rom.readAgain();
    if (!image) {
        return image.failure();
    }
    const auto write = planTrainerWrite(*image, profile, rosterIndex, loaded, edited);
    if (!write) {
        return write.failure();
    }
    if (auto failure = applyWritePlan(rom.path, write->plan)) {
        return failure;
    }
    if (!write->leftAlone.empty()) {
        std::string groups;
        for (const std::string& group : write->leftAlone) {
            groups += (groups.empty() ? "" : " and ") + group;
        }
        return Failure{FailureNumber::NotInPlace,
                       "The " + groups + " of this trainer moved in the file since it was loaded, so " +
                           (write->leftAlone.size() == 1 ? "it was" : "they were") +
                           " not written. Everything else was saved. Pick the trainer again to see the file as "
                           "it is now."};
    }
    return std::nullopt;
}

Result<Bytes> encodeNameField(std::string_view name, int fieldLength)
{
    Bytes field = EncodeText(name);
    if (std::find(field.begin(), field.end(), GameText::Terminator) != field.end()) {
        return Failure{FailureNumber::NameSplitsTable,
                       "The name \"" + std::string(name) +
                           "\" contains the end-of-name byte (\"\\\" or \"\\h50\"), which would shift the "
                           "names of other trainers in the game. Nothing of this trainer was written."};
    }
    field.resize(static_cast<std::size_t>(fieldLength), GameText::Space);
    return field;
}

std::vector<std::string> readRoster(const Bytes& image, const VersionProfile& profile)
{
    std::vector<std::string> entries;
    const auto roster = locateRoster(image, profile);
    for (int rosterIndex = 0; rosterIndex < RosterSize; ++rosterIndex) {
        const TrainerPlaces& places = roster[static_cast<std::size_t>(rosterIndex)];
        if (!places.name.inPlace()) {
            entries.push_back("Trainer " + std::to_string(rosterIndex + 1));
            continue;
        }
        const std::string name = decodedName(image, places.name);
        entries.push_back(characterCount(name) < RosterNameBytes ? fitText(name, RosterNameBytes) : name);
    }
    return entries;
}
