#pragma once

#include "link/LinkSession.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <functional>

// Tests and benchmarks wait here, serving events, for what the program does from its
// event loop; the program itself never waits on the stack. Unlike QTest::qWait, which
// sleeps between its rounds, these keep serving events at once, so a benchmark's own
// wait does not delay the timers it measures.
inline bool WaitWhileProcessingEvents(const std::function<bool()>& done, int timeoutMs)
{
    if (done())
        return true;
    QEventLoop loop;
    QElapsedTimer clock;
    clock.start();
    QTimer poll;
    poll.setTimerType(Qt::PreciseTimer);
    poll.setInterval(1);
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done() || clock.elapsed() >= timeoutMs)
            loop.quit();
    });
    poll.start();
    loop.exec();
    return done();
}

inline void PauseWhileProcessingEvents(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

// Waits until the link has nothing in hand: no request outstanding, no frame held, no
// search or rate pause running.
inline bool LinkSettles(const LinkSession& link, int timeoutMs = 5000)
{
    return WaitWhileProcessingEvents(
        [&] { return link.phase() == LinkPhase::Idle || link.phase() == LinkPhase::Closed; }, timeoutMs);
}
