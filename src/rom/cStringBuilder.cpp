#include "rom/cStringBuilder.h"

void cStringBuilder::Append(std::string_view text)
{
    while (m_buffer.size() + text.size() > m_capacity) {
        m_capacity += m_chunkSize;
    }
    m_buffer.append(text);
}
