#include "trainers/TrainerRecord.h"

#include "rom/DisplayText.h"
#include "rom/modGameText.h"
#include "trainers/CustomMovesWrite.h"

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

} // namespace

LoadedTrainer readTrainer(const Bytes& image, const VersionProfile& profile, int rosterIndex)
{
    return readTrainer(image, profile, readPartyTable(image, profile), rosterIndex);
}

LoadedTrainer readTrainer(const Bytes& image, const VersionProfile& profile, const PartyTable& table, int rosterIndex)
{
    const TrainerLayout& layout = trainerLayout(profile.version, rosterIndex);
    LoadedTrainer loaded{locateRoster(image, profile, table).at(static_cast<std::size_t>(rosterIndex)), {}};
    const TrainerPlaces& places = loaded.places;
    TrainerRecord& record = loaded.record;
    if (places.name.inPlace()) {
        record.name = nameAt(image, places.name);
    }
    if (places.party.inPlace()) {
        const TrainerClass& trainer = trainerClass(rosterIndex);
        record.party = table.party(trainer.number, trainer.party)->members;
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
    if (const auto champion = readChampionMoves(image, profile)) {
        record.champion = *champion;
    }
    if (customMovesReadable(image, profile)) {
        const TrainerClass& trainer = trainerClass(rosterIndex);
        record.customMoves = customMovesOf(readCustomMoves(image, profile), trainer.number, trainer.party);
    }
    return loaded;
}

Result<TrainerWrite> planTrainerWrite(const Bytes& image,
                                      const VersionProfile& profile,
                                      int rosterIndex,
                                      const LoadedTrainer& loaded,
                                      const TrainerRecord& edited)
{
    return planTrainerWrite(image, profile, readPartyTable(image, profile), rosterIndex, loaded, edited);
}

Result<TrainerWrite> planTrainerWrite(const Bytes& image,
                                      const VersionProfile& profile,
                                      const PartyTable& table,
                                      int rosterIndex,
                                      const LoadedTrainer& loaded,
                                      const TrainerRecord& edited)
{
    const TrainerLayout& layout = trainerLayout(profile.version, rosterIndex);
    const TrainerPlaces now = locateRoster(image, profile, table).at(static_cast<std::size_t>(rosterIndex));
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
    std::vector<PartyChange> party;
    if (edited.party && stillThere(loaded.places.party, now.party, "party") && edited.party != loaded.record.party) {
        const TrainerClass& trainer = trainerClass(rosterIndex);
        party.push_back({trainer.number, trainer.party, *edited.party});
    }
    // The party comes after the name; its writes are checked with everything else of the save.
    const std::size_t partyAt = write.plan.size();
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
    if (edited.champion && loaded.record.champion && edited.champion != loaded.record.champion) {
        // The operands are written only while the code around them is still the game's.
        if (const auto champion = planChampionMoves(image, profile, *edited.champion)) {
            write.plan.insert(write.plan.end(), champion->begin(), champion->end());
        } else {
            write.leftAlone.emplace_back("champion's moves");
        }
    }
    // Yellow's custom moves go into the table with the party's list, while the party's entry is as loaded.
    std::optional<std::vector<CustomMoveEntry>> customTable;
    if (edited.customMoves && loaded.record.customMoves && edited.customMoves != loaded.record.customMoves) {
        const TrainerClass& trainer = trainerClass(rosterIndex);
        const std::vector<CustomMoveEntry> present = readCustomMoves(image, profile);
        if (customMovesReadable(image, profile) &&
            customMovesOf(present, trainer.number, trainer.party) == *loaded.record.customMoves) {
            customTable = withCustomMoves(present, trainer.number, trainer.party, *edited.customMoves);
        } else {
            write.leftAlone.emplace_back("custom moves");
        }
    }
    auto bank = planBankChange(image, profile, {party, {}, {}, customTable}, write.plan, table);
    if (!bank) {
        return bank.failure();
    }
    write.plan.insert(write.plan.begin() + static_cast<std::ptrdiff_t>(partyAt), bank->plan.begin(), bank->plan.end());
    write.bank = {bank->relocations, bank->repack, {}, bank->customMovesMove};
    return write;
}

Result<BankSaved> writeTrainer(const RomTarget& rom,
                               int rosterIndex,
                               const LoadedTrainer& loaded,
                               const TrainerRecord& edited,
                               const std::string& label,
                               const CommitOptions& options)
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
    const auto commit = commitSave(rom.path, *image, write->plan, label, options);
    if (!commit) {
        return commit.failure();
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
    BankSaved saved = write->bank;
    saved.commit = *commit;
    return saved;
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
    return readRoster(image, profile, readPartyTable(image, profile));
}

std::vector<std::string> readRoster(const Bytes& image, const VersionProfile& profile, const PartyTable& parties)
{
    std::vector<std::string> entries;
    const auto roster = locateRoster(image, profile, parties);
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

std::vector<std::string> readClassNames(const Bytes& image, const VersionProfile& profile)
{
    std::vector<std::string> names;
    for (const GroupPlace& name : locateClassNames(image, profile)) {
        names.push_back(name.inPlace() ? nameAt(image, name) : std::string());
    }
    return names;
}
