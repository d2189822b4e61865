#include "trainers/BankPlan.h"

#include "rom/DisplayText.h"

#include <algorithm>
#include <cstring>

namespace {

// Unchanged bytes between two changed runs of a layout are written again when there are at most this many, so
// that a layout of the whole bank is a few writes rather than one per list.
constexpr std::int32_t RunGap = 16;

// The writes that turn the bank of image into target, runs close to each other written as one.
WritePlan differences(const Bytes& image, const Bytes& target, std::int32_t start)
{
    const auto size = static_cast<std::int32_t>(target.size());
    const auto same = [&](std::int32_t at) {
        return target[static_cast<std::size_t>(at)] == image[static_cast<std::size_t>(start + at)];
    };
    // Equal stretches are passed a block at a time: most of the bank is the same before and after.
    constexpr std::int32_t Block = 64;
    WritePlan plan;
    for (std::int32_t at = 0; at < size;) {
        if (at + Block <= size && std::memcmp(target.data() + at, image.data() + start + at, Block) == 0) {
            at += Block;
            continue;
        }
        if (same(at)) {
            ++at;
            continue;
        }
        std::int32_t end = at + 1;
        for (std::int32_t probe = end; probe < size && probe - end <= RunGap; ++probe) {
            end = same(probe) ? end : probe + 1;
        }
        plan.push_back({start + at, Bytes(target.begin() + at, target.begin() + end)});
        at = end;
    }
    return plan;
}

Bytes bytesOf(const Bytes& image, const BankList& list)
{
    return Bytes(image.begin() + list.offset, image.begin() + list.end);
}

std::vector<std::int32_t> offsetsOf(const BankLists& lists)
{
    std::vector<std::int32_t> offsets;
    offsets.reserve(lists.lists.size());
    for (const BankList& list : lists.lists) {
        offsets.push_back(list.offset);
    }
    return offsets;
}

} // namespace

std::string byteCount(std::int32_t bytes)
{
    return groupedNumber(bytes) + (bytes == 1 ? " byte" : " bytes");
}

Result<BankPlacement> placeOneByOne(const Bytes& image,
                                    const VersionProfile& profile,
                                    const BankLists& lists,
                                    const std::vector<ChangedList>& changed)
{
    BankPlacement placement;
    placement.offsets = offsetsOf(lists);
    FreeSpace free = lists.free;
    for (const ChangedList& change : changed) {
        const BankList& list = lists.lists[change.list];
        const PointedBlock block{list.offset, list.end - list.offset, list.span, pointersOf(list, profile)};
        const auto length = std::max<std::int32_t>(static_cast<std::int32_t>(change.bytes.size()), block.length);
        const Bytes was(image.begin() + list.offset,
                        image.begin() + list.offset + std::min<std::int32_t>(length, std::max(block.span, 0)));
        if (const auto inPlace = placeInPlace(block, was, change.bytes)) {
            placement.plan.insert(placement.plan.end(), inPlace->begin(), inPlace->end());
            continue;
        }
        if (!change.cannotEnd.empty()) {
            return refusal(FailureNumber::PartyNotStorable,
                           change.what +
                               " outgrow their place and would move to the free space at the end of the trainer "
                               "bank, where " +
                               change.cannotEnd + ", would end them.");
        }
        const auto placed = placeInFreeSpace(block, change.bytes, free);
        if (!placed) {
            return refusal(FailureNumber::NoRoomInBank,
                           change.what + " would need " + byteCount(static_cast<std::int32_t>(change.bytes.size())) +
                               ", more than their place holds, and the free space at the end of the trainer bank "
                               "has room for " +
                               std::to_string(free.room()) + ".");
        }
        placement.plan.insert(placement.plan.end(), placed->plan.begin(), placed->plan.end());
        const bool parties = list.kind == BankListKind::Parties;
        placement.relocations.push_back({*placed->move, parties ? list.owner : 0, parties ? 0 : list.owner});
        placement.offsets[change.list] = placed->move->to;
    }
    return placement;
}

Result<BankPlacement> placeAll(const Bytes& image,
                               const VersionProfile& profile,
                               const BankLists& lists,
                               const std::vector<ChangedList>& changed)
{
    std::vector<Bytes> bytes(lists.lists.size());
    std::vector<bool> isChanged(lists.lists.size(), false);
    for (const ChangedList& change : changed) {
        bytes[change.list] = change.bytes;
        isChanged[change.list] = true;
    }
    std::vector<std::int32_t> lengths;
    for (std::size_t k = 0; k < lists.lists.size(); ++k) {
        if (!isChanged[k]) {
            bytes[k] = bytesOf(image, lists.lists[k]);
        }
        lengths.push_back(static_cast<std::int32_t>(bytes[k].size()));
    }
    BankRoom room;
    const auto offsets = layOutLists(bankAreas(image, profile, lists), lists, lengths, room);
    if (!offsets) {
        const std::string what = "The trainer parties and the species' evolutions and learnsets would need ";
        return refusal(FailureNumber::NoRoomInBank,
                       room.used > room.capacity
                           ? what + byteCount(room.used) + ", more than the " + byteCount(room.capacity) +
                                 " the trainer bank holds for them: " + byteCount(room.used - room.capacity) +
                                 " are missing."
                           : what + groupedNumber(room.used) + " of the " + byteCount(room.capacity) +
                                 " the trainer bank holds for them, and no list can be split between its places.");
    }
    const std::int32_t end = trainerBankEnd(image);
    Bytes target(image.begin() + TrainerBankStart, image.begin() + end);
    const auto put = [&target](std::int32_t at, const Bytes& run) {
        std::copy(run.begin(), run.end(), target.begin() + (at - TrainerBankStart));
    };
    for (const BankList& list : lists.lists) {
        if (list.editable) {
            put(list.offset, Bytes(static_cast<std::size_t>(list.end - list.offset), 0x00));
        }
    }
    BankPlacement placement;
    placement.offsets = *offsets;
    placement.repack = Repack{0, room.free(), room.capacity};
    for (std::size_t k = 0; k < lists.lists.size(); ++k) {
        const BankList& list = lists.lists[k];
        if (!list.editable) {
            continue;
        }
        const std::int32_t at = placement.offsets[k];
        placement.repack->lists += at != list.offset || isChanged[k];
        put(at, bytes[k]);
        for (const std::int32_t pointer : pointersOf(list, profile)) {
            put(pointer, bankPointer(at));
        }
    }
    placement.plan = differences(image, target, TrainerBankStart);
    return placement;
}

std::vector<BankRange>
writableRanges(const Bytes& image, const VersionProfile& profile, const BankLists& lists, const WritePlan& other)
{
    std::vector<BankRange> ranges = bankAreas(image, profile, lists).areas;
    ranges.push_back({profile.partyPointersOffset, profile.partyPointersOffset + 2 * TrainerClassCount});
    ranges.push_back({profile.evosMovesPointersOffset, profile.evosMovesPointersOffset + 2 * SpeciesCount});
    ranges.push_back({lists.free.start, trainerBankEnd(image)});
    for (const BankList& list : lists.lists) {
        if (list.editable) {
            ranges.push_back({list.offset, std::max(list.end, list.offset + list.span)});
        }
    }
    for (const ByteWrite& write : other) {
        ranges.push_back({write.offset, write.offset + static_cast<std::int32_t>(write.bytes.size())});
    }
    return ranges;
}
