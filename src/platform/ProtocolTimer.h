#pragma once

#include <QObject>
#include <QTimer>

class VirtualClock;

// Milliseconds on the clock the protocol timers run on: the virtual clock's while one
// exists, else a monotonic clock.
qint64 ProtocolClockNowMs();

// A timer of the protocol (watchdogs, pauses, the repetition): precise, single-shot or
// periodic, on the system's clock. While a VirtualClock exists, every protocol timer runs
// on it instead, so tests pass protocol time without waiting for it.
class ProtocolTimer : public QObject {
    Q_OBJECT
public:
    // `name` names the system timer inside, which is what tools looking for the timer find.
    explicit ProtocolTimer(const char* name, QObject* parent = nullptr);
    ~ProtocolTimer() override;

    void setSingleShot(bool singleShot) { m_timer.setSingleShot(singleShot); }
    bool isSingleShot() const { return m_timer.isSingleShot(); }
    void setInterval(int ms) { m_timer.setInterval(ms); }
    int interval() const { return m_timer.interval(); }
    void start();
    void start(int ms);
    void stop();
    bool isActive() const;

signals:
    void timeout();

private:
    friend class VirtualClock;
    void Tick();

    QTimer m_timer;
    VirtualClock* m_clock = nullptr;  // the virtual clock it is scheduled on, if any
};

// Protocol time for tests: while one exists, protocol timers started run on it, and only
// advance() moves them. Events posted meanwhile (queued calls) are delivered as time passes.
class VirtualClock {
public:
    VirtualClock();
    ~VirtualClock();
    VirtualClock(const VirtualClock&) = delete;
    VirtualClock& operator=(const VirtualClock&) = delete;

    static VirtualClock* current();
    qint64 now() const { return m_now; }
    // Fires every timer due within `ms`, in the order they fall due.
    void advance(int ms);

private:
    friend class ProtocolTimer;
    struct Entry {
        ProtocolTimer* timer;
        qint64 dueAt;
        quint64 order;  // timers due at the same time fire in the order they were started
    };
    void schedule(ProtocolTimer* timer, qint64 dueAt);
    void unschedule(const ProtocolTimer* timer);
    bool isScheduled(const ProtocolTimer* timer) const;
    void deliverPostedEvents();

    qint64 m_now = 0;
    quint64 m_nextOrder = 0;
    QList<Entry> m_entries;
};
