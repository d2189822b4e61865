#include "patches/Bps.h"
#include "patches/Crc32.h"
#include "patches/SourceIndex.h"

#include <algorithm>
#include <cstdint>

namespace {

// A run at least this long is taken as soon as it is found: looking further could save a byte or two at most.
constexpr std::size_t LongEnough = 256;
// How many earlier places of the same 4 bytes a search tries.
constexpr int ChainLimit = 32;

std::size_t numberSize(std::uint64_t value)
{
    std::size_t size = 1;
    while ((value >>= 7) != 0) {
        --value;
        ++size;
    }
    return size;
}

void putNumber(Bytes& patch, std::uint64_t value)
{
    while (true) {
        const auto low = static_cast<std::uint8_t>(value & 0x7F);
        value >>= 7;
        if (value == 0) {
            patch.push_back(static_cast<std::uint8_t>(0x80 | low));
            return;
        }
        patch.push_back(low);
        --value;
    }
}

// A copy's move from where the last one ended: the distance in the bits above the lowest, which says backwards.
std::uint64_t moveNumber(std::int64_t move)
{
    const auto distance = static_cast<std::uint64_t>(move < 0 ? -move : move);
    return distance << 1 | (move < 0 ? 1U : 0U);
}

std::uint64_t actionNumber(unsigned action, std::size_t length)
{
    return static_cast<std::uint64_t>(length - 1) << 2 | action;
}

void putLittleEndian(Bytes& patch, std::uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8) {
        patch.push_back(static_cast<std::uint8_t>(value >> shift));
    }
}

// How many bytes from from on equal those of target from at on.
std::size_t commonLength(const Bytes& from, std::size_t fromAt, const Bytes& target, std::size_t at)
{
    const std::size_t most = std::min(from.size() - fromAt, target.size() - at);
    const auto first = from.begin() + static_cast<std::ptrdiff_t>(fromAt);
    return static_cast<std::size_t>(std::mismatch(first,
                                                  first + static_cast<std::ptrdiff_t>(most),
                                                  target.begin() + static_cast<std::ptrdiff_t>(at))
                                        .first -
                                    first);
}

struct Run
{
    unsigned action = BpsAction::TargetRead;
    std::size_t length = 0;
    std::size_t from = 0;
    std::size_t cost = 0;

    // The bytes the run saves against carrying its bytes in the patch.
    std::int64_t saving() const { return static_cast<std::int64_t>(length) - static_cast<std::int64_t>(cost); }
};

// One pass over the target: at each offset the run that saves most (the source in place, the source elsewhere,
// the target earlier), or else the byte carried in the patch.
class BpsWriter
{
public:
    BpsWriter(const Bytes& source, const Bytes& target) : m_source(source), m_target(target), m_index(source) {}

    Bytes write()
    {
        m_patch = {'B', 'P', 'S', '1'};
        putNumber(m_patch, m_source.size());
        putNumber(m_patch, m_target.size());
        putNumber(m_patch, 0);
        std::size_t at = 0;
        while (at < m_target.size()) {
            const Run run = bestRun(at);
            // A run inside carried bytes also costs the number that starts carrying again after it.
            if (run.saving() < 2) {
                ++at;
                continue;
            }
            carry(at);
            put(run);
            at += run.length;
            m_carriedFrom = at;
        }
        carry(m_target.size());
        putLittleEndian(m_patch, crc32Of(m_source));
        putLittleEndian(m_patch, crc32Of(m_target));
        putLittleEndian(m_patch, crc32Of(m_patch));
        return std::move(m_patch);
    }

private:
    Run bestRun(std::size_t at) const
    {
        Run best;
        if (at < m_source.size()) {
            consider(best, BpsAction::SourceRead, at, at);
            if (best.length >= LongEnough) {
                return best;
            }
        }
        // Where the last copy ended, as after a byte inserted, and that moved past the bytes carried since, as
        // after bytes replaced: a list shifted as a whole goes on there.
        consider(best, BpsAction::SourceCopy, m_sourceEnd, at);
        consider(best, BpsAction::SourceCopy, m_sourceEnd + (at - m_carriedFrom), at);
        if (at > 0) {
            consider(best, BpsAction::TargetCopy, at - 1, at);
            consider(best, BpsAction::TargetCopy, m_targetEnd, at);
        }
        if (at + SourceIndex::Window <= m_target.size()) {
            m_index.visit(&m_target[at], ChainLimit, [&](std::size_t from) {
                consider(best, BpsAction::SourceCopy, from, at);
                return best.length < LongEnough;
            });
        }
        return best;
    }

    void consider(Run& best, unsigned action, std::size_t from, std::size_t at) const
    {
        const bool fromTarget = action == BpsAction::TargetCopy;
        if (from >= (fromTarget ? at : m_source.size())) {
            return;
        }
        Run run{action, commonLength(fromTarget ? m_target : m_source, from, m_target, at), from, 0};
        if (run.length == 0) {
            return;
        }
        run.cost = numberSize(actionNumber(action, run.length));
        if (action != BpsAction::SourceRead) {
            const std::size_t end = fromTarget ? m_targetEnd : m_sourceEnd;
            run.cost += numberSize(moveNumber(static_cast<std::int64_t>(from) - static_cast<std::int64_t>(end)));
        }
        if (run.saving() > best.saving()) {
            best = run;
        }
    }

    void put(const Run& run)
    {
        putNumber(m_patch, actionNumber(run.action, run.length));
        if (run.action == BpsAction::SourceRead) {
            return;
        }
        std::size_t& end = run.action == BpsAction::SourceCopy ? m_sourceEnd : m_targetEnd;
        putNumber(m_patch, moveNumber(static_cast<std::int64_t>(run.from) - static_cast<std::int64_t>(end)));
        end = run.from + run.length;
    }

    // The target's bytes from m_carriedFrom up to end, carried in the patch.
    void carry(std::size_t end)
    {
        if (end == m_carriedFrom) {
            return;
        }
        putNumber(m_patch, actionNumber(BpsAction::TargetRead, end - m_carriedFrom));
        m_patch.insert(m_patch.end(),
                       m_target.begin() + static_cast<std::ptrdiff_t>(m_carriedFrom),
                       m_target.begin() + static_cast<std::ptrdiff_t>(end));
    }

    const Bytes& m_source;
    const Bytes& m_target;
    const SourceIndex m_index;
    Bytes m_patch;
    std::size_t m_carriedFrom = 0;
    std::size_t m_sourceEnd = 0;
    std::size_t m_targetEnd = 0;
};

} // namespace

Bytes makeBps(const Bytes& source, const Bytes& target)
{
    return BpsWriter(source, target).write();
}
