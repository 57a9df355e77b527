#pragma once

#include "ControlInput.h"
#include "DeviceLink.h"
#include "FaultPlan.h"
#include "LineWriter.h"
#include "PtyDevice.h"
#include "SimOptions.h"
#include "SimRandom.h"
#include "SimulatedModule.h"
#include "TraceLog.h"
#include "platform/TerminationSignals.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

class QSocketNotifier;
struct ControlCommand;

// The simulator's main loop: the module behind a pseudo-terminal, driven by the
// host's bytes, its own timers and the control lines on standard input.
class SimulatorApp : public QObject {
    Q_OBJECT
public:
    // How often the host's side is looked at while no bytes come: whether a host has
    // the device open, and at which rate.
    static constexpr int kLineCheckMs = 10;
    static constexpr int kStatusReportDelayMs = 500;

    explicit SimulatorApp(const SimOptions& options, QObject* parent = nullptr);

    // Opens the device, its link and the trace; false with a one-line error.
    // A bad --link or --trace path is a bad option (exit status 2).
    bool start(QString* error, int* exitStatus);

private:
    bool openTraceAndLink(QString* error);
    bool publishDevice(QString* error);
    void connectWriter();
    void startListening();
    void watchDevice();
    void onDeviceReadable();
    void checkLine();
    void hostArrived();
    void hostLeft();
    void sendStatusReportIfDue();
    void sendPeerMessage();
    void onControlLine(const QString& line);
    void runControlCommand(const ControlCommand& command);
    void send(const ModuleFrame& frame);
    void traceHeard(const HeardFromHost& heard);
    void unplug();
    void detach();
    void attach();
    void closeDevice();
    void finish();

    SimOptions m_options;
    QElapsedTimer m_clock;
    SimRandom m_random;
    SimulatedModule m_module;
    FaultPlan m_faults;
    PtyDevice m_device;
    DeviceLink m_link;
    TraceLog m_trace;
    LineWriter m_writer;
    ControlInput m_control;
    TerminationSignals m_signals;
    QSocketNotifier* m_deviceNotifier = nullptr;
    QTimer m_lineCheck;
    QTimer m_peerTimer;
    QTimer m_statusTimer;
    bool m_hostPresent = false;
    bool m_statusReportSent = false;
};
