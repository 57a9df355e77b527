#pragma once

#include "link/LogLine.h"

#include <QDateTime>
#include <QHash>

#include <deque>
#include <memory>
#include <vector>

// A line of the session history as read back.
struct HistoryLine {
    QDateTime arrived;
    LogLine line;
};

// Every line the communications log has shown this session, oldest first, with its
// time of arrival, kept after the on-screen list has let it go. Bounded: beyond
// `capacity` lines the oldest are dropped. A line costs 24 bytes plus its frame's
// bytes; its text (hex digits, names) is rebuilt when it is read.
//
// Lines are kept in blocks of kBlockLines; a full block never changes again and is
// shared by every copy of the history. A copy is therefore cheap (a few pointers and
// the block being filled) and stays as it was while the history goes on: an export
// writes from one on a thread of its own.
class SessionHistory {
public:
    static constexpr int kDefaultCapacity = 100000;
    static constexpr int kBlockLines = 1024;

    explicit SessionHistory(int capacity = kDefaultCapacity);

    void append(const QDateTime& arrived, const LogLine& line);

    int size() const { return m_size; }
    int capacity() const { return m_capacity; }
    // Line `index`, 0 being the oldest kept.
    HistoryLine at(int index) const;

private:
    struct Entry {
        qint64 arrivedMsecs;        // since the epoch
        quint32 bytesAt;            // of its first frame byte in its block's bytes
        quint32 label;              // index in its block's labels: message name or status text
        qint16 utcOffsetMinutes;    // of the clock that gave the time
        qint16 packetId;            // -1: no "PID=" prefix
        LineDirection direction;
        quint8 byteCount;           // a frame's length is one byte
    };
    struct Block {
        std::vector<Entry> entries;
        QByteArray bytes;             // the entries' frame bytes back to back
        std::vector<QString> labels;  // each label of the block once
    };

    quint32 labelFor(const QString& label);
    void sealOpenBlock();
    void dropOldest();

    int m_capacity;
    int m_size = 0;
    // Lines of the oldest block (the first full one, else the open one) already dropped.
    int m_droppedFromOldest = 0;
    std::deque<std::shared_ptr<const Block>> m_fullBlocks;
    Block m_open;  // being filled
    QHash<QString, quint32> m_openLabelIndex;
};
