#pragma once

#include "link/LogLine.h"

#include <QDateTime>
#include <QHash>

#include <deque>
#include <vector>

// A line of the session history as read back.
struct HistoryLine {
    QDateTime arrived;
    LogLine line;
};

// Every line the communications log has shown this session, oldest first, with its
// time of arrival, kept after the on-screen list has let it go. Bounded: beyond
// `capacity` lines the oldest are dropped. A line costs 24 bytes plus its frame's
// bytes; its text (hex digits, names) is rebuilt when it is read, and each message
// name is kept once however many lines carry it.
class SessionHistory {
public:
    static constexpr int kDefaultCapacity = 100000;

    explicit SessionHistory(int capacity = kDefaultCapacity);

    void append(const QDateTime& arrived, const LogLine& line);

    int size() const { return static_cast<int>(m_entries.size()); }
    int capacity() const { return m_capacity; }
    // Line `index`, 0 being the oldest kept.
    HistoryLine at(int index) const;

private:
    struct Entry {
        qint64 arrivedMsecs;        // since the epoch
        quint32 bytesAt;            // stream position of its first frame byte
        quint32 label;              // index in m_labels: the message name or the status text
        qint16 utcOffsetMinutes;    // of the clock that gave the time
        qint16 packetId;            // -1: no "PID=" prefix
        LineDirection direction;
        quint8 byteCount;           // a frame's length is one byte
    };

    quint32 labelFor(const QString& label);
    void dropOldest();
    void compactLabels();

    int m_capacity;
    std::deque<Entry> m_entries;
    // The entries' frame bytes back to back, oldest first. Stream positions count
    // every byte ever appended, modulo 2^32; far more than the bytes kept at once.
    std::deque<char> m_bytes;
    quint32 m_firstByteAt = 0;  // stream position of m_bytes.front()
    std::vector<QString> m_labels;
    QHash<QString, quint32> m_labelIndex;
};
