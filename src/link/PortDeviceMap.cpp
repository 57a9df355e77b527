#include "link/PortDeviceMap.h"

#include "link/PresentSerialPorts.h"
#include "platform/SettingsStore.h"

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
