#pragma once

// A growable text buffer for the codec: room is counted out ChunkSize characters at a time and each
// appended piece is copied in place, so a text of n characters is never copied n times. The storage
// itself grows as the string needs it: a name, the usual content, needs no allocation at all.
// Characters here are the bytes of a UTF-8 string.

#include <cstddef>
#include <string>
#include <string_view>

class cStringBuilder
{
public:
    static constexpr std::size_t DefaultChunkSize = 8192;

    void Append(std::string_view text);
    std::string ToString() const { return m_buffer; }

    std::size_t length() const { return m_buffer.size(); }
    std::size_t capacity() const { return m_capacity; }

private:
    std::string m_buffer;
    std::size_t m_capacity = 0;
    std::size_t m_chunkSize = DefaultChunkSize;
};
