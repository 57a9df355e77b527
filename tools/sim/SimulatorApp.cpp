#include "SimulatorApp.h"

#include "ControlCommand.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <chrono>
#include <csignal>
#include <cstdio>

namespace {

quint32 SeedFrom(const SimOptions& options)
{
    if (options.seed)
        return *options.seed;
    return static_cast<quint32>(std::chrono::system_clock::now().time_since_epoch().count());
}

}  // namespace

SimulatorApp::SimulatorApp(const SimOptions& options, QObject* parent)
    : QObject(parent),
      m_options(options),
      m_random(SeedFrom(options)),
      m_module(options, m_random),
      m_faults(options.faults, m_random),
      m_writer(m_clock, options.pace)
{
    m_clock.start();
}

bool SimulatorApp::start(QString* error, int* exitStatus)
{
    *exitStatus = 1;
    if (!m_device.open(error))
        return false;
    *exitStatus = 2;
    if (!openTraceAndLink(error))
        return false;
    *exitStatus = 0;
    connectWriter();
    startListening();
    return true;
}

bool SimulatorApp::openTraceAndLink(QString* error)
{
    QString problem;
    if (!m_trace.open(m_options.tracePath, &problem)) {
        *error = QStringLiteral("--trace: cannot open %1: %2").arg(m_options.tracePath, problem);
        return false;
    }
    return publishDevice(error);
}

// Tells the host where the device is: the --link, or its path on stdout.
bool SimulatorApp::publishDevice(QString* error)
{
    QString problem;
    if (m_options.linkPath.isEmpty()) {
        std::fputs(qPrintable(m_device.devicePath() + QLatin1Char('\n')), stdout);
        std::fflush(stdout);
    } else if (!m_link.create(m_options.linkPath, m_device.devicePath(), &problem)) {
        *error = QStringLiteral("--link: ") + problem;
        return false;
    }
    return true;
}

void SimulatorApp::connectWriter()
{
    m_writer.setSink([this](const QByteArray& bytes) { return m_device.write(bytes); });
    m_writer.setListening([this] { return m_device.hostPresent(); });
    m_writer.setTracer([this](const QByteArray& frame) {
        m_trace.write(m_clock.elapsed(), TraceLog::Direction::ModuleToHost, m_device.hostRate(),
                      frame, false);
    });
}

void SimulatorApp::startListening()
{
    watchDevice();
    connect(&m_lineCheck, &QTimer::timeout, this, &SimulatorApp::checkLine);
    m_lineCheck.start(kLineCheckMs);
    m_statusTimer.setSingleShot(true);
    connect(&m_statusTimer, &QTimer::timeout, this, &SimulatorApp::sendStatusReportIfDue);
    if (m_options.peerIntervalMs > 0) {
        m_peerTimer.setTimerType(Qt::PreciseTimer);
        connect(&m_peerTimer, &QTimer::timeout, this, &SimulatorApp::sendPeerMessage);
        m_peerTimer.start(m_options.peerIntervalMs);
    }
    connect(&m_control, &ControlInput::lineReceived, this, &SimulatorApp::onControlLine);
    m_control.start();
    connect(&m_signals, &TerminationSignals::terminationRequested, this, &SimulatorApp::finish);
    m_signals.install();
    std::signal(SIGPIPE, SIG_IGN);  // a vanished reader of stdout must not kill the module
}

void SimulatorApp::watchDevice()
{
    m_deviceNotifier = new QSocketNotifier(m_device.fd(), QSocketNotifier::Read, this);
    m_deviceNotifier->setEnabled(false);  // enabled while a host has the device open
    connect(m_deviceNotifier, &QSocketNotifier::activated, this, &SimulatorApp::onDeviceReadable);
}

void SimulatorApp::onDeviceReadable()
{
    QByteArray bytes;
    const PtyDevice::ReadResult result = m_device.read(bytes);
    if (!bytes.isEmpty()) {
        const ModuleReaction reaction =
            m_module.receive(bytes, m_device.hostRate(), m_clock.elapsed());
        for (const HeardFromHost& heard : reaction.heard)
            traceHeard(heard);
        for (const ModuleFrame& frame : reaction.frames)
            send(frame);
    }
    if (result == PtyDevice::ReadResult::HostGone)
        hostLeft();
}

