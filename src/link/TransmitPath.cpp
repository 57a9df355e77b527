#include "link/TransmitPath.h"

#include "link/CommunicationsLog.h"
#include "link/LinkState.h"
#include "link/SerialPort.h"
#include "protocol/Frame.h"
#include "protocol/MessageCatalogue.h"

#include <algorithm>

TransmitPath::TransmitPath(SerialPort& port, LinkState& link, CommunicationsLog& log,
                           QObject* parent)
    : QObject(parent), m_port(port), m_link(link), m_log(log)
{
    for (ProtocolTimer* timer : {&m_tmrMsgTimeout, &m_tmrWakeup, &m_tmrClearToSendBound})
        timer->setSingleShot(true);
    connect(&m_tmrMsgTimeout, &ProtocolTimer::timeout, this, &TransmitPath::tmrMsgTimeout_Timer);
    connect(&m_tmrWakeup, &ProtocolTimer::timeout, this, &TransmitPath::OnWakeupPauseOver);
    connect(&m_tmrClearToSend, &ProtocolTimer::timeout, this, &TransmitPath::OnClearToSendPoll);
    connect(&m_tmrClearToSendBound, &ProtocolTimer::timeout, this, &TransmitPath::OnClearToSendTimeout);
}

SendOutcome TransmitPath::SendMessageToTransceiver(const QByteArray& sMsg, bool bRFDataMsg,
                                                   bool mayStart)
{
    if (m_tmrMsgTimeout.isActive() || isHoldingFrame() || !mayStart)
        return SendOutcome::Busy;
    if (sMsg.size() < FrameLayout::kMinLength)
        return SendOutcome::Busy;  // not a frame: nothing a sender of ours builds
    const int length = std::min<int>(static_cast<quint8>(sMsg.at(1)), sMsg.size());
    m_link.iTxMsgType = static_cast<quint8>(sMsg.at(2));
    if (!m_port.isOpen())
        return SendOutcome::PortClosed;
    m_heldFrame = sMsg.left(length);
    m_heldIsRfData = bRFDataMsg;
    if (m_port.clearToSend() == CtsState::NotAsserted) {
        m_phase = Phase::ClearToSend;
        m_tmrClearToSend.start(kClearToSendPollMs);
        m_tmrClearToSendBound.start(kClearToSendTimeoutMs);
        return SendOutcome::Waiting;
    }
    ContinueHeldFrame();
    return m_phase == Phase::None ? SendOutcome::Sent : SendOutcome::Waiting;
}

// Clear-to-send has come: a sleeping module is woken first, then the frame goes out.
void TransmitPath::ContinueHeldFrame()
{
    if (m_link.bWakeupNeeded) {
        m_phase = Phase::Wakeup;
        m_port.write(QByteArray(1, '\0'));
        m_tmrWakeup.start(kWakeupPauseMs);
        return;
    }
    const QByteArray frame = m_heldFrame;
    Release();
    WriteAndLog(frame, m_heldIsRfData);
}

void TransmitPath::OnClearToSendPoll()
{
    if (!m_port.isOpen()) {
        Release();  // the port failed meanwhile: dropped as with a closed port
        return;
    }
    if (m_port.clearToSend() == CtsState::NotAsserted)
        return;
    m_tmrClearToSend.stop();
    m_tmrClearToSendBound.stop();
    ContinueHeldFrame();
}

void TransmitPath::OnClearToSendTimeout()
{
    Release();
    m_log.LogStatusMessage(QStringLiteral("Clear To Send Timeout!"));
}

void TransmitPath::OnWakeupPauseOver()
{
    m_link.bWakeupNeeded = false;
    const QByteArray frame = m_heldFrame;
    const bool open = m_port.isOpen();
    Release();
    if (open)
        WriteAndLog(frame, m_heldIsRfData);
}

void TransmitPath::WriteAndLog(const QByteArray& frame, bool bRFDataMsg)
{
    m_port.write(frame);
    m_link.sTxMsgName = GetTransmittedMessageName(m_link.iTxMsgType);
    const int packetId = frame.size() > 3 ? static_cast<quint8>(frame.at(3)) : 0;
    m_log.LogTransmittedMessage(m_link.sTxMsgName, frame, bRFDataMsg, packetId);
    if (m_link.iTxMsgType != MessageCode::SendRfData)
        StartMsgTimeoutTimer();
    if (bRFDataMsg)
        emit rfDataFrameWritten();
}

void TransmitPath::Release()
{
    const bool wasHolding = isHoldingFrame();
    m_phase = Phase::None;
    m_tmrClearToSend.stop();
    m_tmrClearToSendBound.stop();
    m_tmrWakeup.stop();
    m_heldFrame.clear();
    if (wasHolding)
        emit lineFreed();
}

void TransmitPath::StartMsgTimeoutTimer()
{
    m_tmrMsgTimeout.start(kResponseTimeoutMs);
}

void TransmitPath::StopMsgTimeoutTimer()
{
    if (!m_tmrMsgTimeout.isActive())
        return;
    m_tmrMsgTimeout.stop();
    emit lineFreed();
}

void TransmitPath::AbandonRequest()
{
    if (m_tmrMsgTimeout.isActive())
        tmrMsgTimeout_Timer();
}

void TransmitPath::tmrMsgTimeout_Timer()
{
    m_tmrMsgTimeout.stop();
    m_log.LogMessageTimeout(GetTimedOutMessageName(m_link.iTxMsgType));
    emit lineFreed();
}
