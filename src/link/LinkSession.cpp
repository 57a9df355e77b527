#include "link/LinkSession.h"

LinkSession::LinkSession(std::unique_ptr<SerialPort> port, MessageList& logList, QObject* parent)
    : QObject(parent),
      m_port(std::move(port)),
      m_log(logList),
      m_transmit(*m_port, m_state, m_log, this),
      m_receive(*m_port, m_state, m_log, m_transmit, this),
      m_reconnector(*m_port, m_state, m_log,
                    [this] { return m_tmrRatePause.isActive() || m_transmit.isHoldingFrame(); }, this)
{
    m_tmrRatePause.setSingleShot(true);
    connect(&m_tmrRatePause, &ProtocolTimer::timeout, this, &LinkSession::OnRatePauseOver);
    connect(m_port.get(), &SerialPort::faulted, this, &LinkSession::HandlePortFault);
    connect(&m_reconnector, &PortReconnector::portReopened, this, &LinkSession::portReopened);
    connect(&m_transmit, &TransmitPath::lineFreed, this, &LinkSession::linkFreed);
}

LinkPhase LinkSession::phase() const
{
    if (m_state.bSearching)
        return LinkPhase::Searching;
    if (m_tmrRatePause.isActive())
        return LinkPhase::PausingAfterRateChange;
    if (!m_port->isOpen())
        return LinkPhase::Closed;
    if (m_transmit.isWaitingForClearToSend())
        return LinkPhase::WaitingForClearToSend;
    if (m_transmit.isWakingModule())
        return LinkPhase::WakingModule;
    if (m_transmit.isAwaitingResponse())
        return LinkPhase::AwaitingReply;
    return LinkPhase::Idle;
}

SendOutcome LinkSession::SendMessageToTransceiver(const QByteArray& sMsg, bool bRFDataMsg)
{
    const bool held = m_state.bSearching || m_tmrRatePause.isActive();
    const SendOutcome outcome = m_transmit.SendMessageToTransceiver(sMsg, bRFDataMsg, !held);
    if (outcome == SendOutcome::PortClosed)
        emit sendRefused();
    return outcome;
}

void LinkSession::BeginSearch()
{
    emit searchStarted();
    m_state.bSearching = true;
    m_state.bTransceiverFound = false;
}

void LinkSession::EndSearch()
{
    m_state.bSearching = false;
    emit linkFreed();
}

void LinkSession::PauseAfterRateChange(int ms)
{
    m_tmrRatePause.start(ms);
}

void LinkSession::OnRatePauseOver()
{
    emit rateChangePauseOver();
    emit linkFreed();
}

void LinkSession::SetBaudRateIndex(int index)
{
    m_state.iBaudRateIndex = static_cast<qint16>(index);
    emit baudRateIndexChanged();
}

void LinkSession::CloseAtShutDown()
{
    m_reconnector.Disarm();
    if (m_port->isOpen()) {
        m_port->waitForOutputDrained(1000);
        m_port->close();
    }
}

void LinkSession::HandlePortFault(const QString& description)
{
    m_port->close();
    m_log.LogStatusMessage(QStringLiteral("Serial Port Error: ") + description);
    m_transmit.AbandonRequest();
    emit portLost();
    m_reconnector.Arm();
}
