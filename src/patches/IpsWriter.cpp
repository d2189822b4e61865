#include "patches/Ips.h"
#include "patches/Patch.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

// A record's offset and size.
constexpr std::size_t RecordHeader = 5;
// A record of one repeated byte: offset, size 0, count, the byte.
constexpr std::size_t RunRecord = 8;

struct Span
{
    std::size_t begin = 0;
    std::size_t end = 0;
};

// The stretches where target differs from source (all of it past source's end); two closer than a record's header
// are one stretch, as the bytes between cost less than a record of their own.
std::vector<Span> changedSpans(const Bytes& source, const Bytes& target)
{
    std::vector<Span> spans;
    const auto differs = [&](std::size_t at) { return at >= source.size() || source[at] != target[at]; };
    std::size_t at = 0;
    while (true) {
        while (at < target.size() && !differs(at)) {
            ++at;
        }
        if (at == target.size()) {
            return spans;
        }
        std::size_t end = at + 1;
        while (end < target.size() && differs(end)) {
            ++end;
        }
        if (!spans.empty() && at - spans.back().end < RecordHeader) {
            spans.back().end = end;
        } else {
            spans.push_back({at, end});
        }
        at = end;
    }
}

class IpsWriter
{
public:
    explicit IpsWriter(const Bytes& target) : m_target(target) {}

    Bytes write(const std::vector<Span>& spans)
    {
        m_patch = {'P', 'A', 'T', 'C', 'H'};
        for (const Span& span : spans) {
            write(span);
        }
        m_patch.insert(m_patch.end(), {'E', 'O', 'F'});
        return std::move(m_patch);
    }

private:
    // The span as records of its bytes, with a record of one repeated byte for each run where that is smaller.
    void write(const Span& span)
    {
        std::size_t carriedFrom = span.begin;
        std::size_t at = span.begin;
        while (at < span.end) {
            std::size_t runEnd = at + 1;
            while (runEnd < span.end && m_target[runEnd] == m_target[at]) {
                ++runEnd;
            }
            const std::size_t length = runEnd - at;
            const bool carriedBefore = at > carriedFrom;
            const bool carriedAfter = runEnd < span.end;
            // Carried, the run joins the bytes carried beside it, or needs a record of its own when there are none.
            const std::size_t carriedCost = length + (carriedBefore || carriedAfter ? 0 : RecordHeader);
            // Repeated, it splits the carried bytes around it into two records.
            const std::size_t repeatedCost = RunRecord * ((length + IpsLargestRecord - 1) / IpsLargestRecord) +
                                             (carriedBefore && carriedAfter ? RecordHeader : 0);
            if (repeatedCost < carriedCost) {
                carry(carriedFrom, at);
                repeat(at, runEnd);
                carriedFrom = runEnd;
            }
            at = runEnd;
        }
        carry(carriedFrom, span.end);
    }

    void header(std::size_t offset, std::size_t size)
    {
        m_patch.insert(m_patch.end(),
                       {static_cast<std::uint8_t>(offset >> 16),
                        static_cast<std::uint8_t>(offset >> 8),
                        static_cast<std::uint8_t>(offset),
                        static_cast<std::uint8_t>(size >> 8),
                        static_cast<std::uint8_t>(size)});
    }

    // Records of the target's bytes from begin up to end. One that would start at the offset that reads as "EOF"
    // starts a byte earlier, writing that byte with the value it has anyway.
    void carry(std::size_t begin, std::size_t end)
    {
        for (std::size_t at = begin; at < end;) {
            if (at == IpsEofOffset) {
                --at;
            }
            const std::size_t size = std::min(end - at, IpsLargestRecord);
            header(at, size);
            const auto first = m_target.begin() + static_cast<std::ptrdiff_t>(at);
            m_patch.insert(m_patch.end(), first, first + static_cast<std::ptrdiff_t>(size));
            at += size;
        }
    }

    // Records of the byte at begin repeated up to end.
    void repeat(std::size_t begin, std::size_t end)
    {
        for (std::size_t at = begin; at < end;) {
            if (at == IpsEofOffset) {
                carry(at, at + 1);
                ++at;
                continue;
            }
            const std::size_t count = std::min(end - at, IpsLargestRecord);
            header(at, 0);
            m_patch.insert(m_patch.end(),
                           {static_cast<std::uint8_t>(count >> 8), static_cast<std::uint8_t>(count), m_target[at]});
            at += count;
        }
    }

    const Bytes& m_target;
    Bytes m_patch;
};

} // namespace

Result<Bytes> makeIps(const Bytes& source, const Bytes& target)
{
    if (target.size() < source.size()) {
        return Failure{FailureNumber::CannotPatch,
                       "An IPS patch cannot make a file shorter (" + std::to_string(source.size()) + " bytes to " +
                           std::to_string(target.size()) + "): make a BPS patch instead."};
    }
    if (target.size() > MaxPatchedSize) {
        return Failure{FailureNumber::CannotPatch,
                       "The edited ROM has " + std::to_string(target.size()) +
                           " bytes, more than the 16 MiB an IPS patch reaches."};
    }
    return IpsWriter(target).write(changedSpans(source, target));
}
