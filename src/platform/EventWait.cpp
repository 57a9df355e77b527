#include "platform/EventWait.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

namespace {

std::function<void()>& WaitStartedHook()
{
    static std::function<void()> hook;
    return hook;
}

}  // namespace

void SetWaitStartedHookForTesting(std::function<void()> hook)
{
    WaitStartedHook() = std::move(hook);
}

bool WaitWhileProcessingEvents(const std::function<bool()>& done, int timeoutMs)
{
    if (done())
        return true;
    if (WaitStartedHook()) {
        WaitStartedHook()();
        if (done())
            return true;
    }
    QEventLoop loop;
    QElapsedTimer clock;
    clock.start();
    // Conditions change inside other handlers, not through a signal of their own, so
    // they are polled at a millisecond pace.
    QTimer poll;
    poll.setTimerType(Qt::PreciseTimer);
    poll.setInterval(1);
    bool satisfied = false;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done()) {
            satisfied = true;
            loop.quit();
        } else if (clock.elapsed() >= timeoutMs) {
            loop.quit();
        }
    });
    poll.start();
    loop.exec();
    return satisfied;
}

void PauseWhileProcessingEvents(int ms)
{
    QElapsedTimer clock;
    clock.start();
    WaitWhileProcessingEvents([&] { return clock.elapsed() >= ms; }, ms + 1000);
}
