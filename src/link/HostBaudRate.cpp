#include "link/HostBaudRate.h"

#include "link/LinkSession.h"
#include "link/PortSettings.h"

int BaudRateChangeWaitMs(int rate)
{
    return (rate > 0 ? 100000 / rate : 0) + 2000;
}

BaudRateSwitch::BaudRateSwitch(LinkSession& link, QObject* parent)
    : QObject(parent), m_link(link)
{
    connect(&m_link, &LinkSession::rateChangePauseOver, this, &BaudRateSwitch::OnPauseOver);
}

void BaudRateSwitch::start(int rateIndex)
{
    LinkState& s = m_link.state();
    const QString previousRate = s.sBaudRate;
    s.sBaudRate = HostBaudRates().at(rateIndex);
    if (m_remembersRate && s.sBaudRate != previousRate)
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
    if (!m_reopened)
        m_link.HandlePortFault(m_openFailure);
    emit finished(m_reopened && m_link.port().isOpen());
}
