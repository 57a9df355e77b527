#include "link/ReceivePath.h"

#include "link/CommunicationsLog.h"
#include "link/LinkState.h"
#include "link/SerialPort.h"
#include "link/TransmitPath.h"
#include "protocol/MessageCatalogue.h"

ReceivePath::ReceivePath(SerialPort& port, LinkState& link, CommunicationsLog& log,
                         TransmitPath& transmit, QObject* parent)
    : QObject(parent), m_port(port), m_link(link), m_log(log), m_transmit(transmit)
{
    m_tmrSerial.setSingleShot(true);
    connect(&m_tmrSerial, &ProtocolTimer::timeout, this, &ReceivePath::tmrSerial_Timer);
    connect(&m_port, &SerialPort::dataReceived, this, &ReceivePath::MSComm1_OnComm);
    connect(&m_port, &SerialPort::receiveOverflow, this, &ReceivePath::OnReceiveOverflow);
    // Bytes from before the port was opened again belong to no frame after it. Under a
    // steady stream no gap would ever drop them, and a search's reopened port then
    // swallowed the module's reply into a stale frame.
    connect(&m_port, &SerialPort::opened, this, &ReceivePath::DropPartialFrame);
}

void ReceivePath::MSComm1_OnComm()
{
    // A notification for bytes that an earlier one has already read changes nothing:
    // the gap timer goes on measuring from the last byte that came.
    if (m_port.bytesWaiting() <= 0)
        return;
    StopSerialTimer();
    bool midFrame = false;
    while (m_port.bytesWaiting() > 0) {
        const int byte = m_port.readByte();
        if (byte < 0)
            break;
        const FrameAssembler::Step step = m_rx.feed(static_cast<quint8>(byte));
        midFrame = step == FrameAssembler::Step::Collecting;
        if (step == FrameAssembler::Step::FrameComplete)
            ProcessCompleteFrame();
    }
    // The bytes read here came together, so the gap runs from now, not from each byte.
    if (midFrame)
        StartSerialTimer();
}

void ReceivePath::ProcessCompleteFrame()
{
    m_transmit.StopMsgTimeoutTimer();
    const Frame frame = m_rx.completedFrame();
    m_sRxMsgName = GetReceivedMessageName(frame.type());
    if (!m_link.bSearching)
        m_log.LogReceivedMessage(frame.type(), m_sRxMsgName, frame.bytes(), frame.payloadByte(1));
    if (frame.type() == MessageCode::ReceivedRfData && m_displayReceivedRFData)
        m_displayReceivedRFData(frame);
    if (m_link.bSearching && frame.type() == MessageCode::Ids && frame.checksumOk()) {
        m_link.bTransceiverFound = true;
        emit moduleAnsweredSearch();
        return;
    }
    m_dispatcher.DispatchReceivedMessage(frame);
}

void ReceivePath::OnReceiveOverflow()
{
    m_log.LogStatusMessage(QStringLiteral("Host PC Receive Buffer Overflow!"));
    m_log.LogStatusMessage(QStringLiteral("Host PC Transmit Buffer Overflow!"));
}

void ReceivePath::StartSerialTimer()
{
    m_tmrSerial.start(kInterByteGapMs);
}

void ReceivePath::StopSerialTimer()
{
    m_tmrSerial.stop();
}

void ReceivePath::tmrSerial_Timer()
{
    StopSerialTimer();
    if (m_rx.iRxState != 0)
        m_rx.gapExpired();
}

void ReceivePath::DropPartialFrame()
{
    StopSerialTimer();
    if (m_rx.iRxState != 0)
        m_rx.gapExpired();
}

void ReceivePath::setRfDataDisplay(std::function<void(const Frame&)> display)
{
    m_displayReceivedRFData = std::move(display);
}
