#include "trainers/TrainerRecord.h"

#include "app/RomSession.h"
#include "rom/DisplayText.h"
#include "rom/HexFunctions.h"
#include "rom/modGameText.h"
#include "trainers/TrainerLayout.h"

#include <algorithm>

namespace {

Result<std::uint8_t> readByte(const std::string& path, std::int32_t offset)
{
    const auto hex = ReadHex(path, offset, 1);
    if (!hex) {
        return hex.failure();
    }
    return ByteFromHex(*hex);
}

// Reads the byte at offset into target when the layout has that offset.
WriteStatus
readOptional(const std::string& path, std::optional<std::int32_t> offset, std::optional<std::uint8_t>& target)
{
    if (!offset) {
        return std::nullopt;
    }
    const auto byte = readByte(path, *offset);
    if (!byte) {
        return byte.failure();
    }
    target = *byte;
    return std::nullopt;
}

WriteStatus
writeOptional(const std::string& path, std::optional<std::int32_t> offset, std::optional<std::uint8_t> value)
{
    if (!offset || !value) {
        return std::nullopt;
    }
    return WriteHex(path, *offset, HexByte(*value));
}

// The prize pair, item first: it lies one byte after the amount.
WriteStatus writePrize(const std::string& path, const TrainerLayout& layout, const TrainerRecord& record)
{
    if (auto failure = writeOptional(path, layout.prizeItemOffset(), record.prizeItem)) {
        return failure;
    }
    return writeOptional(path, layout.prizeAmountOffset, record.prizeAmount);
}

WriteStatus writeSpecialMove(const std::string& path,
                             const VersionProfile& profile,
                             const TrainerLayout& layout,
                             const TrainerRecord& record)
{
    if (!profile.specialMovesEditable) {
        return std::nullopt;
    }
    if (auto failure = writeOptional(path, layout.specialMoveOffset, record.specialMove)) {
        return failure;
    }
    return writeOptional(path, layout.specialMoveUserOffset, record.specialMoveUser);
}

} // namespace

Result<TrainerRecord> readTrainer(const std::string& path, const VersionProfile& profile, int rosterIndex)
{
    const TrainerLayout& layout = trainerLayout(profile.version, rosterIndex);
    TrainerRecord record;
    for (int member = 0; member < layout.partySize; ++member) {
        const auto level = readByte(path, layout.levelOffset(member));
        if (!level) {
            return level.failure();
        }
        const auto species = readByte(path, layout.speciesOffset(member));
        if (!species) {
            return species.failure();
        }
        record.party.push_back({*level, *species});
    }
    if (profile.specialMovesEditable) {
        if (auto failure = readOptional(path, layout.specialMoveOffset, record.specialMove)) {
            return *failure;
        }
        if (auto failure = readOptional(path, layout.specialMoveUserOffset, record.specialMoveUser)) {
            return *failure;
        }
    }
    if (auto failure = readOptional(path, layout.prizeItemOffset(), record.prizeItem)) {
        return *failure;
    }
    if (auto failure = readOptional(path, layout.prizeAmountOffset, record.prizeAmount)) {
        return *failure;
    }
    auto file = RomFile::open(path, RomFile::Mode::Read);
    if (!file) {
        return file.failure();
    }
    const auto nameBytes = file.value().read(layout.nameOffset, RosterNameBytes);
    if (!nameBytes) {
        return nameBytes.failure();
    }
    record.name = trimBlanks(fitText(DecodeText(*nameBytes), RosterNameBytes));
    return record;
}

WriteStatus
writeTrainer(const std::string& path, const VersionProfile& profile, int rosterIndex, const TrainerRecord& record)
{
    const TrainerLayout& layout = trainerLayout(profile.version, rosterIndex);
    const auto nameField = encodeNameField(record.name, layout.nameMaxLength);
    if (!nameField) {
        return nameField.failure();
    }
    if (record.party.size() != static_cast<std::size_t>(layout.partySize)) {
        return Failure{FailureNumber::NotLoaded,
                       "The party of this trainer was not loaded completely; nothing was written."};
    }
    if (auto failure = verifyRomBeforeWrite(path, profile)) {
        return failure;
    }
    auto file = RomFile::open(path, RomFile::Mode::ReadWrite);
    if (!file) {
        return file.failure();
    }
    // A name that reads the same as the one in the file keeps its bytes: the field may hold bytes the
    // decoder does not show, and re-encoding the shown text would drop them.
    const auto storedName = file.value().read(layout.nameOffset, RosterNameBytes);
    if (!storedName) {
        return storedName.failure();
    }
    const bool nameUnchanged = trimBlanks(fitText(DecodeText(*storedName), RosterNameBytes)) == trimBlanks(record.name);
    if (!nameUnchanged) {
        if (auto failure = file.value().write(layout.nameOffset, *nameField)) {
            return failure;
        }
    }
    for (int member = 0; member < layout.partySize; ++member) {
        const PartyMember& values = record.party[static_cast<std::size_t>(member)];
        if (auto failure = WriteHex(path, layout.levelOffset(member), HexByte(values.level))) {
            return failure;
        }
        if (auto failure = WriteHex(path, layout.speciesOffset(member), HexByte(values.species))) {
            return failure;
        }
    }
    // Red and Blue write the last four gym leaders' special move before their prize; the finished file
    // is the same either way, only a failure midway shows the order.
    const bool moveFirst = profile.specialMovesEditable && rosterIndex >= 4 && rosterIndex <= 7;
    if (moveFirst) {
        if (auto failure = writeSpecialMove(path, profile, layout, record)) {
            return failure;
        }
    }
    if (auto failure = writePrize(path, layout, record)) {
        return failure;
    }
    if (!moveFirst) {
        if (auto failure = writeSpecialMove(path, profile, layout, record)) {
            return failure;
        }
    }
    return file.value().sync();
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

Result<std::vector<std::string>> readRoster(RomFile& file, const VersionProfile& profile)
{
    std::vector<std::string> entries;
    for (int rosterIndex = 0; rosterIndex < RosterSize; ++rosterIndex) {
        const auto bytes = file.read(trainerLayout(profile.version, rosterIndex).nameOffset, RosterNameBytes);
        if (!bytes) {
            return bytes.failure();
        }
        entries.push_back(fitText(DecodeText(*bytes), RosterNameBytes));
    }
    return entries;
}
