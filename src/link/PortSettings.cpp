#include "link/PortSettings.h"

#include "link/LinkState.h"
#include "platform/SettingsStore.h"

namespace {
const QString kSection = QStringLiteral("Properties");
const QString kPortKey = QStringLiteral("COMPort");
const QString kRateKey = QStringLiteral("BaudRate");
}  // namespace

qint16 PortSettings::StoredCommPort()
{
    return static_cast<qint16>(SettingsStore::ReadBoundedInt(kSection, kPortKey, 0, 0, 8));
}

QString PortSettings::StoredBaudRate()
{
    const QString rate = SettingsStore::ReadText(kSection, kRateKey, QString());
    return HostBaudRates().contains(rate) ? rate : QStringLiteral("19200");
}

void PortSettings::StoreCommPort(int portNumber)
{
    SettingsStore::WriteNumber(kSection, kPortKey, portNumber);
}

void PortSettings::StoreBaudRate(const QString& baudRate)
{
    SettingsStore::WriteText(kSection, kRateKey, baudRate);
}
