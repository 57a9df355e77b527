#include "link/PortDeviceMap.h"

#include "link/PresentSerialPorts.h"
#include "platform/SettingsStore.h"

#include <QHash>
#include <QRegularExpression>

#include <algorithm>
#include <utility>

namespace {

int DeviceRank(const QString& name)
{
    if (name.startsWith(QLatin1String("ttyUSB")) || name.startsWith(QLatin1String("ttyACM")))
        return 0;
    if (name.startsWith(QLatin1String("ttyS")))
        return 1;
    return 2;
}

// "ttyS10" -> ("ttyS", 10), so that ttyS2 comes before ttyS10.
std::pair<QString, int> NameAndNumber(const QString& name)
{
    static const QRegularExpression trailingNumber(QStringLiteral("^(.*?)(\\d+)$"));
    const QRegularExpressionMatch match = trailingNumber.match(name);
    if (!match.hasMatch())
        return {name, -1};
    return {match.captured(1), match.captured(2).toInt()};
}

QHash<int, QString>& DevicesForThisRun()
{
    static QHash<int, QString> devices;
    return devices;
}

QString PresentDevice(int portNumber)
{
    QStringList names;
    for (const QSerialPortInfo& info : PresentSerialPorts())
        names << info.portName();
    const QStringList ordered = OrderSerialDevices(names);
    return portNumber <= ordered.size() ? ordered.at(portNumber - 1) : QString();
}

}  // namespace

QStringList OrderSerialDevices(const QStringList& deviceNames)
{
    QStringList ordered = deviceNames;
    std::stable_sort(ordered.begin(), ordered.end(), [](const QString& a, const QString& b) {
        const int rankA = DeviceRank(a);
        const int rankB = DeviceRank(b);
        return rankA != rankB ? rankA < rankB : NameAndNumber(a) < NameAndNumber(b);
    });
    return ordered;
}

QString DeviceForPortNumber(int portNumber)
{
    if (portNumber < 1 || portNumber > 8)
        return {};
    if (DevicesForThisRun().contains(portNumber))
        return DevicesForThisRun().value(portNumber);
    const QString key = QStringLiteral("COM%1").arg(portNumber);
    const QString configured = SettingsStore::ReadText(QStringLiteral("Ports"), key, QString());
    if (!configured.isEmpty())
        return configured;
#ifdef Q_OS_WIN
    return key;
#else
    return PresentDevice(portNumber);
#endif
}

void UseDeviceForThisRun(int portNumber, const QString& device)
{
    DevicesForThisRun().insert(portNumber, device);
}

int PortNumberOfDevice(const QString& device)
{
    for (int p = 1; p <= 8; ++p) {
        const QString named = DeviceForPortNumber(p);
        if (!named.isEmpty() && DevicePath(named) == DevicePath(device))
            return p;
    }
    return 0;
}

QString DevicePath(const QString& device)
{
    return device.startsWith(QLatin1Char('/')) ? device : QStringLiteral("/dev/") + device;
}
