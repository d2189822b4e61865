#include "trainers/BankCheck.h"

#include "species/BaseStats.h"
#include "species/SpeciesProfile.h"

#include <algorithm>
#include <cstring>

namespace {

std::string classWord(int classNumber)
{
    return "trainer class " + std::to_string(classNumber);
}

bool sameNamesAndMoves(const std::array<TrainerPlaces, RosterSize>& before,
                       const std::array<TrainerPlaces, RosterSize>& after)
{
    for (std::size_t k = 0; k < before.size(); ++k) {
        if (before[k].name != after[k].name || before[k].specialMove != after[k].specialMove) {
            return false;
        }
    }
    return true;
}

// The first class whose parties or money read otherwise after the plan than the change means; 0 when none.
int classReadingOtherwise(const PartyTable& before, const PartyTable& after, const BankExpected& expected)
{
    for (int classNumber = 1; classNumber <= TrainerClassCount; ++classNumber) {
        const int index = before.entry(classNumber).list;
        const auto found = expected.parties.find(index);
        const PartyList* wanted = found != expected.parties.end() ? &found->second : before.listOf(classNumber);
        const PartyList* is = after.listOf(classNumber);
        const bool sameList = wanted == nullptr ? is == nullptr : is != nullptr && *is == *wanted;
        std::optional<int> expectedMoney = before.entry(classNumber).money;
        for (const MoneyChange& change : expected.money) {
            expectedMoney = change.classNumber == classNumber ? std::optional(change.money) : expectedMoney;
        }
        if (!sameList || after.entry(classNumber).money != expectedMoney) {
            return classNumber;
        }
    }
    return 0;
}

// The first species whose evolutions and learnset read otherwise after the plan than the change means; 0 when none.
int speciesReadingOtherwise(const EvosMovesTable& before, const EvosMovesTable& after, const BankExpected& expected)
{
    for (int species = 1; species <= SpeciesCount; ++species) {
        const int index = before.listIndex[static_cast<std::size_t>(species - 1)];
        const auto found = expected.evosMoves.find(index);
        const EvosMovesList* wanted = found != expected.evosMoves.end() ? &found->second : before.listOf(species);
        const EvosMovesList* is = after.listOf(species);
        if (wanted == nullptr ? is != nullptr : is == nullptr || !(*is == *wanted)) {
            return species;
        }
    }
    return 0;
}

// Whether every byte of the bank outside allowed is the same in copy as in image.
bool sameOutside(const Bytes& image, const Bytes& copy, std::vector<BankRange> allowed)
{
    std::sort(allowed.begin(), allowed.end(), [](const BankRange& a, const BankRange& b) { return a.start < b.start; });
    std::int32_t at = TrainerBankStart;
    const std::int32_t end = trainerBankEnd(image);
    for (const BankRange& range : allowed) {
        const std::int32_t stop = std::min(range.start, end);
        if (stop > at && std::memcmp(image.data() + at, copy.data() + at, static_cast<std::size_t>(stop - at)) != 0) {
            return false;
        }
        at = std::max(at, range.end);
    }
    return at >= end || std::memcmp(image.data() + at, copy.data() + at, static_cast<std::size_t>(end - at)) == 0;
}

// Whether the moves table and the base stats in the bank read in copy as the other writes make them: in a ROM whose
// lists lie over those tables, a list written there would change them.
bool sameTablesAsMeant(const Bytes& image, const VersionProfile& profile, const WritePlan& other, const Bytes& copy)
{
    const GameVersion version = profile.version;
    const std::int32_t moves = speciesProfile(version).moves;
    std::vector<BankRange> tables = {{moves, moves + MoveTableCount * MoveLength},
                                     {baseStatsOffset(version, 1), baseStatsOffset(version, 150) + BaseStatsLength}};
    if (bankRange(TrainerBank).contains(baseStatsOffset(version, PokedexNumbers))) {
        tables.push_back(
            {baseStatsOffset(version, PokedexNumbers), baseStatsOffset(version, PokedexNumbers) + BaseStatsLength});
    }
    for (const BankRange& table : tables) {
        if (table.end > std::ssize(copy)) {
            continue;
        }
        Bytes meant(image.begin() + table.start, image.begin() + table.end);
        for (const ByteWrite& write : other) {
            for (std::int32_t k = 0; k < std::ssize(write.bytes); ++k) {
                if (table.contains(write.offset + k)) {
                    meant[static_cast<std::size_t>(write.offset + k - table.start)] =
                        write.bytes[static_cast<std::size_t>(k)];
                }
            }
        }
        if (!std::equal(meant.begin(), meant.end(), copy.begin() + table.start)) {
            return false;
        }
    }
    return true;
}

} // namespace

