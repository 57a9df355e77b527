#pragma once

#include "link/LinkSession.h"

#include <QTest>

#include <functional>

// Tests and benchmarks wait here, serving events, for what the program does from its
// event loop; the program itself never waits on the stack.
inline bool WaitWhileProcessingEvents(const std::function<bool()>& done, int timeoutMs)
{
    return QTest::qWaitFor(done, timeoutMs);
}

inline void PauseWhileProcessingEvents(int ms)
{
    QTest::qWait(ms);
}

// Waits until the link has nothing in hand: no request outstanding, no frame held, no
// search or rate pause running.
inline bool LinkSettles(const LinkSession& link, int timeoutMs = 5000)
{
    return QTest::qWaitFor([&] { return link.phase() == LinkPhase::Idle || link.phase() == LinkPhase::Closed; },
                           timeoutMs);
}
