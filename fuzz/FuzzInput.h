#pragma once

#include <QByteArray>

#include <algorithm>
#include <cstddef>
#include <cstdint>

// Reads a fuzz input from the front: small numbers that choose what happens next and
// runs of bytes that become data. An input that runs out reads as zeros, so every
// input, however short, is a complete script.
class FuzzInput {
public:
    FuzzInput(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}

    bool atEnd() const { return m_pos >= m_size; }

    std::uint8_t byte() { return atEnd() ? 0 : m_data[m_pos++]; }

    // A number from 0 to count - 1 (count > 0).
    int below(int count) { return byte() % count; }

    // Up to n bytes: fewer when the input ends first.
    QByteArray bytes(int n)
    {
        const std::size_t left = m_size - std::min(m_pos, m_size);
        const std::size_t take = std::min(static_cast<std::size_t>(std::max(n, 0)), left);
        QByteArray out(reinterpret_cast<const char*>(m_data + m_pos),
                       static_cast<qsizetype>(take));
        m_pos += take;
        return out;
    }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
};
