#include "link/QtSerialPortAdapter.h"

#include "link/PortDeviceMap.h"
#include "link/PresentSerialPorts.h"
#include "link/TerminalDevice.h"

#include <QElapsedTimer>
#include <QFile>
#include <QStringList>

#include <unistd.h>

#include <cerrno>

namespace {

// "57600,N,8,1" -> 57600; 0 when the text is not of that form.
qint32 BaudRateFromParameters(const QString& settings)
{
    const QStringList parts = settings.split(QLatin1Char(','));
    if (parts.size() != 4 || parts[1] != QLatin1String("N") || parts[2] != QLatin1String("8")
        || parts[3] != QLatin1String("1"))
        return 0;
    bool ok = false;
    const qint32 rate = parts[0].toInt(&ok);
    return ok && rate > 0 ? rate : 0;
}

const QString kDisconnected = QStringLiteral("The serial device was disconnected");

}  // namespace

QtSerialPortAdapter::QtSerialPortAdapter(QObject* parent) : SerialPort(parent)
{
    m_port.setReadBufferSize(0);
    // Direct: the receive path never waits inside its handler, and a queued hop cost
    // a wake-up of the event loop for every chunk the port delivered.
    connect(&m_port, &QSerialPort::readyRead, this, &SerialPort::dataReceived);
    connect(&m_port, &QSerialPort::errorOccurred, this, &QtSerialPortAdapter::onError);
}

bool QtSerialPortAdapter::selectPort(int portNumber)
{
    if (m_port.isOpen()) {
        m_lastError = QStringLiteral("Operation valid only if port is closed");
        return false;
    }
    const QString device = DeviceForPortNumber(portNumber);
    if (device.isEmpty()) {
        m_lastError = QStringLiteral("Invalid port number");
        m_openFailure = PortOpenFailure::NotFound;
        return false;
    }
    m_portNumber = portNumber;
    m_port.setPortName(device);
    return true;
}

int QtSerialPortAdapter::selectedPort() const
{
    return m_portNumber;
}

bool QtSerialPortAdapter::setParameters(const QString& settings)
{
    const qint32 rate = BaudRateFromParameters(settings);
    if (rate == 0) {
        m_lastError = QStringLiteral("Invalid port parameters: %1").arg(settings);
        return false;
    }
    m_parameters = settings;
    m_baudRate = rate;
    if (!m_port.isOpen())
        return true;
    const bool applied = m_port.setBaudRate(rate);
    m_port.clear();  // stale bytes at the old rate mean nothing at the new one
    return applied;
}

QString QtSerialPortAdapter::parameters() const
{
    return m_parameters;
}

bool QtSerialPortAdapter::open()
{
    if (m_port.isOpen())
        return true;
    if (m_portNumber == 0) {
        m_lastError = QStringLiteral("No port selected");
        m_openFailure = PortOpenFailure::Other;
        return false;
    }
    m_port.setBaudRate(m_baudRate);
    m_port.setDataBits(QSerialPort::Data8);
    m_port.setParity(QSerialPort::NoParity);
    m_port.setStopBits(QSerialPort::OneStop);
    m_port.setFlowControl(QSerialPort::NoFlowControl);
    if (!m_port.open(QIODevice::ReadWrite)) {
        m_lastError = m_port.errorString();
        m_openFailure = ClassifyOpenFailure(m_port.error());
        m_port.clearError();
        return false;
    }
    m_openFailure = PortOpenFailure::None;
    m_faultReported = false;
    m_port.clear();  // Qt keeps stale input across an open
    emit opened();
    return true;
}

void QtSerialPortAdapter::close()
{
    if (m_port.isOpen())
        m_port.close();
}

bool QtSerialPortAdapter::isOpen() const
{
    return m_port.isOpen();
}

bool QtSerialPortAdapter::write(const QByteArray& bytes)
{
    if (!m_port.isOpen())
        return false;
    const bool queued = m_port.write(bytes) == bytes.size();
    m_port.flush();  // out now, so the pauses between writes happen on the wire
    return queued;
}

int QtSerialPortAdapter::bytesWaiting() const
{
    return m_port.isOpen() ? static_cast<int>(m_port.bytesAvailable()) : 0;
}

