#include "battles/ChampionCode.h"

#include "rom/DisplayText.h"

#include <array>

namespace {

// A byte of code that may be anything: a RAM address the branch does not depend on for its moves.
constexpr int Any = -1;

// .ChampionRival: ld a, SKY_ATTACK; ld [wEnemyMon1Moves + 2], a; ld a, [wRivalStarter]; cp STARTER3 (BULBASAUR);
// ld b, MEGA_DRAIN; jr z, .give; cp STARTER1 (CHARMANDER); ld b, FIRE_BLAST; jr z, .give; ld b, BLIZZARD;
// .give: ld a, b; ld [wEnemyMon6Moves + 2], a.
constexpr std::array<int, 26> ChampionCodeBytes = {0x3E, Any,
                                                   0xEA, Any,
                                                   Any,  0xFA,
                                                   Any,  Any,
                                                   0xFE, ChampionBulbasaur,
                                                   0x06, Any,
                                                   0x28, 0x08,
                                                   0xFE, ChampionCharmander,
                                                   0x06, Any,
                                                   0x28, 0x02,
                                                   0x06, Any,
                                                   0x78, 0xEA,
                                                   Any,  Any};
// Red and Blue keep the branch at the same place of the trainer bank.
constexpr std::int32_t ChampionCodeOffset = 0x39CE9;
constexpr std::int32_t FirstOperand = 1;
constexpr std::int32_t BulbasaurOperand = 11;
constexpr std::int32_t CharmanderOperand = 17;
constexpr std::int32_t OtherwiseOperand = 21;

std::uint8_t byteAt(const Bytes& image, std::int32_t offset)
{
    return image[static_cast<std::size_t>(ChampionCodeOffset + offset)];
}

std::optional<Failure> codeProblem(const Bytes& image, const VersionProfile& profile)
{
    if (profile.version == GameVersion::Yellow) {
        return Failure{FailureNumber::NotInPlace,
                       "Pokémon Yellow gives its champion's party its moves from the custom moves table."};
    }
    const auto end = static_cast<std::size_t>(ChampionCodeOffset) + ChampionCodeBytes.size();
    bool same = image.size() >= end;
    for (std::size_t k = 0; same && k < ChampionCodeBytes.size(); ++k) {
        same = ChampionCodeBytes[k] == Any ||
               image[static_cast<std::size_t>(ChampionCodeOffset) + k] == ChampionCodeBytes[k];
    }
    if (!same) {
        return Failure{FailureNumber::NotInPlace,
                       "The code that gives the champion's moves at " + hexNumber(ChampionCodeOffset, 5) +
                           " is not the game's."};
    }
    return std::nullopt;
}

} // namespace

Result<ChampionMoves> readChampionMoves(const Bytes& image, const VersionProfile& profile)
{
    if (auto problem = codeProblem(image, profile)) {
        return *problem;
    }
    return ChampionMoves{byteAt(image, FirstOperand),
                         byteAt(image, BulbasaurOperand),
                         byteAt(image, CharmanderOperand),
                         byteAt(image, OtherwiseOperand)};
}

Result<WritePlan> planChampionMoves(const Bytes& image, const VersionProfile& profile, const ChampionMoves& moves)
{
    if (auto problem = codeProblem(image, profile)) {
        return refusal(problem->number, problem->description);
    }
    WritePlan plan;
    const std::pair<std::int32_t, std::uint8_t> operands[] = {{FirstOperand, moves.first},
                                                              {BulbasaurOperand, moves.bulbasaur},
                                                              {CharmanderOperand, moves.charmander},
                                                              {OtherwiseOperand, moves.otherwise}};
    for (const auto& [operand, move] : operands) {
        if (byteAt(image, operand) != move) {
            plan.push_back({ChampionCodeOffset + operand, {move}});
        }
    }
    return plan;
}
