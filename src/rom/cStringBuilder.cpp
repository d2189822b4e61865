#include "rom/cStringBuilder.h"

void cStringBuilder::Append(std::string_view text)
{
    while (m_length + text.size() > m_buffer.size()) {
        m_buffer.append(m_chunkSize, ' ');
    }
    m_buffer.replace(m_length, text.size(), text);
    m_length += text.size();
}
