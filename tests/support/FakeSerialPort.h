#pragma once

#include "link/SerialPort.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>

#include <functional>

// An in-memory serial port. It records every write with the port and parameters in force, feeds received bytes in chosen chunks, and lets a test set
// the clear-to-send line and raise overflow and fault notifications.
class FakeSerialPort : public SerialPort {
    Q_OBJECT
public:
    struct Write {
        QByteArray bytes;
        int port = 0;
        QString parameters;
    };
    // Called after each write; may answer with feedReceivedLater.
    using Responder = std::function<void(FakeSerialPort& port, const QByteArray& written)>;

    explicit FakeSerialPort(QObject* parent = nullptr) : SerialPort(parent) {}

    // Set-up. The other port numbers have no device: opening them fails.
    void setOnlyPortsAvailable(const QSet<int>& portNumbers) { m_available = portNumbers; }
    // A port number that cannot even be selected (no such device).
    void setPortSelectable(int portNumber, bool selectable);
    // Opening the port fails the way a real device would (permission, busy, missing).
    void setOpenFailure(int portNumber, PortOpenFailure failure);
    // What describePort reports; by default "/dev/fake<n>", present.
    void setPortDescription(int portNumber, const PortDescription& description);
    void setClearToSend(CtsState state) { m_cts = state; }
    void setResponder(Responder responder) { m_responder = std::move(responder); }

    // Driving.
    void feedReceived(const QByteArray& bytes);          // now, one notification
    void feedReceivedLater(const QByteArray& bytes, int delayMs);
    void raiseOverflow() { emit receiveOverflow(); }
    void injectFault(const QString& description);

    // Inspection.
    const QList<Write>& writes() const { return m_writes; }
    QByteArray writtenData() const;
    void clearRecords();

    // SerialPort
    bool selectPort(int portNumber) override;
    int selectedPort() const override { return m_port; }
    bool setParameters(const QString& settings) override;
    QString parameters() const override { return m_parameters; }
    bool open() override;
    void close() override;
    bool isOpen() const override { return m_open; }
    bool write(const QByteArray& bytes) override;
    int bytesWaiting() const override { return static_cast<int>(m_input.size()); }
    int readByte() override;
    qint64 bytesInOutputBuffer() const override { return 0; }
    bool waitForOutputDrained(int) override { return true; }
    CtsState clearToSend() override { return m_cts; }
    QString errorDescription() const override { return m_error; }
    PortOpenFailure lastOpenFailure() const override { return m_openFailure; }
    PortDescription describePort(int portNumber) const override;

private:
    QSet<int> m_available{1, 2, 3, 4, 5, 6, 7, 8};
    QSet<int> m_unselectable;
    QHash<int, PortOpenFailure> m_openFailures;
    QHash<int, PortDescription> m_descriptions;
    PortOpenFailure m_openFailure = PortOpenFailure::None;
    int m_port = 0;
    QString m_parameters = QStringLiteral("9600,N,8,1");
    bool m_open = false;
    CtsState m_cts = CtsState::Unknown;
    QByteArray m_input;
    QList<Write> m_writes;
    QString m_error;
    Responder m_responder;
};
