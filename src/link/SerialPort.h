#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

enum class CtsState { Asserted, NotAsserted, Unknown };

// Why the last open() failed, in the terms a user can act on.
enum class PortOpenFailure {
    None,
    PermissionDenied,  // the user may not use the device (on Linux: not in the dialout group)
    Busy,              // another program has it open
    NotFound,          // no such device (unplugged, or a stale path in the settings)
    NotASerialPort,    // a file, folder, FIFO or device that is no terminal (/dev/null)
    Other,
};

// What the system knows of the device behind a port number.
struct PortDescription {
    QString device;        // the path or name opened; empty when the number names nothing
    bool present = false;  // the device exists now
    QString description;   // e.g. the USB product text; may be empty
    QString manufacturer;
    QString serialNumber;  // USB serial number; empty for built-in ports
};

// One serial port at a time, chosen by its number 1 .. 8. This is everything the
// program does with a port; the program uses QtSerialPort, the tests a fake.
class SerialPort : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~SerialPort() override = default;

    virtual bool selectPort(int portNumber) = 0;
    virtual int selectedPort() const = 0;
    // "R,N,8,1" with R one of 9600, 19200, 38400, 57600; applied at once when open.
    virtual bool setParameters(const QString& settings) = 0;
    virtual QString parameters() const = 0;
    virtual bool open() = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    virtual bool write(const QByteArray& bytes) = 0;
    virtual int bytesWaiting() const = 0;
    // One byte, every value 0 .. 255 unchanged; -1 when none is waiting.
    virtual int readByte() = 0;
    virtual qint64 bytesInOutputBuffer() const = 0;
    // Blocks until the output buffer is empty or the time is up; true when empty.
    virtual bool waitForOutputDrained(int timeoutMs) = 0;
    // A driver that cannot tell reports Unknown, which counts as asserted.
    virtual CtsState clearToSend() = 0;
    // The system's description of the last failure.
    virtual QString errorDescription() const = 0;
    virtual PortOpenFailure lastOpenFailure() const = 0;
    // The device behind a port number, for showing beside it and for finding it again.
    virtual PortDescription describePort(int portNumber) const = 0;

signals:
    // open() succeeded.
    void opened();
    void dataReceived();
    void receiveOverflow();
    // The open port failed under us (unplugged, I/O error); raised once per opening.
    void faulted(const QString& description);
};
