#pragma once

#include <QString>

// The port and host rate the user last had the module on (section "Properties", keys
// "COMPort" and "BaudRate"): the one place that reads and writes them. Anything else in
// the store reads as the default, no port and "19200".
class PortSettings {
public:
    static qint16 StoredCommPort();   // 0 .. 8
    static QString StoredBaudRate();  // one of the host's rates
    static void StoreCommPort(int portNumber);
    static void StoreBaudRate(const QString& baudRate);
};
