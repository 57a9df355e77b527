#include "config/ConfigFrames.h"

#include "protocol/Frame.h"
#include "protocol/MessageCatalogue.h"

namespace {

void AppendLowByteFirst(QByteArray& payload, qint32 value)
{
    payload.append(static_cast<char>(value & 0xFF));
    payload.append(static_cast<char>((value >> 8) & 0xFF));
}

}  // namespace

QByteArray BuildQueryIdsFrame()
{
    return BuildFrame(MessageCode::QueryIds);
}

QByteArray BuildSetIDsFrame(qint32 lTransceiverID, qint32 lNetworkID, qint32 lSystemID)
{
    QByteArray payload;
    AppendLowByteFirst(payload, lTransceiverID);
    AppendLowByteFirst(payload, lNetworkID);
    AppendLowByteFirst(payload, lSystemID);
    return BuildFrame(MessageCode::SetIds, payload);
}

QByteArray BuildSetProgrammableSettingsFrame(const ProgrammableSettingsRecord& record)
{
    const quint8 bytes[] = {record.hopTable, record.acknowledgements, record.rfRetries,
                            record.paLevel,  record.rfMode,           record.singleChannel,
                            record.receiveAll};
    QByteArray payload;
    for (quint8 byte : bytes)
        payload.append(static_cast<char>(byte));
    return BuildFrame(MessageCode::SetProgrammableSettings, payload);
}

QByteArray BuildQueryProgrammableSettingsFrame()
{
    return BuildFrame(MessageCode::QueryProgrammableSettings);
}

QByteArray BuildQueryFirmwareVersionFrame()
{
    return BuildFrame(MessageCode::QueryFirmwareVersion);
}

QByteArray BuildSetSleepModeFrame()
{
    return BuildFrame(MessageCode::SetSleepMode);
}

QByteArray BuildSetBaudrateFrame(int iBaudRateIndex)
{
    return BuildFrame(MessageCode::SetBaudrate, QByteArray(1, static_cast<char>(iBaudRateIndex)));
}

QByteArray BuildQueryMaxPowerAmplifierLevelFrame()
{
    return BuildFrame(MessageCode::QueryMaxPowerAmplifierLevel);
}
