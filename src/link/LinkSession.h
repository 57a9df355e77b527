#pragma once

#include "link/CommunicationsLog.h"
#include "link/LinkState.h"
#include "link/PortReconnector.h"
#include "link/ReceivePath.h"
#include "link/SerialPort.h"
#include "link/TransmitPath.h"

#include <QObject>
#include "platform/ProtocolTimer.h"

#include <memory>

class MessageList;

// Where the link stands; one at a time, the first that holds in this order.
enum class LinkPhase {
    Searching,               // a search or a probe owns the port
    PausingAfterRateChange,  // the module is following the host to a new rate
    Closed,
    WaitingForClearToSend,
    WakingModule,
    AwaitingReply,
    Idle,
};

// The serial link as the rest of the program sees it: the port, the link state, the
// communications log, and the transmit and receive paths over them. Nothing here waits on
// the stack: every wait is a phase with a timer. A frame is sent only from Idle; offered
// in any other phase it is dropped. A port that fails while open is closed and reported
// once, and reopened when its device is back.
class LinkSession : public QObject {
    Q_OBJECT
public:
    LinkSession(std::unique_ptr<SerialPort> port, MessageList& logList, QObject* parent = nullptr);

    SerialPort& port() { return *m_port; }
    LinkState& state() { return m_state; }
    const LinkState& state() const { return m_state; }
    CommunicationsLog& log() { return m_log; }
    TransmitPath& transmit() { return m_transmit; }
    ReceivePath& receive() { return m_receive; }
    MessageDispatcher& dispatcher() { return m_receive.dispatcher(); }
    PortReconnector& reconnector() { return m_reconnector; }

    LinkPhase phase() const;

    SendOutcome SendMessageToTransceiver(const QByteArray& sMsg, bool bRFDataMsg);

    // A search or a probe takes the port: nothing else is sent, received frames are not
    // logged, and a running repetition is told to stop first (searchStarted).
    void BeginSearch();
    void EndSearch();
    // The host has reopened its port at the module's new rate; for `ms` nothing is sent.
    void PauseAfterRateChange(int ms);

    // The host now runs at sBaudRates(index + 1); whoever shows the rate in use follows.
    void SetBaudRateIndex(int index);

    // The port failed (under us, or when it was to be reopened): it is closed, the log says
    // why, a request in flight gets its time-out line, portLost is raised, and the port
    // will be reopened when its device is back.
    void HandlePortFault(const QString& description);

    // The program ends: the port is not reopened any more, and what was written reaches the
    // module (at most a second) before the port closes.
    void CloseAtShutDown();

signals:
    void searchStarted();
    // The pause after a rate change is over.
    void rateChangePauseOver();
    // The link may be Idle again: a request ended, a held frame went, a search or a pause
    // ended. Queued listeners read phase() to know.
    void linkFreed();
    // The port failed and is now closed.
    void portLost();
    // The lost port's device is back and open again, at the rate it had.
    void portReopened();
    // A frame was offered with no port open and dropped: the user has a port to choose.
    void sendRefused();
    void baudRateIndexChanged();

private:
    void OnRatePauseOver();

    std::unique_ptr<SerialPort> m_port;
    LinkState m_state;
    CommunicationsLog m_log;
    TransmitPath m_transmit;
    ReceivePath m_receive;
    PortReconnector m_reconnector;
    ProtocolTimer m_tmrRatePause{"tmrRatePause", this};
};
