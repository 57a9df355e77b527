#include "FaultPlan.h"

#include "SimRandom.h"
#include "protocol/Frame.h"

FaultPlan::FaultPlan(const SimFaults& faults, SimRandom& random)
    : m_faults(faults),
      m_random(random)
{
}

QList<WriteChunk> FaultPlan::chunksFor(const ModuleFrame& frame, qint64 nowMs)
{
    if (m_faults.silent && frame.answer)
        return {};
    QByteArray bytes = frame.bytes;
    ++m_framesSent;
    if (m_faults.badChecksum && m_framesSent % kBadChecksumEvery == 0) {
        const qsizetype checksumIndex = bytes.size() - 2;
        bytes[checksumIndex] = static_cast<char>(bytes.at(checksumIndex) + 1);
    }
    const qint64 due = nowMs + frame.delayMs;
    QList<WriteChunk> chunks;
    if (m_faults.noise)
        chunks.append({noise(), due, 0, frame.rate, {}});
    if (m_faults.split) {
        const qsizetype half = bytes.size() / 2;
        chunks.append({bytes.left(half), due, 0, frame.rate, bytes});
        chunks.append({bytes.mid(half), due, kSplitPauseMs, frame.rate, {}});
    } else {
        chunks.append({bytes, due, 0, frame.rate, bytes});
    }
    return chunks;
}

QByteArray FaultPlan::noise()
{
    // Never the start byte, so the host cannot mistake noise for a frame.
    QByteArray bytes(m_random.uniform(1, kMaxNoiseBytes), '\0');
    for (char& byte : bytes) {
        int value = m_random.uniform(0, 254);
        if (value >= FrameLayout::kStartByte)
            ++value;
        byte = static_cast<char>(value);
    }
    return bytes;
}

WriteChunk RawChunk(const QByteArray& raw, int rate, qint64 nowMs)
{
    return {raw, nowMs, 0, rate, raw};
}
