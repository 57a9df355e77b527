#pragma once

#include <QByteArray>
#include <QString>

// The master side of a pseudo-terminal: the module's end of the serial line. The
// host opens the slave device as it would open a serial port.
class PtyDevice {
public:
    PtyDevice() = default;
    PtyDevice(const PtyDevice&) = delete;
    PtyDevice& operator=(const PtyDevice&) = delete;
    ~PtyDevice();

    bool open(QString* error);
    void close();
    bool isOpen() const { return m_master >= 0; }
    int fd() const { return m_master; }
    QString devicePath() const { return m_devicePath; }

    // No echo, no line editing, no character translation: every byte passes unchanged.
    // The host's serial library restores what it found when it closes the device.
    void makeRaw();

    // Whether a host has the device open now.
    bool hostPresent() const;

    // The rate the host has set on its side; 0 for a rate a module cannot run at.
    int hostRate() const;

    enum class ReadResult { Data, Nothing, HostGone };
    // Appends everything waiting to `bytes`.
    ReadResult read(QByteArray& bytes);

    // Bytes taken (possibly fewer than offered, 0 when the line is full); -1 on failure.
    qint64 write(const QByteArray& bytes);

private:
    int m_master = -1;
    QString m_devicePath;
};
