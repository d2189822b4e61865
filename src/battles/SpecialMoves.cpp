#include "battles/SpecialMoves.h"

#include "trainers/TrainerLayout.h"
#include "trainers/TrainerPlacement.h"

#include <algorithm>

namespace {

constexpr std::uint8_t TableEnd = 0xFF;
// The Elite Four's (class, move) pairs follow the gym leaders' 8 (user, move) pairs.
constexpr std::int32_t TeamMovesAt = 16;
constexpr int ChampionParties = 3;

std::uint8_t byteAt(const Bytes& image, std::int32_t offset)
{
    return image[static_cast<std::size_t>(offset)];
}

bool inImage(const Bytes& image, std::int32_t offset)
{
    return offset >= 0 && static_cast<std::size_t>(offset) < image.size();
}

void readRedBlue(const Bytes& image, const VersionProfile& profile, SpecialMoves& special)
{
    if (const auto champion = readChampionMoves(image, profile)) {
        special.champion = *champion;
    } else {
        special.championProblem = champion.failure().description;
    }
    if (!profile.specialMovesEditable || !specialMoveTableInPlace(image, profile)) {
        return;
    }
    for (int rosterIndex = 0; rosterIndex < GymLeaderCount; ++rosterIndex) {
        const TrainerLayout& layout = trainerLayout(profile.version, rosterIndex);
        if (layout.specialMoveUserOffset && layout.specialMoveOffset && inImage(image, *layout.specialMoveOffset) &&
            inImage(image, *layout.specialMoveUserOffset)) {
            const TrainerClass& trainer = trainerClass(rosterIndex);
            special.leaders.push_back({trainer.number,
                                       trainer.party,
                                       byteAt(image, *layout.specialMoveUserOffset),
                                       byteAt(image, *layout.specialMoveOffset)});
        }
    }
    for (std::int32_t at = *profile.specialMoveTableOffset + TeamMovesAt;
         inImage(image, at + 1) && byteAt(image, at) != TableEnd;
         at += 2) {
        special.teamMoves.emplace_back(byteAt(image, at), byteAt(image, at + 1));
    }
}

void setMove(std::vector<Battler>& battlers, int member, int slot, std::uint8_t move, MoveOrigin origin)
{
    if (member < 1 || member > static_cast<int>(battlers.size()) || slot < 1 || slot > MoveSlots) {
        return;
    }
    Battler& battler = battlers[static_cast<std::size_t>(member - 1)];
    battler.moves[static_cast<std::size_t>(slot - 1)] = move;
    battler.origin[static_cast<std::size_t>(slot - 1)] = origin;
}

void applyRedBlue(const SpecialMoves& special, int classNumber, int partyNumber, std::vector<Battler>& battlers)
{
    const auto leader = std::find_if(special.leaders.begin(), special.leaders.end(), [&](const LeaderMove& entry) {
        return entry.classNumber == classNumber && entry.partyNumber == partyNumber;
    });
    if (leader != special.leaders.end()) {
        setMove(battlers, leader->user + 1, SpecialMoveSlot, leader->move, MoveOrigin::GymLeader);
        return;
    }
    const auto team = std::find_if(special.teamMoves.begin(), special.teamMoves.end(), [&](const auto& entry) {
        return entry.first == classNumber;
    });
    if (team != special.teamMoves.end()) {
        setMove(battlers, TeamMoveMember, SpecialMoveSlot, team->second, MoveOrigin::TeamMove);
    } else if (classNumber == ChampionClass && special.champion) {
        setMove(battlers, 1, SpecialMoveSlot, special.champion->first, MoveOrigin::Champion);
        setMove(battlers,
                MaxPartySize,
                SpecialMoveSlot,
                championStarterMove(*special.champion, partyNumber),
                MoveOrigin::Champion);
    }
}

} // namespace

SpecialMoves readSpecialMoves(const Bytes& image, const VersionProfile& profile)
{
    SpecialMoves special;
    if (profile.customMovesOffset) {
        special.custom = readCustomMoves(image, profile);
    } else {
        readRedBlue(image, profile, special);
    }
    return special;
}

std::uint8_t championStarterMove(const ChampionMoves& moves, int partyNumber)
{
    if (partyNumber == 2) {
        return moves.bulbasaur;
    }
    return partyNumber == ChampionParties ? moves.charmander : moves.otherwise;
}

void applySpecialMoves(const SpeciesData& data,
                       const SpecialMoves& special,
                       int classNumber,
                       int partyNumber,
                       PartyFormat format,
                       std::vector<Battler>& battlers)
{
    for (const CustomMove& move : customMovesOf(special.custom, classNumber, partyNumber)) {
        setMove(battlers, move.member, move.slot, move.move, MoveOrigin::Custom);
    }
    if (format == PartyFormat::LevelEach) {
        applyRedBlue(special, classNumber, partyNumber, battlers);
    }
    for (Battler& battler : battlers) {
        battler.pp = movePps(data, battler.moves);
    }
}

std::vector<Battler> partyBattlers(const SpeciesData& data,
                                   const SpecialMoves& special,
                                   int classNumber,
                                   int partyNumber,
                                   PartyFormat format,
                                   std::span<const PartyMember> members)
{
    std::vector<Battler> battlers;
    battlers.reserve(members.size());
    for (const PartyMember& member : members) {
        battlers.push_back(trainerBattler(data, member.species, member.level));
    }
    applySpecialMoves(data, special, classNumber, partyNumber, format, battlers);
    return battlers;
}
