#include "trainers/BankLayout.h"

#include "rom/SpacePlan.h"

#include <algorithm>

namespace {

std::uint8_t byteIn(const Bytes& image, std::int32_t offset)
{
    return image[static_cast<std::size_t>(offset)];
}

bool allZero(const Bytes& image, std::int32_t from, std::int32_t to)
{
    return std::all_of(image.begin() + from, image.begin() + to, [](std::uint8_t byte) { return byte == 0x00; });
}

// A sound party begins with 0xFF or a shared level of 1..100: the last list of the first area may not end right
// before such a byte, or the game's reading rules could take what follows for one more of its parties.
bool couldBeginParty(std::uint8_t byte)
{
    return byte == 0xFF || (byte >= 1 && byte <= 100);
}

// Walks the lists from the lowest while only zero bytes lie between them; the first area ends behind the
// zero bytes after the last of them, and begins before those in front of the lowest, where lists moved away,
// though not before the end of the pointer table. Returns how many lists (in offset order) it holds.
std::size_t walkFirstArea(
    const Bytes& image, const VersionProfile& profile, const PartyTable& table, std::int32_t end, BankAreas& areas)
{
    const std::vector<PartyList>& lists = table.lists;
    std::int32_t cursor = lists.front().offset;
    const std::int32_t pointersEnd = profile.partyPointersOffset + 2 * TrainerClassCount;
    areas.first.start = cursor;
    while (areas.first.start > std::max(TrainerBankStart, pointersEnd) && byteIn(image, areas.first.start - 1) == 0) {
        --areas.first.start;
    }
    std::size_t count = 0;
    for (; count < lists.size(); ++count) {
        const PartyList& list = lists[count];
        if (list.offset < cursor || !allZero(image, cursor, list.offset)) {
            break;
        }
        // Only a list below another can be read-only: the highest ends at the first party it cannot read.
        cursor = list.editable() || count + 1 == lists.size() ? list.end : lists[count + 1].offset;
        if (!list.editable()) {
            areas.fixed.push_back({list.offset, cursor});
        }
    }
    std::int32_t stop = cursor;
    while (stop < end && byteIn(image, stop) == 0x00) {
        ++stop;
    }
    areas.first.end = stop < end && couldBeginParty(byteIn(image, stop)) ? stop - 1 : stop;
    return count;
}

// From the end of the bank down over zero bytes and whole lists, to the first other byte: where the free space
// begins once every list there is laid out anew.
std::int32_t freeSpaceStart(const Bytes& image, const PartyTable& table, std::size_t firstListAbove, std::int32_t end)
{
    const std::vector<PartyList>& lists = table.lists;
    std::size_t next = lists.size();
    std::int32_t at = end;
    while (at > TrainerBankStart) {
        if (byteIn(image, at - 1) == 0x00) {
            --at;
            continue;
        }
        while (next > firstListAbove && lists[next - 1].offset >= at) {
            --next;
        }
        const bool inList = next > firstListAbove && lists[next - 1].editable() && lists[next - 1].end >= at;
        if (!inList) {
            break;
        }
        at = lists[--next].offset;
    }
    return at;
}

} // namespace

std::vector<BankRange> BankAreas::areas() const
{
    std::vector<BankRange> all{first};
    if (free) {
        all.push_back(*free);
    }
    return all;
}

BankAreas bankAreas(const Bytes& image, const VersionProfile& profile, const PartyTable& table)
{
    BankAreas areas;
    const std::int32_t end = trainerBankEnd(image);
    if (table.lists.empty() || end < TrainerBankEnd) {
        return areas;
    }
    const std::size_t inFirst = walkFirstArea(image, profile, table, end, areas);
    if (areas.first.end >= end) {
        return areas;
    }
    const std::int32_t start = std::max(freeSpaceStart(image, table, inFirst, end), areas.first.end + 1);
    if (start + FreeSpaceMargin < end) {
        areas.free = BankRange{start + FreeSpaceMargin, end};
    }
    return areas;
}

BankRoom bankRoom(const Bytes& image, const VersionProfile& profile, const PartyTable& table)
{
    const BankAreas areas = bankAreas(image, profile, table);
    BankRoom room{areaCapacity(areas.areas(), areas.fixed), 0};
    for (const PartyList& list : table.lists) {
        room.used += list.editable() ? list.end - list.offset : 0;
    }
    return room;
}

std::optional<std::vector<ListPlace>>
layOutLists(const BankAreas& areas, const PartyTable& table, const std::vector<std::int32_t>& lengths, BankRoom& room)
{
    std::vector<ListPlace> places;
    for (std::size_t k = 0; k < table.lists.size(); ++k) {
        if (table.lists[k].editable()) {
            places.push_back({static_cast<int>(k), 0});
        }
    }
    std::sort(places.begin(), places.end(), [&table](const ListPlace& a, const ListPlace& b) {
        return table.lists[static_cast<std::size_t>(a.list)].classes.front() <
               table.lists[static_cast<std::size_t>(b.list)].classes.front();
    });
    std::vector<std::int32_t> ordered;
    for (const ListPlace& place : places) {
        ordered.push_back(lengths[static_cast<std::size_t>(place.list)]);
    }
    room = {areaCapacity(areas.areas(), areas.fixed), 0};
    for (const std::int32_t length : ordered) {
        room.used += length;
    }
    const auto layout = packBlocks(ordered, areas.areas(), areas.fixed);
    if (!layout) {
        return std::nullopt;
    }
    for (std::size_t k = 0; k < places.size(); ++k) {
        places[k].offset = layout->offsets[k];
    }
    return places;
}
