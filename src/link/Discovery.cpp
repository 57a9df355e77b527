#include "link/Discovery.h"

#include "link/HostBaudRate.h"
#include "link/LinkSession.h"
#include "link/PortSettings.h"
#include "protocol/Frame.h"
#include "protocol/MessageCatalogue.h"

namespace {
const QString kProbeParameters = QStringLiteral("57600,N,8,1");
}  // namespace

int ProbeWaitMs(const QString& baudRate)
{
    const int rate = baudRate.toInt();
    return rate > 0 ? 100000 / rate + 60 : 60;
}

TransceiverDiscovery::TransceiverDiscovery(LinkSession& link, QObject* parent)
    : QObject(parent), m_link(link)
{
    m_tmrStep.setSingleShot(true);
    connect(&m_tmrStep, &ProtocolTimer::timeout, this, &TransceiverDiscovery::OnTimer);
    // Queued: the reply's own handling (and the bytes after it) ends before the search moves on.
    connect(&m_link.receive(), &ReceivePath::moduleAnsweredSearch, this,
            &TransceiverDiscovery::OnModuleAnswered, Qt::QueuedConnection);
}

void TransceiverDiscovery::Start()
{
    m_running = true;
    m_link.reconnector().Disarm();  // the search decides which port is open now
    m_link.BeginSearch();
    m_link.state().sBaudRates = HostBaudRates();
}

void TransceiverDiscovery::FindTransceiver(const SearchScope& scope)
{
    m_scope = scope;
    m_probingChosenPort = false;
    m_refusals.clear();  // each search speaks only of its own ports
    Start();
    LinkState& s = m_link.state();
    s.iCommPort = PortSettings::StoredCommPort();
    s.sBaudRate = PortSettings::StoredBaudRate();
    m_portsLeft = PortsToTry(s.iCommPort);
    NextPort();
}

// The stored port first, then the others in order; only the scope's port when narrowed.
QList<int> TransceiverDiscovery::PortsToTry(int storedPort) const
{
    if (m_scope.portNumber != 0)
        return {m_scope.portNumber};
    QList<int> ports;
    if (storedPort != 0)
        ports << storedPort;
    for (int p = 1; p <= 8; ++p)
        if (p != storedPort)
            ports << p;
    return ports;
}

// DetectTransceiverOnComPort, from its start: the first port that can be opened is woken.
void TransceiverDiscovery::NextPort()
{
    while (!m_portsLeft.isEmpty()) {
        m_port = m_portsLeft.takeFirst();
        if (!PortCanBeOpened(m_port))
            continue;
        emit searchingPort(m_port);
        SerialPort& port = m_link.port();
        port.open();
        port.write(QByteArray(1, '\0'));  // wakes a sleeping module
        m_rateIndex = 0;
        m_step = Step::WakeupPause;
        m_tmrStep.start(TransmitPath::kWakeupPauseMs);
        return;
    }
    Finish(false);
}

void TransceiverDiscovery::NextRate()
{
    const QStringList& rates = m_link.state().sBaudRates;
    while (m_rateIndex < rates.size() && !m_scope.baudRate.isEmpty()
           && rates[m_rateIndex] != m_scope.baudRate)
        ++m_rateIndex;
    if (m_rateIndex >= rates.size()) {
        m_link.port().close();
        NextPort();
        return;
    }
    emit probingRate(rates[m_rateIndex]);
    ProbeAt(rates[m_rateIndex]);
}

void TransceiverDiscovery::ProbeAt(const QString& baudRate)
{
    SerialPort& port = m_link.port();
    port.close();
    port.setParameters(PortParameters(baudRate));
    port.open();
    SendQueryTransceiverIDSearchMessage();
    m_step = Step::ProbeWait;
    m_tmrStep.start(ProbeWaitMs(baudRate));
}

void TransceiverDiscovery::OnTimer()
{
    if (m_step == Step::WakeupPause) {
        if (m_probingChosenPort)
            ProbeAt(m_link.state().sBaudRate);
        else
            NextRate();
        return;
    }
    if (m_probingChosenPort) {
        FinishProbe();
    } else if (m_link.state().bTransceiverFound) {
        ReportFound(m_port, m_rateIndex);
        Finish(true);
    } else {
        ++m_rateIndex;
        NextRate();
    }
}

// The probe's reply has come: its wait ends early.
void TransceiverDiscovery::OnModuleAnswered()
{
    if (m_running && m_step == Step::ProbeWait && m_tmrStep.isActive()) {
        m_tmrStep.stop();
        OnTimer();
    }
}

void TransceiverDiscovery::Finish(bool found)
{
    m_tmrStep.stop();
    m_running = false;
    m_link.EndSearch();
    if (found) {
        emit moduleFound();
    } else {
        ReportNoModule(NoModuleStatus(QStringLiteral("Status: No transceiver detected"), m_refusals));
        m_link.SetBaudRateIndex(3);
    }
    emit finished(found);
}

void TransceiverDiscovery::AbandonSearch()
{
    if (!m_running)
        return;
    m_tmrStep.stop();
    m_running = false;
    m_link.port().close();
    m_link.EndSearch();
    emit finished(false);
}

bool TransceiverDiscovery::PortCanBeOpened(int iPort)
{
    SerialPort& port = m_link.port();
    if (port.isOpen())
        port.close();
    if (!port.selectPort(iPort) || !port.setParameters(kProbeParameters))
        return false;
    if (!port.open()) {
        m_refusals << RefusalOf(iPort);
        return false;
    }
    port.close();
    return true;
}

PortRefusal TransceiverDiscovery::RefusalOf(int iPort) const
{
    const SerialPort& port = m_link.port();
    return {port.describePort(iPort), port.lastOpenFailure()};
}

void TransceiverDiscovery::ReportFound(int iPort, int rateIndex)
{
    LinkState& s = m_link.state();
    s.iCommPort = static_cast<qint16>(iPort);
    s.sBaudRate = s.sBaudRates[rateIndex];
    if (!m_scope.isNarrowed() && m_scope.remembersFind) {
        PortSettings::StoreCommPort(iPort);
        PortSettings::StoreBaudRate(s.sBaudRate);
    }
    m_link.SetBaudRateIndex(rateIndex);
}

void TransceiverDiscovery::ProbeChosenPort(int rateIndex)
{
    m_probingChosenPort = true;
    m_chosenRateIndex = rateIndex;
    Start();
    SerialPort& port = m_link.port();
    LinkState& s = m_link.state();
    port.close();
    port.setParameters(kProbeParameters);
    emit searchingPort(s.iCommPort);
    m_refusals.clear();
    if (!port.open())
        m_refusals << RefusalOf(s.iCommPort);
    port.write(QByteArray(1, '\0'));
    m_step = Step::WakeupPause;
    m_tmrStep.start(TransmitPath::kWakeupPauseMs);
}

void TransceiverDiscovery::FinishProbe()
{
    m_running = false;
    if (m_link.state().bTransceiverFound) {
        emit moduleFound();
        m_link.SetBaudRateIndex(m_chosenRateIndex);
    } else {
        ReportNoModule(NoModuleStatus(QStringLiteral("Status: No transceived detected"), m_refusals));
    }
    m_link.EndSearch();
    emit finished(m_link.state().bTransceiverFound);
}

void TransceiverDiscovery::ReportNoModule(const QString& status)
{
    emit noModule(status);
}

void TransceiverDiscovery::SendQueryTransceiverIDSearchMessage()
{
    m_link.port().write(BuildFrame(MessageCode::QueryIds));
}
