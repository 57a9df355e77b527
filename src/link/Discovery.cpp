#include "link/Discovery.h"

#include "link/HostBaudRate.h"
#include "link/PortReconnector.h"
#include "link/SerialLink.h"
#include "link/StatusPanels.h"
#include "platform/SettingsStore.h"
#include "protocol/Frame.h"
#include "protocol/MessageCatalogue.h"

namespace {
const QString kProperties = QStringLiteral("Properties");
const QString kProbeParameters = QStringLiteral("57600,N,8,1");
}  // namespace

int ProbeWaitMs(const QString& baudRate)
{
    const int rate = baudRate.toInt();
    return rate > 0 ? 100000 / rate + 60 : 60;
}

qint16 ReadStoredCommPort()
{
    return static_cast<qint16>(
        SettingsStore::ReadBoundedInt(kProperties, QStringLiteral("COMPort"), 0, 0, 8));
}

QString ReadStoredBaudRate()
{
    const QString rate = SettingsStore::ReadText(kProperties, QStringLiteral("BaudRate"), QString());
    return HostBaudRates().contains(rate) ? rate : QStringLiteral("19200");
}

bool HandleIdsReplyDuringSearch(SerialLink& link)
{
    if (!link.state().bSearching)
        return false;
    link.state().bTransceiverFound = true;
    return true;
}

TransceiverDiscovery::TransceiverDiscovery(SerialLink& link, StatusPanels& status)
    : m_link(link), m_status(status)
{
}

void TransceiverDiscovery::FindTransceiver(const SearchScope& scope)
{
    m_scope = scope;
    m_abandoned = false;
    m_link.reconnector().Disarm();  // the search decides which port is open now
    m_refusals.clear();  // each search speaks only of its own ports
    m_portProblemReported = false;
    LinkState& s = m_link.state();
    s.sBaudRates = HostBaudRates();
    s.bSearching = true;
    s.bTransceiverFound = false;
    s.iCommPort = ReadStoredCommPort();
    s.sBaudRate = ReadStoredBaudRate();
    bool found = false;
    for (int p : PortsToTry(s.iCommPort)) {
        found = DetectTransceiverOnComPort(p);
        if (found || SearchAbandoned())
            break;
    }
    s.bSearching = false;
    if (SearchAbandoned()) {
        m_link.port().close();
        return;
    }
    if (found) {
        m_status.SetStatusPanel(3, QStringLiteral("Status:"));
    } else {
        const QString nothingFound = QStringLiteral("Status: No transceiver detected");
        const QString status = NoModuleStatus(nothingFound, m_refusals);
        m_portProblemReported = status != nothingFound;
        ReportNoModule(status);
        m_link.SetBaudRateIndex(3);
    }
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

bool TransceiverDiscovery::SearchAbandoned() const
{
    return m_abandoned;
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

bool TransceiverDiscovery::DetectTransceiverOnComPort(int iPort)
{
    if (!PortCanBeOpened(iPort))
        return false;
    ReportSearching(iPort);
    SerialPort& port = m_link.port();
    LinkState& s = m_link.state();
    port.open();
    port.write(QByteArray(1, '\0'));  // wakes a sleeping module
    WaitMs(50);
    for (int i = 0; i < s.sBaudRates.size() && !SearchAbandoned(); ++i) {
        if (!m_scope.baudRate.isEmpty() && s.sBaudRates[i] != m_scope.baudRate)
            continue;
        m_status.SetStatusPanel(2, QStringLiteral("Baud Rate: ") + s.sBaudRates[i]);
        port.close();
        port.setParameters(PortParameters(s.sBaudRates[i]));
        port.open();
        SendQueryTransceiverIDSearchMessage();
        WaitForProbeReply(s.sBaudRates[i]);
        if (s.bTransceiverFound) {
            ReportFound(iPort, i);
            return true;
        }
    }
    port.close();
    return false;
}

void TransceiverDiscovery::ReportFound(int iPort, int rateIndex)
{
    LinkState& s = m_link.state();
    s.iCommPort = static_cast<qint16>(iPort);
    s.sBaudRate = s.sBaudRates[rateIndex];
    if (!m_scope.isNarrowed()) {
        SettingsStore::WriteNumber(kProperties, QStringLiteral("COMPort"), iPort);
        SettingsStore::WriteText(kProperties, QStringLiteral("BaudRate"), s.sBaudRate);
    }
    m_status.SetStatusPanel(1, QStringLiteral("Comm Port: %1").arg(iPort));
    m_status.SetStatusPanel(2, QStringLiteral("Baud Rate: ") + s.sBaudRate);
    m_link.SetBaudRateIndex(rateIndex);
}

void TransceiverDiscovery::ProbeChosenPort(int rateIndex)
{
    SerialPort& port = m_link.port();
    LinkState& s = m_link.state();
    s.bSearching = true;
    s.bTransceiverFound = false;
    port.close();
    port.setParameters(kProbeParameters);
    ReportSearching(s.iCommPort);
    QList<PortRefusal> refused;
    if (!port.open())
        refused << RefusalOf(s.iCommPort);
    port.write(QByteArray(1, '\0'));
    WaitMs(50);
    port.close();
    port.setParameters(PortParameters(s.sBaudRate));
    port.open();
    SendQueryTransceiverIDSearchMessage();
    WaitForProbeReply(s.sBaudRate);
    if (s.bTransceiverFound) {
        ReportLinkInUse(m_link, m_status);
        m_link.SetBaudRateIndex(rateIndex);
    } else {
        ReportNoModule(NoModuleStatus(QStringLiteral("Status: No transceived detected"), refused));
    }
    s.bSearching = false;
}

void TransceiverDiscovery::ReportSearching(int iPort)
{
    m_status.SetStatusPanel(3, QStringLiteral("Status: Searching for transceiver on Com Port %1")
                                   .arg(iPort));
}

void TransceiverDiscovery::ReportNoModule(const QString& status)
{
    m_status.SetStatusPanel(1, QStringLiteral("Comm Port: None"));
    m_status.SetStatusPanel(2, QStringLiteral("Baud Rate: "));
    m_status.SetStatusPanel(3, status);
}

void TransceiverDiscovery::SendQueryTransceiverIDSearchMessage()
{
    m_link.port().write(BuildFrame(MessageCode::QueryIds));
}

void TransceiverDiscovery::WaitForProbeReply(const QString& baudRate)
{
    LinkState& s = m_link.state();
    m_link.transmit().WaitOnWakeupTimer(ProbeWaitMs(baudRate),
                                        [this, &s] { return s.bTransceiverFound || m_abandoned; });
}

void TransceiverDiscovery::WaitMs(int ms)
{
    m_link.transmit().WaitOnWakeupTimer(ms, [this] { return m_abandoned; });
}
