#include "LineWriter.h"

#include <algorithm>

namespace {

constexpr qint64 kBitsPerByte = 10;  // start bit, 8 data bits, stop bit

qint64 ByteTimeUs(int rate)
{
    return rate > 0 ? kBitsPerByte * 1000000 / rate : 0;
}

}  // namespace

LineWriter::LineWriter(const QElapsedTimer& clock, bool pace, QObject* parent)
    : QObject(parent),
      m_clock(clock),
      m_pace(pace)
{
    m_timer.setTimerType(Qt::PreciseTimer);
    m_timer.setInterval(1);
    connect(&m_timer, &QTimer::timeout, this, &LineWriter::drain);
}

void LineWriter::enqueue(const QList<WriteChunk>& chunks)
{
    for (const WriteChunk& chunk : chunks)
        if (m_queue.size() < kMaxPendingChunks)  // a host that never reads loses the rest
            m_queue.push_back({chunk, 0});
    drain();  // an answer due now leaves at once, not on the next tick
}

void LineWriter::discardAll()
{
    m_queue.clear();
    m_timer.stop();
}

void LineWriter::drain()
{
    while (!m_queue.empty()) {
        const qint64 nowUs = m_clock.nsecsElapsed() / 1000;
        const qint64 nowMs = nowUs / 1000;
        Pending& pending = m_queue.front();
        if (!pending.started) {
            const Start start = startChunk(pending, nowMs, nowUs);
            if (start == Start::NotDue)
                break;
            if (start == Start::Dropped) {
                finishChunk(nowMs);
                continue;
            }
        }
        const qsizetype allowed = bytesAllowed(pending, nowUs);
        const qint64 taken =
            allowed > 0 && m_sink ? m_sink(pending.chunk.bytes.mid(pending.written, allowed)) : 0;
        if (taken < 0) {
            finishChunk(nowMs);  // the device failed: these bytes are lost
            continue;
        }
        if (taken == 0)
            break;  // line full or paced: the timer comes back
        pending.written += taken;
        m_lineFreeAtUs += taken * ByteTimeUs(pending.chunk.rate);
        if (pending.written < pending.chunk.bytes.size())
            break;
        finishChunk(nowMs);
    }
    if (m_queue.empty())
        m_timer.stop();
    else if (!m_timer.isActive())
        m_timer.start();
}

LineWriter::Start LineWriter::startChunk(Pending& pending, qint64 nowMs, qint64 nowUs)
{
    const qint64 due =
        std::max(pending.chunk.notBeforeMs, m_lastChunkDoneMs + pending.chunk.pauseBeforeMs);
    if (nowMs < due)
        return Start::NotDue;
    if (m_listening && !m_listening())
        return Start::Dropped;
    if (m_tracer && !pending.chunk.tracedFrame.isEmpty())
        m_tracer(pending.chunk.tracedFrame);
    m_lineFreeAtUs = std::max(m_lineFreeAtUs, nowUs);
    pending.started = true;
    return Start::Started;
}

qsizetype LineWriter::bytesAllowed(const Pending& pending, qint64 nowUs) const
{
    const qsizetype rest = pending.chunk.bytes.size() - pending.written;
    const qint64 byteUs = ByteTimeUs(pending.chunk.rate);
    if (!m_pace || byteUs == 0)
        return rest;
    if (nowUs < m_lineFreeAtUs)
        return 0;
    return std::min<qsizetype>(rest, (nowUs - m_lineFreeAtUs) / byteUs + 1);
}

void LineWriter::finishChunk(qint64 nowMs)
{
    m_queue.pop_front();
    m_lastChunkDoneMs = nowMs;
}
