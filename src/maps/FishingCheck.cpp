#include "maps/FishingCheck.h"

#include "maps/MapNames.h"
#include "rom/DisplayText.h"
#include "rom/SpacePlan.h"

#include <algorithm>
#include <tuple>

namespace {

bool sameSuperRod(const SuperRod& was, const SuperRod& now, int map, const FishingExpected& expected)
{
    const SuperRodGroup* group = now.groupOf(map);
    if (const auto edited = expected.superRod.find(map); edited != expected.superRod.end()) {
        return group != nullptr && group->pokemon == edited->second;
    }
    const SuperRodRow* before = was.rowOf(map);
    const SuperRodRow* after = now.rowOf(map);
    if (before == nullptr || after == nullptr) {
        return before == after;
    }
    const SuperRodGroup* old = was.groupOf(map);
    return (old == nullptr) == (group == nullptr) && (old == nullptr || old->pokemon == group->pokemon);
}

} // namespace

std::string bankName(int bank)
{
    return "bank " + (bank < 10 ? std::to_string(bank) : hexNumber(bank, 2));
}

std::vector<BankRange> mapTableRanges(const MapTable& table)
{
    const MapProfile& profile = mapProfile(table.version);
    std::vector<BankRange> ranges{{profile.wildPointers, wildPointerOffset(profile, profile.mapCount) + 2},
                                  {profile.headerPointers, profile.headerPointers + 2 * profile.mapCount},
                                  {profile.headerBanks, profile.headerBanks + profile.mapCount}};
    for (const WildTable& wild : table.wild) {
        ranges.push_back({wild.offset, wild.offset + wild.length});
    }
    return ranges;
}

bool writesOver(const WritePlan& plan, const std::vector<BankRange>& ranges)
{
    return std::any_of(plan.begin(), plan.end(), [&](const ByteWrite& write) {
        return std::any_of(ranges.begin(), ranges.end(), [&](const BankRange& range) {
            return range.start < write.offset + std::ssize(write.bytes) && write.offset < range.end;
        });
    });
}

std::vector<BankRange> fishingWritable(const FishingTable& fishing, const FreeSpace& free)
{
    std::vector<BankRange> ranges;
    if (fishing.oldRod.readable()) {
        ranges.push_back({fishing.oldRod.offset, fishing.oldRod.offset + 2});
    }
    if (fishing.goodRod.readable()) {
        ranges.push_back({fishing.goodRod.offset, fishing.goodRod.offset + 2 * GoodRodSlots});
    }
    const SuperRod& superRod = fishing.superRod;
    if (superRod.readable()) {
        ranges.push_back({superRod.pointerOffset, superRod.pointerOffset + 2});
        ranges.push_back({superRod.offset, superRod.offset + superRod.length});
        for (const SuperRodGroup& group : superRod.groups) {
            ranges.push_back({group.offset, group.offset + group.length});
        }
        ranges.push_back({free.start, bankRange(superRod.bank).end});
    }
    return ranges;
}

WriteStatus verifyFishing(const MapTable& table,
                          const Bytes& before,
                          const Bytes& after,
                          const FishingExpected& expected,
                          const std::vector<BankRange>& writable)
{
    const FishingTable& was = table.fishing;
    const FishingTable now = readFishing(after, table.version);
    for (const auto& [name, rod, wasRod, slots] :
         {std::tuple{"Old Rod", &now.oldRod, &was.oldRod, &expected.oldRod},
          std::tuple{"Good Rod", &now.goodRod, &was.goodRod, &expected.goodRod}}) {
        if (rod->pokemon != *slots || rod->problem != wasRod->problem || rod->offset != wasRod->offset) {
            return refusal(FailureNumber::WouldMoveData,
                           std::string("This save would change what the game reads for the ") + name + ".");
        }
    }
    if (now.superRod.problem != was.superRod.problem || now.superRod.chances != was.superRod.chances) {
        return refusal(FailureNumber::WouldMoveData, "This save would change how the game reads the super rod.");
    }
    for (int map = 0; map < SuperRodRowsEnd; ++map) {
        if (!sameSuperRod(was.superRod, now.superRod, map, expected)) {
            return refusal(FailureNumber::WouldMoveData,
                           "This save would change what the game reads for the super rod Pokémon of " +
                               std::string(mapName(table.version, map)) + ".");
        }
    }
    for (const int bank : {RodBank, was.superRod.bank}) {
        if (!sameOutside(before, after, bankRange(bank), writable)) {
            return refusal(FailureNumber::WouldMoveData,
                           "This save would change " + bankName(bank) + " outside the rods' Pokémon.");
        }
    }
    return std::nullopt;
}
