#include "patches/SourceIndex.h"

#include <algorithm>
#include <bit>

SourceIndex::SourceIndex(std::span<const std::uint8_t> bytes)
    : m_hashBits(std::clamp(static_cast<int>(std::bit_width(bytes.size())) - 3, 8, MostHashBits)),
      m_head(std::size_t{1} << m_hashBits, -1)
{
    if (bytes.size() < Window) {
        return;
    }
    const std::size_t last = bytes.size() - Window;
    m_next.assign(last + 1, -1);
    for (std::size_t at = 0; at <= last; ++at) {
        // The same bytes as the window before: inside a run of one byte, whose first place is kept already.
        if (at > 0 && std::equal(&bytes[at - 1], &bytes[at - 1 + Window], &bytes[at])) {
            continue;
        }
        const std::size_t key = slot(&bytes[at]);
        m_next[at] = m_head[key];
        m_head[key] = static_cast<std::int32_t>(at);
    }
}
