#pragma once

#include "platform/Clock.h"

#include <memory>

// Pins the program's clock at `start`; each reading moves it on one millisecond, so
// every log line gets a time of its own. Clock::SetNowForTesting({}) lets it go.
inline void PinClockStepping(const QDateTime& start)
{
    auto reads = std::make_shared<int>(0);
    Clock::SetNowForTesting([start, reads] { return start.addMSecs((*reads)++); });
}
