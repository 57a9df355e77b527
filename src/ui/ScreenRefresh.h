#pragma once

#include "platform/ProtocolTimer.h"

#include <QObject>

// The pace at which what a flood of frames changes reaches the screen: the log's rows,
// the received RF data, the counters and the throughput. A module at the full line rate
// sends up to some 200 frames a second, and every change a widget is given costs a
// layout and a repaint, while 20 pictures a second scroll a list smoothly. Whoever shows
// such a state notes a change with request() and shows the state as it is then when
// refreshed() comes: at most once every kIntervalMs, and not at all while nothing
// changed (no timer runs then).
class ScreenRefresh : public QObject {
    Q_OBJECT
public:
    static constexpr int kIntervalMs = 50;

    explicit ScreenRefresh(QObject* parent = nullptr);

    void request();
    bool isPending() const { return m_timer.isActive(); }

signals:
    void refreshed();

private:
    ProtocolTimer m_timer;
};
