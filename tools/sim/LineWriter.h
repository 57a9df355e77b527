#pragma once

#include "FaultPlan.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <deque>
#include <functional>

// The module's transmit side: chunks leave in order, each at its time, optionally no
// faster than the module's rate would carry them.
class LineWriter : public QObject {
    Q_OBJECT
public:
    static constexpr std::size_t kMaxPendingChunks = 1000;

    // Bytes taken from the front of `bytes`; 0 when the line is full for now, -1 when
    // the device failed.
    using Sink = std::function<qint64(const QByteArray& bytes)>;

    LineWriter(const QElapsedTimer& clock, bool pace, QObject* parent = nullptr);

    void setSink(Sink sink) { m_sink = std::move(sink); }
    // Asked before a chunk starts: nobody listening means the chunk is lost, as bytes
    // sent to an unplugged serial cable are.
    void setListening(std::function<bool()> listening) { m_listening = std::move(listening); }
    // Called with a chunk's traced frame just before its first byte goes out.
    void setTracer(std::function<void(const QByteArray&)> tracer) { m_tracer = std::move(tracer); }

    void enqueue(const QList<WriteChunk>& chunks);
    void discardAll();

private:
    struct Pending {
        WriteChunk chunk;
        qsizetype written = 0;
        bool started = false;
    };
    enum class Start { NotDue, Dropped, Started };

    void drain();
    Start startChunk(Pending& pending, qint64 nowMs, qint64 nowUs);
    qsizetype bytesAllowed(const Pending& pending, qint64 nowUs) const;
    void finishChunk(qint64 nowMs);

    const QElapsedTimer& m_clock;
    bool m_pace;
    Sink m_sink;
    std::function<bool()> m_listening;
    std::function<void(const QByteArray&)> m_tracer;
    std::deque<Pending> m_queue;
    qint64 m_lastChunkDoneMs = 0;
    qint64 m_lineFreeAtUs = 0;
    QTimer m_timer;
};
