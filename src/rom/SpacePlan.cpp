#include "rom/SpacePlan.h"

#include "rom/DisplayText.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace {

std::int32_t clampTo(std::int64_t offset, const Bytes& image)
{
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(offset, 0, static_cast<std::int64_t>(image.size())));
}

// The parts of areas outside fixed, in order.
std::vector<BankRange> segmentsOf(const std::vector<BankRange>& areas, std::vector<BankRange> fixed)
{
    std::sort(fixed.begin(), fixed.end(), [](const BankRange& a, const BankRange& b) { return a.start < b.start; });
    std::vector<BankRange> segments;
    for (const BankRange& area : areas) {
        std::int32_t at = area.start;
        for (const BankRange& hole : fixed) {
            if (hole.end <= at || hole.start >= area.end) {
                continue;
            }
            if (hole.start > at) {
                segments.push_back({at, hole.start});
            }
            at = std::max(at, hole.end);
        }
        if (at < area.end) {
            segments.push_back({at, area.end});
        }
    }
    return segments;
}

// Each block right after the one before it, moving on to the next segment when it does not fit.
bool packInOrder(const std::vector<std::int32_t>& lengths,
                 const std::vector<BankRange>& segments,
                 std::vector<std::int32_t>& offsets)
{
    std::size_t segment = 0;
    std::int32_t at = segments.empty() ? 0 : segments.front().start;
    for (std::size_t k = 0; k < lengths.size(); ++k) {
        while (segment < segments.size() && at + lengths[k] > segments[segment].end) {
            if (++segment < segments.size()) {
                at = segments[segment].start;
            }
        }
        if (segment == segments.size()) {
            return false;
        }
        offsets[k] = at;
        at += lengths[k];
    }
    return true;
}

// The blocks among waiting (indices into lengths, in order) whose lengths add up to the most that fits room.
std::vector<std::size_t>
bestFill(const std::vector<std::int32_t>& lengths, const std::vector<std::size_t>& waiting, std::int32_t room)
{
    const auto width = static_cast<std::size_t>(room) + 1;
    // reach[k * width + s]: the first k waiting blocks can add up to s.
    std::vector<std::uint8_t> reach((waiting.size() + 1) * width, 0);
    reach[0] = 1;
    for (std::size_t k = 0; k < waiting.size(); ++k) {
        const auto length = static_cast<std::size_t>(lengths[waiting[k]]);
        const std::uint8_t* before = &reach[k * width];
        std::uint8_t* after = &reach[(k + 1) * width];
        for (std::size_t sum = 0; sum < width; ++sum) {
            after[sum] = before[sum] | (sum >= length ? before[sum - length] : 0);
        }
    }
    std::size_t sum = width - 1;
    while (reach[waiting.size() * width + sum] == 0) {
        --sum;
    }
    std::vector<std::size_t> chosen;
    for (std::size_t k = waiting.size(); k > 0; --k) {
        if (reach[(k - 1) * width + sum] == 0) {
            chosen.push_back(waiting[k - 1]);
            sum -= static_cast<std::size_t>(lengths[waiting[k - 1]]);
        }
    }
    std::reverse(chosen.begin(), chosen.end());
    return chosen;
}

// Segment after segment, each filled as fully as the blocks still waiting allow, in their order.
bool packBestFill(const std::vector<std::int32_t>& lengths,
                  const std::vector<BankRange>& segments,
                  std::vector<std::int32_t>& offsets)
{
    std::vector<std::size_t> waiting(lengths.size());
    for (std::size_t k = 0; k < waiting.size(); ++k) {
        waiting[k] = k;
    }
    for (const BankRange& segment : segments) {
        if (waiting.empty()) {
            break;
        }
        std::int32_t at = segment.start;
        for (const std::size_t block : bestFill(lengths, waiting, segment.end - segment.start)) {
            offsets[block] = at;
            at += lengths[block];
            waiting.erase(std::find(waiting.begin(), waiting.end(), block));
        }
    }
    return waiting.empty();
}

} // namespace

FreeSpace trailingFreeSpace(const Bytes& image, BankRange range)
{
    const std::int32_t end = clampTo(range.end, image);
    if (end < range.end) {
        return {end, 0};
    }
    // Whole runs of zeros are passed a block at a time: a bank of nothing but zeros is common in a damaged image.
    static constexpr std::array<std::uint8_t, 64> Zeros{};
    std::int32_t start = end;
    while (start - range.start >= std::ssize(Zeros) &&
           std::memcmp(image.data() + start - std::ssize(Zeros), Zeros.data(), Zeros.size()) == 0) {
        start -= static_cast<std::int32_t>(Zeros.size());
    }
    while (start > range.start && image[static_cast<std::size_t>(start - 1)] == 0x00) {
        --start;
    }
    return {start, end - start};
}

std::int32_t zerosEnd(const Bytes& image, std::int32_t from, std::int32_t to)
{
    // Long runs of zeros (the free space, a list's room) are passed a block at a time.
    static constexpr std::array<std::uint8_t, 64> Zeros{};
    while (to - from >= std::ssize(Zeros) && std::memcmp(image.data() + from, Zeros.data(), Zeros.size()) == 0) {
        from += static_cast<std::int32_t>(Zeros.size());
    }
    while (from < to && image[static_cast<std::size_t>(from)] == 0x00) {
        ++from;
    }
    return from;
}

