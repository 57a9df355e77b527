#pragma once

#include <QByteArray>
#include <QString>

// One line of the simulator's standard input, read.
struct ControlCommand {
    enum class Kind {
        Invalid,               // `error` says why
        SendRfData,            // send148 PID [HEX]
        SendRfDataForAnother,  // send142 [PID [HEX]]
        Status,                // status I P
        Raw,                   // raw HEX
        Unplug,                // close the device and exit
        Detach,                // close the device and remove its link, keep running
        Attach,                // a new device behind the same link
        Quit,
        Nothing,  // an empty line
    };
    Kind kind = Kind::Nothing;
    quint8 packetId = 0;
    QByteArray bytes;  // RF data or raw bytes
    quint8 idsStatus = 0;
    quint8 settingsStatus = 0;
    QString error;
};

ControlCommand ParseControlCommand(const QString& line);
