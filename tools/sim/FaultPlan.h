#pragma once

#include "SimOptions.h"
#include "SimulatedModule.h"

#include <QByteArray>
#include <QList>

class SimRandom;

// One write to the device. A chunk goes out no earlier than notBeforeMs and at least
// pauseBeforeMs after the chunk before it has gone out completely.
struct WriteChunk {
    QByteArray bytes;
    qint64 notBeforeMs = 0;
    int pauseBeforeMs = 0;
    int rate = 0;            // the module's rate, which paces the bytes when asked to
    QByteArray tracedFrame;  // the frame to trace when this chunk starts; empty for none
};

// Turns the frames the module sends into the writes that reach the host, applying
// the faults chosen on the command line.
class FaultPlan {
public:
    static constexpr int kSplitPauseMs = 50;
    static constexpr int kBadChecksumEvery = 3;
    static constexpr int kMaxNoiseBytes = 6;

    FaultPlan(const SimFaults& faults, SimRandom& random);

    QList<WriteChunk> chunksFor(const ModuleFrame& frame, qint64 nowMs);

private:
    QByteArray noise();

    SimFaults m_faults;
    SimRandom& m_random;
    int m_framesSent = 0;
};

// The bytes of `raw` unchanged, as one chunk to go out now, traced as they are.
WriteChunk RawChunk(const QByteArray& raw, int rate, qint64 nowMs);
