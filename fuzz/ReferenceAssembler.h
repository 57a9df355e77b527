#pragma once

#include <QByteArray>

#include <optional>

// The receive rules written out once more, as plainly as possible, to check the
// program's receive path against: a frame starts with 0x01, its LEN byte (5 .. 46)
// counts every byte, its type is 129 .. 175, and it is complete when its LEN-th byte
// is 0x04. A gap of 200 ms drops a partial frame.
class ReferenceAssembler {
public:
    // The complete frame that this byte ends, if it ends one.
    std::optional<QByteArray> feed(unsigned char b)
    {
        if (m_frame.isEmpty()) {
            if (b == 0x01)
                m_frame.append(static_cast<char>(b));
            return std::nullopt;
        }
        const bool lengthByte = m_frame.size() == 1;
        const bool typeByte = m_frame.size() == 2;
        if ((lengthByte && (b < 5 || b > 46)) || (typeByte && (b < 129 || b > 175))) {
            m_frame.clear();
            return std::nullopt;
        }
        m_frame.append(static_cast<char>(b));
        if (m_frame.size() < 3 || m_frame.size() < static_cast<unsigned char>(m_frame.at(1)))
            return std::nullopt;
        const QByteArray frame = m_frame;
        m_frame.clear();
        if (b != 0x04)
            return std::nullopt;
        return frame;
    }

    void gap() { m_frame.clear(); }
    bool inFrame() const { return !m_frame.isEmpty(); }

    static bool checksumHolds(const QByteArray& frame)
    {
        unsigned sum = 0;
        for (qsizetype i = 0; i < frame.size() - 2; ++i)
            sum += static_cast<unsigned char>(frame.at(i));
        return static_cast<unsigned char>(frame.at(frame.size() - 2)) == (sum & 0xFF);
    }

private:
    QByteArray m_frame;  // the bytes of the frame in progress; empty between frames
};
