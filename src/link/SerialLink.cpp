#include "link/SerialLink.h"

SerialLink::SerialLink(std::unique_ptr<SerialPort> port, MessageList& logList, QObject* parent)
    : QObject(parent),
      m_port(std::move(port)),
      m_log(logList),
      m_transmit(*m_port, m_state, m_log, this),
      m_receive(*m_port, m_state, m_log, m_transmit, this),
      m_reconnector(*m_port, m_state, m_log, m_transmit, this)
{
    connect(m_port.get(), &SerialPort::faulted, this, &SerialLink::HandlePortFault);
    connect(&m_reconnector, &PortReconnector::portReopened, this, &SerialLink::portReopened);
}

void SerialLink::SetBaudRateIndex(int index)
{
    m_state.iBaudRateIndex = static_cast<qint16>(index);
    emit baudRateIndexChanged();
}

void SerialLink::HandlePortFault(const QString& description)
{
    m_port->close();
    m_log.LogStatusMessage(QStringLiteral("Serial Port Error: ") + description);
    m_transmit.AbandonRequest();
    emit portLost();
    m_reconnector.Arm();
}
