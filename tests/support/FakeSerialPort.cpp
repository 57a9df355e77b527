#include "support/FakeSerialPort.h"

#include "platform/ProtocolTimer.h"

#include <QMap>

void FakeSerialPort::setPortSelectable(int portNumber, bool selectable)
{
    selectable ? void(m_unselectable.remove(portNumber)) : void(m_unselectable.insert(portNumber));
}

void FakeSerialPort::setOpenFailure(int portNumber, PortOpenFailure failure) { m_openFailures.insert(portNumber, failure); }

void FakeSerialPort::setPortDescription(int portNumber, const PortDescription& description)
{
    m_descriptions.insert(portNumber, description);
}

void FakeSerialPort::feedReceived(const QByteArray& bytes)
{
    if (!m_open)
        return;  // a closed port hears nothing
    m_input.append(bytes);
    emit dataReceived();
}

// On the protocol's clock, so that a test in virtual time has the module answer in it too.
void FakeSerialPort::feedReceivedLater(const QByteArray& bytes, int delayMs)
{
    auto* later = new ProtocolTimer("feedReceivedLater", this);
    later->setSingleShot(true);
    connect(later, &ProtocolTimer::timeout, this, [this, bytes, later] {
        feedReceived(bytes);
        later->deleteLater();
    });
    later->start(delayMs);
}

void FakeSerialPort::injectFault(const QString& description)
{
    emit faulted(m_error = description);
}

QByteArray FakeSerialPort::writtenData() const
{
    QByteArray all;
    for (const Write& w : m_writes)
        all.append(w.bytes);
    return all;
}

void FakeSerialPort::clearRecords()
{
    m_writes.clear();
}

bool FakeSerialPort::selectPort(int portNumber)
{
    if (m_open || portNumber < 1 || portNumber > 8 || m_unselectable.contains(portNumber)) {
        m_error = QStringLiteral("Invalid port number");
        return false;
    }
    m_port = portNumber;
    return true;
}

bool FakeSerialPort::setParameters(const QString& settings)
{
    m_parameters = settings;
    m_input.clear();
    return true;
}

bool FakeSerialPort::open()
{
    m_openFailure = m_openFailures.value(m_port, PortOpenFailure::None);
    if (!m_available.contains(m_port) && m_openFailure == PortOpenFailure::None)
        m_openFailure = PortOpenFailure::NotFound;
    static const QMap<PortOpenFailure, QString> kErrors{
        {PortOpenFailure::PermissionDenied, "Permission denied"}, {PortOpenFailure::Busy, "Permission denied"},
        {PortOpenFailure::NotFound, "No such file or directory"},
        {PortOpenFailure::NotASerialPort, "Inappropriate ioctl for device"},
        {PortOpenFailure::Other, "Input/output error"}};
    if (m_openFailure != PortOpenFailure::None) {
        m_error = kErrors.value(m_openFailure);
        return false;
    }
    m_open = true;
    m_input.clear();
    emit opened();
    return true;
}

void FakeSerialPort::close()
{
    m_open = false;
    m_input.clear();
}

bool FakeSerialPort::write(const QByteArray& bytes)
{
    if (!m_open)
        return false;
    m_writes.append({bytes, m_port, m_parameters});
    if (m_responder)
        m_responder(*this, bytes);
    return true;
}

int FakeSerialPort::readByte()
{
    if (m_input.isEmpty())
        return -1;
    const int byte = static_cast<quint8>(m_input.at(0));
    m_input.remove(0, 1);
    return byte;
}

PortDescription FakeSerialPort::describePort(int portNumber) const
{
    // Every number names a device that is there; one that does not open says why
    // through its open failure. A device that has gone is set up with setPortDescription.
    PortDescription port;
    port.device = QStringLiteral("/dev/fake%1").arg(portNumber);
    port.present = true;
    return m_descriptions.value(portNumber, port);
}
