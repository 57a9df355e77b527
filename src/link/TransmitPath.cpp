#include "link/TransmitPath.h"

#include "link/CommunicationsLog.h"
#include "link/LinkState.h"
#include "link/SerialPort.h"
#include "platform/EventWait.h"
#include "protocol/Frame.h"
#include "protocol/MessageCatalogue.h"

#include <QPointer>

#include <algorithm>

TransmitPath::TransmitPath(SerialPort& port, LinkState& link, CommunicationsLog& log,
                           QObject* parent)
    : QObject(parent), m_port(port), m_link(link), m_log(log)
{
    m_tmrMsgTimeout.setParent(this);
    m_tmrMsgTimeout.setObjectName(QStringLiteral("tmrMsgTimeout"));
    m_tmrMsgTimeout.setSingleShot(true);
    m_tmrMsgTimeout.setTimerType(Qt::PreciseTimer);
    connect(&m_tmrMsgTimeout, &QTimer::timeout, this, &TransmitPath::tmrMsgTimeout_Timer);

    // tmrWakeup only times the busy waits; a single shot disables itself on its tick.
    m_tmrWakeup.setParent(this);
    m_tmrWakeup.setObjectName(QStringLiteral("tmrWakeup"));
    m_tmrWakeup.setSingleShot(true);
    m_tmrWakeup.setTimerType(Qt::PreciseTimer);
}

void TransmitPath::SendMessageToTransceiver(const QByteArray& sMsg, bool bRFDataMsg)
{
    // A send started from a handler that runs inside another send's wait would write its
    // frame in the middle of the first one's and take over its name and watchdog.
    if (m_tmrMsgTimeout.isActive() || m_insideWaits)
        return;
    if (sMsg.size() < FrameLayout::kMinLength)
        return;  // not a frame: nothing a sender of ours builds
    const int length = std::min<int>(static_cast<quint8>(sMsg.at(1)), sMsg.size());
    const QByteArray frame = sMsg.left(length);
    m_link.iTxMsgType = static_cast<quint8>(frame.at(2));
    if (!WriteWhenReady(frame))
        return;
    m_link.sTxMsgName = GetTransmittedMessageName(m_link.iTxMsgType);
    const int packetId = frame.size() > 3 ? static_cast<quint8>(frame.at(3)) : 0;
    m_log.LogTransmittedMessage(m_link.sTxMsgName, frame, bRFDataMsg, packetId);
    if (m_link.iTxMsgType != MessageCode::SendRfData)
        StartMsgTimeoutTimer();
    if (bRFDataMsg)
        emit rfDataFrameWritten();
}

// Waits for clear-to-send and wakes a sleeping module, then writes the frame; false when
// the port is closed, fails during a wait, or clear-to-send never comes.
bool TransmitPath::WriteWhenReady(const QByteArray& frame)
{
    if (!m_port.isOpen())
        return false;
    const QPointer<TransmitPath> self(this);
    m_insideWaits = true;
    const bool clear = WaitForClearToSend();
    if (self && clear && m_link.bWakeupNeeded) {
        m_port.write(QByteArray(1, '\0'));
        WaitOnWakeupTimer(kWakeupPauseMs);
        if (self)
            m_link.bWakeupNeeded = false;
    }
    if (!self)
        return false;  // the window went away during a wait
    m_insideWaits = false;
    if (!clear) {
        m_log.LogStatusMessage(QStringLiteral("Clear To Send Timeout!"));
        return false;
    }
    if (!m_port.isOpen())
        return false;  // the port failed during a wait: dropped as with a closed port
    m_port.write(frame);
    return true;
}

bool TransmitPath::WaitForClearToSend()
{
    const auto clear = [this] {
        return !m_port.isOpen() || m_port.clearToSend() != CtsState::NotAsserted;
    };
    return WaitWhileProcessingEvents(clear, kClearToSendTimeoutMs);
}

void TransmitPath::WaitOnWakeupTimer(int ms, const std::function<bool()>& endEarly)
{
    m_tmrWakeup.start(ms);
    const QPointer<TransmitPath> self(this);
    WaitWhileProcessingEvents(
        [&] { return !self || !m_tmrWakeup.isActive() || (endEarly && endEarly()); },
        ms + 1000);
    if (self)
        m_tmrWakeup.stop();
}

void TransmitPath::StartMsgTimeoutTimer()
{
    m_tmrMsgTimeout.start(kResponseTimeoutMs);
}

void TransmitPath::StopMsgTimeoutTimer()
{
    m_tmrMsgTimeout.stop();
}

void TransmitPath::AbandonRequest()
{
    if (m_tmrMsgTimeout.isActive())
        tmrMsgTimeout_Timer();
}

bool TransmitPath::isAwaitingResponse() const
{
    return m_tmrMsgTimeout.isActive();
}

void TransmitPath::tmrMsgTimeout_Timer()
{
    m_tmrMsgTimeout.stop();
    m_log.LogMessageTimeout(GetTimedOutMessageName(m_link.iTxMsgType));
}
