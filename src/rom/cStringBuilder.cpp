#include "rom/cStringBuilder.h"

void cStringBuilder::Append(std::string_view text)
{
    if (m_buffer.size() + text.size() > m_capacity) {
        while (m_buffer.size() + text.size() > m_capacity) {
            m_capacity += m_chunkSize;
        }
        m_buffer.reserve(m_capacity);
    }
    m_buffer.append(text);
}
