#pragma once

#include <QByteArray>
#include <QObject>
#include "platform/ProtocolTimer.h"

class CommunicationsLog;
class SerialPort;
struct LinkState;

// What became of a frame offered to the transmit path.
enum class SendOutcome {
    Sent,        // written and logged
    Waiting,     // held for clear-to-send or the wake-up pause; written when they end
    Busy,        // dropped: a request is outstanding or the link is held (rate pause, search)
    PortClosed,  // dropped: no port is open
};

// The single gateway through which command frames reach the module: one request
// outstanding at a time (while tmrMsgTimeout runs), clear-to-send honoured, a sleeping
// module woken first, every written frame logged. It never waits on the stack: a frame
// that must wait for clear-to-send or the wake-up pause is held, and any other frame
// offered meanwhile is dropped, as one offered while a request is outstanding.
class TransmitPath : public QObject {
    Q_OBJECT
public:
    static constexpr int kResponseTimeoutMs = 500;
    static constexpr int kWakeupPauseMs = 50;
    static constexpr int kClearToSendTimeoutMs = 1000;
    // No notification comes when the line changes: it is looked at this often.
    static constexpr int kClearToSendPollMs = 10;

    TransmitPath(SerialPort& port, LinkState& link, CommunicationsLog& log,
                 QObject* parent = nullptr);

    // Writes the frame, or holds it while clear-to-send is off or a sleeping module wakes,
    // unless `mayStart` is false (the link is held by a search or a rate pause).
    SendOutcome SendMessageToTransceiver(const QByteArray& sMsg, bool bRFDataMsg, bool mayStart = true);

    void StartMsgTimeoutTimer();
    void StopMsgTimeoutTimer();
    // No answer can come any more (the port is gone): the request in flight, if any,
    // times out now.
    void AbandonRequest();
    bool isAwaitingResponse() const { return m_tmrMsgTimeout.isActive(); }
    bool isWaitingForClearToSend() const { return m_phase == Phase::ClearToSend; }
    bool isWakingModule() const { return m_phase == Phase::Wakeup; }
    bool isHoldingFrame() const { return m_phase != Phase::None; }

signals:
    // A frame passed with bRFDataMsg true was written (lPacketsSent counts these).
    void rfDataFrameWritten();
    // The request ended (answered or timed out) or the held frame went out or was
    // dropped: the path may take frames again.
    void lineFreed();

private:
    enum class Phase { None, ClearToSend, Wakeup };

    void tmrMsgTimeout_Timer();
    void ContinueHeldFrame();
    void OnClearToSendPoll();
    void OnClearToSendTimeout();
    void OnWakeupPauseOver();
    void WriteAndLog(const QByteArray& frame, bool bRFDataMsg);
    void Release();

    SerialPort& m_port;
    LinkState& m_link;
    CommunicationsLog& m_log;
    ProtocolTimer m_tmrMsgTimeout{"tmrMsgTimeout", this};
    ProtocolTimer m_tmrWakeup{"tmrWakeup", this};  // the wake-up pause
    ProtocolTimer m_tmrClearToSend{"tmrClearToSend", this};  // looks at the line
    ProtocolTimer m_tmrClearToSendBound{"tmrClearToSendBound", this};
    Phase m_phase = Phase::None;
    QByteArray m_heldFrame;
    bool m_heldIsRfData = false;
};
