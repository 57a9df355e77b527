#pragma once

#include "link/MessageDispatcher.h"
#include "protocol/FrameAssembler.h"

#include <QObject>
#include <QString>
#include "platform/ProtocolTimer.h"

#include <functional>

class CommunicationsLog;
class SerialPort;
class TransmitPath;
struct LinkState;

// Bytes from the module: assembled into frames, each complete frame ends the
// outstanding request, is logged (unless a search runs), shown when it is RF data,
// and dispatched to its response handler. During a search an IDs reply only says that
// the module is there (moduleAnsweredSearch); no handler sees it.
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

    const FrameAssembler& assembler() const { return m_rx; }
    const QString& sRxMsgName() const { return m_sRxMsgName; }

    MessageDispatcher& dispatcher() { return m_dispatcher; }
    // Shows the data of a received RF data message (type 148) before it is dispatched.
    void setRfDataDisplay(std::function<void(const Frame&)> display);

    ProtocolTimer& tmrSerial() { return m_tmrSerial; }

signals:
    // An IDs reply came while a search runs: the module is there.
    void moduleAnsweredSearch();

private:
    void tmrSerial_Timer();
    void DropPartialFrame();
    void ProcessCompleteFrame();

    SerialPort& m_port;
    LinkState& m_link;
    CommunicationsLog& m_log;
    TransmitPath& m_transmit;
    FrameAssembler m_rx;
    QString m_sRxMsgName;
    MessageDispatcher m_dispatcher;
    std::function<void(const Frame&)> m_displayReceivedRFData;
    ProtocolTimer m_tmrSerial{"tmrSerial", this};
};
