#include "link/PortReconnector.h"

#include "link/CommunicationsLog.h"
#include "link/ControlCharacters.h"
#include "link/LinkState.h"
#include "link/PortDeviceMap.h"

namespace {

constexpr int kPortCount = 8;

bool SamePath(const PortDescription& lost, const PortDescription& port)
{
    return !lost.device.isEmpty() && DevicePath(port.device) == DevicePath(lost.device);
}

bool SameSerialNumber(const PortDescription& lost, const PortDescription& port)
{
    return !lost.serialNumber.isEmpty() && port.serialNumber == lost.serialNumber;
}

}  // namespace

int FindReturnedPort(const PortDescription& lost, const QList<PortDescription>& ports)
{
    for (const auto& sameDevice : {SamePath, SameSerialNumber})
        for (int i = 0; i < ports.size(); ++i)
            if (ports[i].present && sameDevice(lost, ports[i]))
                return i + 1;
    return 0;
}

PortReconnector::PortReconnector(SerialPort& port, LinkState& state, CommunicationsLog& log,
                                 std::function<bool()> linkBusy, QObject* parent)
    : QObject(parent), m_port(port), m_state(state), m_log(log), m_linkBusy(std::move(linkBusy))
{
    m_tmrReconnect.setInterval(kPollIntervalMs);
    connect(&m_tmrReconnect, &ProtocolTimer::timeout, this, &PortReconnector::tmrReconnect_Timer);
    connect(&m_port, &SerialPort::opened, this, &PortReconnector::OnPortOpened);
}

void PortReconnector::Arm()
{
    if (m_state.bSearching || m_deviceInUse.device.isEmpty())
        return;  // the search decides where the port goes; or no device was ever open
    m_parameters = m_port.parameters();
    m_tmrReconnect.start();
}

void PortReconnector::Disarm()
{
    m_tmrReconnect.stop();
}

void PortReconnector::OnPortOpened()
{
    if (!m_reopening)
        Disarm();
    // Once the device is gone, neither its path (for numbers given by the devices present)
    // nor its serial number can be read any more: remember them while it is here.
    m_deviceInUse = m_port.describePort(m_port.selectedPort());
}

void PortReconnector::tmrReconnect_Timer()
{
    if (m_state.bSearching) {
        Disarm();
        return;
    }
    if (m_linkBusy())
        return;
    QList<PortDescription> ports;
    for (int n = 1; n <= kPortCount; ++n)
        ports << m_port.describePort(n);
    const int portNumber = FindReturnedPort(m_deviceInUse, ports);
    if (portNumber != 0)
        Reopen(portNumber, ports[portNumber - 1].device);
}

void PortReconnector::Reopen(int portNumber, const QString& device)
{
    m_reopening = true;
    const bool reopened = m_port.selectPort(portNumber) && m_port.setParameters(m_parameters)
                          && m_port.open();
    m_reopening = false;
    if (!reopened)
        return;  // back but not usable yet (its permissions still being set, say): next time
    Disarm();
    m_state.iCommPort = static_cast<qint16>(portNumber);
    m_log.LogStatusMessage(QStringLiteral("Serial Port Reopened: ")
                           + EscapeControlCharacters(device));
    emit portReopened();
}
