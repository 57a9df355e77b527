#pragma once

#include <QByteArray>
#include <QtGlobal>

// The commands that read and write the module's configuration, as complete frames.
// Multi-byte values travel low byte first.

QByteArray BuildQueryIdsFrame();

// Each ID is 0 .. 65535 and travels as two bytes.
QByteArray BuildSetIDsFrame(qint32 lTransceiverID, qint32 lNetworkID, qint32 lSystemID);

// The seven programmable settings, one byte each, in their order on the wire. The
// defaults are the module's factory settings.
struct ProgrammableSettingsRecord {
    quint8 hopTable = 0;         // 0 .. 15
    quint8 acknowledgements = 1; // 1 on, 0 off
    quint8 rfRetries = 3;        // 0 .. 20
    quint8 paLevel = 0;          // attenuator step 0 .. 2
    quint8 rfMode = 1;           // 1 hopping, 0 single channel
    quint8 singleChannel = 25;   // 0 .. 49
    quint8 receiveAll = 0;       // 1 pass every RF message heard to the host
};

QByteArray BuildSetProgrammableSettingsFrame(const ProgrammableSettingsRecord& record);
QByteArray BuildQueryProgrammableSettingsFrame();
QByteArray BuildQueryFirmwareVersionFrame();
QByteArray BuildSetSleepModeFrame();

// iBaudRateIndex: 0 = 9600, 1 = 19200, 2 = 38400, 3 = 57600.
QByteArray BuildSetBaudrateFrame(int iBaudRateIndex);

QByteArray BuildQueryMaxPowerAmplifierLevelFrame();
