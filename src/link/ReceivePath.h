#pragma once

#include "link/MessageDispatcher.h"
#include "protocol/FrameAssembler.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>

class CommunicationsLog;
class SerialPort;
class TransmitPath;
struct LinkState;

// Bytes from the module: assembled into frames, each complete frame ends the
// outstanding request, is logged (unless a search runs), shown when it is RF data,
// and dispatched to its response handler.
class ReceivePath : public QObject {
    Q_OBJECT
public:
    static constexpr int kInterByteGapMs = 200;

    ReceivePath(SerialPort& port, LinkState& link, CommunicationsLog& log,
                TransmitPath& transmit, QObject* parent = nullptr);

    // The port's notifications: data waiting, receive-buffer overflow.
    void MSComm1_OnComm();
    void OnReceiveOverflow();

    void StartSerialTimer();
    void StopSerialTimer();

    // The receive buffer as the response handlers read it: the frame being handled,
    // unchanged even when further frames arrive while its handler waits.
    const FrameAssembler& rx() const { return m_handledFrame ? *m_handledFrame : m_rx; }
    const QString& sRxMsgName() const { return m_sRxMsgName; }

    MessageDispatcher& dispatcher() { return m_dispatcher; }
    // Shows the data of a received RF data message (type 148) before it is dispatched.
    void setRfDataDisplay(std::function<void()> display);

    QTimer& tmrSerial() { return m_tmrSerial; }

private:
    void tmrSerial_Timer();
    void ProcessCompleteFrame();

    SerialPort& m_port;
    LinkState& m_link;
    CommunicationsLog& m_log;
    TransmitPath& m_transmit;
    FrameAssembler m_rx;
    const FrameAssembler* m_handledFrame = nullptr;
    QString m_sRxMsgName;
    MessageDispatcher m_dispatcher;
    std::function<void()> m_displayReceivedRFData;
    QTimer m_tmrSerial;
};
