#include "patches/Ips.h"

#include "patches/Patch.h"

#include <algorithm>
#include <cstdint>
#include <optional>

namespace {

constexpr std::uint8_t Magic[] = {'P', 'A', 'T', 'C', 'H'};

// Reads records one after the other into a copy of the source, refusing the first that is cut off or reaches
// past the largest file allowed.
class IpsReader
{
public:
    IpsReader(const Bytes& source, const Bytes& patch, const std::string& name, std::size_t largest)
        : m_patch(patch), m_name(name), m_largest(largest), m_target(source)
    {}

    Result<Bytes> read()
    {
        for (int record = 1;; ++record) {
            const std::size_t at = m_at;
            const auto offset = number(3);
            if (!offset) {
                return Failure{FailureNumber::BadPatch,
                               m_name + " is cut short: it ends without the \"EOF\" that closes an IPS patch."};
            }
            if (*offset == IpsEofOffset) {
                return end();
            }
            if (auto failure = apply(record, at, *offset)) {
                return *failure;
            }
        }
    }

private:
    Failure damaged(const std::string& why) const { return {FailureNumber::BadPatch, m_name + " is damaged: " + why}; }
    Failure cutShort(int record, std::size_t at) const
    {
        return {FailureNumber::BadPatch,
                m_name + " is cut short: it ends inside record " + std::to_string(record) + " (at byte " +
                    std::to_string(at) + ")."};
    }

    // The big-endian number of size bytes at m_at; none when the patch ends first.
    std::optional<std::size_t> number(std::size_t size)
    {
        if (m_patch.size() - m_at < size) {
            return std::nullopt;
        }
        std::size_t value = 0;
        for (std::size_t k = 0; k < size; ++k) {
            value = value << 8 | m_patch[m_at++];
        }
        return value;
    }

    std::optional<Failure> apply(int record, std::size_t at, std::size_t offset)
    {
        const auto size = number(2);
        if (!size) {
            return cutShort(record, at);
        }
        const bool repeated = *size == 0;
        const auto count = repeated ? number(2) : size;
        if (!count || m_patch.size() - m_at < (repeated ? 1 : *count)) {
            return cutShort(record, at);
        }
        if (*count == 0) {
            return damaged("record " + std::to_string(record) + " (at byte " + std::to_string(at) +
                           ") repeats a byte 0 times.");
        }
        if (offset + *count > m_largest) {
            return damaged("record " + std::to_string(record) + " (at byte " + std::to_string(at) +
                           ") reaches past the " + sizeLimitText(m_largest) + " Tavrik patches.");
        }
        if (offset + *count > m_target.size()) {
            m_target.resize(offset + *count, 0x00);
        }
        const auto first = m_target.begin() + static_cast<std::ptrdiff_t>(offset);
        if (repeated) {
            std::fill_n(first, *count, m_patch[m_at++]);
        } else {
            std::copy_n(m_patch.begin() + static_cast<std::ptrdiff_t>(m_at), *count, first);
            m_at += *count;
        }
        return std::nullopt;
    }

    // After "EOF": nothing, or the size the patched file is cut to.
    Result<Bytes> end()
    {
        const std::size_t left = m_patch.size() - m_at;
        if (left == 3) {
            const std::size_t size = *number(3);
            if (size > m_target.size()) {
                return damaged("it sets the patched file's size to " + std::to_string(size) + " bytes, more than the " +
                               std::to_string(m_target.size()) + " its records make.");
            }
            m_target.resize(size);
        } else if (left != 0) {
            return damaged(std::to_string(left) + " bytes follow the \"EOF\" that closes it.");
        }
        return std::move(m_target);
    }

    const Bytes& m_patch;
    const std::string& m_name;
    const std::size_t m_largest;
    Bytes m_target;
    std::size_t m_at = sizeof Magic;
};

} // namespace

Result<Bytes> applyIps(const Bytes& source, const Bytes& patch, const std::string& patchName, std::size_t largest)
{
    if (patch.size() < sizeof Magic || !std::equal(std::begin(Magic), std::end(Magic), patch.begin())) {
        return Failure{FailureNumber::BadPatch, patchName + " is not an IPS patch: it does not start with \"PATCH\"."};
    }
    return IpsReader(source, patch, patchName, largest).read();
}
