#include "trainers/BankLayout.h"

#include <algorithm>

namespace {

std::uint8_t byteIn(const Bytes& image, std::int32_t offset)
{
    return image[static_cast<std::size_t>(offset)];
}

bool allZero(const Bytes& image, std::int32_t from, std::int32_t to)
{
    return zerosEnd(image, from, to) == to;
}

// A sound party begins with 0xFF or a shared level of 1..100: the last list of a place may not end right before
// such a byte, or the game's reading rules could take what follows for one more of its parties.
bool couldBeginParty(std::uint8_t byte)
{
    return byte == 0xFF || (byte >= 1 && byte <= 100);
}

// Walks the lists from lists[first] while only zero bytes lie between them; the place ends behind the zero bytes
// after the last of them, and begins before those in front of the first, though not before floor. Returns the
// index of the first list it does not hold.
std::size_t walkArea(const Bytes& image,
                     const std::vector<BankList>& lists,
                     std::size_t first,
                     std::int32_t floor,
                     std::int32_t end,
                     BankAreas& areas)
{
    BankRange area{lists[first].offset, 0};
    while (area.start > floor && byteIn(image, area.start - 1) == 0) {
        --area.start;
    }
    std::int32_t cursor = lists[first].offset;
    std::size_t k = first;
    for (; k < lists.size(); ++k) {
        const BankList& list = lists[k];
        if (list.offset < cursor || !allZero(image, cursor, list.offset)) {
            break;
        }
        // A read-only list keeps the bytes up to the next list: where it ends is unknown.
        cursor = list.editable || k + 1 == lists.size() ? list.end : lists[k + 1].offset;
        if (!list.editable) {
            areas.fixed.push_back({list.offset, cursor});
        }
    }
    const std::int32_t stop = zerosEnd(image, cursor, end);
    area.end = stop < end && couldBeginParty(byteIn(image, stop)) ? stop - 1 : stop;
    areas.areas.push_back(area);
    return k;
}

// From the end of the bank down over zero bytes and whole lists from lists[first] on, to the first other byte:
// where the free space begins once every list there is laid out anew.
std::int32_t freeSpaceStart(const Bytes& image, const std::vector<BankList>& lists, std::size_t first, std::int32_t end)
{
    std::size_t next = lists.size();
    std::int32_t at = end;
    while (at > TrainerBankStart) {
        if (byteIn(image, at - 1) == 0x00) {
            --at;
            continue;
        }
        while (next > first && lists[next - 1].offset >= at) {
            --next;
        }
        const bool inList = next > first && lists[next - 1].editable && lists[next - 1].end >= at;
        if (!inList) {
            break;
        }
        at = lists[--next].offset;
    }
    return at;
}

BankList entryOf(const PartyList& list, int index)
{
    return {BankListKind::Parties,
            index,
            list.offset,
            list.end,
            list.span,
            list.editable(),
            list.classes.front(),
            std::span<const int>(list.classes.begin(), list.classes.end())};
}

BankList entryOf(const EvosMovesList& list, int index)
{
    return {BankListKind::EvosMoves,
            index,
            list.offset,
            list.end,
            list.span,
            list.editable(),
            list.species.front(),
            std::span<const int>(list.species)};
}

} // namespace

BankLists bankLists(const Bytes& image, const PartyTable& parties, const EvosMovesTable& evosMoves)
{
    BankLists all;
    all.lists.reserve(parties.lists.size() + evosMoves.lists.size());
    // Both tables are in the order of their offsets already: merged, they are too.
    std::size_t evos = 0;
    for (std::size_t k = 0; k < parties.lists.size(); ++k) {
        for (; evos < evosMoves.lists.size() && evosMoves.lists[evos].offset < parties.lists[k].offset; ++evos) {
            all.lists.push_back(entryOf(evosMoves.lists[evos], static_cast<int>(evos)));
        }
        all.lists.push_back(entryOf(parties.lists[k], static_cast<int>(k)));
    }
    for (; evos < evosMoves.lists.size(); ++evos) {
        all.lists.push_back(entryOf(evosMoves.lists[evos], static_cast<int>(evos)));
    }
    // The zero bytes that end the bank, behind every list: the first of them may end a list of evolutions and
    // learnset, and a list of nothing but zero bytes may lie among them.
    all.free = trailingFreeSpace(image, bankRange(TrainerBank));
    for (const BankList& list : all.lists) {
        if (list.end > all.free.start) {
            all.free.length = std::max(0, all.free.length - (list.end - all.free.start));
            all.free.start = list.end;
        }
    }
    return all;
}