void SimulatorApp::checkLine()
{
    const bool present = m_device.hostPresent();
    if (present && !m_hostPresent)
        hostArrived();
    else if (!present && m_hostPresent)
        hostLeft();
    const bool statusWaiting =
        m_options.statusReport && !m_statusReportSent && !m_statusTimer.isActive();
    if (statusWaiting && m_hostPresent && m_device.hostRate() == m_module.rate())
        m_statusTimer.start(kStatusReportDelayMs);
}

void SimulatorApp::hostArrived()
{
    m_hostPresent = true;
    m_deviceNotifier->setEnabled(true);
}

void SimulatorApp::hostLeft()
{
    // Reads fail until the next host opens the device: stop listening for them, and
    // make the line raw again in case the host left it otherwise.
    m_hostPresent = false;
    m_deviceNotifier->setEnabled(false);
    m_writer.discardAll();
    m_device.makeRaw();
}

void SimulatorApp::sendStatusReportIfDue()
{
    if (!m_hostPresent || m_device.hostRate() != m_module.rate())
        return;  // the host went away meanwhile: wait for it again
    m_statusReportSent = true;
    send(m_module.statusReport(m_options.statusReport->idsStatus,
                               m_options.statusReport->settingsStatus));
}

void SimulatorApp::sendPeerMessage()
{
    if (m_hostPresent && !m_module.asleep())
        send(m_module.nextPeerMessage());
}

void SimulatorApp::onControlLine(const QString& line)
{
    const ControlCommand command = ParseControlCommand(line);
    if (command.kind == ControlCommand::Kind::Invalid) {
        std::fprintf(stderr, "orvalis-sim: control line '%s': %s\n", qPrintable(line),
                     qPrintable(command.error));
        return;
    }
    runControlCommand(command);
}

void SimulatorApp::runControlCommand(const ControlCommand& command)
{
    using Kind = ControlCommand::Kind;
    switch (command.kind) {
    case Kind::SendRfData:
        send(m_module.receivedRfData(command.packetId, command.bytes));
        break;
    case Kind::SendRfDataForAnother:
        send(m_module.rfDataForAnotherTransceiver(command.packetId, command.bytes));
        break;
    case Kind::Status:
        send(m_module.statusReport(command.idsStatus, command.settingsStatus));
        break;
    case Kind::Raw:
        m_writer.enqueue({RawChunk(command.bytes, m_module.rate(), m_clock.elapsed())});
        break;
    case Kind::Unplug:
        unplug();
        break;
    case Kind::Detach:
        detach();
        break;
    case Kind::Attach:
        attach();
        break;
    case Kind::Quit:
        finish();
        break;
    case Kind::Invalid:
    case Kind::Nothing:
        break;
    }
}

void SimulatorApp::send(const ModuleFrame& frame)
{
    m_writer.enqueue(m_faults.chunksFor(frame, m_clock.elapsed()));
}

void SimulatorApp::traceHeard(const HeardFromHost& heard)
{
    m_trace.write(m_clock.elapsed(), TraceLog::Direction::HostToModule, heard.hostRate, heard.bytes,
                  heard.ignored);
}

void SimulatorApp::unplug()
{
    closeDevice();
    finish();
}

void SimulatorApp::detach()
{
    // The adapter is pulled but the module keeps running, so it keeps its settings and
    // its rate for when the adapter comes back.
    if (!m_device.isOpen())
        return;
    closeDevice();
    m_link.remove();
}

void SimulatorApp::attach()
{
    if (m_device.isOpen())
        return;  // still attached
    QString error;
    if (!m_device.open(&error) || !publishDevice(&error)) {
        m_device.close();
        std::fprintf(stderr, "orvalis-sim: attach: %s\n", qPrintable(error));
        return;
    }
    watchDevice();
}

void SimulatorApp::closeDevice()
{
    // As when the adapter is pulled: the host's side hangs up at once.
    m_writer.discardAll();
    delete m_deviceNotifier;
    m_deviceNotifier = nullptr;
    m_hostPresent = false;
    m_device.close();
}

void SimulatorApp::finish()
{
    m_lineCheck.stop();
    m_peerTimer.stop();
    m_statusTimer.stop();
    m_writer.discardAll();
    m_link.remove();
    QCoreApplication::exit(0);
}
