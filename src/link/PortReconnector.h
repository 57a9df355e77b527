#pragma once

#include "link/SerialPort.h"

#include <QList>
#include <QObject>
#include "platform/ProtocolTimer.h"

#include <functional>

class CommunicationsLog;
struct LinkState;

// Whether the lost device is back, and under which port number: the first present one at
// the same device path, else the first present one with the same (non-empty) USB serial
// number. `ports` holds ports 1 .. 8 in order. Returns 1 .. 8, or 0 when it is not back.
int FindReturnedPort(const PortDescription& lost, const QList<PortDescription>& ports);

// Brings the link back after its port failed under it (a USB adapter pulled out and
// plugged in again). The fault arms it; it then looks for the lost device twice a second
// and, once the device is back, reopens it with the parameters it had, logs one line and
// disarms. It never blocks: a look that finds nothing, or an open that fails, stays quiet.
// Whoever takes the port on purpose meanwhile disarms it: any other successful open, a
// transceiver search, the settings dialog, shut-down.
class PortReconnector : public QObject {
    Q_OBJECT
public:
    static constexpr int kPollIntervalMs = 500;

    // `linkBusy` tells when the link is in the middle of something over the port (a held
    // frame, the pause after a rate change) that a reopening would surprise.
    PortReconnector(SerialPort& port, LinkState& state, CommunicationsLog& log,
                    std::function<bool()> linkBusy, QObject* parent = nullptr);

    // The port was lost: look for its device until it is back.
    void Arm();
    // The port is someone else's business now: stop looking.
    void Disarm();
    bool isArmed() const { return m_tmrReconnect.isActive(); }

signals:
    // The lost device was reopened; iCommPort names its port number.
    void portReopened();

private:
    void OnPortOpened();
    void tmrReconnect_Timer();
    void Reopen(int portNumber, const QString& device);

    SerialPort& m_port;
    LinkState& m_state;
    CommunicationsLog& m_log;
    std::function<bool()> m_linkBusy;
    ProtocolTimer m_tmrReconnect{"tmrReconnect", this};
    PortDescription m_deviceInUse;  // taken at each open, while the device is surely there
    QString m_parameters;           // as they were when the port was lost
    bool m_reopening = false;
};
