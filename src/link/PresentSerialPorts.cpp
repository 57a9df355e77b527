#include "link/PresentSerialPorts.h"

#ifdef Q_OS_LINUX

#include <QDir>
#include <QElapsedTimer>
#include <QStringList>

namespace {

// Calls close together (a look at every port number) share one look at the names.
constexpr qint64 kNamesFreshForMs = 100;

QStringList TtyDeviceNames()
{
    return QDir(QStringLiteral("/sys/class/tty"))
        .entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

}  // namespace

QList<QSerialPortInfo> PresentSerialPorts()
{
    static QList<QSerialPortInfo> ports;
    static QStringList namesListed;
    static bool listed = false;
    static QElapsedTimer sinceNamesRead;
    if (listed && sinceNamesRead.elapsed() < kNamesFreshForMs)
        return ports;
    sinceNamesRead.start();
    const QStringList names = TtyDeviceNames();
    if (!listed || names != namesListed) {
        ports = QSerialPortInfo::availablePorts();
        namesListed = names;
        listed = true;
    }
    return ports;
}

#else

QList<QSerialPortInfo> PresentSerialPorts()
{
    return QSerialPortInfo::availablePorts();
}

#endif
