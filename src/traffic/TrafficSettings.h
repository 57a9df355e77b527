#pragma once

#include <QString>
#include <QtGlobal>

// The user's documents folder, ending with the path separator: where message log files
// go until the user picks another folder.
QString DefaultLogFolder();

// The traffic tester's persisted values.
struct TrafficSettings {
    qint32 lDestinationID = 2;  // destination transceiver of RF data messages
    // Folder of the message log file, ending with the path separator; also where the
    // file dialogs open. The program never creates it.
    QString sLogFilePath = DefaultLogFolder();
};
