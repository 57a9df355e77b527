#pragma once

#include "cli/CliRequest.h"

#include <QElapsedTimer>
#include <QObject>
#include "platform/ProtocolTimer.h"

class CliModule;

// One link test: the repetition of "Send Single Repeated Msg" or "Send Random Repeated
// Msg" through the RF data controller, stopped as "Stop Repeat" stops it once `count`
// messages have gone out (or when asked), and over once every message sent has its
// outcome, or the module has reported nothing for kOutcomeWaitMs.
class LinkTestRun : public QObject {
    Q_OBJECT
public:
    static constexpr int kOutcomeWaitMs = 3000;
    static constexpr int kPacedFallbackMs = 1000;

    LinkTestRun(CliModule& module, const TestPlan& plan, QObject* parent = nullptr);

    void start();
    // Ctrl+C, or the end of the count: no further message; the one in flight is awaited.
    void stop();
    bool isRunning() const { return m_running; }

    double throughputKbps() const { return m_averageKbps; }
    double currentKbps() const { return m_currentKbps; }
    double elapsedSeconds() const;

signals:
    // A message went out or got its outcome.
    void progressed();
    // The repetition has stopped and the link is free: the figures are final.
    void finished();

private:
    void OnPacketSent();
    void OnDeliveryReported();
    void OnRepetitionChanged(bool running);
    void FinishWhenSettled();
    void Finish();

    CliModule& m_module;
    TestPlan m_plan;
    QElapsedTimer m_clock;
    ProtocolTimer m_tmrOutcomeWait{"tmrOutcomeWait", this};
    qint64 m_elapsedMs = -1;
    double m_averageKbps = 0;
    double m_currentKbps = 0;
    bool m_running = false;
    bool m_stopping = false;
};
