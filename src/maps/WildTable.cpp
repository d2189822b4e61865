#include "maps/WildTable.h"

#include <algorithm>

namespace {

// The rate and, when it is not 0, the ten slots from at; at moves past them. False when they leave range.
bool readArea(const Bytes& image, std::int32_t& at, BankRange range, WildArea& area)
{
    const std::int32_t end = std::min<std::int32_t>(range.end, static_cast<std::int32_t>(image.size()));
    if (at < range.start || at >= end) {
        return false;
    }
    area.rate = image[static_cast<std::size_t>(at++)];
    if (!area.on()) {
        return true;
    }
    if (at + 2 * WildSlotCount > end) {
        return false;
    }
    for (WildSlot& slot : area.slot) {
        slot = {image[static_cast<std::size_t>(at)], image[static_cast<std::size_t>(at + 1)]};
        at += 2;
    }
    return true;
}

void putArea(Bytes& bytes, const WildArea& area)
{
    bytes.push_back(area.rate);
    if (area.on()) {
        for (const WildSlot& slot : area.slot) {
            bytes.push_back(slot.level);
            bytes.push_back(slot.species);
        }
    }
}

} // namespace

std::optional<WildTable> readWildTable(const Bytes& image, std::int32_t offset, BankRange range)
{
    WildTable table;
    table.offset = offset;
    std::int32_t at = offset;
    if (!readArea(image, at, range, table.grass) || !readArea(image, at, range, table.water)) {
        return std::nullopt;
    }
    table.length = at - offset;
    return table;
}

Bytes wildBytes(const WildArea& grass, const WildArea& water)
{
    Bytes bytes;
    bytes.reserve(2 * WildAreaLength);
    putArea(bytes, grass);
    putArea(bytes, water);
    return bytes;
}

std::int32_t wildLength(const WildArea& grass, const WildArea& water)
{
    return (grass.on() ? WildAreaLength : 1) + (water.on() ? WildAreaLength : 1);
}

SlotChances readSlotChances(const Bytes& image, const MapProfile& profile)
{
    SlotChances result;
    int before = -1;
    for (int slot = 0; slot < WildSlotCount; ++slot) {
        const int stored = byteAt(image, profile.slotChances + 2 * slot);
        if (stored < 0) {
            result.problem = "the table of slot chances lies past the end of the file";
            result.chances.fill(0);
            return result;
        }
        // The game takes the first slot whose stored value the random byte does not exceed.
        result.chances[static_cast<std::size_t>(slot)] = std::max(stored - before, 0);
        before = std::max(before, stored);
    }
    if (before != 0xFF) {
        result.problem = "the slot chances add up to " + std::to_string(before + 1) + " out of 256, not 256";
    }
    return result;
}
