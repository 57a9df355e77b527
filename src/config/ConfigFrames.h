#pragma once

#include "protocol/Replies.h"

#include <QByteArray>
#include <QtGlobal>

// The commands that read and write the module's configuration, as complete frames.
// Multi-byte values travel low byte first.

QByteArray BuildQueryIdsFrame();

// Each ID is 0 .. 65535 and travels as two bytes.
QByteArray BuildSetIDsFrame(qint32 lTransceiverID, qint32 lNetworkID, qint32 lSystemID);

QByteArray BuildSetProgrammableSettingsFrame(const ProgrammableSettingsRecord& record);
QByteArray BuildQueryProgrammableSettingsFrame();
QByteArray BuildQueryFirmwareVersionFrame();
QByteArray BuildSetSleepModeFrame();

// iBaudRateIndex: 0 = 9600, 1 = 19200, 2 = 38400, 3 = 57600.
QByteArray BuildSetBaudrateFrame(int iBaudRateIndex);

QByteArray BuildQueryMaxPowerAmplifierLevelFrame();