int QtSerialPortAdapter::readByte()
{
    char byte = 0;
    if (!m_port.isOpen() || m_port.read(&byte, 1) != 1)
        return -1;
    return static_cast<quint8>(byte);
}

qint64 QtSerialPortAdapter::bytesInOutputBuffer() const
{
    return m_port.isOpen() ? m_port.bytesToWrite() : 0;
}

bool QtSerialPortAdapter::waitForOutputDrained(int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (m_port.isOpen() && m_port.bytesToWrite() > 0) {
        const int left = timeoutMs - static_cast<int>(clock.elapsed());
        if (left <= 0 || !m_port.waitForBytesWritten(left))
            break;
    }
    return bytesInOutputBuffer() == 0;
}

CtsState QtSerialPortAdapter::clearToSend()
{
    if (!m_port.isOpen())
        return CtsState::Unknown;
    const QSerialPort::PinoutSignals pins = m_port.pinoutSignals();
    if (m_port.error() != QSerialPort::NoError) {
        // Pseudo-terminals and some USB adapters cannot report the line.
        m_port.clearError();
        return CtsState::Unknown;
    }
    return pins.testFlag(QSerialPort::ClearToSendSignal) ? CtsState::Asserted
                                                         : CtsState::NotAsserted;
}

QString QtSerialPortAdapter::errorDescription() const
{
    return m_lastError;
}

PortOpenFailure QtSerialPortAdapter::ClassifyOpenFailure(QSerialPort::SerialPortError error) const
{
    const QString path = DevicePath(m_port.portName());
    switch (error) {
    case QSerialPort::DeviceNotFoundError:
        return PortOpenFailure::NotFound;
    case QSerialPort::PermissionError:
        // Qt says "permission" both for a device the user may not use and for one that
        // another program holds locked; only the first is a matter of access rights.
        return access(QFile::encodeName(path).constData(), R_OK | W_OK) != 0 && errno == EACCES
                   ? PortOpenFailure::PermissionDenied
                   : PortOpenFailure::Busy;
    default:
        // Qt names a file, a folder or /dev/null by the errno of whichever call failed
        // first; the device itself says what it is.
        return IsNotASerialPort(path) ? PortOpenFailure::NotASerialPort : PortOpenFailure::Other;
    }
}

PortDescription QtSerialPortAdapter::describePort(int portNumber) const
{
    PortDescription port;
    port.device = DeviceForPortNumber(portNumber);
    if (port.device.isEmpty())
        return port;
    const QString path = DevicePath(port.device);
    port.present = QFile::exists(path);
    // Pseudo-terminals are never listed, so look the device up rather than ask for it by name.
    for (const QSerialPortInfo& info : PresentSerialPorts()) {
        if (info.systemLocation() != path)
            continue;
        port.description = info.description();
        port.manufacturer = info.manufacturer();
        port.serialNumber = info.serialNumber();
        break;
    }
    return port;
}

void QtSerialPortAdapter::onError(QSerialPort::SerialPortError error)
{
    switch (error) {
    case QSerialPort::NoError:
    case QSerialPort::UnsupportedOperationError:  // e.g. line signals on a pseudo-terminal
    case QSerialPort::OpenError:
    case QSerialPort::DeviceNotFoundError:
    case QSerialPort::PermissionError:
    case QSerialPort::TimeoutError:
        return;  // reported through the operation that failed, not as a fault
    default:
        fail(FaultDescription());
    }
}

// A device that went away is told as such: Qt describes it with whatever errno was left
// over from earlier calls, so the same unplug would read differently each time.
QString QtSerialPortAdapter::FaultDescription() const
{
    return HasHungUp(m_port.handle()) ? kDisconnected : m_port.errorString();
}

void QtSerialPortAdapter::fail(const QString& description)
{
    m_lastError = description;
    if (m_faultReported || !m_port.isOpen())
        return;
    // A vanished device makes QSerialPort repeat the error in a tight loop: report
    // it once and close outside the notification that raised it.
    m_faultReported = true;
    QMetaObject::invokeMethod(
        this,
        [this, description] {
            close();
            emit faulted(description);
        },
        Qt::QueuedConnection);
}
