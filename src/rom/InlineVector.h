#pragma once

// A vector of at most Capacity elements kept inside the object: the small lists the tables of a cartridge hold (a
// party's members, the classes sharing a list) cost no allocation when a whole table is read. It converts to and
// from std::vector; elements past Capacity are left out.

#include <algorithm>
#include <array>
#include <cstddef>
#include <initializer_list>
#include <vector>

template <typename T, std::size_t Capacity> class InlineVector
{
public:
    using value_type = T;
    using iterator = T*;
    using const_iterator = const T*;

    InlineVector() = default;
    InlineVector(std::initializer_list<T> values) { append(values.begin(), values.end()); }
    InlineVector(const std::vector<T>& values) { append(values.data(), values.data() + values.size()); }
    operator std::vector<T>() const { return {begin(), end()}; }

    std::size_t size() const { return m_count; }
    bool empty() const { return m_count == 0; }
    const T* begin() const { return m_values.data(); }
    const T* end() const { return m_values.data() + m_count; }
    T* begin() { return m_values.data(); }
    T* end() { return m_values.data() + m_count; }
    const T& front() const { return m_values.front(); }
    const T& back() const { return m_values[m_count - 1]; }
    const T& operator[](std::size_t k) const { return m_values[k]; }
    void push_back(const T& value)
    {
        if (m_count < Capacity) {
            m_values[m_count++] = value;
        }
    }

    bool operator==(const InlineVector& other) const { return std::equal(begin(), end(), other.begin(), other.end()); }
    bool operator==(const std::vector<T>& other) const
    {
        return std::equal(begin(), end(), other.begin(), other.end());
    }

private:
    void append(const T* first, const T* last)
    {
        for (; first != last; ++first) {
            push_back(*first);
        }
    }

    std::array<T, Capacity> m_values{};
    std::size_t m_count = 0;
};
