#include "patches/Bps.h"

#include "patches/Crc32.h"
#include "patches/Patch.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <span>

namespace {

constexpr std::uint8_t Magic[] = {'B', 'P', 'S', '1'};
// The three CRC32s.
constexpr std::size_t FooterSize = 12;
// The magic, three one-byte numbers and the footer.
constexpr std::size_t SmallestPatch = sizeof Magic + 3 + FooterSize;
// A number needs 4 bytes for anything within 16 MiB; 8 keep every value far from overflowing.
constexpr int LongestNumber = 8;

std::uint32_t littleEndian(const Bytes& bytes, std::size_t at)
{
    return static_cast<std::uint32_t>(bytes[at]) | static_cast<std::uint32_t>(bytes[at + 1]) << 8 |
           static_cast<std::uint32_t>(bytes[at + 2]) << 16 | static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

// Applies the actions between the header and the footer, refusing the first that would reach outside the
// source, the target or the patch.
class BpsReader
{
public:
    BpsReader(const Bytes& source, const Bytes& patch, const std::string& name, std::size_t largest)
        : m_source(source), m_patch(patch), m_name(name), m_end(patch.size() - FooterSize), m_largest(largest)
    {}

    Result<Bytes> read()
    {
        const auto sourceSize = number();
        const auto targetSize = number();
        const auto metadataSize = number();
        if (!sourceSize || !targetSize || !metadataSize) {
            return damaged("its header is cut off.");
        }
        if (*sourceSize != m_source.size()) {
            return Failure{FailureNumber::PatchForAnotherRom,
                           m_name + " was made for a ROM of " + std::to_string(*sourceSize) + " bytes, this one has " +
                               std::to_string(m_source.size()) + "."};
        }
        if (*targetSize > m_largest) {
            return Failure{FailureNumber::CannotPatch,
                           m_name + " makes a file of " + std::to_string(*targetSize) + " bytes, more than the " +
                               sizeLimitText(m_largest) + " Tavrik patches."};
        }
        if (*metadataSize > m_end - m_at) {
            return damaged("its metadata runs past its end.");
        }
        m_at += static_cast<std::size_t>(*metadataSize);
        m_targetSize = static_cast<std::size_t>(*targetSize);
        // Room for a ROM of the original's size at once; a larger one grows as its bytes come, so that a damaged
        // size costs nothing before the actions are refused.
        m_target.reserve(std::min(m_targetSize, m_source.size()));
        while (m_at < m_end) {
            if (auto failure = action()) {
                return *failure;
            }
        }
        if (m_target.size() != m_targetSize) {
            return damaged("its actions make " + std::to_string(m_target.size()) + " bytes, its header says " +
                           std::to_string(m_targetSize) + ".");
        }
        return std::move(m_target);
    }

private:
    Failure damaged(const std::string& why) const { return {FailureNumber::BadPatch, m_name + " is damaged: " + why}; }
    Failure damagedAction(std::size_t at, const std::string& why) const
    {
        return damaged("the action at byte " + std::to_string(at) + " " + why);
    }

    // The number at m_at; none when it runs into the footer or is longer than any this format needs.
    std::optional<std::uint64_t> number()
    {
        std::uint64_t value = 0;
        std::uint64_t shift = 1;
        for (int k = 0; k < LongestNumber && m_at < m_end; ++k) {
            const std::uint8_t byte = m_patch[m_at++];
            value += (byte & 0x7FU) * shift;
            if ((byte & 0x80) != 0) {
                return value;
            }
            shift <<= 7;
            value += shift;
        }
        return std::nullopt;
    }

    std::optional<Failure> action()
    {
        const std::size_t at = m_at;
        const auto word = number();
        if (!word) {
            return damagedAction(at, "is cut off.");
        }
        const std::uint64_t length = (*word >> 2) + 1;
        const std::size_t written = m_target.size();
        if (length > m_targetSize - written) {
            return damagedAction(at, "writes past the " + std::to_string(m_targetSize) + " bytes the patch makes.");
        }
        const auto count = static_cast<std::size_t>(length);
        switch (*word & 3) {
        case BpsAction::SourceRead:
            if (count > m_source.size() || written > m_source.size() - count) {
                return damagedAction(at, "reads past the end of the ROM it was made for.");
            }
            append(m_source, written, count);
            return std::nullopt;
        case BpsAction::TargetRead:
            if (count > m_end - m_at) {
                return damagedAction(at, "carries more bytes than the patch holds.");
            }
            append(m_patch, m_at, count);
            m_at += count;
            return std::nullopt;
        default:
            return copy(at, (*word & 3) == BpsAction::TargetCopy, count);
        }
    }

    std::optional<Failure> copy(std::size_t at, bool fromTarget, std::size_t count)
    {
        const auto move = number();
        if (!move) {
            return damagedAction(at, "is cut off.");
        }
        std::int64_t& end = fromTarget ? m_targetEnd : m_sourceEnd;
        const auto distance = static_cast<std::int64_t>(*move >> 1);
        const std::int64_t from = (*move & 1) != 0 ? end - distance : end + distance;
        if (fromTarget) {
            // Byte by byte: a copy may read what it has just written, as a run of one byte does.
            if (from < 0 || static_cast<std::size_t>(from) >= m_target.size()) {
                return damagedAction(at, "copies from a part of the ROM not made yet.");
            }
            for (std::size_t k = 0; k < count; ++k) {
                const std::uint8_t byte = m_target[static_cast<std::size_t>(from) + k];
                m_target.push_back(byte);
            }
        } else {
            if (from < 0 || static_cast<std::size_t>(from) > m_source.size() ||
                count > m_source.size() - static_cast<std::size_t>(from)) {
                return damagedAction(at, "copies from outside the ROM it was made for.");
            }
            append(m_source, static_cast<std::size_t>(from), count);
        }
        end = from + static_cast<std::int64_t>(count);
        return std::nullopt;
    }

    void append(const Bytes& from, std::size_t at, std::size_t count)
    {
        const auto first = from.begin() + static_cast<std::ptrdiff_t>(at);
        m_target.insert(m_target.end(), first, first + static_cast<std::ptrdiff_t>(count));
    }

    const Bytes& m_source;
    const Bytes& m_patch;
    const std::string& m_name;
    const std::size_t m_end;
    const std::size_t m_largest;
    std::size_t m_at = sizeof Magic;
    std::size_t m_targetSize = 0;
    std::int64_t m_sourceEnd = 0;
    std::int64_t m_targetEnd = 0;
    Bytes m_target;
};

} // namespace

Result<Bytes> applyBps(const Bytes& source, const Bytes& patch, const std::string& patchName, std::size_t largest)
{
    if (patch.size() < sizeof Magic || !std::equal(std::begin(Magic), std::end(Magic), patch.begin())) {
        return Failure{FailureNumber::BadPatch, patchName + " is not a BPS patch: it does not start with \"BPS1\"."};
    }
    if (patch.size() < SmallestPatch) {
        return Failure{FailureNumber::BadPatch,
                       patchName + " is cut short: a BPS patch has at least " + std::to_string(SmallestPatch) +
                           " bytes, this one has " + std::to_string(patch.size()) + "."};
    }
    const std::size_t footer = patch.size() - FooterSize;
    const std::uint32_t ownCrc = crc32Of(std::span(patch).first(patch.size() - 4));
    const std::uint32_t statedOwnCrc = littleEndian(patch, footer + 8);
    if (ownCrc != statedOwnCrc) {
        return Failure{FailureNumber::BadPatch,
                       patchName + " is damaged or cut short: its bytes give CRC32 " + crcText(ownCrc) +
                           ", its last four say " + crcText(statedOwnCrc) + "."};
    }
    const std::uint32_t sourceCrc = crc32Of(source);
    const std::uint32_t statedSourceCrc = littleEndian(patch, footer);
    if (sourceCrc != statedSourceCrc) {
        return Failure{FailureNumber::PatchForAnotherRom,
                       patchName + " was made for another ROM (CRC32 " + crcText(statedSourceCrc) + ", this one has " +
                           crcText(sourceCrc) + ")."};
    }
    auto target = BpsReader(source, patch, patchName, largest).read();
    if (!target) {
        return target;
    }
    const std::uint32_t targetCrc = crc32Of(target.value());
    if (targetCrc != littleEndian(patch, footer + 4)) {
        return Failure{FailureNumber::BadPatch,
                       patchName + " is damaged: the ROM it makes has CRC32 " + crcText(targetCrc) +
                           ", the patch expects " + crcText(littleEndian(patch, footer + 4)) + "."};
    }
    return target;
}
