#include "traffic/PersistedSettings.h"

#include "config/ConfigSettings.h"
#include "config/NumericBoxSpec.h"
#include "platform/SettingsStore.h"
#include "traffic/TrafficSettings.h"

namespace {

const QString kSettings = QStringLiteral("Settings");

// A stored value outside what its box accepts takes the default, like text that is not
// a number.
template <typename T>
void Load(const char* key, T& value, const char* boxName)
{
    const NumericEntryParameters bounds = NumericBoxSpecFor(QLatin1String(boxName)).entry;
    value = static_cast<T>(SettingsStore::ReadBoundedInt(kSettings, QLatin1String(key), value,
                                                         bounds.minimum, bounds.maximum));
}

// On/off switches: any whole number is kept; only 1 means on.
void LoadSwitch(const char* key, qint16& value)
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
    Load("Transceiver ID", config.lTransceiverID, "txtTransceiverID2");
    Load("Destination ID", traffic.lDestinationID, "txtDestinationID");
    Load("Network ID", config.lNetworkID, "txtNetworkID2");
    Load("System ID", config.lSystemID, "txtSystemID2");
    Load("Hop Table", config.iHopTable, "txtSetHopTable2");
    LoadSwitch("Acknowledgements", config.iAcknowledgements);
    Load("Retries", config.iRFRetries, "txtSetRFRetries2");
    config.iPALevel = static_cast<qint16>(SettingsStore::ReadBoundedInt(
        kSettings, QStringLiteral("PA Level"), config.iPALevel, 0,
        static_cast<qint32>(PaLevelEntries().size()) - 1));
    LoadSwitch("RF Mode", config.iRFMode);
    Load("Single Channel", config.iSingleChannel, "txtRFSingleChannel2");
    LoadSwitch("RF Receive All", config.iReceiveAll);
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

namespace {
const QString kView = QStringLiteral("View");
const QString kShowTimestamps = QStringLiteral("Show Timestamps");
}  // namespace

bool ReadShowTimestamps()
{
    return SettingsStore::ReadInt16(kView, kShowTimestamps, 0) == 1;
}

void WriteShowTimestamps(bool show)
{
    SettingsStore::WriteNumber(kView, kShowTimestamps, show ? 1 : 0);
}

QByteArray ReadViewState(const QString& key)
{
    return QByteArray::fromBase64(SettingsStore::ReadText(kView, key, QString()).toLatin1());
}

void WriteViewState(const QString& key, const QByteArray& state)
{
    SettingsStore::WriteText(kView, key, QString::fromLatin1(state.toBase64()));
}
