#include "link/HostBaudRate.h"

#include "link/LinkSession.h"
#include "link/StatusPanels.h"
#include "link/PortSettings.h"

int BaudRateChangeWaitMs(int rate)
{
    return (rate > 0 ? 100000 / rate : 0) + 2000;
}

BaudRateSwitch::BaudRateSwitch(LinkSession& link, StatusPanels& status, QObject* parent)
    : QObject(parent), m_link(link), m_status(status)
{
    connect(&m_link, &LinkSession::rateChangePauseOver, this, &BaudRateSwitch::OnPauseOver);
}

void BaudRateSwitch::start(int rateIndex)
{
    LinkState& s = m_link.state();
    const QString previousRate = s.sBaudRate;
    s.sBaudRate = HostBaudRates().at(rateIndex);
    if (s.sBaudRate != previousRate)
        PortSettings::StoreBaudRate(s.sBaudRate);
    SerialPort& port = m_link.port();
    port.close();
    port.setParameters(PortParameters(s.sBaudRate));
    m_reopened = port.open();
    m_openFailure = m_reopened ? QString() : port.errorDescription();
    m_rateIndex = rateIndex;
    m_running = true;
    m_link.PauseAfterRateChange(BaudRateChangeWaitMs(s.sBaudRate.toInt()));
}

void BaudRateSwitch::OnPauseOver()
{
    if (!m_running)
        return;
    m_running = false;
    m_link.SetBaudRateIndex(m_rateIndex);
    // The panels say "in use" only of a port that is: a failed reopen is a port fault, and
    // a port lost during the pause has been reported as one already.
    if (!m_reopened)
        m_link.HandlePortFault(m_openFailure);
    else if (m_link.port().isOpen())
        ReportLinkInUse(m_link, m_status);
    emit finished();
}

void ReportLinkInUse(const LinkSession& link, StatusPanels& status)
{
    const LinkState& s = link.state();
    status.SetStatusPanel(1, QStringLiteral("Comm Port: %1").arg(s.iCommPort));
    status.SetStatusPanel(2, QStringLiteral("Baud Rate: ") + s.sBaudRate);
    status.SetStatusPanel(3, QStringLiteral("Status:"));
}