std::vector<std::int32_t> pointersOf(const BankList& list, const VersionProfile& profile)
{
    std::vector<std::int32_t> pointers;
    pointers.reserve(list.owners.size());
    for (const int owner : list.owners) {
        pointers.push_back(list.kind == BankListKind::Parties ? profile.partyPointersOffset + 2 * (owner - 1)
                                                              : evosMovesPointerOffset(profile, owner));
    }
    return pointers;
}

BankAreas bankAreas(const Bytes& image, const VersionProfile& profile, const BankLists& lists)
{
    BankAreas areas;
    const std::int32_t end = trainerBankEnd(image);
    if (lists.lists.empty() || end < TrainerBankEnd) {
        return areas;
    }
    // Each kind's place begins behind its pointer table: the parties' at the first list there, the learnsets' only
    // at a list that nothing but zero bytes part from the table.
    const std::pair<std::int32_t, bool> anchors[] = {{profile.partyPointersOffset + 2 * TrainerClassCount, false},
                                                     {profile.evosMovesPointersOffset + 2 * SpeciesCount, true}};
    std::size_t next = 0;
    for (const auto& [anchor, adjoining] : anchors) {
        std::size_t first = next;
        while (first < lists.lists.size() && lists.lists[first].offset < anchor) {
            ++first;
        }
        if (first == lists.lists.size() || (adjoining && !allZero(image, anchor, lists.lists[first].offset))) {
            continue;
        }
        const std::int32_t floor = areas.areas.empty() ? anchor : std::max(anchor, areas.areas.back().end);
        next = walkArea(image, lists.lists, first, floor, end, areas);
    }
    if (areas.areas.empty() || areas.areas.back().end >= end) {
        return areas;
    }
    const std::int32_t start = std::max(freeSpaceStart(image, lists.lists, next, end), areas.areas.back().end + 1);
    if (start + FreeSpaceMargin < end) {
        areas.areas.push_back({start + FreeSpaceMargin, end});
    }
    return areas;
}

BankRoom bankRoom(const Bytes& image, const VersionProfile& profile, const BankLists& lists)
{
    const BankAreas areas = bankAreas(image, profile, lists);
    BankRoom room{areaCapacity(areas.areas, areas.fixed), 0};
    for (const BankList& list : lists.lists) {
        room.used += list.editable ? list.end - list.offset : 0;
    }
    return room;
}

BankRoom bankRoom(const Bytes& image, const VersionProfile& profile, const PartyTable& parties)
{
    return bankRoom(image, profile, bankLists(image, parties, readEvosMovesTable(image, profile)));
}

std::optional<std::vector<std::int32_t>>
layOutLists(const BankAreas& areas, const BankLists& lists, const std::vector<std::int32_t>& lengths, BankRoom& room)
{
    std::vector<std::size_t> order;
    for (std::size_t k = 0; k < lists.lists.size(); ++k) {
        if (lists.lists[k].editable) {
            order.push_back(k);
        }
    }
    std::sort(order.begin(), order.end(), [&lists](std::size_t a, std::size_t b) {
        const BankList& x = lists.lists[a];
        const BankList& y = lists.lists[b];
        return std::pair(x.kind, x.owner) < std::pair(y.kind, y.owner);
    });
    std::vector<std::int32_t> ordered;
    room = {areaCapacity(areas.areas, areas.fixed), 0};
    for (const std::size_t k : order) {
        ordered.push_back(lengths[k]);
        room.used += lengths[k];
    }
    const auto layout = packBlocks(ordered, areas.areas, areas.fixed);
    if (!layout) {
        return std::nullopt;
    }
    std::vector<std::int32_t> offsets(lists.lists.size());
    for (std::size_t k = 0; k < lists.lists.size(); ++k) {
        offsets[k] = lists.lists[k].offset;
    }
    for (std::size_t k = 0; k < order.size(); ++k) {
        offsets[order[k]] = layout->offsets[k];
    }
    return offsets;
}
