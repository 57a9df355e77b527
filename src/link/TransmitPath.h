#pragma once

#include <QByteArray>
#include <QObject>
#include <QTimer>

#include <functional>

class CommunicationsLog;
class SerialPort;
struct LinkState;

// The single gateway through which command frames reach the module: one request
// outstanding at a time (while tmrMsgTimeout runs), clear-to-send honoured, a sleeping
// module woken first, every written frame logged.
class TransmitPath : public QObject {
    Q_OBJECT
public:
    static constexpr int kResponseTimeoutMs = 500;
    static constexpr int kWakeupPauseMs = 50;
    static constexpr int kClearToSendTimeoutMs = 1000;

    TransmitPath(SerialPort& port, LinkState& link, CommunicationsLog& log,
                 QObject* parent = nullptr);

    // Writes the frame unless a request is outstanding, another send is still inside its
    // waits, the port is closed or clear-to-send never comes. Callers cannot tell whether
    // it was written.
    void SendMessageToTransceiver(const QByteArray& sMsg, bool bRFDataMsg);

    void StartMsgTimeoutTimer();
    void StopMsgTimeoutTimer();
    // No answer can come any more (the port is gone): the request in flight, if any,
    // times out now.
    void AbandonRequest();
    bool isAwaitingResponse() const;
    // A send is inside its clear-to-send or wake-up wait, or someone waits on tmrWakeup
    // (a discovery probe, the pause after a baud-rate change).
    bool isWaiting() const { return m_insideWaits || m_tmrWakeup.isActive(); }

    // Runs tmrWakeup for `ms` and waits, processing events, until it has stopped
    // (or `endEarly` holds).
    void WaitOnWakeupTimer(int ms, const std::function<bool()>& endEarly = {});

    QTimer& tmrMsgTimeout() { return m_tmrMsgTimeout; }
    QTimer& tmrWakeup() { return m_tmrWakeup; }

signals:
    // A frame passed with bRFDataMsg true was written (lPacketsSent counts these).
    void rfDataFrameWritten();

private:
    void tmrMsgTimeout_Timer();
    bool WaitForClearToSend();
    bool WriteWhenReady(const QByteArray& frame);

    SerialPort& m_port;
    LinkState& m_link;
    CommunicationsLog& m_log;
    QTimer m_tmrMsgTimeout;
    QTimer m_tmrWakeup;
    bool m_insideWaits = false;  // a send is waiting for clear-to-send or the wake-up pause
};
