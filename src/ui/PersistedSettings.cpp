#include "ui/PersistedSettings.h"

#include "config/ConfigSettings.h"
#include "platform/SettingsStore.h"
#include "traffic/TrafficSettings.h"

namespace {

const QString kSettings = QStringLiteral("Settings");

void Load(const char* key, qint32& value)
{
    value = SettingsStore::ReadInt32(kSettings, QLatin1String(key), value);
}

void Load(const char* key, qint16& value)
{
    value = SettingsStore::ReadInt16(kSettings, QLatin1String(key), value);
}

void Save(const char* key, qint64 value)
{
    SettingsStore::WriteNumber(kSettings, QLatin1String(key), value);
}

}  // namespace

void LoadSettings(ConfigSettings& config, TrafficSettings& traffic)
{
    const ConfigSettings configDefaults;
    const TrafficSettings trafficDefaults;
    config = configDefaults;
    traffic = trafficDefaults;
    Load("Transceiver ID", config.lTransceiverID);
    Load("Destination ID", traffic.lDestinationID);
    Load("Network ID", config.lNetworkID);
    Load("System ID", config.lSystemID);
    Load("Hop Table", config.iHopTable);
    Load("Acknowledgements", config.iAcknowledgements);
    Load("Retries", config.iRFRetries);
    Load("PA Level", config.iPALevel);
    Load("RF Mode", config.iRFMode);
    Load("Single Channel", config.iSingleChannel);
    Load("RF Receive All", config.iReceiveAll);
    traffic.sLogFilePath = SettingsStore::ReadText(kSettings, QStringLiteral("File Path"),
                                                   trafficDefaults.sLogFilePath);
}

void SaveSettings(const ConfigSettings& config, const TrafficSettings& traffic)
{
    Save("Transceiver ID", config.lTransceiverID);
    Save("Destination ID", traffic.lDestinationID);
    Save("Network ID", config.lNetworkID);
    Save("System ID", config.lSystemID);
    Save("Hop Table", config.iHopTable);
    Save("Acknowledgements", config.iAcknowledgements);
    Save("Retries", config.iRFRetries);
    Save("PA Level", config.iPALevel);
    Save("RF Mode", config.iRFMode);
    Save("Single Channel", config.iSingleChannel);
    Save("RF Receive All", config.iReceiveAll);
    SettingsStore::WriteText(kSettings, QStringLiteral("File Path"), traffic.sLogFilePath);
}

int ReadFactoryCalibration()
{
    return SettingsStore::ReadInt16(QStringLiteral("Properties"), QStringLiteral("FactoryCalibration"), 0);
}
