#include "link/PortDeviceMap.h"

#include "platform/SettingsStore.h"

#include <QCollator>
#include <QSerialPortInfo>

#include <algorithm>

namespace {

int DeviceRank(const QString& name)
{
    if (name.startsWith(QLatin1String("ttyUSB")) || name.startsWith(QLatin1String("ttyACM")))
        return 0;
    if (name.startsWith(QLatin1String("ttyS")))
        return 1;
    return 2;
}

QString PresentDevice(int portNumber)
{
    QStringList names;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        names << info.portName();
    const QStringList ordered = OrderSerialDevices(names);
    return portNumber <= ordered.size() ? ordered.at(portNumber - 1) : QString();
}

}  // namespace

QStringList OrderSerialDevices(const QStringList& deviceNames)
{
    QStringList ordered = deviceNames;
    QCollator collator;
    collator.setNumericMode(true);
    std::stable_sort(ordered.begin(), ordered.end(), [&](const QString& a, const QString& b) {
        const int rankA = DeviceRank(a);
        const int rankB = DeviceRank(b);
        return rankA != rankB ? rankA < rankB : collator.compare(a, b) < 0;
    });
    return ordered;
}

QString DeviceForPortNumber(int portNumber)
{
    if (portNumber < 1 || portNumber > 8)
        return {};
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