std::optional<WritePlan> placeInPlace(const PointedBlock& block, const Bytes& old, const Bytes& bytes)
{
    const auto length = static_cast<std::int32_t>(bytes.size());
    if (length > block.span) {
        return std::nullopt;
    }
    Bytes written = bytes;
    written.resize(static_cast<std::size_t>(std::max(length, block.length)), 0x00);
    std::size_t first = 0;
    while (first < written.size() && first < old.size() && written[first] == old[first]) {
        ++first;
    }
    if (first == written.size()) {
        return WritePlan{};
    }
    written.erase(written.begin(), written.begin() + static_cast<std::ptrdiff_t>(first));
    return WritePlan{{block.offset + static_cast<std::int32_t>(first), std::move(written)}};
}

std::optional<BlockPlacement>
placeInFreeSpace(const PointedBlock& block, const Bytes& bytes, FreeSpace& free, bool keepOld)
{
    const auto length = static_cast<std::int32_t>(bytes.size());
    if (length > free.room()) {
        return std::nullopt;
    }
    BlockPlacement placement;
    const std::int32_t to = free.placeAt();
    placement.plan.push_back({to, bytes});
    for (const std::int32_t pointer : block.pointers) {
        placement.plan.push_back({pointer, bankPointer(to)});
    }
    if (!keepOld && block.length > 0) {
        placement.plan.push_back({block.offset, Bytes(static_cast<std::size_t>(block.length), 0x00)});
    }
    placement.move = BlockMove{block.offset, to, length, free.length};
    free.length -= to + length - free.start;
    free.start = to + length;
    return placement;
}

std::int32_t areaCapacity(const std::vector<BankRange>& areas, const std::vector<BankRange>& fixed)
{
    std::int32_t capacity = 0;
    for (const BankRange& segment : segmentsOf(areas, fixed)) {
        capacity += segment.end - segment.start;
    }
    return capacity;
}

std::optional<PackedLayout> packBlocks(const std::vector<std::int32_t>& lengths,
                                       const std::vector<BankRange>& areas,
                                       const std::vector<BankRange>& fixed)
{
    const std::vector<BankRange> segments = segmentsOf(areas, fixed);
    PackedLayout layout;
    layout.offsets.assign(lengths.size(), 0);
    for (const BankRange& segment : segments) {
        layout.capacity += segment.end - segment.start;
    }
    for (const std::int32_t length : lengths) {
        layout.needed += length;
    }
    if (layout.needed > layout.capacity) {
        return std::nullopt;
    }
    if (packInOrder(lengths, segments, layout.offsets) || packBestFill(lengths, segments, layout.offsets)) {
        return layout;
    }
    return std::nullopt;
}

WriteStatus checkOnCopy(const Bytes& image,
                        const WritePlan& plan,
                        const std::vector<BankRange>& read,
                        const std::vector<BankRange>& writable,
                        const std::function<WriteStatus(const Bytes& copy)>& verify)
{
    for (const ByteWrite& write : plan) {
        const bool allowed = std::any_of(writable.begin(), writable.end(), [&](const BankRange& range) {
            return range.contains(write.offset, static_cast<std::int64_t>(write.bytes.size()));
        });
        if (!allowed || write.offset + static_cast<std::int64_t>(write.bytes.size()) > std::ssize(image)) {
            return Failure{FailureNumber::WouldMoveData,
                           "This save would write outside the places Tavrik rewrites. Nothing was written."};
        }
    }
    // The copy ends where the last range it reads or writes ends, and only the ranges the last check filled are
    // cleared again: a check costs what it reads, not the image's size.
    static thread_local Bytes copy;
    static thread_local std::vector<BankRange> filled;
    std::int32_t reach = 0;
    for (const BankRange& range : read) {
        reach = std::max(reach, clampTo(range.end, image));
    }
    for (const ByteWrite& write : plan) {
        reach = std::max(reach, clampTo(write.offset + std::ssize(write.bytes), image));
    }
    copy.resize(static_cast<std::size_t>(reach), 0x00);
    for (const BankRange& range : filled) {
        const std::int32_t start = clampTo(range.start, copy);
        std::memset(copy.data() + start, 0x00, static_cast<std::size_t>(std::max(0, clampTo(range.end, copy) - start)));
    }
    filled = read;
    for (const BankRange& range : read) {
        const std::int32_t start = clampTo(range.start, image);
        std::memcpy(copy.data() + start,
                    image.data() + start,
                    static_cast<std::size_t>(std::max(0, clampTo(range.end, image) - start)));
    }
    applyWritePlan(copy, plan);
    for (const ByteWrite& write : plan) {
        filled.push_back({write.offset, write.offset + static_cast<std::int32_t>(write.bytes.size())});
    }
    return verify(copy);
}

bool sameOutside(const Bytes& before, const Bytes& after, BankRange bank, std::vector<BankRange> ranges)
{
    const std::int32_t end = std::min<std::int32_t>(
        {bank.end, static_cast<std::int32_t>(before.size()), static_cast<std::int32_t>(after.size())});
    ranges.push_back({end, end});
    std::sort(ranges.begin(), ranges.end(), [](const BankRange& a, const BankRange& b) { return a.start < b.start; });
    std::int32_t at = bank.start;
    for (const BankRange& range : ranges) {
        const std::int32_t gapEnd = std::min(range.start, end);
        if (at < gapEnd && !std::equal(before.begin() + at, before.begin() + gapEnd, after.begin() + at)) {
            return false;
        }
        at = std::max(at, range.end);
    }
    return true;
}

std::string freeSpaceNote(const std::string& what, const BlockMove& move)
{
    return what + " moved to free space at " + hexNumber(move.to) + ": " + groupedNumber(move.bytes) + " of " +
           groupedNumber(move.freeBytes) + " free bytes used.";
}
