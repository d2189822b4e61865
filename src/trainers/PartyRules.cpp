#include "trainers/PartyRules.h"

#include "trainers/TrainerLayout.h"
#include "trainers/TrainerPlacement.h"

#include <algorithm>
#include <array>

namespace {

constexpr std::uint8_t TableEnd = 0xFF;
constexpr std::uint8_t EntryEnd = 0x00;
// The Elite Four's (class, move) pairs follow the gym leaders' 8 (user, move) pairs.
constexpr std::int32_t TeamMovesAt = 16;

std::uint8_t byteAt(const Bytes& image, std::int32_t offset)
{
    return image[static_cast<std::size_t>(offset)];
}

// Walks Yellow's table from its start: each entry's class and party, then its triples up to 0x00, up to the
// 0xFF that ends the table. Returns whether the table ends inside the bank; at is then one past its 0xFF, or
// where the walk stopped.
template <typename Entry, typename Triple>
bool walkCustomMoves(const Bytes& image, std::int32_t& at, std::int32_t end, Entry entry, Triple triple)
{
    while (at + 2 <= end && byteAt(image, at) != TableEnd) {
        entry(byteAt(image, at), byteAt(image, at + 1));
        for (at += 2; at < end && byteAt(image, at) != EntryEnd; at += 3) {
            if (at + 3 > end) {
                return false;
            }
            triple(byteAt(image, at), byteAt(image, at + 1), byteAt(image, at + 2));
        }
        if (++at > end) {
            return false;
        }
    }
    return at++ < end;
}

// The team move of a class in Red and Blue, when the special-move table is where the game keeps it.
std::optional<std::uint8_t> teamMove(const Bytes& image, const VersionProfile& profile, int classNumber)
{
    if (!profile.specialMovesEditable || !specialMoveTableInPlace(image, profile)) {
        return std::nullopt;
    }
    for (std::int32_t at = *profile.specialMoveTableOffset + TeamMovesAt; byteAt(image, at) != TableEnd; at += 2) {
        if (byteAt(image, at) == classNumber) {
            return byteAt(image, at + 1);
        }
    }
    return std::nullopt;
}

// The special-move user byte the ROM holds for a gym leader's party, if this is one.
std::optional<int> romSpecialMoveUser(const Bytes& image, const VersionProfile& profile, int classNumber, int party)
{
    if (!profile.specialMovesEditable || !specialMoveTableInPlace(image, profile)) {
        return std::nullopt;
    }
    for (int rosterIndex = 0; rosterIndex < GymLeaderCount; ++rosterIndex) {
        const TrainerClass& trainer = trainerClass(rosterIndex);
        const auto& userOffset = trainerLayout(profile.version, rosterIndex).specialMoveUserOffset;
        if (trainer.number == classNumber && trainer.party == party && userOffset) {
            return byteAt(image, *userOffset);
        }
    }
    return std::nullopt;
}

} // namespace

std::optional<std::int32_t> customMovesPointer(const Bytes& image, const VersionProfile& profile)
{
    if (!profile.customMovesOffset) {
        return std::nullopt;
    }
    // ld hl, table / ld a, [hli] / cp $ff / jr z / cp b / jr nz / ld a, [hli] / cp c / jr nz / ld d, h / ld e, l:
    // the loop that looks the class and party up, -1 where any operand may stand.
    constexpr std::array<int, 17> Loop = {
        0x21, -1, -1, 0x2A, 0xFE, 0xFF, 0x28, -1, 0xB8, 0x20, -1, 0x2A, 0xB9, 0x20, -1, 0x54, 0x5D};
    const std::int32_t end = trainerBankEnd(image) - static_cast<std::int32_t>(Loop.size());
    std::optional<std::int32_t> found;
    for (std::int32_t at = TrainerBankStart; at <= end; ++at) {
        // The first bytes of the loop after the operand rule out almost every place at once.
        if (byteAt(image, at + 3) != 0x2A || byteAt(image, at + 4) != 0xFE || byteAt(image, at) != 0x21) {
            continue;
        }
        bool match = true;
        for (std::size_t k = 5; k < Loop.size() && match; ++k) {
            match = Loop[k] < 0 || byteAt(image, at + static_cast<std::int32_t>(k)) == Loop[k];
        }
        if (match && found) {
            // Twice: which one the game runs is not for Tavrik to guess.
            return std::nullopt;
        }
        found = match ? std::optional<std::int32_t>(at + 1) : found;
    }
    return found;
}

