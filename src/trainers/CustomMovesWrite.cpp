#include "trainers/CustomMovesWrite.h"

#include "rom/DisplayText.h"
#include "trainers/TrainerBank.h"

#include <algorithm>
#include <string>
#include <utility>

namespace {

constexpr int MaxMember = 6;
constexpr int MaxSlot = 4;

std::optional<std::string> entryProblem(const CustomMoveEntry& entry)
{
    if (entry.classNumber < 1 || entry.classNumber > TrainerClassCount || entry.partyNumber < 1 ||
        entry.partyNumber > 0xFE) {
        return "an entry names class " + std::to_string(entry.classNumber) + ", party " +
               std::to_string(entry.partyNumber) + ", which the game has no party for";
    }
    for (const CustomMove& move : entry.moves) {
        if (move.member < 1 || move.member > MaxMember || move.slot < 1 || move.slot > MaxSlot || move.move == 0) {
            return "a custom move needs a member of 1-6, a move slot of 1-4 and a move";
        }
    }
    return std::nullopt;
}

} // namespace

Bytes customMovesBytes(const std::vector<CustomMoveEntry>& table)
{
    Bytes bytes;
    for (const CustomMoveEntry& entry : table) {
        bytes.push_back(static_cast<std::uint8_t>(entry.classNumber));
        bytes.push_back(static_cast<std::uint8_t>(entry.partyNumber));
        for (const CustomMove& move : entry.moves) {
            bytes.insert(bytes.end(),
                         {static_cast<std::uint8_t>(move.member), static_cast<std::uint8_t>(move.slot), move.move});
        }
        bytes.push_back(0x00);
    }
    bytes.push_back(0xFF);
    return bytes;
}

std::vector<CustomMoveEntry> withCustomMoves(const std::vector<CustomMoveEntry>& table,
                                             int classNumber,
                                             int partyNumber,
                                             const std::vector<CustomMove>& moves)
{
    std::vector<CustomMoveEntry> changed = table;
    const auto isParty = [&](const CustomMoveEntry& entry) {
        return entry.classNumber == classNumber && entry.partyNumber == partyNumber;
    };
    if (moves.empty()) {
        std::erase_if(changed, isParty);
        return changed;
    }
    if (const auto first = std::find_if(changed.begin(), changed.end(), isParty); first != changed.end()) {
        first->moves = moves;
    } else {
        changed.push_back({classNumber, partyNumber, moves});
    }
    return changed;
}

Result<CustomMovesPlacement>
planCustomMoves(const Bytes& image, const VersionProfile& profile, const std::vector<CustomMoveEntry>& table)
{
    if (!profile.customMovesOffset) {
        return refusal(FailureNumber::NotInPlace, std::string(profile.title) + " keeps no custom moves table.");
    }
    const BankRange range = customMovesRange(image, profile);
    // A table that reads is exactly its bytes again; anything else has no end the game would find.
    const Bytes now = customMovesBytes(readCustomMoves(image, profile));
    const auto have = range.end - range.start;
    if (range.end <= range.start || std::ssize(now) != have ||
        !std::equal(now.begin(), now.end(), image.begin() + range.start)) {
        return refusal(FailureNumber::NotInPlace, "The custom moves table has no end inside the trainer bank.");
    }
    for (const CustomMoveEntry& entry : table) {
        if (const auto problem = entryProblem(entry)) {
            return refusal(FailureNumber::ValueNotStorable, "The custom moves cannot be stored: " + *problem + ".");
        }
    }
    const Bytes bytes = customMovesBytes(table);
    // In front of the party pointers, the zero bytes up to them belong to the table: nothing else lies there.
    const std::int32_t pointers = profile.partyPointersOffset;
    const std::int32_t room = range.start < pointers && range.end <= pointers
                                  ? zerosEnd(image, range.end, std::min(pointers, trainerBankEnd(image)))
                                  : range.end;
    const auto pointer = customMovesPointer(image, profile);
    PointedBlock block{range.start, have, room - range.start, {}};
    if (pointer) {
        block.pointers.push_back(*pointer);
    }
    if (auto inPlace = placeInPlace(block, now, bytes)) {
        return CustomMovesPlacement{std::move(*inPlace), std::nullopt};
    }
    if (!pointer) {
        return refusal(FailureNumber::NoRoomInBank,
                       "The custom moves table would need " + groupedNumber(std::ssize(bytes) - block.span) +
                           " bytes more than it has where it lies, and Tavrik cannot move it: the game's code that "
                           "reads it is not where Yellow has it in this ROM.");
    }
    FreeSpace free = trailingFreeSpace(image, {TrainerBankStart, trainerBankEnd(image)});
    auto moved = placeInFreeSpace(block, bytes, free);
    if (!moved) {
        return refusal(FailureNumber::NoRoomInBank,
                       "The custom moves table needs " + groupedNumber(std::ssize(bytes)) +
                           " bytes and has no room for them: " + groupedNumber(block.span) + " where it lies, " +
                           groupedNumber(free.room()) + " in the free space at the end of the trainer bank.");
    }
    return CustomMovesPlacement{std::move(moved->plan), moved->move};
}

std::string customMovesMoveNote(const BlockMove& move)
{
    return freeSpaceNote("The custom moves table", move);
}
