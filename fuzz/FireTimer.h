#pragma once

#include "platform/ProtocolTimer.h"

#include <QMetaObject>
#include <QTimer>

// Makes a running timer tick now, as if its interval had passed: a single-shot timer
// stops first, as it does when it fires by itself. Fuzz targets use this instead of
// waiting, so an input runs in microseconds whatever the program's intervals are.
inline void FireTimer(QTimer& timer)
{
    if (!timer.isActive())
        return;
    if (timer.isSingleShot())
        timer.stop();
    QMetaObject::invokeMethod(&timer, "timeout", Qt::DirectConnection);
}

// A protocol timer ticks through the system timer inside it.
inline void FireTimer(ProtocolTimer& timer)
{
    if (QTimer* inside = timer.findChild<QTimer*>())
        FireTimer(*inside);
}