std::optional<std::int32_t> customMovesStart(const Bytes& image, const VersionProfile& profile)
{
    if (!profile.customMovesOffset) {
        return std::nullopt;
    }
    const auto pointer = customMovesPointer(image, profile);
    return pointer ? trainerBankOffset(wordAt(image, *pointer)) : *profile.customMovesOffset;
}

std::vector<CustomMoveEntry> readCustomMoves(const Bytes& image, const VersionProfile& profile)
{
    std::vector<CustomMoveEntry> table;
    const auto start = customMovesStart(image, profile);
    if (!start || *start < TrainerBankStart || *start >= trainerBankEnd(image)) {
        return table;
    }
    std::int32_t at = *start;
    const bool ends = walkCustomMoves(
        image,
        at,
        trainerBankEnd(image),
        [&table](std::uint8_t classNumber, std::uint8_t party) {
            table.push_back({classNumber, party, {}});
        },
        [&table](std::uint8_t member, std::uint8_t slot, std::uint8_t move) {
            table.back().moves.push_back({member, slot, move});
        });
    return ends ? table : std::vector<CustomMoveEntry>{};
}

BankRange customMovesRange(const Bytes& image, const VersionProfile& profile)
{
    const auto start = customMovesStart(image, profile);
    if (!start || *start < TrainerBankStart || *start >= trainerBankEnd(image)) {
        return {};
    }
    std::int32_t at = *start;
    const auto nothing = [](auto...) {};
    walkCustomMoves(image, at, trainerBankEnd(image), nothing, nothing);
    return {*start, std::max(*start, std::min(at, trainerBankEnd(image)))};
}

bool customMovesReadable(const Bytes& image, const VersionProfile& profile)
{
    const auto start = customMovesStart(image, profile);
    if (!start || *start < TrainerBankStart || *start >= trainerBankEnd(image)) {
        return false;
    }
    std::int32_t at = *start;
    const auto nothing = [](auto...) {};
    return walkCustomMoves(image, at, trainerBankEnd(image), nothing, nothing);
}

std::vector<CustomMove> customMovesOf(const std::vector<CustomMoveEntry>& table, int classNumber, int partyNumber)
{
    // The game stops at the first entry for the class and party: any after it is never read.
    const auto entry = std::find_if(table.begin(), table.end(), [&](const CustomMoveEntry& e) {
        return e.classNumber == classNumber && e.partyNumber == partyNumber;
    });
    return entry != table.end() ? entry->moves : std::vector<CustomMove>{};
}

std::vector<CustomMove> customMovesWithout(const std::vector<CustomMove>& moves, int member)
{
    std::vector<CustomMove> kept;
    for (CustomMove move : moves) {
        if (move.member != member) {
            move.member -= move.member > member ? 1 : 0;
            kept.push_back(move);
        }
    }
    return kept;
}

std::vector<LostMove> lostMoves(const Bytes& image,
                                const VersionProfile& profile,
                                int classNumber,
                                int partyNumber,
                                int memberCount,
                                std::optional<int> specialMoveUser,
                                const std::optional<std::vector<CustomMove>>& customMoves)
{
    std::vector<LostMove> lost;
    if (!specialMoveUser) {
        specialMoveUser = romSpecialMoveUser(image, profile, classNumber, partyNumber);
    }
    if (specialMoveUser && *specialMoveUser >= memberCount) {
        lost.push_back({LostMoveKind::SpecialMoveUser, *specialMoveUser + 1, 3, 0});
    }
    if (const auto move = teamMove(image, profile, classNumber); move && memberCount < TeamMoveMember) {
        lost.push_back({LostMoveKind::TeamMove, TeamMoveMember, 3, *move});
    }
    if (profile.specialMovesEditable && classNumber == ChampionClass && memberCount < MaxPartySize) {
        lost.push_back({LostMoveKind::StarterMove, MaxPartySize, 3, 0});
    }
    const std::vector<CustomMove> custom =
        customMoves ? *customMoves : customMovesOf(readCustomMoves(image, profile), classNumber, partyNumber);
    for (const CustomMove& move : custom) {
        if (move.member > memberCount) {
            lost.push_back({LostMoveKind::CustomMove, move.member, move.slot, move.move});
        }
    }
    return lost;
}
