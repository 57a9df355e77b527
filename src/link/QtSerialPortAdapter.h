#pragma once

#include "link/SerialPort.h"

#include <QSerialPort>

// The program's serial port: QSerialPort behind the SerialPort interface.
class QtSerialPortAdapter : public SerialPort {
    Q_OBJECT
public:
    explicit QtSerialPortAdapter(QObject* parent = nullptr);

    bool selectPort(int portNumber) override;
    int selectedPort() const override;
    bool setParameters(const QString& settings) override;
    QString parameters() const override;
    bool open() override;
    void close() override;
    bool isOpen() const override;
    bool write(const QByteArray& bytes) override;
    int bytesWaiting() const override;
    int readByte() override;
    qint64 bytesInOutputBuffer() const override;
    bool waitForOutputDrained(int timeoutMs) override;
    CtsState clearToSend() override;
    QString errorDescription() const override;
    PortOpenFailure lastOpenFailure() const override { return m_openFailure; }
    PortDescription describePort(int portNumber) const override;

private:
    void onError(QSerialPort::SerialPortError error);
    QString FaultDescription() const;
    void fail(const QString& description);
    PortOpenFailure ClassifyOpenFailure(QSerialPort::SerialPortError error) const;

    QSerialPort m_port;
    int m_portNumber = 0;
    QString m_parameters = QStringLiteral("57600,N,8,1");
    qint32 m_baudRate = 57600;
    QString m_lastError;
    PortOpenFailure m_openFailure = PortOpenFailure::None;
    bool m_faultReported = false;
};
