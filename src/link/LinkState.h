#pragma once

#include <QString>
#include <QStringList>

// The state of the serial link that several handlers share. The transmit path
// writes the Tx values, discovery and the baud-rate change the port values.
struct LinkState {
    // Port and rate.
    qint16 iCommPort = 0;  // 1 .. 8; 0 = none
    QString sBaudRate = QStringLiteral("19200");
    QStringList sBaudRates;  // filled at the start of each discovery
    qint16 iBaudRateIndex = 0;  // 0 = 9600 .. 3 = 57600
    bool bSearching = false;  // received frames are not logged while true
    bool bTransceiverFound = false;

    // Transmit path.
    qint16 iTxMsgType = 0;
    QString sTxMsgName;
    bool bWakeupNeeded = false;
};

// The four host rates in the order of their index.
inline QStringList HostBaudRates()
{
    return {QStringLiteral("9600"), QStringLiteral("19200"), QStringLiteral("38400"),
            QStringLiteral("57600")};
}

// The same rates as the option buttons show them, in the order of their index.
inline QStringList HostBaudRateCaptions()
{
    return {QStringLiteral("9,600"), QStringLiteral("19,200"), QStringLiteral("38,400"),
            QStringLiteral("57,600")};
}

// "19200" -> "19200,N,8,1"
inline QString PortParameters(const QString& baudRate)
{
    return baudRate + QStringLiteral(",N,8,1");
}