void layOutParties(PartyList& list, std::int32_t offset)
{
    list.offset = offset;
    std::int32_t at = offset;
    for (Party& party : list.parties) {
        party.offset = at;
        at += partyLength(party.format, party.members.size());
    }
    list.end = at;
}

BankExpected expectedLists(const BankBefore& before,
                           const BankLists& lists,
                           const BankPlacement& placement,
                           const std::map<int, PartyList>& parties,
                           const std::map<int, EvosMoves>& evosMoves,
                           const std::vector<MoneyChange>& money)
{
    BankExpected expected;
    expected.money = money;
    for (std::size_t k = 0; k < lists.lists.size(); ++k) {
        const BankList& list = lists.lists[k];
        const std::int32_t at = placement.offsets[k];
        if (list.kind == BankListKind::Parties) {
            const auto changed = parties.find(list.index);
            if (changed != parties.end() || at != list.offset) {
                PartyList wanted = changed != parties.end()
                                       ? changed->second
                                       : before.parties.lists[static_cast<std::size_t>(list.index)];
                layOutParties(wanted, at);
                expected.parties.emplace(list.index, std::move(wanted));
            }
            continue;
        }
        const auto changed = evosMoves.find(list.index);
        if (changed != evosMoves.end() || at != list.offset) {
            EvosMovesList wanted = before.evosMoves.lists[static_cast<std::size_t>(list.index)];
            wanted.offset = at;
            if (changed != evosMoves.end()) {
                wanted.content = changed->second;
            }
            expected.evosMoves.emplace(list.index, std::move(wanted));
        }
    }
    return expected;
}

WriteStatus checkBank(const Bytes& image,
                      const VersionProfile& profile,
                      const BankBefore& before,
                      const BankLists& lists,
                      const BankExpected& expected,
                      const WritePlan& other,
                      BankWrite& write)
{
    const BankRange bank = bankRange(TrainerBank);
    WritePlan inBank;
    std::copy_if(other.begin(), other.end(), std::back_inserter(inBank), [&bank](const ByteWrite& run) {
        return bank.contains(run.offset);
    });
    const std::vector<BankRange> allowed = writableRanges(image, profile, lists, inBank);
    const WritePlan inBankOther = inBank;
    inBank.insert(inBank.end(), write.plan.begin(), write.plan.end());
    return checkOnCopy(image, inBank, {bank}, {bank}, [&](const Bytes& copy) -> WriteStatus {
        write.after = readPartyTable(copy, profile);
        if (const int classNumber = classReadingOtherwise(before.parties, write.after, expected)) {
            return refusal(FailureNumber::WouldMoveData,
                           "This save would change what the game reads for " + classWord(classNumber) +
                               " in this ROM, whose tables point into each other.");
        }
        write.evosMovesAfter = readEvosMovesTable(copy, profile);
        if (const int species = speciesReadingOtherwise(before.evosMoves, write.evosMovesAfter, expected)) {
            return refusal(FailureNumber::WouldMoveData,
                           "This save would change the evolutions and learnset the game reads for species " +
                               std::to_string(species) + " in this ROM, whose tables point into each other.");
        }
        const BankRange& moves = before.customMoves;
        const bool movesAsMeant =
            expected.customMoves
                ? readCustomMoves(copy, profile) == *expected.customMoves
                : std::equal(image.begin() + moves.start, image.begin() + moves.end, copy.begin() + moves.start);
        if (!sameNamesAndMoves(before.roster, locateRoster(copy, profile, write.after)) || !movesAsMeant) {
            return refusal(FailureNumber::WouldMoveData,
                           "This save would move where the game finds a trainer's name or special moves in this "
                           "ROM, whose tables point into each other.");
        }
        if (!sameTablesAsMeant(image, profile, inBankOther, copy)) {
            return refusal(FailureNumber::WouldMoveData,
                           "This save would change the moves or base stats the game reads in this ROM, whose tables "
                           "point into each other.");
        }
        if (!sameOutside(image, copy, allowed)) {
            return refusal(FailureNumber::WouldMoveData,
                           "This save would change bytes of the trainer bank that hold neither parties nor "
                           "evolutions and learnsets.");
        }
        return std::nullopt;
    });
}
