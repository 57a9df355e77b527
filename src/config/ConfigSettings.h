#pragma once

#include <QStringList>
#include <QtGlobal>

// The host's copy of the module's identity and programmable settings. Loaded at start,
// saved at exit; each entry box writes its value here as the user edits it.
struct ConfigSettings {
    qint32 lTransceiverID = 1;
    qint32 lNetworkID = 1;
    qint32 lSystemID = 1;

    qint16 iHopTable = 0;
    qint16 iAcknowledgements = 1;  // 1 on
    qint16 iRFRetries = 3;
    qint16 iPALevel = 0;           // position in PaLevelEntries()
    qint16 iRFMode = 1;            // 1 hopping, 0 single channel
    qint16 iSingleChannel = 25;
    qint16 iReceiveAll = 0;        // 1 on
};

// The attenuator steps of the module's output stage, in the order of iPALevel.
inline QStringList PaLevelEntries()
{
    return {
        QStringLiteral(" 0dB (LP:  8dBm, HP: 24dBm)"),
        QStringLiteral("10dB (LP:  0dBm, HP:  0dBm)"),
        QStringLiteral("20dB (LP:-10dBm, HP:-14dBm)"),
    };
}
