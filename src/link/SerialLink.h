#pragma once

#include "link/CommunicationsLog.h"
#include "link/LinkState.h"
#include "link/PortReconnector.h"
#include "link/ReceivePath.h"
#include "link/SerialPort.h"
#include "link/TransmitPath.h"

#include <QObject>

#include <memory>

class MessageList;

// The serial link as the rest of the program sees it: the port, the link state, the
// communications log, and the transmit and receive paths over them. A port that
// fails while open is closed and reported once, and reopened when its device is back.
class SerialLink : public QObject {
    Q_OBJECT
public:
    SerialLink(std::unique_ptr<SerialPort> port, MessageList& logList, QObject* parent = nullptr);

    SerialPort& port() { return *m_port; }
    LinkState& state() { return m_state; }
    const LinkState& state() const { return m_state; }
    CommunicationsLog& log() { return m_log; }
    TransmitPath& transmit() { return m_transmit; }
    ReceivePath& receive() { return m_receive; }
    PortReconnector& reconnector() { return m_reconnector; }

    void SendMessageToTransceiver(const QByteArray& sMsg, bool bRFDataMsg)
    {
        m_transmit.SendMessageToTransceiver(sMsg, bRFDataMsg);
    }

    // The host now runs at sBaudRates(index + 1); whoever shows the rate in use follows.
    void SetBaudRateIndex(int index);

    // The port failed (under us, or when it was to be reopened): it is closed, the log says
    // why, a request in flight gets its time-out line, portLost is raised, and the port
    // will be reopened when its device is back.
    void HandlePortFault(const QString& description);

signals:
    // The port failed and is now closed.
    void portLost();
    // The lost port's device is back and open again, at the rate it had.
    void portReopened();
    void baudRateIndexChanged();

private:
    std::unique_ptr<SerialPort> m_port;
    LinkState m_state;
    CommunicationsLog m_log;
    TransmitPath m_transmit;
    ReceivePath m_receive;
    PortReconnector m_reconnector;
};
