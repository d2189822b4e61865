#pragma once

// Where the 4-byte strings of a file begin, for finding a run of another file in it: a hash table of chains,
// the latest position first. Inside a run of one byte only the run's first position is kept, so a ROM's long
// stretches of 0x00 or 0xFF fill one place of a chain, not thousands. The positions a chain gives share a hash
// with the key, not always its bytes: the caller compares.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

class SourceIndex
{
public:
    static constexpr std::size_t Window = 4;

    explicit SourceIndex(std::span<const std::uint8_t> bytes);

    // Calls visit(position) for at most limit positions whose hash is that of the Window bytes at key, the
    // latest first, while visit returns true.
    template <typename Visit> void visit(const std::uint8_t* key, int limit, Visit visit) const
    {
        for (std::int32_t at = m_head[slot(key)]; at >= 0 && limit-- > 0; at = m_next[static_cast<std::size_t>(at)]) {
            if (!visit(static_cast<std::size_t>(at))) {
                return;
            }
        }
    }

private:
    // A chain for about every 8 bytes of the file, at most 128 Ki of them (for a 1 MiB ROM).
    static constexpr int MostHashBits = 17;

    std::size_t slot(const std::uint8_t* at) const
    {
        const std::uint32_t word = static_cast<std::uint32_t>(at[0]) | static_cast<std::uint32_t>(at[1]) << 8 |
                                   static_cast<std::uint32_t>(at[2]) << 16 | static_cast<std::uint32_t>(at[3]) << 24;
        return (word * 2654435761U) >> (32 - m_hashBits);
    }

    int m_hashBits;
    std::vector<std::int32_t> m_head;
    std::vector<std::int32_t> m_next;
};
