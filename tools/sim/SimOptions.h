#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

// Which misbehaviours of a flaky module or line the simulator plays.
struct SimFaults {
    bool badChecksum = false;  // every 3rd frame the module sends carries a wrong checksum
    bool noise = false;        // stray bytes (never 0x01) before each frame it sends
    bool split = false;        // each frame goes out in two parts 50 ms apart
    bool silent = false;       // commands get no answer
};

struct SimFirmware {
    quint8 major = 1;
    quint8 minor = 3;
    quint8 month = 7;
    quint8 day = 15;
    int year = 2004;
    QByteArray copyright = "(C) Orvalis Radio";  // Latin-1, at most 35 characters
};

struct SimStatusReport {
    quint8 idsStatus = 1;
    quint8 settingsStatus = 1;
};

// Everything the command line of orvalis-sim sets.
struct SimOptions {
    QString linkPath;  // empty: print the device path on stdout instead
    int baudRate = 19200;
    quint16 transceiverId = 1;
    quint16 networkId = 1;
    quint16 systemId = 1;
    SimFirmware firmware;
    std::optional<SimStatusReport> statusReport;  // sent once the host listens
    double nackProbability = 0.0;
    int maxRetries = 0;
    std::optional<quint32> seed;  // none: from the clock
    int peerIntervalMs = 0;       // 0: no virtual peer
    bool pace = false;
    QString tracePath;
    SimFaults faults;
};

struct SimOptionsResult {
    SimOptions options;
    bool helpRequested = false;
    QString error;  // one line naming the option; empty when the line was good
};

// Reads the arguments after the program name.
SimOptionsResult ParseSimOptions(const QStringList& arguments);

// The --help text.
QString SimUsageText();

// The module's rates, slowest first.
inline const QList<int>& ModuleBaudRates()
{
    static const QList<int> rates{9600, 19200, 38400, 57600};
    return rates;
}
